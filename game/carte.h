#pragma once

// A card is known everywhere by one number, 1 to 40: coins 1-10, cups 11-20,
// batons 21-30, swords 31-40. The value is also the column the card belongs in.
namespace trelva {

inline constexpr int numeroCarte = 40;
inline constexpr int righeTavolo = 4;
inline constexpr int colonneTavolo = 10;
inline constexpr int rigaMazzetto = 5; // the line below the rows: stock and temporary place
inline constexpr int colonnaMazzetto = 7; // the stock lies under this column
// A press's button as the window sends it; only the left one plays.
inline constexpr int tastoSinistro = 1;

constexpr int semeDi(int k)
{
    return (k - 1) / 10 + 1;
}
constexpr int valoreDi(int k)
{
    return (k - 1) % 10 + 1;
}
constexpr bool eRe(int k)
{
    return k % 10 == 0;
}

} // namespace trelva
