#pragma once

#include <cstdint>

// What the rules need from the window system: to wait, to be woken and to
// repaint; nothing else of the window. The window implements it with Qt; the
// tests and the replay tool with scripts.
namespace trelva {

class Piattaforma {
public:
    virtual ~Piattaforma() = default;

    // A wait pass of the game loop: pending events run here. The window may
    // sleep until sveglia() is called; nothing the rules look at changes before.
    virtual void attendi() = 0;

    // Step `passo` of a card move has been drawn: pending events run here, and
    // the call returns when the next step is due.
    virtual void cediPasso(int passo) = 0;

    // A press, a new game or a quit wants the game loop's attention.
    virtual void sveglia() { }

    // A seed for the shuffle, read from the clock.
    virtual std::uint64_t seme() = 0;

    // The pictures or labels have changed.
    virtual void ridisegna() { }
};

} // namespace trelva
