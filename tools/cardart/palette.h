// The deck's colour world: warm cream stock, strong red, yellow-gold, green,
// blue and black outlines. Every picture draws from these names only.
#pragma once

namespace cardart::ink {

inline constexpr const char* stock = "#f7efd9"; // card face
inline constexpr const char* stockEdge = "#d8c9a3";
inline constexpr const char* outline = "#2a2118"; // the black of the line work
inline constexpr const char* red = "#c3262b";
inline constexpr const char* darkRed = "#8c1a1f";
inline constexpr const char* gold = "#e8b424";
inline constexpr const char* paleGold = "#f8dc78";
inline constexpr const char* deepGold = "#a8740f";
inline constexpr const char* green = "#2f7a3b";
inline constexpr const char* paleGreen = "#6fae5a";
inline constexpr const char* blue = "#2457a6";
inline constexpr const char* paleBlue = "#7ea6d8";
inline constexpr const char* darkBlue = "#173b76";
// The courts' dress: the suit colours set apart in lightness as well as hue,
// so the four suits stay unlike in greyscale and to colour-blind eyes.
inline constexpr const char* azure = "#5e95da";
inline constexpr const char* leaf = "#3b8c3f";
inline constexpr const char* steel = "#8ea3b8";
inline constexpr const char* paleSteel = "#dfe8f0";
inline constexpr const char* darkSteel = "#4e6479";
inline constexpr const char* wood = "#8a6a34";
inline constexpr const char* paleWood = "#c2a060";
inline constexpr const char* darkWood = "#5b4320";
inline constexpr const char* bark = "#6f7a34"; // the green cast of the batons
inline constexpr const char* skin = "#f3d2b0";
inline constexpr const char* skinShade = "#d9a882";
inline constexpr const char* hair = "#6b4424";
inline constexpr const char* blond = "#d9a441";
inline constexpr const char* black = "#2b2622";
inline constexpr const char* grey = "#b9b4aa";
inline constexpr const char* russet = "#8a4b2a";
inline constexpr const char* purple = "#5e3a6e";
inline constexpr const char* white = "#fffaf0";
inline constexpr const char* ermine = "#fbf7ee";
inline constexpr const char* horse = "#f1e6cf";
inline constexpr const char* horseShade = "#cdb995";
inline constexpr const char* table = "#0f4d1f"; // the table's green, for the icon

// Gradient references, defined in every picture by addGradients().
inline constexpr const char* goldDisc = "url(#goldDisc)";
inline constexpr const char* goldMetal = "url(#goldMetal)";
inline constexpr const char* steelBlade = "url(#steelBlade)";
inline constexpr const char* woodGrain = "url(#woodGrain)";

} // namespace cardart::ink
