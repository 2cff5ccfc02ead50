#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

#include "tavolo.h"

namespace trelva::prova {

// Delivers scripted events at the game's yields: one action per wait pass,
// and an optional hook at every step of a move. When the script runs out the
// player quits, so no test can hang in a wait.
class PiattaformaFinta final : public Piattaforma {
public:
    using Azione = std::function<void(Tavolo&)>;
    Tavolo* tavolo = nullptr;
    std::deque<Azione> copione;
    std::function<void(Tavolo&, int passo)> aOgniPasso;
    int attese = 0;
    int passiCeduti = 0;
    int profondita = 0; // yields running inside yields
    int massimaProfondita = 0;
    std::uint64_t semi = 0;

    void attendi() override
    {
        ++attese;
        if (copione.empty()) {
            tavolo->esci();
            return;
        }
        Azione a = std::move(copione.front());
        copione.pop_front();
        Dentro d(*this);
        a(*tavolo);
    }
    void cediPasso(int passo) override
    {
        ++passiCeduti;
        Dentro d(*this);
        if (aOgniPasso)
            aOgniPasso(*tavolo, passo);
    }
    std::uint64_t seme() override { return ++semi; }

private:
    struct Dentro {
        PiattaformaFinta& p;
        explicit Dentro(PiattaformaFinta& pf)
            : p(pf)
        {
            p.massimaProfondita = std::max(p.massimaProfondita, ++p.profondita);
        }
        ~Dentro() { --p.profondita; }
    };
};

// A table as start-up leaves it: 1280 units wide, 68 x 110 cards, faces parked.
struct Banco {
    PiattaformaFinta piattaforma;
    CasualeCopione casuale;
    Tavolo tavolo{piattaforma, casuale};

    Banco()
    {
        piattaforma.tavolo = &tavolo;
        tavolo.Form_Activate();
        tavolo.misura(1280);
    }

    // Script presses and play one game on the given deal order.
    void gioca(const std::vector<int>& deal, std::initializer_list<PiattaformaFinta::Azione> azioni)
    {
        casuale.ordine(deal);
        for (auto& a : azioni)
            piattaforma.copione.push_back(a);
        tavolo.avvia();
    }
};

// Presses at the middle of a place, row 1-5 (5: the stock's line) and column 1-10.
inline PiattaformaFinta::Azione premi(double x, double y, int button = 1)
{
    return [=](Tavolo& t) { t.premi(x, y, button); };
}
inline Punto centro(const Tavolo& t, int riga, int colonna)
{
    const Punto p = riga == rigaMazzetto ? t.geometria.mazzetto() : t.geometria.posto(riga, colonna);
    return {p.x + t.geometria.larghezza / 2, p.y + t.geometria.altezza / 2};
}
inline PiattaformaFinta::Azione premiPosto(int riga, int colonna, int button = 1)
{
    return [=](Tavolo& t) {
        const Punto c = centro(t, riga, colonna);
        t.premi(c.x, c.y, button);
    };
}
inline PiattaformaFinta::Azione premiMazzetto()
{
    return premiPosto(rigaMazzetto, 7);
}

// Draws when the stock is expected, otherwise puts the card in hand in its
// own column of the row numbered like its suit.
inline void giocaGiusto(Tavolo& t)
{
    if (t.pesca)
        premiMazzetto()(t);
    else
        premiPosto(semeDi(t.inmano), valoreDi(t.inmano))(t);
}

} // namespace trelva::prova
