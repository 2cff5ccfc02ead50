#pragma once

#include <cstdint>
#include <random>
#include <span>
#include <vector>

#include "carte.h"

// The shuffle only needs uniform single-precision numbers in [0, 1) from a
// generator it can seed; tests and the replay tool put scripted ones here.
namespace trelva {

class Casuale {
public:
    virtual ~Casuale() = default;
    virtual void semina(std::uint64_t seme) = 0;
    virtual float prossimo() = 0;
};

class CasualeMersenne final : public Casuale {
public:
    void semina(std::uint64_t seme) override { motore_.seed(seme); }
    float prossimo() override
    {
        // 24 random bits fill a float's mantissa exactly, so 1.0 never comes out.
        return float(motore_() >> 40) * (1.0f / 16777216.0f);
    }

private:
    std::mt19937_64 motore_;
};

// The shuffle picks a slot of the deck as floor(draw x this): 0 to 40, where
// slot 0 and the slots already dealt are empty and draw again.
inline constexpr int postiDelMescolo = numeroCarte + 1;

// Hands the shuffle a chosen deal, for the tests and the replay tool: the
// draw for card n lands in the middle of its slot, and since a deal names
// every card once, no draw is ever repeated.
class CasualeCopione final : public Casuale {
public:
    std::vector<float> numeri;
    std::size_t letti = 0;
    void semina(std::uint64_t) override { }
    float prossimo() override { return numeri.at(letti++ % numeri.size()); }

    static float perCarta(int carta) { return float((carta + 0.5) / postiDelMescolo); }
    void ordine(std::span<const int> carte)
    {
        numeri.clear();
        letti = 0;
        for (int c : carte)
            numeri.push_back(perCarta(c));
    }
};

} // namespace trelva
