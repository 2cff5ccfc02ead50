#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "carte.h"

// The card pictures are the table: where a card lies, and whether it is
// covered, is known only from where its back or face stands and which of the
// two is shown. The window draws them; the rules move them.
namespace trelva {

inline constexpr float larghezzaDisegno = 68; // a card picture as designed, window units
inline constexpr float altezzaDisegno = 110;

struct Immagine {
    float left = 0;
    float top = 0;
    float width = 0;
    float height = 0;
    bool visible = false;

    bool contiene(double x, double y) const
    {
        return visible && x >= left && x < left + width && y >= top && y < top + height;
    }
};

struct Colpo {
    enum class Cosa { Tavolo,
                      Faccia,
                      Dorso } cosa
        = Cosa::Tavolo;
    int carta = 0;
};

class Immagini {
public:
    Immagini();

    std::array<Immagine, numeroCarte + 1> carta; // faces, 1-40 (0 unused)
    std::array<Immagine, numeroCarte + 1> dorso; // backs; 0 is the model the others copy
    Immagine lblSorry;
    Immagine lblCongratulation;

    // Backs 1-40 exist only once start-up has copied them from the model.
    void creaDorsi();
    bool dorsiCreati() const { return dorsiCreati_; }

    // Faces lie above every back, so a card in hand passes over the covered
    // ones it travels across; among faces the one brought to the front last
    // is on top; among backs a later one lies over an earlier one.
    void portaDavanti(int k);
    std::vector<int> facceDalFondo() const; // drawing order of the faces

    // The topmost visible picture under a point, or the bare table.
    Colpo colpisci(double x, double y) const;

private:
    std::array<std::uint64_t, numeroCarte + 1> ordine_{};
    std::uint64_t ultimo_ = numeroCarte;
    bool dorsiCreati_ = false;
};

} // namespace trelva
