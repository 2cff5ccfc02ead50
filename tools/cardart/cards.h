// Whole pictures: the forty faces, the back, the maker's logo, the title and
// the application icon, each returned as the text of one SVG file.
#pragma once

#include "suits.h"

#include <string>

namespace cardart {

inline constexpr double cardWidth = 68;
inline constexpr double cardHeight = 110;

inline Suit suitOf(int card)
{
    return Suit((card - 1) / 10 + 1);
}
inline int valueOf(int card)
{
    return (card - 1) % 10 + 1;
}

std::string face(int card);
std::string back();
std::string logo();
std::string title();
std::string icon();

// Court figures (knaves.cpp, knights.cpp, kings.cpp), drawn in card units on
// a face, a different person for each suit.
void knave(Svg& svg, Suit suit);
void knight(Svg& svg, Suit suit);
void king(Svg& svg, Suit suit);

} // namespace cardart
