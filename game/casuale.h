#pragma once

#include <cstdint>
#include <random>

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

} // namespace trelva
