#include "geometria.h"

#include <cmath>

#include "carte.h"

namespace trelva {

namespace {
constexpr double fattoreRigaMazzetto = 4.15;
constexpr double limiteColonne = 9.96;
constexpr double limiteRighe = 3.96;
} // namespace

Geometria Geometria::misura(float largoarea, float larghezzaCarta, float altezzaCarta)
{
    Geometria g;
    g.larghezza = larghezzaCarta;
    g.altezza = altezzaCarta;
    g.sinistra = (largoarea - 10.0f * larghezzaCarta) / 2.0f;
    g.sopra = 0;
    return g;
}

Punto Geometria::posto(int riga, int colonna) const
{
    return {sinistra + (colonna - 1) * double(larghezza), sopra + (riga - 1) * double(altezza)};
}

Punto Geometria::mazzetto() const
{
    return {sinistra + double(float(colonnaMazzetto - 1) * larghezza), sopra + fattoreRigaMazzetto * altezza};
}

double Geometria::xTemporaneo() const
{
    return sinistra + double(3.0f * larghezza);
}

Punto Geometria::temporaneo() const
{
    return {xTemporaneo(), sopra + fattoreRigaMazzetto * altezza};
}

Punto Geometria::centro(Posto p) const
{
    const Punto angolo = p.riga == rigaMazzetto ? mazzetto() : posto(p.riga, p.colonna);
    return {angolo.x + larghezza / 2.0, angolo.y + altezza / 2.0};
}

Posto Geometria::postoDiDorso(float left, float top) const
{
    return {int(std::floor((top + 1.0 - sopra) / altezza)) + 1,
            int(std::floor((left + 1.0 - sinistra) / larghezza)) + 1};
}

std::optional<Posto> Geometria::postoDiPressione(double x, double y) const
{
    if (!misurata())
        return std::nullopt;
    if (x < sinistra || x > sinistra + limiteColonne * larghezza || y < sopra || y > sopra + limiteRighe * altezza)
        return std::nullopt;
    return Posto{int(std::floor((y - sopra) / altezza)) + 1,
                 int(std::floor((x - sinistra) / larghezza)) + 1};
}

std::array<Segmento, 6> Geometria::Riquadri() const
{
    std::array<Segmento, 6> linee;
    const float x9 = sinistra + 9.0f * larghezza;
    const float x10 = sinistra + 10.0f * larghezza;
    for (int k = 0; k <= 4; ++k) {
        const float y = sopra + float(k) * altezza;
        linee[k] = {{x9, y}, {x10, y}};
    }
    linee[5] = {{x10, float(sopra)}, {x10, sopra + 4.0f * altezza}};
    return linee;
}

int arrotonda(double v)
{
    double intero = std::floor(v);
    const double resto = v - intero;
    if (resto > 0.5 || (resto == 0.5 && std::fmod(intero, 2.0) != 0.0))
        intero += 1.0;
    return int(intero);
}

} // namespace trelva
