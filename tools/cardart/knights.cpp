// The four knights: a rider on a horse of his own on the suit's ground. Each
// horse is drawn in its own pose and facing from its own key points (a
// chestnut stepping out, a grey standing with its head bowed, a dun rearing,
// a black at the gallop), never one drawing moved, recoloured or mirrored.
#include "cards.h"
#include "figures.h"
#include "palette.h"

#include <array>
#include <cmath>

namespace cardart {

namespace {

struct Coat {
    const char *body, *shade, *mane;
    // a pale blaze down the face, or dapples over the body
    const char* marking;
    bool dappled;
};

// A leg from the body down: forearm or gaskin, joint, fetlock, hoof.
using Leg = std::array<Pt, 4>;

struct Horse {
    Coat coat;
    // the top of the shoulders and of the hindquarters: the back line runs
    // from the one to the other, and the body hangs `depth` below it
    Pt withers, croup;
    double depth;
    // behind the ears, and the tip of the nose
    Pt poll, muzzle;
    Leg farFore, farHind, nearFore, nearHind;
    std::vector<Pt> tail;
};

struct Rider {
    Face face;
    Hat hat;
    const char *hatColour, *hatTrim, *hose;
    // leans forward or back in degrees, clockwise on the card
    double lean;
    // in the rider's own drawing, which faces left with the seat at `seat`
    std::vector<Pt> signArm, reinArm; // shoulder, elbow, hand
    double signAngle, signSize;
};

constexpr Pt seat{40.6, 51};

struct Knight {
    Horse horse;
    Rider rider;
};

Knight look(Suit suit)
{
    switch (suit) {
    case Suit::Coins: // a fair youth on a chestnut stepping out to the left, his coin held high
        return {{{"#b4632d", "#81411b", "#5a2a10", ink::white, false},
                 {23, 51},
                 {55, 53},
                 20,
                 {13, 31},
                 {4.6, 47},
                 {{{25, 67}, {25.5, 81}, {25.5, 92}, {24.6, 96}}},
                 {{{48, 67}, {51, 82}, {49.5, 92}, {49, 96}}},
                 {{{21, 65}, {13.8, 73.4}, {14.6, 82}, {12.8, 84.6}}},
                 {{{53, 65}, {56.5, 82.5}, {54.5, 92}, {54, 96}}},
                 {{56, 54}, {61, 58}, {63, 68}, {62.5, 80}, {60.5, 88}, {58.5, 78}, {58.5, 66}}},
                {{ink::blond, Hair::Long, Beard::None, nullptr, -1}, Hat::Beret, ink::red, ink::white, ink::russet, 0, {{45.4, 37.4}, {51.6, 34.6}, {53.6, 27.4}}, {{35.6, 37}, {32.4, 45}, {28.2, 47.6}}, 0, 0.8}};
    case Suit::Cups: // a bearded rider in a turban on a grey standing to the right, its head bowed
        return {{{"#bdb9b0", "#8e8a80", "#ece8de", "#d8d5cd", true},
                 {43, 57},
                 {13, 56},
                 19,
                 {54.5, 46.5},
                 {59.6, 63},
                 {{{40, 72}, {40.5, 84}, {40.5, 93}, {40.8, 96}}},
                 {{{19, 72}, {16.5, 84}, {18, 93}, {18.3, 96}}},
                 {{{45.5, 71}, {46.2, 84}, {46.2, 93}, {46.6, 96}}},
                 {{{14.5, 70}, {11.2, 83}, {12.6, 93}, {12.8, 96}}},
                 {{11, 57}, {7, 62}, {5, 74}, {6, 88}, {8.5, 90}, {9.5, 76}, {11.5, 64}}},
                {{ink::hair, Hair::Short, Beard::Short, nullptr, -1}, Hat::Turban, ink::white, ink::gold, ink::grey, -6, {{35.6, 37}, {31.6, 44}, {27.4, 41.6}}, {{45.4, 37.4}, {45, 46}, {39.6, 48.4}}, 0, 0.85}};
    case Suit::Batons: // a curly-haired rider on a dun rearing to the left, swinging his club
        return {{{"#d2a868", "#a47c40", "#4a3520", nullptr, false},
                 {27, 46},
                 {52, 64},
                 19,
                 {21, 24},
                 {11, 36.4},
                 {{{23, 62}, {16, 67}, {18, 75}, {15.5, 78}}},
                 {{{42, 74}, {46, 85}, {40.5, 92}, {39, 96}}},
                 {{{20, 60}, {11.6, 61.4}, {12.6, 70}, {9.6, 72.6}}},
                 {{{47, 72}, {51.5, 84}, {45.5, 91.5}, {44.4, 96}}},
                 {{52, 64}, {58, 66}, {61, 74}, {60.4, 86}, {57.4, 93}, {55.4, 82}, {53.4, 72}}},
                {{ink::black, Hair::Curly, Beard::None, nullptr, -1}, Hat::Hood, ink::red, ink::gold, ink::wood, -10, {{45.4, 37.4}, {51, 32}, {50.4, 25}}, {{35.6, 37}, {32.4, 45}, {28.2, 47.6}}, 18, 0.85}};
    case Suit::Swords: // a helmeted rider on a black horse galloping to the right, sword pointed ahead
        return {{{"#4a4440", "#2a2522", "#15110f", nullptr, false},
                 {45, 58},
                 {13, 60},
                 16,
                 {56.4, 46.4},
                 {65.2, 57.2},
                 {{{42, 71}, {45, 80.6}, {40, 86}, {37.8, 89}}},
                 {{{21, 71}, {25, 82}, {22, 92}, {22.6, 96}}},
                 {{{46, 69}, {53, 76.4}, {58, 83.6}, {61.4, 85}}},
                 {{{17, 70}, {11, 79}, {7.6, 87}, {5.8, 90}}},
                 {{13, 59}, {8, 56.4}, {3.6, 58.6}, {3, 65}, {6, 65.6}, {10, 63.6}, {12, 63}}},
                {{ink::hair, Hair::Short, Beard::Pointed, nullptr, -1}, Hat::Helmet, ink::steel, ink::red, ink::grey, 12, {{35.6, 37}, {30, 35.6}, {28.6, 28.6}}, {{45.4, 37.4}, {44, 46}, {38.6, 49}}, -36, 0.9}};
    }
    return {};
}

Pt unit(Pt p)
{
    const double l = std::hypot(p.x, p.y);
    return {p.x / l, p.y / l};
}
double dot(Pt a, Pt b)
{
    return a.x * b.x + a.y * b.y;
}
// Of the two perpendiculars to `d`, the one leaning towards `towards`.
Pt across(Pt d, Pt towards)
{
    const Pt p = unit({-d.y, d.x});
    return dot(p, towards) >= 0 ? p : p * -1;
}

// Points of the body in its own measure: along the back from the withers (0)
// to the croup (1), and down from the back line in body depths.
struct Body {
    Pt o, along, down;
    Pt operator()(double s, double d) const { return o + along * s + down * d; }
    std::vector<Pt> operator()(const std::vector<Pt>& pts) const
    {
        std::vector<Pt> out;
        for (Pt p : pts)
            out.push_back((*this)(p.x, p.y));
        return out;
    }
};

Body bodyOf(const Horse& h)
{
    const Pt along = h.croup - h.withers;
    return {h.withers, along, across(along, {0, 1}) * h.depth};
}

// The head's own measure: from the poll (0) to the muzzle (1), and across in
// head widths towards the face (positive) or the jaw.
struct Head {
    Pt o, along, front;
    Pt operator()(double s, double w) const { return o + along * s + front * w; }
};

Head headOf(const Horse& h)
{
    const Pt forward = unit(h.withers - h.croup);
    const Pt along = h.muzzle - h.poll;
    return {h.poll, along, across(along, forward + Pt{0, -1}) * 3.2};
}

void leg(Svg& svg, const Leg& l, const char* colour)
{
    jointed(svg, {l[0], l[1], l[2], l[3]}, {5.2, 2.8, 2.8}, colour);
    // the hoof along the pastern's line, wider at the ground
    const Pt d = unit(l[3] - l[2]), e = {d.y, -d.x};
    const Pt h = l[3] + d * 0.9;
    svg.path(Path().polygon({h - e * 2 - d * 1.2, h + e * 1.8 - d * 1.2, h + e * 2.2 + d * 1.2, h - e * 2.4 + d * 1.2}),
             fillStroke(ink::black, ink::outline, 0.4));
}

void neckAndHead(Svg& svg, const Horse& h, const Body& body, const Head& head)
{
    const Coat& c = h.coat;
    const Pt crestSide = across(h.poll - h.withers, unit(h.croup - h.withers) + Pt{0, -1});
    const Pt crest = lerp(h.withers, h.poll, 0.5) + crestSide * 2.4;
    const Pt throat = head(0.18, -0.95);
    const Pt breast = body(-0.14, 0.42);
    shape(svg, {body(0.12, 0.05), crest, head(-0.04, -0.2), head(0.02, 0.55), head(0.3, 0.95), head(0.82, 0.7), head(1, 0.25), head(0.98, -0.45), head(0.82, -0.7), head(0.45, -1.05), throat, lerp(throat, breast, 0.5) + crestSide * -1.6, breast}, c.body, 0.8);
    if (c.marking && !c.dappled)
        shape(svg, {head(0.22, 0.5), head(0.6, 0.62), head(0.93, 0.38), head(0.6, 0.34)}, c.marking, 0.8);
    // the cheek, ears, eye, nostril and mouth
    svg.path(Path().move(head(0.2, -0.3)).quad(head(0.5, -1.05), head(0.78, -0.45)), stroke(c.shade, 0.7));
    const Pt up = unit(h.poll - h.muzzle);
    Path ears;
    for (const double w : {0.35, -0.25}) {
        const Pt base = head(0, w);
        ears.move(base + Pt{0, 0} + head.front * -0.25).quad(base + up * 3 + head.front * -0.3, base + up * 4.6).quad(base + up * 2.6 + head.front * 0.35, base + head.front * 0.3).close();
    }
    svg.path(ears, fillStroke(c.body, ink::outline, figureLine));
    svg.circle(head(0.3, 0.3), 0.85, fill(ink::outline));
    svg.circle(head(0.88, 0.4), 0.55, fill(ink::outline));
    svg.path(Path().move(head(0.99, -0.2)).quad(head(0.9, -0.5), head(0.84, -0.62)), stroke(ink::outline, 0.5));
    // mane along the crest and a forelock over the brow
    limb(svg, {head(-0.02, -0.3) + crestSide * 0.6, crest + crestSide * 0.4, body(0.16, 0.02)}, 2.6, c.mane);
    limb(svg, {head(-0.02, 0.1), head(0.16, 0.62)}, 1.6, c.mane);
    // bridle: headstall, noseband and the bit's ring
    svg.path(Path().move(head(0.04, -0.1)).line(head(0.8, -0.35)).move(head(0.7, 0.78)).line(head(0.72, -0.62)), stroke(ink::darkRed, 0.9));
    svg.circle(head(0.8, -0.35), 0.9, fillStroke(ink::gold, ink::outline, 0.35));
}

void horse(Svg& svg, const Horse& h, Suit suit)
{
    const Coat& c = h.coat;
    const Body body = bodyOf(h);
    const Head head = headOf(h);
    // the far legs in shade, behind the body; the tail; the near legs and the
    // neck, whose tops the body covers
    leg(svg, h.farFore, c.shade);
    leg(svg, h.farHind, c.shade);
    shape(svg, h.tail, c.mane);
    leg(svg, h.nearFore, c.body);
    leg(svg, h.nearHind, c.body);
    neckAndHead(svg, h, body, head);
    shape(svg, body({{0, 0}, {0.45, 0.1}, {0.92, -0.02}, {1.08, 0.22}, {1.05, 0.56}, {0.92, 0.86}, {0.7, 1.0}, {0.4, 1.03}, {0.12, 0.95}, {-0.06, 0.76}, {-0.14, 0.42}, {-0.08, 0.12}}), c.body, 0.85);
    if (c.dappled) {
        Path dapples;
        for (const Pt p : std::vector<Pt>{{0.08, 0.4}, {0.2, 0.7}, {0.88, 0.35}, {0.96, 0.62}, {0.82, 0.8}, {0.06, 0.62}})
            dapples.circle(body(p.x, p.y), 1.3);
        svg.path(dapples, fill(c.marking));
    }
    // the stifle's fold, and the caparison over back and flanks, fringed in gold
    svg.path(Path().move(body(0.9, 0.4)).quad(body(0.84, 0.7), body(0.9, 0.86)), stroke(c.shade, 0.6));
    svg.path(Path().move(body(0.14, 0.36)).line(body(-0.12, 0.5)), stroke(suitShade(suit), 1.8));
    shape(svg, body({{0.16, -0.06}, {0.5, 0.06}, {0.84, -0.05}, {0.88, 0.4}, {0.84, 0.8}, {0.5, 0.86}, {0.16, 0.8}, {0.12, 0.4}}), suitColour(suit), 0.8);
    svg.path(Path().move(body(0.16, 0.8)).quad(body(0.5, 0.96), body(0.84, 0.8)), stroke(ink::gold, 1.4));
    svg.path(Path().move(body(0.18, 0.1)).quad(body(0.5, 0.24), body(0.82, 0.1)), stroke(suitShade(suit), 0.8));
}

// The rider's drawing is made facing left, seat at `seat`; on the card it
// sits in the saddle, turned the way the horse goes and leaning.
struct Placing {
    Pt saddle;
    int facing;
    double lean;
    std::string transform() const
    {
        return placeXY(saddle, lean, facing, 1) + " " + translate(seat * -1);
    }
    Pt operator()(Pt local) const
    {
        const Pt p = local - seat;
        return saddle + turn({p.x * facing, p.y}, lean);
    }
};

void rider(Svg& svg, const Rider& r, const Placing& placing, Pt bit, Suit suit)
{
    const char* coat = suitColour(suit);
    const Pt face{40.6, 26};
    svg.begin(placing.transform());
    // the coat's skirt spread over the saddle, the near leg to the stirrup
    shape(svg, {{34.6, 48.6}, {46.4, 48.6}, {49.8, 58}, {41, 60.6}, {32, 58.4}}, coat, 0.8);
    limb(svg, {{41, 54}, {34.4, 59.6}}, 4.8, r.hose);
    limb(svg, {{34, 59.4}, {34.6, 65}, {35, 70.6}}, 3.8, r.hose);
    svg.path(Path().move({39, 56.4}).line({35.2, 73.2}), stroke(ink::deepGold, 0.8));
    shoe(svg, {34, 71.8}, -1);
    svg.path(Path().move({31.6, 73.6}).line({36.6, 73.6}), stroke(ink::deepGold, 1));
    // body, head and hat
    shape(svg, {{35.4, 35.6}, {40.6, 34}, {46, 35.6}, {46.2, 45}, {45.4, 51.4}, {35.6, 51.4}, {35, 45}}, coat, 0.7);
    belt(svg, {35.6, 49.6}, {45.4, 49.6}, 0.6, ink::darkWood);
    head(svg, face, r.face);
    hat(svg, face, r.hat, r.hatColour, r.hatTrim);
    svg.end();
    // reins from the bit to the hand, then the arms over them
    svg.path(Path().move(bit).quad(lerp(bit, placing(r.reinArm.back()), 0.5) + Pt{0, 4}, placing(r.reinArm.back())), stroke(ink::darkRed, 0.7));
    svg.begin(placing.transform());
    limb(svg, r.reinArm, 3.8, coat);
    limb(svg, r.signArm, 3.8, coat);
    holdSign(svg, suit, r.signArm.back(), r.signAngle, r.signSize);
    hand(svg, r.reinArm.back(), 1.5, 90, -1);
    hand(svg, r.signArm.back(), 1.5, r.signAngle, 1);
    svg.end();
}

} // namespace

void knight(Svg& svg, Suit suit)
{
    const Knight k = look(suit);
    platform(svg, suit, 7, 61);
    horse(svg, k.horse, suit);
    const Body body = bodyOf(k.horse);
    const int facing = k.horse.croup.x > k.horse.withers.x ? 1 : -1;
    rider(svg, k.rider, {body(0.38, 0.02), facing, k.rider.lean}, headOf(k.horse)(0.8, -0.35), suit);
}

} // namespace cardart
