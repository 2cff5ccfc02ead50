// The forty faces: stock, corner indices and the picture of each value.
#include "cards.h"
#include "glyphs.h"
#include "palette.h"

#include <vector>

namespace cardart {

namespace {

const Pt centre{cardWidth / 2, cardHeight / 2};
const double indexX = 8.6; // the centre line of the corner index

// The value in bold figures over a small sign, in the top-left corner only:
// cards never turn on this table, and a turned copy would read 6 as 9.
void cornerIndex(Svg& svg, int value, Suit suit)
{
    Lettering style;
    style.size = 10;
    const double top = 3.4, pen = 2.1;
    Path figure;
    if (value == 10) {
        // Two figures in the room of one and a half: a narrow 1 and a round
        // 0, set apart by a full pixel of paper and the 0 left open, since
        // condensing both alike runs them into one blot at real size.
        Lettering one = style, zero = style;
        one.condense = 0.72;
        zero.condense = 0.86;
        const double oneRight = 5.4 * one.condense + pen / 2;
        const double zeroLeft = 0.5 * zero.condense - pen / 2;
        const double zeroAt = oneRight + 1.9 - zeroLeft;
        const double inkLeft = 1.3 * one.condense - pen / 2;
        const double inkRight = zeroAt + 5.5 * zero.condense + pen / 2;
        const double x = indexX - (inkLeft + inkRight) / 2;
        figure.append(letters("1", {x, top}, one)).append(letters("0", {x + zeroAt, top}, zero));
    } else {
        const std::string text = std::to_string(value);
        figure = letters(text, {indexX - lettersWidth(text, style) / 2, top}, style);
    }
    svg.path(figure, stroke(ink::outline, pen));
    svg.begin(translate({indexX, 21}));
    mark(svg, suit);
    svg.end();
}

void put(Svg& svg, Pt at, Suit suit, double size, double degrees = 0)
{
    svg.begin(place(at, degrees));
    sign(svg, suit, size);
    svg.end();
}

// Where the pips of each value stand, in rows and columns clear of the index;
// the seven's middle row reaches `sideways` from either edge.
std::vector<Pt> rowPips(int value, double sideways)
{
    const double l = 23, r = 45, top = 26, mid = 55, low = 84;
    switch (value) {
    case 2:
        return {{34, 31}, {34, 79}};
    case 3:
        return {{34, top}, {34, mid}, {34, low}};
    case 4:
        return {{l, 31}, {r, 31}, {l, 79}, {r, 79}};
    case 5:
        return {{l, top}, {r, top}, {34, mid}, {l, low}, {r, low}};
    case 6:
        return {{l, top}, {r, top}, {l, mid}, {r, mid}, {l, low}, {r, low}};
    case 7:
        return {{l, top}, {r, top}, {sideways, mid}, {34, mid}, {68 - sideways, mid}, {l, low}, {r, low}};
    }
    return {};
}

void coinPips(Svg& svg, int value)
{
    if (value == 1)
        return aceOfCoins(svg);
    const double size = value == 7 ? 0.74 : (value <= 3 ? 1.0 : 0.86);
    for (Pt p : rowPips(value, 15.5))
        put(svg, p, Suit::Coins, size);
}

void cupPips(Svg& svg, int value)
{
    if (value == 1)
        return aceOfCups(svg);
    const double size = value == 7 ? 0.98 : (value <= 4 ? 1.2 : 1.1);
    for (Pt p : rowPips(value, 17))
        put(svg, p, Suit::Cups, size);
}

// Batons and swords stand apart like the other pips, in the same rows, each
// leaning a little outwards from the middle so a column reads as a fan.
void tallPips(Svg& svg, Suit suit, int value)
{
    const double size = value == 2 ? 1.15 : (value <= 5 ? 1.0 : 0.84);
    const double lean = value <= 3 ? 0 : 9;
    // three in a column would touch: they step down a diagonal instead
    const std::vector<Pt> places = value == 3 ? std::vector<Pt>{{22, 30}, {34, 55}, {46, 80}} : rowPips(value, 17);
    for (Pt p : places) {
        const double side = p.x < centre.x - 1 ? -1 : (p.x > centre.x + 1 ? 1 : 0);
        const bool middleRow = value == 7 && p.y == centre.y;
        put(svg, p, suit, size, middleRow ? 0 : side * lean);
    }
}

// The three of batons as tradition draws it: three cudgels, heads outwards,
// meeting at a small gilded mask that hides where they would touch.
void batonsAtMask(Svg& svg)
{
    const Pt middle = centre + Pt{0, 2};
    for (double turn : {0.0, 140.0, 220.0})
        put(svg, middle + polar(20, turn), Suit::Batons, 1.15, turn);
    Path rays;
    for (int i = 0; i < 12; ++i)
        rays.polygon({polar(6, i * 30.0 - 9), polar(9.6, i * 30.0), polar(6, i * 30.0 + 9)});
    svg.begin(place(middle, 0, 1.1));
    svg.path(rays, fillStroke(ink::gold, ink::outline, 0.5));
    svg.circle({0, 0}, 7, fillStroke(ink::goldDisc, ink::outline, 0.6));
    Path eyes, features;
    eyes.ellipse({-2.4, -1.2}, 1.2, 0.7).ellipse({2.4, -1.2}, 1.2, 0.7);
    features.move({-3.8, -3}).quad({-2.4, -3.9}, {-1, -3}).move({1, -3}).quad({2.4, -3.9}, {3.8, -3}).move({0, -1}).line({-0.6, 1.6}).line({0.5, 1.9}).move({-2, 3.6}).quad({0, 4.8}, {2, 3.6});
    svg.path(eyes, fill(ink::outline));
    svg.path(features, stroke(ink::deepGold, 0.6));
    svg.end();
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
        case Suit::Coins:
            coinPips(svg, value);
            break;
        case Suit::Cups:
            cupPips(svg, value);
            break;
        case Suit::Batons:
            value == 1 ? aceOfBatons(svg) : (value == 3 ? batonsAtMask(svg) : tallPips(svg, suit, value));
            break;
        case Suit::Swords:
            value == 1 ? aceOfSwords(svg) : tallPips(svg, suit, value);
            break;
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
