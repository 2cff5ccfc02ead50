#include "figures.h"

#include "palette.h"

namespace cardart {

namespace {

struct SuitInks {
    const char *colour, *shade, *ground;
};

// Coins yellow-gold, cups red, batons green, swords blue; the grounds set
// apart in lightness too: gold, red, pale green, deep blue.
const SuitInks& inks(Suit suit)
{
    static const SuitInks table[] = {{ink::gold, ink::deepGold, ink::gold},
                                     {ink::red, ink::darkRed, ink::red},
                                     {ink::leaf, ink::green, ink::paleGreen},
                                     {ink::azure, ink::blue, ink::darkBlue}};
    return table[int(suit) - 1];
}

} // namespace

const char* suitColour(Suit suit)
{
    return inks(suit).colour;
}

const char* suitShade(Suit suit)
{
    return inks(suit).shade;
}

const char* groundColour(Suit suit)
{
    return inks(suit).ground;
}

void shape(Svg& svg, const std::vector<Pt>& pts, const char* colour, double tension)
{
    svg.path(Path().smooth(pts, true, tension), fillStroke(colour, ink::outline, figureLine));
}

void limb(Svg& svg, const std::vector<Pt>& pts, double width, const char* colour)
{
    const Path path = Path().smooth(pts, false);
    svg.path(path, stroke(ink::outline, width + 2 * figureLine));
    svg.path(path, stroke(colour, width));
}

void jointed(Svg& svg, const std::vector<Pt>& joints, const std::vector<double>& widths, const char* colour)
{
    for (const bool edge : {true, false})
        for (size_t i = 0; i + 1 < joints.size(); ++i)
            svg.path(Path().move(joints[i]).line(joints[i + 1]),
                     stroke(edge ? ink::outline : colour, widths[i] + (edge ? 2 * figureLine : 0)));
}

void hand(Svg& svg, Pt at, double r, double degrees, int knuckles)
{
    // a fist closed round a grip that runs along its height: the thumb over
    // the top, the fingers' creases across the knuckles
    svg.begin(placeXY(at, degrees, knuckles, 1));
    shape(svg, {{-0.9 * r, -0.95 * r}, {0.45 * r, -1.05 * r}, {1.1 * r, -0.55 * r}, {1.2 * r, 0.35 * r}, {0.85 * r, 1.05 * r}, {-0.55 * r, 1.1 * r}, {-1.05 * r, 0.35 * r}}, ink::skin, 0.8);
    Path creases;
    for (const double y : {-0.42, 0.08, 0.58})
        creases.move({0.15 * r, y * r}).quad({0.7 * r, (y - 0.12) * r}, {1.12 * r, y * r});
    svg.path(creases, stroke(ink::skinShade, 0.32));
    svg.path(Path().move({-0.75 * r, -0.55 * r}).quad({0, -1.25 * r}, {0.75 * r, -0.7 * r}).quad({0.2 * r, -0.4 * r}, {-0.75 * r, -0.55 * r}).close(),
             fillStroke(ink::skin, ink::outline, 0.35));
    svg.end();
}

void shoe(Svg& svg, Pt at, int toe)
{
    shape(svg, {at + Pt{-2.4 * toe, -1.6}, at + Pt{1.6 * toe, -1.8}, at + Pt{3.8 * toe, 0.4}, at + Pt{3.4 * toe, 1.2}, at + Pt{-2.6 * toe, 1.2}}, ink::black, 0.5);
    // the sole and heel, and a buckle on the instep
    svg.path(Path().move(at + Pt{-2.4 * toe, 1}).line(at + Pt{3.2 * toe, 1}), stroke(ink::darkWood, 0.5));
    svg.rect(at.x + (toe > 0 ? -0.4 : -1.2), at.y - 1.6, 1.6, 1.2, 0.3, fillStroke(ink::paleGold, ink::outline, 0.25));
}

namespace {

// Points of a head drawn for a face looking right, turned to its facing.
struct Frame {
    Pt c;
    int f;
    Pt operator()(double x, double y) const { return {c.x + f * x, c.y + y}; }
    std::vector<Pt> operator()(const std::vector<Pt>& pts) const
    {
        std::vector<Pt> out;
        for (Pt p : pts)
            out.push_back((*this)(p.x, p.y));
        return out;
    }
};

// The beard's outline below the jaw, from one cheek round to the other.
std::vector<Pt> chin(Beard kind)
{
    switch (kind) {
    case Beard::Short:
        return {{4, 4.6}, {0.6, 7.4}, {-3.6, 4.6}};
    case Beard::Full:
        return {{4.8, 5}, {3.2, 9.6}, {0.4, 11.6}, {-2.8, 9.8}, {-4.8, 5}};
    case Beard::Pointed:
        return {{3.6, 5.2}, {0.9, 12.6}, {-2.2, 5.6}};
    case Beard::Forked:
        return {{4.2, 6}, {2.8, 11.6}, {0.8, 8.8}, {-1.2, 11.6}, {-3.8, 6}};
    case Beard::None:
        break;
    }
    return {};
}

void beard(Svg& svg, const Frame& at, Beard kind, const char* colour)
{
    if (kind == Beard::None)
        return;
    std::vector<Pt> outline{{-4.4, 0.5}, {-1, 3.4}, {2.6, 3.2}, {4.6, 0.5}};
    const std::vector<Pt> below = chin(kind);
    outline.insert(outline.end(), below.begin(), below.end());
    shape(svg, at(outline), colour, 0.8);
    // moustache and mouth
    svg.path(Path().move(at(-2.4, 3.6)).quad(at(0.6, 1.6), at(3.6, 3.4)), stroke(colour, 1.2));
    svg.path(Path().move(at(-0.4, 4.6)).quad(at(0.9, 5.2), at(2.2, 4.6)), stroke(ink::darkRed, 0.6));
}

} // namespace

void head(Svg& svg, Pt c, const Face& face)
{
    const Frame at{c, face.facing};
    if (face.style == Hair::Long)
        shape(svg, at({{-5.8, -2}, {-4, -6.6}, {1, -7.4}, {5.6, -4}, {6, 3}, {5.4, 8.6}, {-5.8, 8.6}, {-6.4, 3}}), face.hair);
    svg.rect(c.x - 1.8, c.y + 4, 3.6, 4.4, 0, fillStroke(ink::skinShade, ink::outline, figureLine));
    shape(svg, at({{0, -6}, {4.8, -2.5}, {4.4, 3}, {0.5, 6.2}, {-4, 3.5}, {-4.8, -2}}), ink::skin);
    if (face.style != Hair::Long) {
        svg.ellipse(at(-3.4, 0.6), 1.1, 1.6, fillStroke(ink::skin, ink::outline, 0.45));
        svg.path(Path().move(at(-3.1, -0.2)).quad(at(-3.9, 0.6), at(-3.2, 1.5)), stroke(ink::skinShade, 0.35));
    }
    // the hair over the brow, curls standing out when curly
    if (face.style == Hair::Curly) {
        Path curls;
        for (Pt p : at({{-4.6, -1}, {-4.4, -4}, {-2, -6.2}, {1.2, -6.8}, {4, -5.2}, {5, -2.6}}))
            curls.circle(p, 1.9);
        svg.path(curls, fillStroke(face.hair, ink::outline, figureLine));
    }
    shape(svg, at({{-5, 0}, {-4.8, -4.8}, {0, -7}, {4.8, -4.8}, {5, -2.2}, {2.2, -4}, {-2.4, -3.6}, {-4, -1}}), face.hair, 0.9);
    // eyes with their whites, looking the way the face turns, and a flush
    // on the near cheek
    for (const Pt eye : {at(-1.1, -0.6), at(2.7, -0.6)}) {
        svg.ellipse(eye, 1, 0.62, fillStroke(ink::white, ink::outline, 0.25));
        svg.circle(eye + Pt{0.2 * face.facing, 0.04}, 0.55, fill(ink::outline));
    }
    Style flush = fill(ink::red);
    flush.opacity = 0.22;
    svg.circle(at(3, 1.9), 1.1, flush);
    svg.path(Path().move(at(-2.4, -2.1)).line(at(-0.4, -2.5)).move(at(1.8, -2.5)).line(at(3.7, -2.1)),
             stroke(face.beard == Beard::None ? ink::hair : face.beardColour ? face.beardColour
                                                                             : face.hair,
                    0.6));
    svg.path(Path().move(at(1, -0.4)).quad(at(2.2, 1.6), at(0.8, 2.2)).move(at(1.6, 2.3)).line(at(2.3, 2.1)), stroke(ink::skinShade, 0.55));
    if (face.beard == Beard::None)
        svg.path(Path().move(at(-0.2, 3.6)).quad(at(0.9, 4.3), at(2, 3.5)), stroke(ink::red, 0.75));
    beard(svg, at, face.beard, face.beardColour ? face.beardColour : face.hair);
}

namespace {

void crownBand(Svg& svg, Pt c, const char* jewel)
{
    svg.rect(c.x - 6.2, c.y - 5.6, 12.4, 2.8, 0.4, fillStroke(ink::goldMetal, ink::outline, 0.45));
    Path gems;
    gems.circle({c.x - 3.6, c.y - 4.2}, 0.65).circle({c.x + 3.6, c.y - 4.2}, 0.65);
    svg.path(gems, fill(jewel));
    svg.circle({c.x, c.y - 4.2}, 0.75, fill(ink::red));
}

// A plume rising from `base` and curling over to `tip`.
void plume(Svg& svg, Pt base, Pt tip, const char* colour)
{
    const Path p = Path().move(base).cubic(base + Pt{0, -5}, tip + Pt{-3, 0}, tip);
    svg.path(p, stroke(ink::outline, 2.8));
    svg.path(p, stroke(colour, 1.7));
}

} // namespace

void hat(Svg& svg, Pt c, Hat kind, const char* colour, const char* trim)
{
    auto at = [&](double x, double y) { return Pt{c.x + x, c.y + y}; };
    auto pts = [&](const std::vector<Pt>& list) {
        std::vector<Pt> out;
        for (Pt p : list)
            out.push_back(c + p);
        return out;
    };
    switch (kind) {
    case Hat::Beret:
        shape(svg, pts({{-6.6, -3}, {-5.2, -6.8}, {0, -8.8}, {6.2, -7.4}, {7.8, -4.6}, {0, -3.6}}), colour, 0.8);
        plume(svg, at(4, -7.4), at(10.5, -12.5), trim);
        break;
    case Hat::Brim:
        shape(svg, pts({{-4.6, -4}, {-4.2, -9.6}, {0, -11}, {4.2, -9.6}, {4.6, -4}}), colour, 0.8);
        svg.rect(c.x - 4.6, c.y - 6.4, 9.2, 1.8, 0, fill(trim));
        svg.ellipse(at(0, -4), 9.4, 1.9, fillStroke(colour, ink::outline, figureLine));
        plume(svg, at(-3, -8), at(-9.5, -13.5), ink::white);
        break;
    case Hat::Hood:
        // a chaperon: a rolled brim with its long tail hanging down one side
        limb(svg, {at(5, -4), at(8.6, 0), at(8.4, 8), at(7, 14)}, 2.6, colour);
        shape(svg, pts({{-5.6, -2.4}, {-5, -7.4}, {0, -9.6}, {5.4, -7.4}, {6, -2.4}, {0, -4}}), colour, 0.8);
        svg.path(Path().move(at(-5.4, -3.2)).quad(at(0, -5.4), at(5.8, -3.2)), stroke(trim, 1.3));
        break;
    case Hat::Helmet:
        shape(svg, pts({{-4.8, -3.8}, {-4.2, -8.8}, {0, -10.6}, {4.2, -8.8}, {4.8, -3.8}}), ink::steel, 0.8);
        svg.path(Path().move(at(-0.8, -10.2)).quad(at(0, -14), at(1.6, -10)), fillStroke(ink::paleSteel, ink::outline, 0.5));
        svg.path(Path().smooth(pts({{-8.2, -2.2}, {-5.2, -4.8}, {5.2, -4.8}, {8.2, -2.2}, {5, -3.4}, {-5, -3.4}}), true),
                 fillStroke(ink::paleSteel, ink::outline, 0.5));
        plume(svg, at(2, -10.4), at(8.6, -14.2), trim);
        break;
    case Hat::Turban:
        svg.ellipse(at(0, -6.2), 6.8, 4.2, fillStroke(colour, ink::outline, figureLine));
        svg.path(Path().move(at(-6.2, -5)).quad(at(0, -9), at(6.4, -7.4)).move(at(-5.6, -3.8)).quad(at(0, -7.4), at(6.6, -5)),
                 stroke(trim, 0.8));
        svg.circle(at(0, -8.4), 1.1, fillStroke(ink::red, ink::outline, 0.4));
        break;
    case Hat::CrownPoints: {
        Path crown;
        crown.move(at(-6, -3)).line(at(-6.8, -11)).line(at(-3.4, -7.4)).line(at(0, -12.6)).line(at(3.4, -7.4)).line(at(6.8, -11)).line(at(6, -3)).close();
        svg.path(crown, fillStroke(ink::goldMetal, ink::outline, figureLine));
        Path balls;
        balls.circle(at(-6.8, -11.4), 0.9).circle(at(0, -13), 0.9).circle(at(6.8, -11.4), 0.9);
        svg.path(balls, fillStroke(ink::paleGold, ink::outline, 0.35));
        crownBand(svg, c, trim);
        break;
    }
    case Hat::CrownArches: {
        shape(svg, pts({{-5.8, -4}, {-5, -9.4}, {0, -11.6}, {5, -9.4}, {5.8, -4}}), colour, 0.9);
        svg.path(Path().move(at(-5.8, -4.4)).cubic(at(-5.4, -12), at(5.4, -12), at(5.8, -4.4)).move(at(0, -4.4)).line(at(0, -11)), stroke(ink::outline, 2.1));
        svg.path(Path().move(at(-5.8, -4.4)).cubic(at(-5.4, -12), at(5.4, -12), at(5.8, -4.4)).move(at(0, -4.4)).line(at(0, -11)), stroke(ink::gold, 1.1));
        svg.circle(at(0, -12.4), 1.5, fillStroke(ink::goldDisc, ink::outline, 0.45));
        svg.path(Path().move(at(0, -13.8)).line(at(0, -16.4)).move(at(-1.2, -15.2)).line(at(1.2, -15.2)),
                 stroke(ink::deepGold, 0.8));
        crownBand(svg, c, trim);
        break;
    }
    case Hat::CrownFleurons: {
        Path lilies;
        for (double x : {-4.6, 0.0, 4.6}) {
            const double h = x == 0 ? 1.3 : 1.0;
            lilies.move(at(x, -5)).quad(at(x - 2.6 * h, -7.4 * h - 1), at(x, -11 * h)).quad(at(x + 2.6 * h, -7.4 * h - 1), at(x, -5)).close();
        }
        svg.path(lilies, fillStroke(ink::goldMetal, ink::outline, 0.5));
        crownBand(svg, c, trim);
        break;
    }
    case Hat::CrownFur: {
        shape(svg, pts({{-5.6, -5}, {-4.6, -10.6}, {0, -12.4}, {4.6, -10.6}, {5.6, -5}}), colour, 0.9);
        Path points;
        points.move(at(-5, -6)).line(at(-3.4, -10)).line(at(-1.6, -6)).move(at(1.6, -6)).line(at(3.4, -10)).line(at(5, -6));
        svg.path(points, fillStroke(ink::goldMetal, ink::outline, 0.45));
        svg.rect(c.x - 6.8, c.y - 5.6, 13.6, 3.2, 1.4, fillStroke(ink::ermine, ink::outline, 0.45));
        Path spots;
        for (double x : {-4.6, -1.6, 1.4, 4.4})
            spots.circle(at(x, -4), 0.45);
        svg.path(spots, fill(ink::outline));
        break;
    }
    }
}

void holdSign(Svg& svg, Suit suit, Pt at, double degrees, double size)
{
    // from where the hand closes to the sign's centre, in the sign's own
    // units (see sign()): above a coin's lower rim, a cup's stem, a grip
    double offset = 0;
    switch (suit) {
    case Suit::Coins:
        offset = -9;
        break;
    case Suit::Cups:
        offset = -3.2;
        break;
    case Suit::Batons:
        offset = -8;
        break;
    case Suit::Swords:
        offset = -8.8;
        break;
    }
    svg.begin(place(at, degrees));
    svg.begin(translate({0, offset * size}));
    sign(svg, suit, size);
    svg.end();
    svg.end();
}

void platform(Svg& svg, Suit suit, double x0, double x1)
{
    svg.rect(x0, 98.2, x1 - x0, 5.4, 2.2, fillStroke(groundColour(suit), ink::outline, figureLine));
    svg.path(Path().move({x0 + 2, 100.2}).line({x1 - 2, 100.2}), stroke(suitShade(suit), 0.7));
}

void belt(Svg& svg, Pt left, Pt right, double sag, const char* colour)
{
    const Pt mid = lerp(left, right, 0.5) + Pt{0, sag};
    const Path band = Path().move(left).quad(mid + Pt{0, sag}, right);
    svg.path(band, stroke(ink::outline, 3.2));
    svg.path(band, stroke(colour, 2));
    svg.rect(mid.x - 1.5, mid.y - 1.6, 3, 3.2, 0.5, fillStroke(ink::paleGold, ink::outline, 0.45));
}

} // namespace cardart
