#include "descrizione.h"

#include <cmath>

#include "tavolo.h"

namespace trelva {

std::string nomeCarta(int carta)
{
    static const char* const valori[] = {"Ace", "2", "3", "4", "5", "6", "7", "Knave", "Knight", "King"};
    static const char* const semi[] = {"Coins", "Cups", "Batons", "Swords"};
    if (carta < 1 || carta > numeroCarte)
        return {};
    return std::string(valori[valoreDi(carta) - 1]) + " of " + semi[semeDi(carta) - 1];
}

namespace {
std::string carteNelMazzetto(const Tavolo& t)
{
    int quante = 0;
    for (int k = 1; k <= numeroCarte; ++k) {
        const Immagine& d = t.immagini.dorso[k];
        if (!d.visible)
            continue;
        const Posto p = t.geometria.postoDiDorso(d.left, d.top);
        quante += p.riga == rigaMazzetto && p.colonna == colonnaMazzetto;
    }
    if (quante == 0)
        return "Stock, empty";
    return "Stock, " + std::to_string(quante) + (quante == 1 ? " card" : " cards");
}
} // namespace

std::string descriviPosto(const Tavolo& t, Posto p)
{
    if (p.riga == rigaMazzetto)
        return carteNelMazzetto(t);
    const std::string riga = std::to_string(p.riga);
    const std::string dove = p.colonna == colonneTavolo
        ? "King's place, row " + riga
        : "Row " + riga + ", column " + std::to_string(p.colonna);
    // What a press in the middle of the place would land on.
    const Punto c = t.geometria.centro(p);
    const Colpo sopra = t.immagini.colpisci(c.x, c.y);
    switch (sopra.cosa) {
    case Colpo::Cosa::Faccia:
        return dove + ", " + nomeCarta(sopra.carta);
    case Colpo::Cosa::Dorso:
        return dove + ", face down";
    case Colpo::Cosa::Tavolo:
        break;
    }
    return dove + ", empty";
}

int cartaInMano(const Tavolo& t)
{
    if (!t.geometria.misurata())
        return 0;
    const Punto qui = t.geometria.temporaneo();
    // The face drawn last lies on top; one still sliding in is not there yet.
    const auto facce = t.immagini.facceDalFondo();
    for (auto k = facce.rbegin(); k != facce.rend(); ++k) {
        const Immagine& f = t.immagini.carta[*k];
        if (f.visible && std::abs(f.left - qui.x) < 1 && std::abs(f.top - qui.y) < 1)
            return *k;
    }
    return 0;
}

std::string descriviInMano(const Tavolo& t)
{
    const int k = cartaInMano(t);
    return "In hand: " + (k ? nomeCarta(k) : std::string("nothing"));
}

} // namespace trelva
