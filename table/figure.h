#pragma once

#include <QPixmap>
#include <QSvgRenderer>
#include <array>
#include <memory>

#include "carte.h"

namespace trelva {

// Card pictures rendered from their vector art at the exact device pixel size
// they are shown at, so they stay crisp at any window size and screen density.
// Card edges snap to whole pixels, so one card is a pixel wider or taller in
// some places than in others: the few sizes a card takes are all kept.
class Figure {
public:
    Figure();

    const QPixmap& faccia(int carta, QSize pixel, qreal dpr);
    const QPixmap& dorso(QSize pixel, qreal dpr);

    // The logo and the title picture, rendered once at the size they show at,
    // or copied from an earlier start's.
    const QPixmap& logo(QSize pixel, qreal dpr) { return unaVolta(logo_, pixel, dpr); }
    const QPixmap& testo(QSize pixel, qreal dpr) { return unaVolta(testo_, pixel, dpr); }
    // Where those two are kept between starts (see copie.h); none are kept
    // until it is given. conservaTitolo() keeps those this start rendered.
    void usaCopie(QString cartella) { copie_ = std::move(cartella); }
    void conservaTitolo();

    // How many card pictures have been rendered so far, for the figures.
    int rese() const { return rese_; }

private:
    struct Risorse {
        Risorse();
    } risorse_; // first member: loaded before the renderers read them

    // A picture shown once, whose art is rendered only when no copy of it fits.
    struct UnaVolta {
        QByteArray arte; // the SVG's own bytes: what it renders from, what names its copies
        QPixmap pronta = {};
        QImage daConservare = {}; // rendered on this start, not yet kept
    };

    const QPixmap& rendi(int indice, QSize pixel, qreal dpr);
    const QPixmap& unaVolta(UnaVolta& figura, QSize pixel, qreal dpr);
    static QImage disegnata(QSvgRenderer& vettore, QSize pixel);
    static QPixmap aScala(const QImage& immagine, qreal dpr);

    std::array<std::unique_ptr<QSvgRenderer>, numeroCarte + 1> vettori_; // 0 = back
    // A card snapped at any position is one of floor/ceil wide by floor/ceil high.
    static constexpr int misurePerCarta = 4;
    std::array<std::array<QPixmap, misurePerCarta>, numeroCarte + 1> pronte_;
    int rese_ = 0;
    QString copie_;
    UnaVolta logo_;
    UnaVolta testo_;
};

} // namespace trelva
