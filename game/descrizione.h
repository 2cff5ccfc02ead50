#pragma once

#include <string>

#include "geometria.h"

// The table told in words, for a player who hears it rather than sees it.
// Everything is read from where the pictures lie, as the window shows it.
namespace trelva {

class Tavolo;

// "Ace of Coins", "7 of Cups", "Knave of Batons", "Knight of Swords", "King of Cups".
std::string nomeCarta(int carta);

// A place and what lies on it: "Row 2, column 5, face down", "Row 1, column 3,
// 3 of Cups", "King's place, row 4, empty"; row 5 is the stock: "Stock, 2 cards".
std::string descriviPosto(const Tavolo& tavolo, Posto posto);

// The face resting on the temporary place, 0 when none does: between the end
// of a chain and the next draw the place is bare.
int cartaInMano(const Tavolo& tavolo);
std::string descriviInMano(const Tavolo& tavolo);

} // namespace trelva
