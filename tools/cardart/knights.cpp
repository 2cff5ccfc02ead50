// The four knights: a rider seated on a horse that stands or prances on the
// suit's ground. Horse, rider and trappings differ from knight to knight; the
// knight of swords rides to the right, the others to the left.
#include "cards.h"
#include "figures.h"
#include "palette.h"

namespace cardart {

namespace {

struct Coat {
    const char *body, *shade, *mane;
};

struct Knight {
    Face face;
    Hat hat;
    const char *hatColour, *hatTrim, *hose;
    Coat horse;
    bool toTheRight; // drawn riding left, then mirrored
    bool prancing;
    std::vector<Pt> signArm, reinArm; // shoulder, elbow, hand
    double signAngle, signSize;
};

const std::vector<Pt> forwardRein{{35.6, 36}, {32.4, 44}, {28.2, 46.6}};
const std::vector<Pt> lowRein{{45.4, 36.4}, {45, 45}, {39.6, 47.4}};

Knight look(Suit suit)
{
    switch (suit) {
    case Suit::Coins: // a fair youth on a white horse, his coin held high
        return {{ink::blond, Hair::Long, Beard::None, nullptr, -1}, Hat::Beret, ink::red, ink::white, ink::russet, {"#f3ead6", "#cdbd9b", "#a89a80"}, false, true, {{45.4, 36.4}, {51.6, 33.6}, {53.6, 26.4}}, forwardRein, 0, 0.8};
    case Suit::Cups: // a bearded rider in a turban on a bay, offering his cup
        return {{ink::hair, Hair::Short, Beard::Short, nullptr, -1}, Hat::Turban, ink::white, ink::gold, ink::grey, {"#9a5a2e", "#6e3d1c", ink::black}, false, false, {{35.6, 36}, {31.6, 43}, {27.8, 40.6}}, lowRein, 0, 0.85};
    case Suit::Batons: // a curly-haired rider on a dun, swinging his club
        return {{ink::black, Hair::Curly, Beard::None, nullptr, -1}, Hat::Hood, ink::red, ink::gold, ink::wood, {"#d7b27a", "#a8834c", "#4a3520"}, false, true, {{45.4, 36.4}, {51, 35}, {52.4, 29}}, forwardRein, 22, 0.85};
    case Suit::Swords: // a helmeted rider on a black horse, sword pointed ahead
        return {{ink::hair, Hair::Short, Beard::Pointed, nullptr, -1}, Hat::Helmet, ink::steel, ink::red, ink::grey, {"#4a4440", "#2a2522", "#15110f"}, true, true, {{35.6, 36}, {31.6, 41.6}, {29.6, 37.4}}, lowRein, -32, 1.0};
    }
    return {};
}

// A leg from the body down: forearm or gaskin, joint, cannon, fetlock, hoof.
void leg(Svg& svg, Pt top, Pt joint, Pt fetlock, Pt hoof, const char* colour)
{
    jointed(svg, {top, joint, fetlock, hoof}, {5.2, 2.8, 2.8}, colour);
    const Pt d = hoof - fetlock;
    const Pt h = hoof + d * 0.3;
    svg.path(Path().polygon({h + Pt{-2, -1.2}, h + Pt{1.8, -1.2}, h + Pt{2.2, 1.2}, h + Pt{-2.4, 1.2}}),
             fillStroke(ink::black, ink::outline, 0.4));
}

void horse(Svg& svg, const Knight& k, Suit suit)
{
    const Coat& c = k.horse;
    // the far legs in shade, behind the body
    leg(svg, {26.4, 68}, {26.8, 82}, {26.8, 93}, {26, 96.2}, c.shade);
    leg(svg, {47, 68}, {50.6, 83.6}, {49, 93}, {48.6, 96.2}, c.shade);
    // the tail, then the near legs, which the body overlaps at the top
    shape(svg, {{56, 54.6}, {61.2, 58}, {63.2, 68}, {62.6, 80}, {60.2, 88}, {58.6, 78}, {58.8, 66}}, c.mane);
    if (k.prancing)
        leg(svg, {21, 67}, {13.8, 74.4}, {14.4, 83}, {12.8, 85.6}, c.body);
    else
        leg(svg, {21, 67}, {20.4, 82}, {20.6, 93}, {19.8, 96.2}, c.body);
    leg(svg, {52, 65}, {56.2, 83.4}, {54.2, 93}, {53.8, 96.2}, c.body);
    // body, neck and head in one outline, the head down at the left
    shape(svg, {{49, 51.4}, {56, 53}, {59.2, 60}, {57.2, 69}, {52, 73}, {44, 74.6}, {32, 74.6}, {22, 72.2}, {17.6, 66}, {16.4, 59}, {16.8, 52.4}, {16.6, 49.2}, {14.2, 51.4}, {10.4, 53.4}, {7, 54.4}, {4.2, 53.4}, {3, 50.8}, {3.6, 48.2}, {6, 43.6}, {9.4, 37.6}, {13, 33}, {16.8, 33.4}, {21, 37.4}, {25.6, 44}, {29.6, 50.4}, {38, 52.6}}, c.body, 0.8);
    // the cheek and the jaw, which set the head off from the neck
    svg.path(Path().move({15.6, 40.2}).cubic({16.6, 44}, {15.4, 48.6}, {11.4, 50.2}), stroke(c.shade, 0.7));
    // ears, eye, nostril and mouth
    Path ears;
    ears.move({12, 35}).quad({11.2, 30.6}, {13, 28.4}).quad({14.4, 31.4}, {14.4, 35}).close().move({14.6, 35}).quad({15.2, 31}, {17.4, 29.4}).quad({17.6, 32.6}, {16.8, 36}).close();
    svg.path(ears, fillStroke(c.body, ink::outline, figureLine));
    svg.circle({11.4, 40.2}, 0.9, fill(ink::outline));
    svg.circle({4.8, 49.6}, 0.6, fill(ink::outline));
    svg.path(Path().move({3.6, 52.4}).quad({5.8, 52.2}, {7.6, 53.2}), stroke(ink::outline, 0.5));
    // mane along the crest and a forelock
    shape(svg, {{13.6, 33}, {17.4, 35}, {22.2, 40}, {27, 45.8}, {31, 50.6}, {26, 49.2}, {20.6, 43.2}, {16.2, 38.6}}, c.mane, 0.8);
    shape(svg, {{12.4, 33.8}, {15, 35}, {12.4, 39.4}, {10.4, 37.6}}, c.mane, 0.8);
    // bridle
    svg.path(Path().move({15, 35.4}).line({8.6, 51.6}).move({5, 46}).line({15.8, 44.6}),
             stroke(ink::darkRed, 0.9));
    svg.circle({8.4, 51.6}, 0.9, fillStroke(ink::gold, ink::outline, 0.35));
    // the caparison over back and flanks, fringed in gold, and its breast strap
    svg.path(Path().move({24.6, 59}).line({18, 64}), stroke(suitShade(suit), 1.8));
    shape(svg, {{26.6, 50.8}, {38, 52.2}, {50, 51.4}, {53.4, 56}, {52.6, 70}, {44, 72.4}, {32, 72.2}, {25, 69.6}, {24, 58}}, suitColour(suit), 0.8);
    svg.path(Path().move({25.4, 69.4}).quad({38.4, 74.6}, {52.4, 69.8}), stroke(ink::gold, 1.4));
    svg.path(Path().move({27.4, 53}).quad({38, 56}, {50.6, 53.6}), stroke(suitShade(suit), 0.8));
}

void rider(Svg& svg, const Knight& k, Suit suit)
{
    const char* coat = suitColour(suit);
    const Pt face{40.6, 25};
    // the coat's skirt spread over the saddle, the near leg to the stirrup
    shape(svg, {{34.6, 47.6}, {46.4, 47.6}, {49.8, 57}, {41, 59.6}, {32, 57.4}}, coat, 0.8);
    limb(svg, {{41, 53}, {34.4, 58.6}}, 4.8, k.hose);
    limb(svg, {{34, 58.4}, {34.6, 64}, {35, 69.6}}, 3.8, k.hose);
    svg.path(Path().move({39, 55.4}).line({35.2, 72.2}), stroke(ink::deepGold, 0.8));
    shoe(svg, {34, 70.8}, -1);
    svg.path(Path().move({31.6, 72.6}).line({36.6, 72.6}), stroke(ink::deepGold, 1));
    // body, head and hat
    shape(svg, {{35.4, 34.6}, {40.6, 33}, {46, 34.6}, {46.2, 44}, {45.4, 50.4}, {35.6, 50.4}, {35, 44}}, coat, 0.7);
    belt(svg, {35.6, 48.6}, {45.4, 48.6}, 0.6, ink::darkWood);
    head(svg, face, k.face);
    hat(svg, face, k.hat, k.hatColour, k.hatTrim);
    // reins from the bit to the hand, then the arms
    svg.path(Path().move({8.4, 51.6}).quad({20, 56}, k.reinArm.back()), stroke(ink::darkRed, 0.7));
    limb(svg, k.reinArm, 3.8, coat);
    limb(svg, k.signArm, 3.8, coat);
    holdSign(svg, suit, k.signArm.back(), k.signAngle, k.signSize);
    hand(svg, k.reinArm.back(), 1.5);
    hand(svg, k.signArm.back(), 1.5);
}

} // namespace

void knight(Svg& svg, Suit suit)
{
    const Knight k = look(suit);
    platform(svg, suit, 7, 61);
    if (k.toTheRight)
        svg.begin("translate(" + num(cardWidth) + ",0) scale(-1,1)");
    horse(svg, k, suit);
    rider(svg, k, suit);
    if (k.toTheRight)
        svg.end();
}

} // namespace cardart
