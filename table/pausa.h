#pragma once

#include <functional>

// The title screen stays a little over four seconds. The clock it is read on
// may restart at midnight; the pause must end all the same.
namespace trelva {

inline constexpr double secondiDelTitolo = 4.0;
inline constexpr double secondiAlGiorno = 86400.0;

// Seconds passed from `inizio` to `adesso` on a clock of seconds since midnight.
inline double trascorsi(double inizio, double adesso)
{
    const double d = adesso - inizio;
    return d < 0 ? d + secondiAlGiorno : d;
}

// Reads the clock until more than the title's time has passed since the first
// reading; between readings `attendi` runs the event loop for about the time
// still missing. Returns false if `interrotta` says to stop early.
inline bool pausaDelTitolo(const std::function<double()>& orologio,
                           const std::function<void(double mancano)>& attendi,
                           const std::function<bool()>& interrotta)
{
    const double inizio = orologio();
    for (;;) {
        const double passati = trascorsi(inizio, orologio());
        if (passati > secondiDelTitolo)
            return true;
        if (interrotta())
            return false;
        attendi(secondiDelTitolo - passati);
    }
}

} // namespace trelva
