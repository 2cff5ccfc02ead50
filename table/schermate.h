#pragma once

#include <QColor>
#include <QRectF>
#include <QString>

namespace trelva {

// A control of the window other than a card: where it stands in window units
// and whether it shows.
struct Controllo {
    QRectF posto;
    bool visible = false;
    // tooltip
    QString suggerimento;
};

// What the window shows besides the cards: its background, the logo, the web
// address, the title picture, its frame and the notice, with their colours and
// captions. The drawing surface only draws it.
struct Schermata {
    QColor sfondo{0, 64, 0};
    Controllo Logo, sito, testo, Shape1, CopyRight;
    QColor sitoSfondo, sitoTesto;
    QString testoSito, testoCopyRight;
};

// The window's two screens, each laid out here and nowhere else: its numbers,
// its controls and its captions.
namespace schermate {

// Before the title: a white window, nothing on it yet.
Schermata inBianco();
// The title screen for a window `larghezza` pixels wide at `dpi`: on a narrow
// screen the logo stays away.
Schermata titolo(double larghezza, double dpi);
// The table: the title's logo and web address move to the top-right corner.
Schermata tavolo(Schermata dalTitolo);

} // namespace schermate

} // namespace trelva
