// Pictures rendered on an earlier start, kept in the user's cache folder so
// that the title screen's first frame copies them rather than parsing and
// rendering their vector art again (some 5 ms of it). A copy is named after
// the art it was rendered from and the size it was rendered at: new art, or
// another size, simply finds none, and the picture is rendered as before.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace trelva {

namespace copie {

// The copy of `vettore` (the art's own bytes) at `pixel`, from `cartella`;
// null when there is none, or what is there is not whole.
QImage leggi(const QString& cartella, const QByteArray& vettore, QSize pixel);

// Keeps `immagine`, rendered from `vettore`, in `cartella` (made when needed).
// A copy that cannot be written is not kept, and nothing else happens.
void conserva(const QString& cartella, const QByteArray& vettore, const QImage& immagine);

} // namespace copie

} // namespace trelva
