#pragma once

// Where the cards wait, in window units, on this table of 68 x 110 cards
// centred in 1280 units: the stock under column 7 and the card in hand under
// column 4, on the line 4.15 card heights from the top.
namespace trelva::prova {

inline constexpr int xMazzetto = 708;
inline constexpr int xTemporaneo = 504;
inline constexpr float yLineaMazzetto = 456.5f;
// A move's end points are whole units, halves to even: a card drawn from the
// stock slides along the line from its back's top, exactly 456.5 in single
// precision, and waits at 456; an uncovered card is sent to the line's top
// computed in double precision, a hair over 456.5, and waits at 457.
inline constexpr int yPescata = 456;
inline constexpr int yScoperta = 457;

} // namespace trelva::prova
