#include "suits.h"

#include "palette.h"

#include <cmath>

namespace cardart {

void addGradients(Svg& svg)
{
    svg.radialGradient("goldDisc", {0.4, 0.35}, 0.7,
                       {{0, "#fff1b0"}, {0.45, ink::gold}, {1, "#b98212"}});
    svg.linearGradient("goldMetal", {0, 0}, {1, 0},
                       {{0, "#b98212"}, {0.4, "#ffe89a"}, {0.6, ink::gold}, {1, "#9c6a0c"}});
    svg.linearGradient("steelBlade", {0, 0}, {1, 0},
                       {{0, ink::darkSteel}, {0.45, ink::paleSteel}, {0.55, ink::steel}, {1, ink::darkSteel}});
    svg.linearGradient("woodGrain", {0, 0}, {1, 0},
                       {{0, ink::darkWood}, {0.3, ink::paleWood}, {0.55, ink::wood}, {0.8, ink::bark}, {1, ink::darkWood}});
}

// A pointed leaf from base to tip, as wide as `width`.
static Path leaf(Pt base, Pt tip, double width)
{
    Pt d = tip - base;
    Pt n = Pt{-d.y, d.x} * (width / std::hypot(d.x, d.y));
    Path p;
    p.move(base)
        .quad(lerp(base, tip, 0.45) + n, tip)
        .quad(lerp(base, tip, 0.45) - n, base)
        .close();
    return p;
}

// ---------------------------------------------------------------- coins

// Eight petals about the centre, long red ones on the axes and short green
// ones between: the rosette that marks a coin even in greyscale.
static void rosette(Svg& svg, double r, int petals)
{
    Path reds, greens;
    for (int i = 0; i < petals; ++i) {
        const double a = i * 360.0 / petals;
        if (i % 2 == 0)
            reds.append(leaf(polar(r * 0.22, a), polar(r, a), r * 0.22));
        else
            greens.append(leaf(polar(r * 0.22, a), polar(r * 0.78, a), r * 0.2));
    }
    svg.path(greens, fillStroke(ink::green, ink::outline, r * 0.06));
    svg.path(reds, fillStroke(ink::red, ink::outline, r * 0.06));
    svg.circle({0, 0}, r * 0.3, fillStroke(ink::paleGold, ink::outline, r * 0.06));
}

void coin(Svg& svg, bool simple)
{
    svg.circle({0, 0}, 10, fillStroke(ink::goldDisc, ink::outline, simple ? 1.4 : 0.7));
    if (simple) {
        svg.circle({0, 0}, 5.2, fillStroke(ink::red, ink::outline, 1.0));
        return;
    }
    svg.circle({0, 0}, 8.4, stroke(ink::deepGold, 0.5));
    svg.circle({0, 0}, 6.9, stroke(ink::red, 1.3));
    rosette(svg, 5.6, 8);
    svg.circle({0, 0}, 0.7, fill(ink::red));
}

void aceOfCoins(Svg& svg)
{
    svg.begin(translate({34, 55}));
    // a laurel wreath standing out round the rim
    Path leaves;
    for (int i = 0; i < 20; ++i) {
        const double a = i * 18.0;
        leaves.append(leaf(polar(24, a), polar(29.5, a + 9), 1.7));
    }
    svg.path(leaves, fillStroke(ink::green, ink::outline, 0.45));
    svg.circle({0, 0}, 25, fillStroke(ink::goldDisc, ink::outline, 0.8));
    svg.circle({0, 0}, 22.6, stroke(ink::deepGold, 0.6));
    Path beads;
    for (int i = 0; i < 28; ++i)
        beads.circle(polar(20.9, i * 360.0 / 28), 0.85);
    svg.path(beads, fillStroke(ink::paleGold, ink::deepGold, 0.3));
    svg.circle({0, 0}, 18.8, stroke(ink::outline, 0.5));
    svg.circle({0, 0}, 17.4, stroke(ink::red, 2.2));
    svg.circle({0, 0}, 16, stroke(ink::outline, 0.5));
    // an outer star of sixteen points behind the rosette
    std::vector<Pt> star;
    for (int i = 0; i < 32; ++i)
        star.push_back(polar(i % 2 ? 10 : 14.5, i * 360.0 / 32));
    svg.path(Path().polygon(star), fillStroke(ink::paleGold, ink::deepGold, 0.4));
    rosette(svg, 11, 12);
    svg.circle({0, 0}, 1.4, fill(ink::red));
    svg.end();
}

// ----------------------------------------------------------------- cups

// The right half of the bowl, rim to base; the left half is its mirror.
static const std::vector<Pt> bowlSide{{6.5, -8.2}, {6.1, -5}, {4.6, -2}, {2.3, 0.2}, {1.1, 0.9}};

static double bowlHalfWidth(double y)
{
    for (size_t i = 0; i + 1 < bowlSide.size(); ++i) {
        const Pt a = bowlSide[i], b = bowlSide[i + 1];
        if (y >= a.y && y <= b.y)
            return a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y);
    }
    return 0;
}

static Path bowl()
{
    std::vector<Pt> left = mirrorX(bowlSide);
    std::vector<Pt> right(bowlSide.rbegin(), bowlSide.rend());
    Path p;
    p.move(left.front()).through(left).line(right.front()).through(right).close();
    return p;
}

// A band round the bowl between two heights.
static Path band(double y0, double y1)
{
    const double w0 = bowlHalfWidth(y0), w1 = bowlHalfWidth(y1);
    return Path().polygon({{-w0, y0}, {w0, y0}, {w1, y1}, {-w1, y1}});
}

void cup(Svg& svg, bool simple)
{
    const double line = simple ? 1.1 : 0.6;
    // foot and stem first: the bowl sits on them
    Path foot;
    foot.move({-1.3, 5.6}).cubic({-1.6, 7.6}, {-5, 8.4}, {-5.8, 9.2}).line({-5.8, 10}).line({5.8, 10}).line({5.8, 9.2}).cubic({5, 8.4}, {1.6, 7.6}, {1.3, 5.6}).close();
    svg.path(foot, fillStroke(ink::goldMetal, ink::outline, line));
    svg.rect(-1.1, 0.4, 2.2, 5.6, 0, fillStroke(ink::goldMetal, ink::outline, line));
    svg.ellipse({0, 3.4}, 2.5, 1.3, fillStroke(simple ? ink::gold : ink::blue, ink::outline, line));
    svg.path(bowl(), fill(ink::goldMetal));
    if (!simple) {
        svg.path(band(-5.6, -3.6), fill(ink::red));
        svg.path(Path().move({-bowlHalfWidth(-5.6), -5.6}).line({bowlHalfWidth(-5.6), -5.6}).move({-bowlHalfWidth(-3.6), -3.6}).line({bowlHalfWidth(-3.6), -3.6}),
                 stroke(ink::outline, 0.35));
        svg.ellipse({0, 9.6}, 5.8, 0.4, fill(ink::blue));
    }
    svg.path(bowl(), stroke(ink::outline, line));
    // the mouth: a dark opening inside a gold lip
    svg.ellipse({0, -8.2}, 6.5, 1.5, fillStroke(simple ? ink::red : ink::darkRed, ink::outline, line));
    if (!simple)
        svg.ellipse({0, -8.2}, 5.6, 0.95, stroke(ink::paleGold, 0.4));
}

void aceOfCups(Svg& svg)
{
    svg.begin(translate({34, 57}));
    // vine scrolls either side of the stem
    for (int side : {-1, 1}) {
        Path vine;
        vine.move({side * 2.0, 18}).cubic({side * 14.0, 20}, {side * 20.0, 12}, {side * 17.0, 4}).cubic({side * 15.0, -1}, {side * 10.0, 2}, {side * 12.0, 6});
        svg.path(vine, stroke(ink::green, 1.4));
        svg.path(leaf({side * 9.0, 19.2}, {side * 13.0, 25.5}, 2.0), fillStroke(ink::green, ink::outline, 0.4));
        svg.path(leaf({side * 18.4, 9.0}, {side * 23.5, 5.5}, 1.9), fillStroke(ink::green, ink::outline, 0.4));
        svg.path(leaf({side * 16.2, 2.0}, {side * 18.0, -4.0}, 1.7), fillStroke(ink::paleGreen, ink::outline, 0.4));
    }
    svg.begin("scale(2.75)");
    cup(svg);
    // gems on the band and beads round the lip
    Path gems, beads;
    for (double x : {-3.5, 0.0, 3.5})
        gems.circle({x, -4.6}, 0.55);
    for (int i = 0; i < 11; ++i)
        beads.circle({-5.0 + i, -6.6 + 0.02 * (i - 5) * (i - 5)}, 0.22);
    svg.path(gems, fillStroke(ink::blue, ink::outline, 0.15));
    svg.path(beads, fill(ink::paleGold));
    svg.path(Path().move({-4.2, -1.6}).quad({0, -0.2}, {4.2, -1.6}), stroke(ink::deepGold, 0.3));
    svg.end();
    svg.end();
}

// --------------------------------------------------------------- batons

void baton(Svg& svg, double length, double thickness, bool simple)
{
    const double top = -length / 2;
    const double line = simple ? 1.2 : 0.6;
    auto halfWidth = [&](double t) {
        // a cudgel: a heavy head tapering to the grip, with a little unevenness
        return thickness * (0.5 - 0.24 * t) * (1 + 0.07 * std::sin(t * 19.0));
    };
    // lopped side branches, drawn under the body
    struct Knot {
        double t;
        int side;
    };
    const Knot knots[] = {{0.2, 1}, {0.42, -1}, {0.66, 1}};
    Path stubs, cuts;
    if (!simple) {
        for (const Knot& k : knots) {
            const double y = top + k.t * length;
            const double w = halfWidth(k.t);
            const Pt base{k.side * w * 0.5, y + thickness * 0.25};
            const Pt tip{k.side * (w + thickness * 0.26), y - thickness * 0.2};
            const Pt n = Pt{0, thickness * 0.15};
            stubs.polygon({base - n, tip - n * 0.8, tip + n * 0.8, base + n});
            cuts.ellipse(tip, thickness * 0.11, thickness * 0.15);
        }
    }
    std::vector<Pt> left, right;
    const int steps = 8;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        left.push_back({-halfWidth(t), top + t * length});
        right.push_back({halfWidth(t), top + t * length});
    }
    // a rounded head and a blunt butt
    std::vector<Pt> outline;
    outline.push_back({0, top - halfWidth(0) * 0.9});
    for (const Pt& p : right)
        outline.push_back(p);
    outline.push_back({0, -top + halfWidth(1) * 0.6});
    for (auto it = left.rbegin(); it != left.rend(); ++it)
        outline.push_back(*it);
    svg.path(stubs, fillStroke(ink::wood, ink::outline, line));
    svg.path(cuts, fillStroke(ink::paleWood, ink::outline, 0.4));
    svg.path(Path().smooth(outline, true), fillStroke(ink::woodGrain, ink::outline, line));
    if (simple)
        return;
    // bark knots on the body and a grain line
    Path marks;
    for (const Knot& k : knots) {
        const double y = top + (k.t + 0.12) * length;
        marks.ellipse({-k.side * halfWidth(k.t + 0.12) * 0.35, y}, thickness * 0.08, thickness * 0.12);
    }
    svg.path(marks, fill(ink::darkWood));
    Path grain;
    grain.smooth({{-halfWidth(0.05) * 0.3, top + 0.05 * length},
                  {-halfWidth(0.35) * 0.1, top + 0.35 * length},
                  {-halfWidth(0.65) * 0.35, top + 0.65 * length},
                  {-halfWidth(0.9) * 0.15, top + 0.9 * length}},
                 false);
    svg.path(grain, stroke(ink::darkWood, thickness * 0.05));
}

void aceOfBatons(Svg& svg)
{
    svg.begin(place({33, 57}, -10));
    baton(svg, 76, 17);
    // fresh leaves sprouting from the lopped branches
    struct Sprig {
        Pt base, tip;
        const char* colour;
    };
    const Sprig sprigs[] = {{{11.4, -26}, {20, -32}, ink::green}, {{11.4, -26}, {18.4, -20}, ink::paleGreen}, {{-11.4, -9.6}, {-20, -15}, ink::paleGreen}, {{-11.4, -9.6}, {-18.6, -3.6}, ink::green}, {{10, 8.8}, {18.6, 4}, ink::green}, {{10, 8.8}, {16.4, 15}, ink::paleGreen}};
    for (const Sprig& s : sprigs)
        svg.path(leaf(s.base, s.tip, 2.4), fillStroke(s.colour, ink::outline, 0.45));
    svg.end();
}

// --------------------------------------------------------------- swords

void sword(Svg& svg, double blade, double hilt, bool simple)
{
    const double line = 0.55;
    // a straight blade with parallel edges that narrow only into the point
    const double w = (simple ? 2.1 : 2.7) * hilt;
    const double shoulder = -blade * 0.8;
    const Path edge = Path().polygon({{-w, -0.5 * hilt}, {-w * 0.82, shoulder}, {0, -blade}, {w * 0.82, shoulder}, {w, -0.5 * hilt}});
    svg.path(edge, fillStroke(ink::steelBlade, ink::outline, line));
    if (!simple)
        svg.path(Path().move({0, -2 * hilt}).line({0, shoulder}), stroke(ink::darkSteel, 0.32 * hilt));
    // the hilt: a cross-guard with knobbed ends, a bound grip and a pommel
    svg.begin("scale(" + num(hilt) + ")");
    const double l = line / hilt;
    svg.rect(-1, 0.6, 2, 4.6, 0.4, fillStroke(simple ? ink::darkRed : ink::red, ink::outline, l));
    if (!simple)
        svg.path(Path().move({-1, 1.9}).line({1, 1.4}).move({-1, 3.2}).line({1, 2.7}).move({-1, 4.5}).line({1, 4.0}), stroke(ink::darkRed, 0.35));
    Path guard;
    guard.move({-4.6, -1}).quad({0, -0.2}, {4.6, -1}).line({4.6, 1}).quad({0, 1.8}, {-4.6, 1}).close().circle({-5.2, 0}, 1.25).circle({5.2, 0}, 1.25);
    svg.path(guard, fillStroke(ink::goldMetal, ink::outline, l));
    svg.circle({0, 6.3}, 1.6, fillStroke(ink::goldDisc, ink::outline, l));
    svg.end();
}

void aceOfSwords(Svg& svg)
{
    // a laurel wreath round the hilt, tied below the pommel and open above
    // the guard for the blade: two branches growing up either side
    const Pt hub{34, 80.5};
    const double r = 14.5;
    svg.begin(translate(hub));
    for (int side : {-1, 1}) {
        Path stem;
        stem.move(polar(r, side * 176.0));
        for (int a = 160; a >= 24; a -= 17)
            stem.line(polar(r, side * double(a)));
        svg.path(stem, stroke(ink::green, 1.1));
        Path outer, inner;
        for (int i = 0; i < 8; ++i) {
            const double a = side * (168.0 - i * 19);
            const double ahead = a - side * 15.0;
            outer.append(leaf(polar(r, a), polar(r + 5.4, ahead), 1.9));
            inner.append(leaf(polar(r, a - side * 9.0), polar(r - 4.4, ahead - side * 8.0), 1.6));
        }
        svg.path(inner, fillStroke(ink::paleGreen, ink::outline, 0.35));
        svg.path(outer, fillStroke(ink::green, ink::outline, 0.35));
        Path berries;
        for (const double a : {140.0, 102.0, 64.0})
            berries.circle(polar(r + 1.4, side * a), 0.85);
        svg.path(berries, fillStroke(ink::red, ink::outline, 0.3));
    }
    // the ribbon's bow where the branches cross
    Path bow;
    bow.move({0, r}).quad({-4.6, r - 3.4}, {-4.8, r + 0.6}).close().move({0, r}).quad({4.6, r - 3.4}, {4.8, r + 0.6}).close().move({0, r}).line({-2.6, r + 5}).line({-1, r + 4.4}).line({0, r}).line({1, r + 4.4}).line({2.6, r + 5}).close();
    svg.path(bow, fillStroke(ink::red, ink::outline, 0.4));
    svg.circle({0, r}, 1, fillStroke(ink::darkRed, ink::outline, 0.35));
    svg.end();
    svg.begin(translate({34, 79}));
    sword(svg, 62, 1.8);
    svg.end();
}

// ----------------------------------------------------------------- marks

void mark(Svg& svg, Suit suit)
{
    switch (suit) {
    case Suit::Coins:
        svg.begin("scale(0.4)");
        coin(svg, true);
        break;
    case Suit::Cups:
        svg.begin("scale(0.42)");
        cup(svg, true);
        break;
    case Suit::Batons:
        svg.begin("rotate(36)");
        baton(svg, 9.6, 4.4, true);
        break;
    case Suit::Swords:
        svg.begin("translate(0.6,1.6) rotate(30)");
        sword(svg, 7.4, 0.5, true);
        break;
    }
    svg.end();
}

void sign(Svg& svg, Suit suit, double size)
{
    svg.begin("scale(" + num(size) + ")");
    switch (suit) {
    case Suit::Coins:
        coin(svg);
        break;
    case Suit::Cups:
        cup(svg);
        break;
    case Suit::Batons:
        baton(svg, 25, 9.6);
        break;
    case Suit::Swords:
        // the whole sword, pommel to point, centred on the origin
        svg.begin("translate(0,5.6)");
        sword(svg, 20, 1.1);
        svg.end();
        break;
    }
    svg.end();
}

} // namespace cardart
