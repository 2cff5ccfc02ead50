// The forty faces: stock, corner indices and the picture of each value.
#include "cards.h"
#include "glyphs.h"
#include "palette.h"

#include <cmath>
#include <vector>

namespace cardart {

namespace {

const Pt centre{cardWidth / 2, cardHeight / 2};

// The value figure and a small sign in the top-left corner, and the same
// turned about the centre in the bottom-right one: read from either end.
void cornerIndex(Svg &svg, int value, Suit suit)
{
    Lettering style;
    style.size = 8;
    style.spacing = value == 10 ? -0.9 : 0;
    const std::string text = std::to_string(value);
    const double width = lettersWidth(text, style);
    const double x = 7.6 - width / 2;
    for (double turn : {0.0, 180.0}) {
        svg.begin("rotate(" + num(turn) + "," + num(centre.x) + "," + num(centre.y) + ")");
        // a patch of bare stock keeps the index clear of any drawing
        svg.rect(1.6, 2, 12, 22.2, 1.5, fill(ink::stock));
        svg.path(letters(text, {x, 3.6}, style), stroke(ink::outline, 1.25));
        svg.begin(translate({7.6, 18.2}));
        mark(svg, suit);
        svg.end();
        svg.end();
    }
}

void put(Svg &svg, Pt at, Suit suit, double size, double degrees = 0)
{
    svg.begin(place(at, degrees));
    sign(svg, suit, size);
    svg.end();
}

// Coins and cups stand as separate pips in rows and columns.
std::vector<Pt> rowPips(int value)
{
    const double l = 22.5, r = 45.5, top = 25, mid = 55, low = 85;
    switch (value) {
    case 2: return {{34, 31}, {34, 79}};
    case 3: return {{34, top}, {34, mid}, {34, low}};
    case 4: return {{l, 31}, {r, 31}, {l, 79}, {r, 79}};
    case 5: return {{l, 28}, {r, 28}, {34, mid}, {l, 82}, {r, 82}};
    case 6: return {{l, top}, {r, top}, {l, mid}, {r, mid}, {l, low}, {r, low}};
    case 7: return {{l, top}, {r, top}, {16.5, mid}, {34, mid}, {51.5, mid}, {l, low}, {r, low}};
    }
    return {};
}

void coinPips(Svg &svg, int value)
{
    if (value == 1)
        return aceOfCoins(svg);
    const double size = value == 7 ? 0.8 : (value <= 4 ? 1.0 : 0.9);
    for (Pt p : rowPips(value))
        put(svg, p, Suit::Coins, size);
}

void cupPips(Svg &svg, int value)
{
    if (value == 1)
        return aceOfCups(svg);
    const double size = value == 7 ? 0.98 : (value <= 4 ? 1.2 : 1.1);
    for (Pt p : rowPips(value))
        put(svg, p, Suit::Cups, size);
}

// Batons run long and diagonal, crossing into a lattice; an odd one stands
// upright through the middle. Heads alternate so the lattice has no top.
void batonPips(Svg &svg, int value)
{
    if (value == 1)
        return aceOfBatons(svg);
    const int pairs = value / 2;
    const double gap = pairs == 1 ? 0 : (pairs == 2 ? 16 : 12);
    const double angle = pairs == 1 ? 26 : (pairs == 2 ? 21 : 18);
    const double length = pairs == 3 ? 84 : 86;
    int n = 0;
    for (int i = 0; i < pairs; ++i) {
        const double dx = (i - (pairs - 1) / 2.0) * gap;
        for (int dir : {1, -1}) {
            svg.begin(place(centre + Pt{dx, 0}, dir * angle + (n++ % 2 ? 180 : 0)));
            baton(svg, length, 8.6, false, true);
            svg.end();
        }
    }
    if (value % 2) {
        svg.begin(translate(centre));
        baton(svg, length + 2, 8.6, false, true);
        svg.end();
    }
}

// One curved sword from its hilt to its point along an arc that bulges
// sideways by `bulge` (negative: to the left) over the chord from `hilt` to `tip`.
void arcSword(Svg &svg, Pt hilt, Pt tip, double bulge, double hiltSize)
{
    const Pt chord = tip - hilt;
    const double c = std::hypot(chord.x, chord.y);
    const double a = std::abs(bulge);
    const double radius = (c * c / 4 + a * a) / (2 * a);
    const double half = std::asin(c / (2 * radius)) * 180 / M_PI;
    const double length = radius * 2 * half * M_PI / 180;
    const double chordHeading = std::atan2(chord.x, -chord.y) * 180 / M_PI;
    const double side = bulge < 0 ? 1 : -1;  // left bulge: start leaning left, turn right
    svg.begin(place(hilt, chordHeading - side * half));
    sword(svg, length, side * 2 * half, hiltSize, false, true);
    svg.end();
}

// Swords arch in pairs that cross at both ends, each pair an oval; nested
// pairs turn their hilts the other way so the ovals interlace.
void swordPips(Svg &svg, int value)
{
    if (value == 1)
        return aceOfSwords(svg);
    struct Pair { double bulge, low, high; bool hiltsDown; };
    std::vector<Pair> pairs;
    switch (value / 2) {
    case 1: pairs = {{17, 98, 12, true}}; break;
    case 2: pairs = {{21, 99, 11, true}, {10, 24, 88, false}}; break;
    case 3: pairs = {{23.5, 99, 11, true}, {14.5, 24, 88, false}, {6, 80, 32, true}}; break;
    }
    const double e = 4;
    for (const Pair &p : pairs) {
        for (int s : {-1, 1}) {
            const double x = centre.x - s * e;
            arcSword(svg, {x, p.low}, {x, p.high}, p.hiltsDown ? s * p.bulge : -s * p.bulge, 1.0);
        }
    }
    if (value % 2) {
        svg.begin(place({centre.x, value == 7 ? 20.0 : 95.0}, value == 7 ? 180 : 0));
        sword(svg, value == 7 ? 72 : 78, 6, 1.0, false, true);
        svg.end();
    }
}

} // namespace

std::string face(int card)
{
    const Suit suit = suitOf(card);
    const int value = valueOf(card);
    Svg svg(cardWidth, cardHeight);
    addGradients(svg);
    svg.rect(0.5, 0.5, cardWidth - 1, cardHeight - 1, 4, fillStroke(ink::stock, ink::outline, 1));
    if (value <= 7) {
        switch (suit) {
        case Suit::Coins: coinPips(svg, value); break;
        case Suit::Cups: cupPips(svg, value); break;
        case Suit::Batons: batonPips(svg, value); break;
        case Suit::Swords: swordPips(svg, value); break;
        }
    } else if (value == 8) {
        knave(svg, suit);
    } else if (value == 9) {
        knight(svg, suit);
    } else {
        king(svg, suit);
    }
    cornerIndex(svg, value, suit);
    return svg.finish();
}

} // namespace cardart
