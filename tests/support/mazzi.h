#pragma once

#include <algorithm>
#include <random>
#include <vector>

#include "carte.h"

namespace trelva::prova {

// Deal position of a table place: positions 1-36 fill the rows left to right.
inline int posizioneDi(int riga, int colonna)
{
    return (riga - 1) * 9 + colonna;
}

// A deal that plays out completely when every card goes to the row of its own
// suit number: four chains, each started by a stock card and ended by a King,
// where each place hides the next card of its chain.
inline std::vector<int> dealVincente(unsigned seme)
{
    std::vector<int> nonRe;
    for (int k = 1; k <= numeroCarte; ++k)
        if (!eRe(k))
            nonRe.push_back(k);
    std::mt19937 g(seme);
    std::shuffle(nonRe.begin(), nonRe.end(), g);
    std::vector<int> deal(numeroCarte);
    std::size_t prossima = 0;
    for (int catena = 0; catena < 4; ++catena) {
        const std::size_t lunga = catena < 3 ? 1 + g() % 12 : nonRe.size() - prossima;
        std::vector<int> carte(nonRe.begin() + prossima, nonRe.begin() + prossima + lunga);
        prossima += lunga;
        carte.push_back((catena + 1) * 10);
        deal[36 + catena] = carte.front();
        for (std::size_t i = 0; i + 1 < carte.size(); ++i)
            deal[posizioneDi(semeDi(carte[i]), valoreDi(carte[i])) - 1] = carte[i + 1];
    }
    return deal;
}

// The four Kings on the stock: every chain ends at once.
inline std::vector<int> dealPerdente()
{
    std::vector<int> deal;
    for (int k = 1; k <= numeroCarte; ++k)
        if (!eRe(k))
            deal.push_back(k);
    for (int re : {10, 20, 30, 40})
        deal.push_back(re);
    return deal;
}

} // namespace trelva::prova
