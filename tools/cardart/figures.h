// The parts the twelve court figures are put together from: faces, hair and
// beards, hats and crowns, limbs and hands, the sign in a hand and the
// ground each figure stands on. Every part takes the colours and shapes that
// make one person unlike another, so no two courts share a drawing.
#pragma once

#include "suits.h"

#include <vector>

namespace cardart {

// The line weight of the figures.
inline constexpr double figureLine = 0.6;

// Suit colours: coins yellow-gold, cups red, batons green, swords blue.
const char* suitColour(Suit suit);
const char* suitShade(Suit suit);
// The ground's colours, one to a suit, apart in lightness as well as hue: light
// gold, red, pale green, deep blue read as four greys.
const char* groundColour(Suit suit);

enum class Beard { None,
                   Short,
                   Full,
                   Pointed,
                   Forked };
enum class Hair { Short,
                  Long,
                  Curly };

struct Face {
    const char* hair;
    Hair style = Hair::Short;
    Beard beard = Beard::None;
    const char* beardColour = nullptr; // the hair's when not set
    // 1 looks to the viewer's right, -1 left
    int facing = 1;
};

// A head of radius about 5 at `c`, with its neck below.
void head(Svg& svg, Pt c, const Face& face);

enum class Hat { Beret,
                 Brim,
                 Hood,
                 Helmet,
                 Turban,
                 CrownPoints,
                 CrownArches,
                 CrownFleurons,
                 CrownFur };

// Headwear on the head at `c`; `colour` is the cloth, `trim` a band or plume.
void hat(Svg& svg, Pt c, Hat kind, const char* colour, const char* trim);

// A closed outline through `pts`, filled and inked.
void shape(Svg& svg, const std::vector<Pt>& pts, const char* colour, double tension = 1.0);
// A rounded limb along `pts`: sleeve or hose with an inked edge.
void limb(Svg& svg, const std::vector<Pt>& pts, double width, const char* colour);
// A limb in straight segments, joints[i] to joints[i + 1] as wide as
// widths[i], inked as one piece so no seam shows at the joints.
void jointed(Svg& svg, const std::vector<Pt>& joints, const std::vector<double>& widths, const char* colour);
// A fist at `at` closed round a grip turned by `degrees` (0: upright), its
// knuckles to the viewer's right (1) or left (-1).
void hand(Svg& svg, Pt at, double r = 1.7, double degrees = 0, int knuckles = 1);
// A shoe at `at`, toe pointing to `toe` (1 right, -1 left).
void shoe(Svg& svg, Pt at, int toe);

// The suit's sign held in a hand at `hand`, turned by `degrees`: a coin by
// its rim, a cup by its stem, a baton and a sword by the grip.
void holdSign(Svg& svg, Suit suit, Pt hand, double degrees, double size);

// The ground under the figure, from x0 to x1, in the suit's colour.
void platform(Svg& svg, Suit suit, double x0, double x1);

// A belt that follows the waist, from `left` to `right`, with a buckle.
void belt(Svg& svg, Pt left, Pt right, double sag, const char* colour);

} // namespace cardart
