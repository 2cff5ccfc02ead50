#include "immagini.h"

#include <algorithm>
#include <numeric>

namespace trelva {

Immagini::Immagini()
{
    for (int k = 0; k <= numeroCarte; ++k) {
        carta[k].width = dorso[k].width = larghezzaDisegno;
        carta[k].height = dorso[k].height = altezzaDisegno;
        ordine_[k] = std::uint64_t(k);
    }
}

void Immagini::creaDorsi()
{
    for (int k = 1; k <= numeroCarte; ++k)
        dorso[k] = dorso[0];
    dorsiCreati_ = true;
}

void Immagini::portaDavanti(int k)
{
    ordine_[k] = ++ultimo_;
}

std::vector<int> Immagini::facceDalFondo() const
{
    std::vector<int> facce(numeroCarte);
    std::iota(facce.begin(), facce.end(), 1);
    std::sort(facce.begin(), facce.end(), [this](int a, int b) { return ordine_[a] < ordine_[b]; });
    return facce;
}

Colpo Immagini::colpisci(double x, double y) const
{
    const auto facce = facceDalFondo();
    for (auto it = facce.rbegin(); it != facce.rend(); ++it)
        if (carta[*it].contiene(x, y))
            return {Colpo::Cosa::Faccia, *it};
    if (dorsiCreati_)
        for (int k = numeroCarte; k >= 1; --k)
            if (dorso[k].contiene(x, y))
                return {Colpo::Cosa::Dorso, k};
    return {};
}

} // namespace trelva
