#pragma once

#include <QRectF>
#include <optional>

#include "carte.h"
#include "geometria.h"

namespace trelva {

// The keyboard's place on the table: one of the 40 places of the grid or the
// stock, the places a press can reach. It is drawn only once a key has been
// used, so a mouse player never sees it.
class Fuoco {
public:
    enum class Verso { Su,
                       Giu,
                       Sinistra,
                       Destra };

    static constexpr Posto mazzetto{rigaMazzetto, colonnaMazzetto};

    // The arrow keys; any other key moves nothing.
    static std::optional<Verso> versoDi(int tasto);

    Posto posto() const { return posto_; }
    bool visibile() const { return visibile_; }
    void mostra(bool si) { visibile_ = si; }
    void alMazzetto() { posto_ = mazzetto; }

    // Within the grid the arrows stop at its edges; below row 4 lies the
    // stock, and up from the stock is the column above it.
    void muovi(Verso verso);

    // The place's box in window units.
    static QRectF riquadro(const Geometria& g, Posto p);

private:
    Posto posto_ = mazzetto;
    bool visibile_ = false;
};

} // namespace trelva
