#pragma once

#include <array>
#include <optional>

// Where everything lies on the table, in window units (the client area is
// 1280 x 1024 of them). Card size doubles as column and row pitch: the 40
// places tile a 10 x 4 grid with no gaps.
namespace trelva {

struct Punto {
    double x = 0;
    double y = 0;
};

struct Segmento {
    Punto da;
    Punto a;
};

struct Posto {
    int riga = 0;
    int colonna = 0;
};

struct Geometria {
    float larghezza = 0; // card width, column pitch
    float altezza = 0; // card height, row pitch
    float sinistra = 0; // left edge of column 1
    int sopra = 0; // top edge of row 1

    // Measured once at start-up from the first face and the client width.
    static Geometria misura(float largoarea, float larghezzaCarta, float altezzaCarta);

    bool misurata() const { return larghezza > 0 && altezza > 0; }

    // Top-left corner of a table place (row 1-4, column 1-10).
    Punto posto(int riga, int colonna) const;
    Punto mazzetto() const; // the stock, under colonnaMazzetto
    Punto temporaneo() const; // where the card in hand waits, under column 4
    double xTemporaneo() const; // the temporary place's left edge as the moves compute it
    // The middle of a table place or, on row 5, of the stock: where a press
    // that names a place rather than a point lands.
    Punto centro(Posto p) const;

    // The place of a card back from where it lies; the extra unit lets a back
    // a hair left of or above a slot edge still fall into that slot.
    Posto postoDiDorso(float left, float top) const;

    // The place of a press on the bare table, or nothing when it falls outside
    // the grid (the right 4 % of column 10 and the lowest 4 % of row 4 are out).
    std::optional<Posto> postoDiPressione(double x, double y) const;

    // The outline of the four King places: five horizontal edges over column
    // 10 and its right edge.
    std::array<Segmento, 6> Riquadri() const;
};

// Coordinates handed to a move are whole units, halves to even.
int arrotonda(double v);

} // namespace trelva
