// The back, the maker's logo, the title picture and the application icon.
#include "broadpen.h"
#include "cards.h"
#include "glyphs.h"
#include "palette.h"

namespace cardart {

namespace {

// The lattice of the back: small diamonds on a grid centred on the card, so
// the pattern is the same turned upside down. Only whole diamonds are drawn.
void lattice(Svg& svg, double x0, double y0, double x1, double y1)
{
    const Pt mid{(x0 + x1) / 2, (y0 + y1) / 2};
    const double dx = 3.1, dy = 4.1, shrink = 0.82;
    Path diamonds, dots;
    for (int j = -20; j <= 20; ++j) {
        for (int i = -20; i <= 20; ++i) {
            if ((i + j) % 2 != 0)
                continue;
            const Pt c = mid + Pt{i * dx, j * dy};
            const double w = dx * shrink, h = dy * shrink;
            if (c.x - w < x0 || c.x + w > x1 || c.y - h < y0 || c.y + h > y1)
                continue;
            diamonds.polygon({c + Pt{0, -h}, c + Pt{w, 0}, c + Pt{0, h}, c + Pt{-w, 0}});
            dots.circle(c, 0.55);
        }
    }
    svg.path(diamonds, fill(ink::red));
    svg.path(dots, fill(ink::paleGold));
}

} // namespace

std::string back()
{
    Svg svg(cardWidth, cardHeight);
    svg.rect(0.5, 0.5, cardWidth - 1, cardHeight - 1, 4, fillStroke(ink::stock, ink::outline, 1));
    const double inset = 3.6;
    svg.rect(inset, inset, cardWidth - 2 * inset, cardHeight - 2 * inset, 2.4, fill(ink::darkRed));
    lattice(svg, inset + 1.6, inset + 1.6, cardWidth - inset - 1.6, cardHeight - inset - 1.6);
    svg.rect(inset + 0.8, inset + 0.8, cardWidth - 2 * inset - 1.6, cardHeight - 2 * inset - 1.6, 1.8,
             stroke(ink::gold, 0.5));
    return svg.finish();
}

std::string logo()
{
    Svg svg(120, 39);
    addGradients(svg);
    svg.linearGradient("plate", {0, 0}, {0, 1}, {{0, "#24488a"}, {1, "#142c5a"}});
    svg.rect(0.5, 0.5, 119, 38, 5, fillStroke("url(#plate)", ink::outline, 1));
    svg.rect(2.6, 2.6, 114.8, 33.8, 3.4, stroke(ink::gold, 0.8));
    // the emblem: a gold lozenge holding a coin's rosette
    svg.path(Path().polygon({{17, 7}, {27, 19.5}, {17, 32}, {7, 19.5}}),
             fillStroke(ink::goldMetal, ink::outline, 0.8));
    svg.path(Path().polygon({{17, 11}, {23.8, 19.5}, {17, 28}, {10.2, 19.5}}), fill(ink::darkRed));
    svg.begin(place({17, 19.5}, 0, 0.46));
    coin(svg);
    svg.end();
    Lettering style;
    style.size = 17;
    style.slant = 0.08;
    const double width = lettersWidth("Dorvinex", style);
    const Pt at{33 + (83 - width) / 2, 11};
    const Path name = letters("Dorvinex", at, style);
    svg.path(name, stroke("#0b1a36", 3.8));
    svg.path(name, stroke(ink::paleGold, 2.2));
    return svg.finish();
}

std::string title()
{
    Svg svg(309, 90);
    addGradients(svg);
    svg.linearGradient("titleRed", {0, 0}, {0, 1}, {{0, "#e0483a"}, {0.6, ink::red}, {1, "#a11c22"}});
    Lettering style;
    style.size = 52;
    style.slant = 0.16;
    style.spacing = 0.9;
    const std::string name = "La Trelva";
    const double width = lettersWidth(name, style);
    // a broad pen held at an angle gives thick downstrokes and thin hairlines
    const Pt origin{(309 - width) / 2 - 4, 6};
    const Pt nib = polar(2.6, 52);
    const std::vector<Stroke> lines = strokes(name, origin, style);
    const Path edged = broadPen(lines, nib, 2.15);
    svg.begin(translate({2.2, 2.6}));
    svg.path(edged, fill("#e9dcbc"));
    svg.end();
    svg.path(edged, fill(ink::outline));
    svg.path(broadPen(lines, nib, 0.95), fill("url(#titleRed)"));
    // a gold rule carrying the four signs of the deck the game is played with
    const double y = 76;
    for (double x0 : {20.0, 223.0}) {
        svg.path(Path().move({x0 + 6, y}).line({x0 + 60, y}), stroke(ink::outline, 3.2));
        svg.path(Path().move({x0 + 6, y}).line({x0 + 60, y}), stroke(ink::gold, 1.6));
        for (double x : {x0 + 3.0, x0 + 63.0})
            svg.path(Path().polygon({{x, y - 3.2}, {x + 3.2, y}, {x, y + 3.2}, {x - 3.2, y}}),
                     fillStroke(ink::red, ink::outline, 0.7));
    }
    const Suit suits[] = {Suit::Coins, Suit::Cups, Suit::Batons, Suit::Swords};
    const double tilt[] = {0, 0, -24, 24};
    const double size[] = {0.8, 0.82, 0.7, 0.72};
    for (int i = 0; i < 4; ++i) {
        svg.begin(place({108 + i * 31.0, y}, tilt[i]));
        sign(svg, suits[i], size[i]);
        svg.end();
    }
    return svg.finish();
}

std::string icon()
{
    Svg svg(64, 64);
    addGradients(svg);
    svg.rect(1, 1, 62, 62, 12, fillStroke(ink::table, ink::outline, 1.2));
    // a back behind, a face in front showing a coin
    svg.begin(place({25, 33}, -14, 0.42));
    svg.rect(-34, -55, 68, 110, 6, fillStroke(ink::stock, ink::outline, 2.2));
    svg.rect(-28, -49, 56, 98, 3, fill(ink::darkRed));
    svg.rect(-24, -45, 48, 90, 2, stroke(ink::gold, 2.4));
    svg.end();
    svg.begin(place({38.5, 33.5}, 10, 0.42));
    svg.rect(-34, -55, 68, 110, 6, fillStroke(ink::stock, ink::outline, 2.2));
    svg.begin("scale(2.3)");
    coin(svg);
    svg.end();
    svg.end();
    return svg.finish();
}

} // namespace cardart
