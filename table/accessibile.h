#pragma once

#include "geometria.h"

namespace trelva {

// The table for a screen reader. The window's table (Superficie) shows, as
// its accessible children, the 41 places a press can reach (the grid row by
// row, then the stock), the card in hand and the end of the game, then the
// panels lying on it. The keyboard's place is the focused child; a new card
// in hand and the end of a game are announced as they happen.
namespace accessibile {

inline constexpr int mazzetto = 40;
inline constexpr int mano = 41;
inline constexpr int fine = 42;
inline constexpr int voci = 43;

int indiceDi(Posto posto);

// Once per program, before the window is first asked for.
void installa();

} // namespace accessibile

} // namespace trelva
