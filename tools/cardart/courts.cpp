// The court cards: a standing page (8), a rider on his horse (9) and a
// crowned King (10). One figure serves all four suits; the suit changes his
// colours and the sign in his hand.
#include "cards.h"
#include "palette.h"

namespace cardart {

namespace {

struct Livery {
    const char *coat;    // tunic or robe
    const char *second;  // hose, cape, caparison
    const char *horse;
    const char *mane;
};

Livery livery(Suit suit)
{
    switch (suit) {
    case Suit::Coins: return {ink::red, ink::green, ink::horse, ink::horseShade};
    case Suit::Cups: return {ink::blue, ink::red, "#b07a48", ink::darkWood};
    case Suit::Batons: return {ink::green, ink::gold, "#e9dcc0", "#9c8a6a"};
    case Suit::Swords: return {"#48617f", ink::red, "#8a5a34", "#3b2a18"};
    }
    return {};
}

const double line = 0.6;

// A limb: a rounded stroke with a dark edge, the way the figures are inked.
void limb(Svg &svg, const Path &path, double width, const char *colour)
{
    svg.path(path, stroke(ink::outline, width + 2 * line));
    svg.path(path, stroke(colour, width));
}

void shape(Svg &svg, const std::vector<Pt> &pts, const char *colour, double tension = 1.0)
{
    svg.path(Path().smooth(pts, true, tension), fillStroke(colour, ink::outline, line));
}

void hand(Svg &svg, Pt at, double r = 1.7)
{
    svg.circle(at, r, fillStroke(ink::skin, ink::outline, line * 0.8));
}

// A face looking slightly to the viewer's right; `beard` for the King.
void head(Svg &svg, Pt c, bool beard)
{
    svg.rect(c.x - 1.8, c.y + 4, 3.6, 4, 0, fillStroke(ink::skinShade, ink::outline, line));
    shape(svg, {{c.x, c.y - 6}, {c.x + 4.8, c.y - 2.5}, {c.x + 4.4, c.y + 3}, {c.x + 0.5, c.y + 6.2},
                {c.x - 4, c.y + 3.5}, {c.x - 4.8, c.y - 2}}, ink::skin);
    if (beard) {
        shape(svg, {{c.x - 4.4, c.y + 0.5}, {c.x - 1, c.y + 3.6}, {c.x + 2.6, c.y + 3.4}, {c.x + 4.6, c.y + 0.5},
                    {c.x + 3.6, c.y + 6}, {c.x + 0.6, c.y + 11}, {c.x - 3.2, c.y + 6.5}}, ink::hair);
        svg.path(Path().move({c.x - 0.8, c.y + 3.4}).quad({c.x + 0.9, c.y + 4.4}, {c.x + 2.4, c.y + 3.3}),
                 stroke(ink::darkRed, 0.7));
    } else {
        svg.path(Path().move({c.x - 0.3, c.y + 3.5}).quad({c.x + 0.9, c.y + 4.2}, {c.x + 2, c.y + 3.4}),
                 stroke(ink::red, 0.7));
    }
    Path eyes;
    eyes.circle({c.x - 1.3, c.y - 0.6}, 0.55).circle({c.x + 2.6, c.y - 0.6}, 0.55);
    svg.path(eyes, fill(ink::outline));
    svg.path(Path().move({c.x + 0.9, c.y - 0.4}).quad({c.x + 1.9, c.y + 1.6}, {c.x + 0.7, c.y + 2.1}),
             stroke(ink::skinShade, 0.5));
    svg.path(Path().move({c.x - 2.4, c.y - 2.1}).line({c.x - 0.5, c.y - 2.4})
                 .move({c.x + 1.8, c.y - 2.4}).line({c.x + 3.6, c.y - 2.1}),
             stroke(ink::hair, 0.5));
}

// Shoulder-length hair behind the face.
void hairBehind(Svg &svg, Pt c)
{
    shape(svg, {{c.x - 5.8, c.y - 2}, {c.x - 4, c.y - 6.6}, {c.x + 1, c.y - 7.4}, {c.x + 5.6, c.y - 4},
                {c.x + 6, c.y + 3}, {c.x + 5, c.y + 7}, {c.x - 5.5, c.y + 7}, {c.x - 6.4, c.y + 3}}, ink::hair);
}

// The sign held in a hand at `at`, upright.
void heldSign(Svg &svg, Suit suit, Pt at, double size, double reach = 1.0)
{
    switch (suit) {
    case Suit::Coins:
        svg.begin(place(at + Pt{0, -8.5 * size}, 0));
        sign(svg, suit, size);
        svg.end();
        break;
    case Suit::Cups:
        svg.begin(place(at + Pt{0, -7.5 * size}, 0));
        sign(svg, suit, size);
        svg.end();
        break;
    case Suit::Batons:
        svg.begin(place(at + Pt{1.2, -12 * reach}, 8));
        baton(svg, 40 * reach, 9);
        svg.end();
        break;
    case Suit::Swords:
        svg.begin(place(at + Pt{0, 1.2}, 4));
        sword(svg, 30 * reach, 0.95);
        svg.end();
        break;
    }
}

} // namespace

void knave(Svg &svg, Suit suit)
{
    const Livery dress = livery(suit);
    const Pt face{31, 24};
    // legs in hose, feet turned out
    limb(svg, Path().move({28, 70}).line({27, 96}), 4.2, dress.second);
    limb(svg, Path().move({35, 70}).line({37, 96}), 4.2, dress.second);
    shape(svg, {{23, 97.6}, {25, 95.2}, {29.4, 95}, {29.4, 99}, {24, 99}}, ink::outline, 0.5);
    shape(svg, {{35, 95}, {39.4, 95.2}, {42, 97.6}, {41, 99}, {35, 99}}, ink::outline, 0.5);
    // the arm that hangs, behind the tunic
    limb(svg, Path().move({24.6, 36}).quad({19.5, 45}, {22, 56}), 4.2, dress.coat);
    hand(svg, {22.4, 57.4});
    hairBehind(svg, face);
    // tunic: fitted to the belt, flared below it
    shape(svg, {{24, 33.5}, {31, 31.5}, {38.6, 33.5}, {40.4, 44}, {38.4, 55}, {43, 71}, {32, 73.5},
                {20.8, 71}, {25.6, 55}, {23.2, 44}}, dress.coat, 0.7);
    svg.path(Path().move({22, 69.6}).quad({32, 72.6}, {42, 69.6}), stroke(ink::gold, 1.2));
    svg.path(Path().move({31.4, 33}).line({31.8, 54.5}), stroke(ink::outline, 0.4));
    Path buttons;
    for (double y : {37.0, 41.5, 46.0, 50.5})
        buttons.circle({31.6 + (y - 33) * 0.018, y}, 0.65);
    svg.path(buttons, fill(ink::gold));
    svg.rect(25, 53.6, 14, 2.8, 0.6, fillStroke(ink::gold, ink::outline, 0.45));
    svg.path(Path().move({25.4, 33.4}).quad({31.2, 37.4}, {37.6, 33.2}), stroke(ink::white, 1.6));
    head(svg, face, false);
    // a cap with a feather
    shape(svg, {{22.8, 18.8}, {26, 14.6}, {33, 13.4}, {39.8, 15.4}, {40.4, 18.2}, {31.6, 19.4}}, dress.second, 0.8);
    svg.path(Path().move({36.5, 15}).cubic({40, 8}, {45, 6.4}, {48.5, 7.4}), stroke(ink::outline, 2.6));
    svg.path(Path().move({36.5, 15}).cubic({40, 8}, {45, 6.4}, {48.5, 7.4}), stroke(ink::white, 1.5));
    // the arm that holds the sign
    limb(svg, Path().move({38.2, 35}).quad({45.5, 42}, {47.4, 49}), 4.2, dress.coat);
    heldSign(svg, suit, {47.6, 50}, 1.05);
    hand(svg, {47.6, 50.2});
}

void king(Svg &svg, Suit suit)
{
    const Livery dress = livery(suit);
    const Pt face{32, 27};
    // the robe, falling to the feet
    shape(svg, {{23, 37}, {32, 35}, {41, 37}, {45, 60}, {50, 96}, {42, 99.6}, {32, 100.4}, {22, 99.6},
                {15, 96}, {20, 60}}, dress.coat, 0.75);
    svg.path(Path().move({16.4, 95}).quad({32, 100.2}, {48.6, 95}), stroke(ink::gold, 1.6));
    svg.rect(24, 57, 16.5, 3, 0.6, fillStroke(ink::gold, ink::outline, 0.45));
    shape(svg, {{24, 99.6}, {27, 97.8}, {30.4, 99.2}, {30.4, 101.6}, {24, 101.4}}, ink::outline, 0.5);
    shape(svg, {{34.4, 99.2}, {38, 97.8}, {41, 99.6}, {41, 101.4}, {34.4, 101.6}}, ink::outline, 0.5);
    // the mantle over the shoulders, lined with ermine
    shape(svg, {{22, 36.5}, {32, 34.4}, {42, 36.5}, {44.5, 47}, {37, 50}, {32, 39.4}, {27, 50}, {18.8, 47}},
          dress.second, 0.8);
    svg.path(Path().move({27.8, 47.4}).line({32, 38.8}).line({36.2, 47.4}), stroke(ink::ermine, 2.4));
    Path spots;
    for (double t : {0.25, 0.7})
        spots.circle(lerp({27.8, 47.4}, {32, 38.8}, t), 0.4).circle(lerp({36.2, 47.4}, {32, 38.8}, t), 0.4);
    svg.path(spots, fill(ink::outline));
    // the hand resting on the belt
    limb(svg, Path().move({22.6, 40}).quad({18.6, 50}, {25.6, 57.2}), 4.4, dress.second);
    hand(svg, {26.2, 57.6});
    hairBehind(svg, face);
    head(svg, face, true);
    // the crown
    Path crown;
    crown.move({24.8, 22.6}).line({24, 14.4}).line({27.4, 18}).line({29.2, 12.2}).line({32, 17.4})
        .line({34.8, 12.2}).line({36.6, 18}).line({40, 14.4}).line({39.2, 22.6}).close();
    svg.path(crown, fillStroke(ink::goldMetal, ink::outline, line));
    svg.rect(24.6, 20, 14.8, 3, 0.4, fillStroke(ink::gold, ink::outline, 0.45));
    Path gems, points;
    gems.circle({28, 21.5}, 0.7).circle({36, 21.5}, 0.7);
    points.circle({24, 14}, 0.8).circle({29.2, 11.8}, 0.8).circle({34.8, 11.8}, 0.8).circle({40, 14}, 0.8);
    svg.path(gems, fill(ink::red));
    svg.circle({32, 21.5}, 0.8, fill(ink::blue));
    svg.path(points, fillStroke(ink::paleGold, ink::outline, 0.35));
    // the arm that holds the sign
    limb(svg, Path().move({41.4, 39.6}).quad({47.5, 46}, {47.8, 54}), 4.4, dress.second);
    heldSign(svg, suit, {48, 55}, 1.1);
    hand(svg, {48, 55.2});
}

void knight(Svg &svg, Suit suit)
{
    const Livery dress = livery(suit);
    // drawn a little smaller and to the left, clear of the lower index
    svg.begin("translate(-1.2,-0.6) scale(0.965)");
    // far legs first, a shade darker, then the body, then the near legs
    const char *horse = dress.horse;
    limb(svg, Path().move({26, 72}).quad({24, 84}, {19, 96.5}), 3.4, dress.mane);
    limb(svg, Path().move({47, 72}).quad({50.5, 82}, {47, 96.5}), 3.4, dress.mane);
    // tail
    svg.path(Path().smooth({{53.8, 60}, {59.5, 66}, {59.2, 78}, {61.4, 86}, {56.2, 79}, {55.2, 68}}, true),
             fillStroke(dress.mane, ink::outline, line));
    // body, neck and head in one outline, facing left
    shape(svg, {{6.4, 49.6}, {7.6, 43.6}, {11.2, 37.6}, {13.2, 31.6}, {16.6, 34.6}, {21.4, 39.4},
                {26.4, 47.6}, {31, 53}, {38, 55.2}, {48, 55}, {54.6, 59}, {55.6, 68}, {51.4, 74.4},
                {40, 76}, {29, 75.6}, {22.6, 70.4}, {19.6, 61}, {17.8, 53.4}, {13.6, 53.8}, {9.2, 53.6}},
          horse, 0.8);
    // mane along the crest of the neck
    svg.path(Path().smooth({{14.6, 33.4}, {19.4, 36.8}, {23.8, 42.2}, {28, 49.2}, {31.4, 53.2}, {26, 51.4},
                            {21, 45.4}, {16.6, 39.6}}, true),
             fillStroke(dress.mane, ink::outline, 0.45));
    svg.circle({11.8, 40.6}, 0.8, fill(ink::outline));
    svg.circle({8.4, 48}, 0.45, fill(ink::outline));
    svg.path(Path().move({7, 51.4}).quad({9.4, 51}, {10.6, 52.4}), stroke(ink::outline, 0.5));
    // bridle and reins
    svg.path(Path().move({14.8, 36.4}).line({10.4, 49.4}).move({8, 46.6}).line({15.4, 45.4}),
             stroke(ink::darkRed, 0.9));
    svg.path(Path().move({10.6, 49}).quad({22, 57}, {30.4, 54.4}), stroke(ink::darkRed, 0.7));
    // near legs
    limb(svg, Path().move({29, 72}).quad({29, 84}, {27.6, 96.5}), 3.6, horse);
    limb(svg, Path().move({50, 70}).quad({54, 82}, {53.4, 96.5}), 3.6, horse);
    Path hooves;
    for (Pt h : {Pt{19, 97.4}, Pt{47, 97.4}, Pt{27.6, 97.4}, Pt{53.4, 97.4}})
        hooves.polygon({h + Pt{-2.4, -1.2}, h + Pt{2, -1.2}, h + Pt{2.4, 1.6}, h + Pt{-2.8, 1.6}});
    svg.path(hooves, fillStroke(ink::outline, ink::outline, 0.4));
    // caparison over the back, edged in gold
    shape(svg, {{31, 53.6}, {44, 54.2}, {46.2, 57}, {45.4, 68.4}, {38, 70.6}, {30.6, 68.4}, {29.4, 58}},
          dress.second, 0.6);
    svg.path(Path().move({30.9, 67.8}).quad({38, 71.4}, {45.2, 67.8}), stroke(ink::gold, 1.2));
    // the rider: coat, leg in the stirrup, head and hat
    const Pt face{37, 30};
    shape(svg, {{32, 39}, {37.4, 37.4}, {42.4, 39.4}, {43, 50}, {44.6, 58}, {37.6, 60.4}, {30.8, 58},
                {31.4, 50}}, dress.coat, 0.75);
    svg.rect(31.4, 53.2, 12.6, 2.4, 0.5, fillStroke(ink::gold, ink::outline, 0.4));
    limb(svg, Path().move({36, 58}).quad({33, 65}, {35, 73}), 3.8, dress.coat);
    shape(svg, {{32.6, 72.4}, {37.2, 72.2}, {37.8, 75.6}, {31.2, 75.8}, {31.2, 74}}, ink::outline, 0.5);
    svg.path(Path().move({32.4, 77}).line({37.4, 77}).move({34.8, 77}).line({36, 65}),
             stroke(ink::deepGold, 0.7));
    limb(svg, Path().move({33.4, 41}).quad({29, 48}, {31.4, 54}), 3.8, dress.coat);
    hand(svg, {31.4, 54.4}, 1.5);
    head(svg, face, false);
    shape(svg, {{29, 25.4}, {32.4, 21}, {38.4, 19.8}, {44, 22}, {45, 25.6}, {37, 26.4}}, dress.second, 0.8);
    svg.path(Path().move({41.5, 21.6}).cubic({44, 15}, {48, 13.6}, {51.4, 14.8}), stroke(ink::outline, 2.6));
    svg.path(Path().move({41.5, 21.6}).cubic({44, 15}, {48, 13.6}, {51.4, 14.8}), stroke(ink::white, 1.5));
    // the raised arm with the sign
    limb(svg, Path().move({41.6, 40.6}).quad({48, 44}, {50, 38.6}), 3.8, dress.coat);
    heldSign(svg, suit, {50.4, 38}, 0.95, 0.8);
    hand(svg, {50.4, 38}, 1.5);
    svg.end();
}

} // namespace cardart
