// The four Kings: crowned, robed in their suit's colour, standing on its
// ground or seated on a throne, each holding his sign his own way.
#include "cards.h"
#include "figures.h"
#include "palette.h"

namespace cardart {

namespace {

struct Reach {
    std::vector<Pt> path; // shoulder, elbow, hand
    bool inFront;
};

struct King {
    Face face;
    Hat crown;
    const char *cap, *jewel, *mantle;
    bool seated;
    Reach left, right;
    double signAngle, signSize;
};

King look(Suit suit)
{
    switch (suit) {
    case Suit::Coins: // an old King showing his coin, his other hand at his mantle
        return {{ink::grey, Hair::Long, Beard::Full, nullptr, 1}, Hat::CrownPoints, nullptr, ink::green, ink::darkRed, false, {{{25.5, 38}, {20, 48}, {21.6, 58}}, false}, {{{42.5, 38}, {49, 45}, {51, 38.6}}, false}, 0, 0.92};
    case Suit::Cups: // enthroned, the cup on his knee
        return {{ink::hair, Hair::Long, Beard::Forked, nullptr, -1}, Hat::CrownArches, ink::red, ink::blue, ink::purple, true, {{{25.5, 38}, {21, 50}, {22.6, 63}}, false}, {{{42.5, 38}, {47.6, 50}, {45.4, 62}}, false}, 0, 1.0};
    case Suit::Batons: // a dark-bearded King in a fur crown, his club like a sceptre
        return {{ink::black, Hair::Short, Beard::Pointed, nullptr, 1}, Hat::CrownFur, ink::green, ink::red, ink::paleWood, false, {{{25.5, 38}, {21, 47}, {28.6, 57}}, false}, {{{42.5, 38}, {49, 48}, {49, 57}}, false}, 6, 1.2};
    case Suit::Swords: // both hands on the hilt of his sword, its point on the ground
        return {{ink::blond, Hair::Short, Beard::Short, ink::russet, -1}, Hat::CrownFleurons, nullptr, ink::green, ink::darkBlue, false, {{{25.5, 38}, {25.4, 49}, {32.2, 53.6}}, true}, {{{42.5, 38}, {42.6, 49}, {35.8, 53.6}}, true}, 180, 1.35};
    }
    return {};
}

void throne(Svg& svg)
{
    svg.rect(17, 31, 34, 50, 3, fillStroke(ink::goldMetal, ink::outline, figureLine));
    svg.rect(20, 34, 28, 44, 2, fillStroke(ink::paleGold, ink::deepGold, 0.5));
    Path finials;
    finials.circle({18.6, 30.4}, 2.2).circle({49.4, 30.4}, 2.2);
    svg.path(finials, fillStroke(ink::goldDisc, ink::outline, figureLine));
    svg.rect(12.6, 60, 42.8, 4, 1.2, fillStroke(ink::paleWood, ink::outline, figureLine));
}

void robe(Svg& svg, const King& k, Suit suit)
{
    const char* colour = suitColour(suit);
    if (k.seated) {
        // seated: the lap comes forward as a broad fold at the knees
        shape(svg, {{25.4, 37}, {34, 35.4}, {42.6, 37}, {42.4, 48}, {41, 58}, {49, 63}, {49.6, 71}, {45, 74}, {46.6, 97}, {34, 98.6}, {21.4, 97}, {23, 74}, {18.4, 71}, {19, 63}, {27, 58}, {25.6, 48}},
              colour, 0.75);
        svg.path(Path().move({20, 72.4}).quad({34, 75.6}, {48, 72.4}), stroke(suitShade(suit), 0.8));
    } else {
        shape(svg, {{25.4, 37}, {34, 35.4}, {42.6, 37}, {42.4, 48}, {40.6, 58}, {46, 80}, {50.6, 97}, {34, 98.8}, {17.4, 97}, {22, 80}, {27.4, 58}, {25.6, 48}}, colour, 0.75);
        svg.path(Path().move({34, 60}).line({34, 98}), stroke(ink::outline, 3.4));
        svg.path(Path().move({34, 60}).line({34, 98}), stroke(ink::paleGold, 2.2));
    }
    const double hemLeft = k.seated ? 22 : 18.4, hemRight = k.seated ? 46 : 49.6;
    svg.path(Path().move({hemLeft, 96.4}).quad({34, 99.4}, {hemRight, 96.4}), stroke(ink::gold, 1.5));
}

// A short shoulder cape of ermine, white with black tails, closed at the neck.
void ermine(Svg& svg)
{
    shape(svg, {{24.6, 37}, {30, 34.8}, {34, 36.4}, {38, 34.8}, {43.4, 37}, {45, 42.6}, {40, 46.4}, {34, 47.4}, {28, 46.4}, {23, 42.6}}, ink::ermine, 0.8);
    Path tails;
    for (Pt p : {Pt{27, 41}, Pt{31, 44.4}, Pt{37, 44.4}, Pt{41, 41}, Pt{34, 40.6}})
        tails.move(p).line(p + Pt{-0.6, 1.6}).line(p + Pt{0.6, 1.6}).close();
    svg.path(tails, fillStroke(ink::outline, ink::outline, 0.4));
}

} // namespace

void king(Svg& svg, Suit suit)
{
    const King k = look(suit);
    const char* coat = suitColour(suit);
    const Pt face{34, 26};
    if (k.seated)
        throne(svg);
    platform(svg, suit, k.seated ? 14 : 15, k.seated ? 54 : 53);
    // the mantle hangs behind, showing at both sides
    shape(svg, {{24, 36}, {34, 34}, {44, 36}, {50, 60}, {55, 96.4}, {34, 98}, {13, 96.4}, {18, 60}}, k.mantle, 0.8);
    for (const Reach* r : {&k.left, &k.right})
        if (!r->inFront)
            limb(svg, r->path, 4.4, k.mantle);
    robe(svg, k, suit);
    shoe(svg, {29, 98.4}, -1);
    shoe(svg, {39, 98.4}, 1);
    belt(svg, {27.4, 57.6}, {40.6, 57.6}, 1.4, ink::gold);
    ermine(svg);
    head(svg, face, k.face);
    hat(svg, face, k.crown, k.cap ? k.cap : coat, k.jewel);
    for (const Reach* r : {&k.left, &k.right})
        if (r->inFront)
            limb(svg, r->path, 4.4, k.mantle);
    const bool bothHands = k.left.inFront && k.right.inFront;
    holdSign(svg, suit, bothHands ? lerp(k.left.path.back(), k.right.path.back(), 0.5) : k.right.path.back(),
             k.signAngle, k.signSize);
    hand(svg, k.left.path.back());
    hand(svg, k.right.path.back());
}

} // namespace cardart
