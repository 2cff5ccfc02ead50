#pragma once

#include <QHash>
#include <QPixmap>
#include <QSvgRenderer>
#include <array>
#include <memory>

#include "carte.h"

// Card pictures rendered from their vector art at the exact device pixel size
// they are shown at, so they stay crisp at any window size and screen density.
// A new size renders them again; one size is kept.
class Figure {
public:
    Figure();

    const QPixmap& faccia(int carta, QSize pixel, qreal dpr);
    const QPixmap& dorso(QSize pixel, qreal dpr);

    // The logo and the title picture are drawn straight from their vectors.
    QSvgRenderer& logo() { return logo_; }
    QSvgRenderer& testo() { return testo_; }

private:
    struct Risorse {
        Risorse();
    } risorse_;  // first member: loaded before the renderers read them

    const QPixmap& rendi(int indice, QSize pixel, qreal dpr);

    std::array<std::unique_ptr<QSvgRenderer>, trelva::numeroCarte + 1> vettori_;  // 0 = back
    std::array<QPixmap, trelva::numeroCarte + 1> pronte_;
    QSvgRenderer logo_;
    QSvgRenderer testo_;
};
