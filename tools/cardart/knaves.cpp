// The four knaves: young pages standing on their suit's ground, each in his
// own pose, dress and headwear, holding his sign.
#include "cards.h"
#include "figures.h"
#include "palette.h"

namespace cardart {

namespace {

enum class Pattern { Buttons,
                     Stripes,
                     Sash,
                     Quarters };

struct Arm {
    std::vector<Pt> path; // shoulder, elbow, hand
    // crosses the body, so drawn over the tunic
    bool inFront;
};

struct Knave {
    Face face;
    Hat hat;
    const char *hatColour, *hatTrim;
    const char *hose, *trim;
    const char* cloak; // hanging from the shoulders behind, if worn
    Pattern pattern;
    double hem; // how far down the tunic reaches
    Arm left, right;
    bool signInRight;
    double signAngle, signSize;
    Pt leftFoot, rightFoot;
};

Knave look(Suit suit)
{
    switch (suit) {
    case Suit::Coins: // a fair page showing his coin high, hand on hip
        return {{ink::blond, Hair::Long, Beard::None, nullptr, 1}, Hat::Brim, ink::red, ink::paleGold, ink::russet, ink::russet, nullptr, Pattern::Quarters, 69, {{{26.6, 35}, {20, 44}, {28.4, 52.6}}, false}, {{{41.4, 35}, {47.6, 39}, {50, 31.4}}, false}, true, 0, 0.9, {29, 97.4}, {40, 97.4}};
    case Suit::Cups: // a curly-haired page astride, offering his cup in both hands
        return {{ink::black, Hair::Curly, Beard::None, nullptr, -1}, Hat::Beret, ink::darkRed, ink::white, ink::white, ink::gold, nullptr, Pattern::Stripes, 72, {{{26.6, 35}, {23.6, 45}, {31.2, 50.4}}, true}, {{{41.4, 35}, {44.4, 45}, {36.8, 50.4}}, true}, true, 0, 0.95, {25, 97.4}, {44.4, 98.2}};
    case Suit::Batons: // a striding page hailing with one hand, his club held low in the other
        return {{ink::hair, Hair::Short, Beard::None, nullptr, -1}, Hat::Hood, ink::red, ink::gold, ink::wood, ink::gold, nullptr, Pattern::Sash, 67, {{{26.6, 35}, {20, 31}, {18.6, 23}}, false}, {{{41.4, 35}, {46.4, 45}, {47.4, 54}}, false}, true, 172, 1.05, {22.6, 97.4}, {45.6, 97.8}};
    case Suit::Swords: // a page in a helmet, his sword drawn and raised
        return {{ink::hair, Hair::Short, Beard::None, nullptr, 1}, Hat::Helmet, ink::steel, ink::red, ink::grey, ink::paleBlue, ink::blue, Pattern::Buttons, 70, {{{26.6, 35}, {20, 43.6}, {28.2, 52.2}}, false}, {{{41.4, 35}, {48.4, 44}, {48.6, 54}}, false}, true, 6, 1.1, {29.4, 97.4}, {39.4, 97.4}};
    }
    return {};
}

void tunic(Svg& svg, const Knave& k, const char* colour)
{
    const double h = k.hem;
    shape(svg, {{26, 34}, {34, 32.4}, {42, 34}, {41.8, 44}, {39, 52.6}, {44.6, h - 1}, {34, h + 1.4}, {23.4, h - 1}, {29, 52.6}, {26.2, 44}}, colour, 0.7);
    switch (k.pattern) {
    case Pattern::Buttons: {
        Path buttons;
        for (double y : {38.0, 42.0, 46.0, 50.0})
            buttons.circle({34, y}, 0.7);
        svg.path(Path().move({34, 33}).line({34, 52}), stroke(ink::outline, 0.4));
        svg.path(buttons, fill(ink::paleGold));
        break;
    }
    case Pattern::Stripes:
        svg.path(Path().move({30, 56}).line({27.4, h - 0.6}).move({34, 56}).line({34, h + 0.8}).move({38, 56}).line({40.6, h - 0.6}), stroke(k.trim, 1.1));
        break;
    case Pattern::Sash:
        svg.path(Path().move({27.4, 35.4}).line({39.8, 52}), stroke(ink::outline, 3.4));
        svg.path(Path().move({27.4, 35.4}).line({39.8, 52}), stroke(k.trim, 2.2));
        break;
    case Pattern::Quarters:
        shape(svg, {{34, 32.6}, {42, 34}, {41.8, 44}, {39, 52.6}, {34, 52.6}}, k.trim, 0.2);
        shape(svg, {{34, 55}, {29.6, 55}, {23.4, h - 1}, {34, h + 1.4}}, k.trim, 0.2);
        break;
    }
    svg.path(Path().move({24, h - 1.6}).quad({34, h + 2.2}, {44, h - 1.6}), stroke(k.trim, 1.2));
    shape(svg, {{29.2, 33.2}, {34, 35.2}, {38.8, 33.2}, {38.4, 35.4}, {34, 38}, {29.6, 35.4}}, ink::white, 0.6);
    belt(svg, {29.4, 53.2}, {38.6, 53.2}, 1.2, ink::darkWood);
}

void arm(Svg& svg, const Arm& a, const char* sleeve)
{
    limb(svg, a.path, 4.2, sleeve);
}

} // namespace

void knave(Svg& svg, Suit suit)
{
    const Knave k = look(suit);
    const char* coat = suitColour(suit);
    const Pt face{34, 23};
    platform(svg, suit, 17, 51);
    if (k.cloak)
        shape(svg, {{25, 33.4}, {34, 32}, {43, 33.4}, {50, 58}, {49, 82}, {34, 84}, {19, 82}, {18, 58}}, k.cloak, 0.8);
    for (const Arm* a : {&k.left, &k.right})
        if (!a->inFront)
            arm(svg, *a, coat);
    // legs in hose from the hips to the shoes: full in the thigh, slim at the ankle
    for (const auto& [hip, foot] : {std::pair{Pt{31, k.hem - 4}, k.leftFoot}, std::pair{Pt{37, k.hem - 4}, k.rightFoot}}) {
        const Pt knee = lerp(hip, foot, 0.45);
        jointed(svg, {hip, knee, lerp(knee, foot, 0.6), foot + Pt{0, -1.2}}, {5, 4, 3}, k.hose);
    }
    shoe(svg, k.leftFoot, -1);
    shoe(svg, k.rightFoot, 1);
    tunic(svg, k, coat);
    head(svg, face, k.face);
    hat(svg, face, k.hat, k.hatColour, k.hatTrim);
    for (const Arm* a : {&k.left, &k.right})
        if (a->inFront)
            arm(svg, *a, coat);
    const Arm& holding = k.signInRight ? k.right : k.left;
    const Pt grip = holding.path.back();
    // a cup offered in both hands is held between them
    const Pt signAt = k.left.inFront && k.right.inFront ? lerp(k.left.path.back(), k.right.path.back(), 0.5) : grip;
    holdSign(svg, suit, signAt, k.signAngle, k.signSize);
    hand(svg, k.left.path.back());
    hand(svg, k.right.path.back());
}

} // namespace cardart
