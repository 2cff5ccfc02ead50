// The four suit signs. Each is drawn about its own origin so that pip layouts,
// court figures and corner marks can place, turn and scale the same drawing:
// change a sign here and every card that shows it follows.
#pragma once

#include "svg.h"

namespace cardart {

enum class Suit { Coins = 1, Cups, Batons, Swords };

// Gradients that the signs refer to; every picture calls this once.
void addGradients(Svg &svg);

// A coin of radius 10 centred on the origin.
void coin(Svg &svg, bool simple = false);
// A goblet 20 tall (y -10 to 10) and 13 wide, foot down.
void cup(Svg &svg, bool simple = false);
// A club along the y axis, thick end up at -length/2. `rim` sets it off
// from signs it crosses on a pip card.
void baton(Svg &svg, double length, double thickness, bool simple = false, bool rim = false);
// A sword with its hilt at the origin and the blade going up (-y); a positive
// bend curves the blade to the right, in degrees of turn over its length.
void sword(Svg &svg, double length, double bend, double hilt = 1.0, bool simple = false,
           bool rim = false);

// The aces: one large, richer sign centred on the card.
void aceOfCoins(Svg &svg);
void aceOfCups(Svg &svg);
void aceOfBatons(Svg &svg);
void aceOfSwords(Svg &svg);

// A sign about 8 units tall for the corner index.
void mark(Svg &svg, Suit suit);

// Any sign at pip size, centred on the origin (swords and batons short).
void sign(Svg &svg, Suit suit, double size = 1.0);

} // namespace cardart
