// The four suit signs. Each is drawn about its own origin so that pip layouts,
// court figures and corner marks can place, turn and scale the same drawing:
// change a sign here and every card that shows it follows.
#pragma once

#include "svg.h"

namespace cardart {

enum class Suit { Coins = 1,
                  Cups,
                  Batons,
                  Swords };

// Gradients that the signs refer to; every picture calls this once.
void addGradients(Svg& svg);

// A coin of radius 10 centred on the origin.
void coin(Svg& svg, bool simple = false);
// A goblet 20 tall (y -10 to 10) and 13 wide, foot down.
void cup(Svg& svg, bool simple = false);
// A knotted cudgel along the y axis, its heavy head up at -length/2.
void baton(Svg& svg, double length, double thickness, bool simple = false);
// A short straight sword with the cross-guard at the origin and the blade,
// `blade` long, going up (-y); `hilt` scales the guard, grip and pommel.
void sword(Svg& svg, double blade, double hilt = 1.0, bool simple = false);

// The aces: one large, richer sign centred on the card.
void aceOfCoins(Svg& svg);
void aceOfCups(Svg& svg);
void aceOfBatons(Svg& svg);
void aceOfSwords(Svg& svg);

// A sign about 8 units tall for the corner index.
void mark(Svg& svg, Suit suit);

// Any sign at pip size, centred on the origin (swords and batons short).
void sign(Svg& svg, Suit suit, double size = 1.0);

} // namespace cardart
