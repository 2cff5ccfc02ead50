// The four Kings, crowned, each with his own bearing: the King of coins
// stands facing us in a long mantle, the King of cups sits on his throne, the
// King of batons is turned to the left and leans on his club like a staff,
// the King of swords stands in a knee-long robe, a hand on his planted sword.
#include "cards.h"
#include "figures.h"
#include "palette.h"

namespace cardart {

namespace {

struct Reach {
    std::vector<Pt> path; // shoulder, elbow, hand
    bool inFront;
};

// Standing facing us, seated on the throne, or standing turned the way he looks.
enum class Bearing { Standing,
                     Seated,
                     Turned };

struct King {
    Face face;
    Pt head;
    Hat crown;
    const char *cap, *jewel, *mantle;
    Bearing bearing;
    // hanging behind him from the shoulders, if worn; then the robe and its
    // hem, from one side to the other
    std::vector<Pt> cloak, robe, hem;
    // legs in hose below a short robe, hip to foot
    std::vector<std::pair<Pt, Pt>> legs;
    Pt leftFoot, rightFoot;
    double waist;
    Reach left, right;
    // the sign in the right-hand reach; a club planted on the ground as a
    // staff is `staff` long
    double signAngle, signSize, staff;
};

King look(Suit suit)
{
    switch (suit) {
    case Suit::Coins: // an old King showing his coin, his other hand gathering his mantle
        return {{ink::grey, Hair::Long, Beard::Full, nullptr, 1},
                {34, 26},
                Hat::CrownPoints,
                nullptr,
                ink::green,
                ink::darkRed,
                Bearing::Standing,
                {{24, 36}, {34, 34}, {42, 36}, {44, 60}, {45, 96.4}, {30, 98}, {12.6, 96.4}, {15, 60}},
                {{25.4, 37}, {34, 35.4}, {42.6, 37}, {42.4, 48}, {40.6, 58}, {44, 80}, {47, 97}, {34, 98.8}, {21, 97}, {24, 80}, {27.4, 58}, {25.6, 48}},
                {{22, 96.4}, {34, 99.4}, {46, 96.4}},
                {},
                {29, 98.4},
                {39, 98.4},
                57.6,
                {{{25.5, 38}, {18, 46}, {15.6, 56}}, false},
                {{{42.5, 38}, {50, 37}, {52.6, 28}}, false},
                0,
                0.92,
                0};
    case Suit::Cups: // enthroned, the cup on his knee
        return {{ink::hair, Hair::Long, Beard::Forked, nullptr, -1},
                {34, 32},
                Hat::CrownArches,
                ink::red,
                ink::blue,
                ink::purple,
                Bearing::Seated,
                {},
                {{25.4, 43}, {34, 41.4}, {42.6, 43}, {43, 54}, {42, 62}, {48.6, 66}, {48.4, 72}, {44, 74.6}, {45.4, 97}, {34, 98.4}, {22.6, 97}, {24, 74.6}, {19.6, 72}, {19.4, 66}, {26, 62}, {25, 54}},
                {{23.4, 96.4}, {34, 99.4}, {44.6, 96.4}},
                {},
                {29, 98.4},
                {39, 98.4},
                60,
                {{{25.5, 44}, {20.6, 54}, {22.4, 64}}, false},
                {{{42.5, 44}, {47.6, 54}, {46, 64.6}}, false},
                0,
                1.0,
                0};
    case Suit::Batons: // turned to the left, striding, his club planted like a staff
        return {{ink::black, Hair::Short, Beard::Pointed, nullptr, -1},
                {29, 26},
                Hat::CrownFur,
                ink::green,
                ink::red,
                ink::paleWood,
                Bearing::Turned,
                {{33, 34.4}, {40, 36}, {49, 56}, {58, 84}, {62.4, 97}, {44, 97.6}, {36, 80}, {30, 50}},
                {{22, 37.4}, {30, 35.4}, {37.6, 37}, {38.6, 48}, {38.4, 58}, {42, 78}, {46, 97}, {31, 98.6}, {16.6, 96.6}, {20.4, 78}, {24, 58}, {21.6, 48}},
                {{17.4, 96}, {31, 99.4}, {45.6, 96.4}},
                {},
                {22, 98.4},
                {36, 98.4},
                57.6,
                {{{37.5, 38}, {38.6, 48}, {30.4, 55.6}}, true},
                {{{23, 38}, {17.4, 45}, {15, 50}}, true},
                0,
                1,
                48};
    case Suit::Swords: // in a knee-long robe and a short cape, a hand on his sword planted at his side
        return {{ink::blond, Hair::Short, Beard::Short, ink::russet, -1},
                {33, 26},
                Hat::CrownFleurons,
                nullptr,
                ink::green,
                ink::darkBlue,
                Bearing::Standing,
                {{23, 36}, {33, 34}, {43, 36}, {47, 52}, {46.4, 68}, {33, 70}, {19.6, 68}, {19, 52}},
                {{24.4, 37}, {33, 35.4}, {41.6, 37}, {41.4, 48}, {40, 58}, {45, 74}, {33, 77.6}, {21, 74}, {26, 58}, {24.6, 48}},
                {{21.4, 73.4}, {33, 78.4}, {44.6, 73.4}},
                {{{29.4, 74}, {25.4, 97}}, {{36.6, 74}, {42, 97}}},
                {25, 98.2},
                {42.4, 98.2},
                57,
                {{{24.5, 38}, {17.6, 47}, {25.6, 55}}, false},
                {{{41.5, 38}, {48.4, 48}, {50.4, 58.4}}, false},
                180,
                1.5,
                0};
    }
    return {};
}

void throne(Svg& svg)
{
    // a high back rising over the crown, arms at the King's elbows, a seat and
    // its turned legs down to the ground
    for (const double x : {15.6, 52.4})
        svg.rect(x - 1.6, 62, 3.2, 36, 0.8, fillStroke(ink::paleWood, ink::outline, figureLine));
    svg.path(Path().move({19, 12}).quad({34, 0.4}, {49, 12}).close(), fillStroke(ink::goldMetal, ink::outline, figureLine));
    svg.circle({34, 7.4}, 1.6, fillStroke(ink::red, ink::outline, 0.45));
    svg.rect(18, 11, 32, 58, 3, fillStroke(ink::goldMetal, ink::outline, figureLine));
    svg.rect(21, 14.4, 26, 50, 2, fillStroke(ink::red, ink::deepGold, 0.5));
    Path studs;
    for (int i = 0; i < 5; ++i)
        studs.circle({23.6 + i * 5.2, 16.6}, 0.6);
    svg.path(studs, fill(ink::paleGold));
    Path finials;
    finials.circle({18.8, 10}, 2.4).circle({49.2, 10}, 2.4);
    svg.path(finials, fillStroke(ink::goldDisc, ink::outline, figureLine));
    for (const double x : {9.6, 46.0})
        svg.rect(x, 52.6, 12.4, 3.6, 1.6, fillStroke(ink::paleWood, ink::outline, figureLine));
    svg.rect(11.6, 66, 44.8, 4.4, 1.2, fillStroke(ink::paleWood, ink::outline, figureLine));
}

void robe(Svg& svg, const King& k, Suit suit)
{
    const bool seated = k.bearing == Bearing::Seated;
    shape(svg, k.robe, suitColour(suit), 0.75);
    // the lap's fold where he sits, the gold band down the front where he stands
    if (seated) {
        svg.path(Path().move({21, 73}).quad({34, 76.2}, {47, 73}), stroke(suitShade(suit), 0.8));
    } else {
        // turned, the band down his front runs off the middle towards his gaze
        const double turn = k.bearing == Bearing::Turned ? k.face.facing : 0;
        const Pt top{lerp(k.robe[3], k.robe.back(), 0.5).x + 2.4 * turn, k.waist + 2};
        const Pt bottom = k.hem[1] + Pt{4.4 * turn, -1.2};
        for (const bool edge : {true, false})
            svg.path(Path().move(top).line(bottom), stroke(edge ? ink::outline : ink::paleGold, edge ? 3.4 : 2.2));
    }
    svg.path(Path().move(k.hem[0]).quad(k.hem[1], k.hem[2]), stroke(ink::gold, 1.5));
}

// A shoulder cape of ermine, closed at the neck: white fur in soft folds with
// the black tails set in rows.
void ermine(Svg& svg, Pt neck)
{
    svg.begin(translate(neck - Pt{34, 36}));
    shape(svg, {{24.6, 37}, {30, 34.8}, {34, 36.4}, {38, 34.8}, {43.4, 37}, {45.6, 43}, {41, 47.4}, {34, 48.4}, {27, 47.4}, {22.4, 43}}, ink::ermine, 0.8);
    svg.path(Path().move({27.6, 38.6}).quad({26.6, 43}, {28.4, 46.8}).move({40.4, 38.6}).quad({41.4, 43}, {39.6, 46.8}).move({34, 38.4}).line({34, 47.6}),
             stroke(ink::grey, 0.45));
    Path tails;
    for (const Pt p : {Pt{25.6, 41.8}, Pt{30.4, 40}, Pt{37.6, 40}, Pt{42.4, 41.8}, Pt{27.6, 45}, Pt{31.8, 44.6}, Pt{36.2, 44.6}, Pt{40.4, 45}})
        tails.move(p).line(p + Pt{-0.55, 1.5}).line(p + Pt{0, 1.1}).line(p + Pt{0.55, 1.5}).close();
    svg.path(tails, fillStroke(ink::outline, ink::outline, 0.3));
    svg.end();
}

} // namespace

void king(Svg& svg, Suit suit)
{
    const King k = look(suit);
    const char* coat = suitColour(suit);
    const bool seated = k.bearing == Bearing::Seated;
    if (seated)
        throne(svg);
    platform(svg, suit, seated ? 10 : 13, seated ? 58 : 55);
    if (!k.cloak.empty())
        shape(svg, k.cloak, k.mantle, 0.8);
    for (const Reach* r : {&k.left, &k.right})
        if (!r->inFront)
            limb(svg, r->path, 4.4, k.mantle);
    for (const auto& [hip, foot] : k.legs) {
        const Pt knee = lerp(hip, foot, 0.4);
        jointed(svg, {hip, knee, lerp(knee, foot, 0.6), foot + Pt{0, -1.2}}, {5.4, 4.2, 3.2}, ink::paleSteel);
    }
    robe(svg, k, suit);
    shoe(svg, k.leftFoot, k.bearing == Bearing::Turned ? k.face.facing : -1);
    shoe(svg, k.rightFoot, k.bearing == Bearing::Turned ? k.face.facing : 1);
    const double waistX = lerp(k.robe[3], k.robe.back(), 0.5).x;
    belt(svg, {waistX - 6.6, k.waist}, {waistX + 6.6, k.waist}, 1.4, ink::gold);
    ermine(svg, k.head + Pt{0, 10});
    head(svg, k.head, k.face);
    hat(svg, k.head, k.crown, k.cap ? k.cap : coat, k.jewel);
    for (const Reach* r : {&k.left, &k.right})
        if (r->inFront)
            limb(svg, r->path, 4.4, k.mantle);
    const Pt grip = k.right.path.back();
    if (k.staff > 0) {
        // held under its head, the butt on the ground
        svg.begin(translate(grip + Pt{0, k.staff / 2 - 4}));
        baton(svg, k.staff, k.staff * 0.19);
        svg.end();
    } else {
        holdSign(svg, suit, grip, k.signAngle, k.signSize);
    }
    hand(svg, k.left.path.back(), 1.7, 0, -1);
    hand(svg, grip, 1.7, k.signAngle, 1);
}

} // namespace cardart
