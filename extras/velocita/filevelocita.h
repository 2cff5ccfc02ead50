// The one-line settings file Speed.dvx: how its bytes turn into a rate index
// and what a rate index looks like once written. Plain C++ with no Qt, so the
// reader can be fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace trelva {

namespace filevelocita {

// Only this many leading bytes of the file are ever looked at. The file is
// meant to hold five bytes; a huge or endless file must not cost start-up
// time or memory, so a number that does not start and end within this prefix
// counts as no number.
inline constexpr std::size_t limiteLettura = 4096;

// How many bytes a caller has to read so that leggiRitmo can tell a number
// cut by the prefix from one that ends with the file.
inline constexpr std::size_t byteDaLeggere = limiteLettura + 1;

// The first item of the file as a 16-bit rate index, following the old
// sequential-input rules: blanks (space, tab) and line ends (CR, LF) before it
// are skipped, the item ends at a blank, a comma, a line end or the end of the
// data. The item must be a decimal number: an optional sign, digits, and an
// optional fraction, rounded half to even as a 16-bit integer conversion does.
// Anything else (no item, letters, binary bytes, a value outside the 16-bit
// range) gives 0. Whatever lies after the first item is never looked at.
std::int16_t leggiRitmo(std::string_view dati) noexcept;

// The line stored for a rate: the number in its printed form (a blank where
// the sign goes, the digits, one trailing blank) ended by CR LF, e.g. " 2 \r\n".
std::string rigaRitmo(int indice);

} // namespace filevelocita

} // namespace trelva
