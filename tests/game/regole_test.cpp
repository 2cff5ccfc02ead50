// Two rules the model check and the played games do not reach on their own:
// how a row is bound (the stock's line binding none), and a back a unit off
// its place still found there. The cards' arithmetic, the layout's numbers and
// the rounding are checked by the model check against its own simulation.
#include <gtest/gtest.h>

#include "piattaforma_finta.h"

using namespace trelva;
using namespace trelva::prova;

TEST(Regole, SuitLegaUnaRigaLiberaUnaVoltaSola)
{
    Banco b;
    Tavolo& t = b.tavolo;

    t.inmano = 27; // batons 7
    t.riga = 5;
    EXPECT_FALSE(t.suit()) << "the stock's line is no row";
    EXPECT_EQ(t.semi, (std::array<int, 5>{}));

    t.riga = 3;
    EXPECT_TRUE(t.suit());
    EXPECT_EQ(t.semi[3], 3);
    t.inmano = 21;
    t.riga = 1;
    EXPECT_FALSE(t.suit()) << "batons already have row 3";
    EXPECT_EQ(t.semi[1], 0);

    t.inmano = 5; // coins, bound nowhere, aimed at the batons' row
    t.riga = 3;
    EXPECT_FALSE(t.suit());
    EXPECT_EQ(t.semi, (std::array<int, 5>{0, 0, 0, 3, 0}));

    // A free row is taken even when the column is then refused.
    t.riga = 2;
    t.colonna = 4;
    EXPECT_TRUE(t.suit());
    EXPECT_FALSE(t.valore());
    EXPECT_EQ(t.semi[2], 1);
}

TEST(Geometria, PostoDiUnDorsoTolleraUnUnita)
{
    const Geometria g = Geometria::misura(1280, 68, 110);
    for (int r = 1; r <= 4; ++r)
        for (int c = 1; c <= 10; ++c) {
            const Punto p = g.posto(r, c);
            for (double scarto : {0.0, -0.5, -1.0}) {
                const Posto q = g.postoDiDorso(float(p.x + scarto), float(p.y + scarto));
                EXPECT_EQ(q.riga, r);
                EXPECT_EQ(q.colonna, c);
            }
        }
    const Posto stock = g.postoDiDorso(float(g.mazzetto().x), float(g.mazzetto().y));
    EXPECT_EQ(stock.riga, 5);
    EXPECT_EQ(stock.colonna, 7);
}

