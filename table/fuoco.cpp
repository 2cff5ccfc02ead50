#include "fuoco.h"

#include <algorithm>

namespace trelva {

std::optional<Fuoco::Verso> Fuoco::versoDi(int tasto)
{
    switch (tasto) {
    case Qt::Key_Up:
        return Verso::Su;
    case Qt::Key_Down:
        return Verso::Giu;
    case Qt::Key_Left:
        return Verso::Sinistra;
    case Qt::Key_Right:
        return Verso::Destra;
    default:
        return std::nullopt;
    }
}

void Fuoco::muovi(Verso verso)
{
    Posto& p = posto_;
    if (p.riga == mazzetto.riga) {
        if (verso == Verso::Su)
            p = {righeTavolo, mazzetto.colonna};
        return;
    }
    switch (verso) {
    case Verso::Su:
        p.riga = std::max(1, p.riga - 1);
        break;
    case Verso::Giu:
        p = p.riga == righeTavolo ? mazzetto : Posto{p.riga + 1, p.colonna};
        break;
    case Verso::Sinistra:
        p.colonna = std::max(1, p.colonna - 1);
        break;
    case Verso::Destra:
        p.colonna = std::min(colonneTavolo, p.colonna + 1);
        break;
    }
}

QRectF Fuoco::riquadro(const Geometria& g, Posto p)
{
    const Punto c = g.centro(p);
    return QRectF(c.x - g.larghezza / 2.0, c.y - g.altezza / 2.0, g.larghezza, g.altezza);
}

} // namespace trelva
