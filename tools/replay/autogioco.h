#pragma once

#include <cstdint>

#include "tavolo.h"

// Plays random deals with a fixed, always legal strategy: press the top card
// of the stock; with a card in hand press its own place (the row its suit is
// bound to, or the first free row from the top, in the column of its value).
namespace trelva::replay {

struct Bilancio {
    long partite = 0;
    long vinte = 0;
    long pressioni = 0;
    // a game that would not end; the strategy is broken
    bool bloccata = false;
};

// xoshiro256**: the shuffle reseeds its generator for every game, and a
// Mersenne Twister's 2.5 kB state made that reseeding the biggest cost of a
// game here. Same 24-bit floats in [0, 1) as the window's generator.
class CasualeVeloce final : public Casuale {
public:
    void semina(std::uint64_t seme) override;
    float prossimo() override { return float(successivo() >> 40) * (1.0f / 16777216.0f); }

private:
    std::uint64_t successivo();
    std::uint64_t s_[4]{};
};

class Autogioco final : public Piattaforma {
public:
    // With esatto every press goes through the table's own hit test
    // (Tavolo::premi), as the window sends it; without, the driver names the
    // pressed back itself, which is the same press without the picture search.
    Autogioco(std::uint64_t seme, bool esatto);

    Bilancio gioca(long partite);

    void attendi() override;
    void cediPasso(int) override { }
    std::uint64_t seme() override;

private:
    void premiMazzetto();
    void premiPosto(int riga, int colonna);

    CasualeVeloce casuale_;
    Tavolo tavolo_;
    std::uint64_t stato_;
    bool esatto_;
    int pressioniPartita_ = 0;
    Bilancio bilancio_;
};

} // namespace trelva::replay
