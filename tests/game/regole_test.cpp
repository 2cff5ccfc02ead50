#include <gtest/gtest.h>

#include "piattaforma_finta.h"
#include "posti.h"

using namespace trelva;
using namespace trelva::prova;

TEST(Carte, NumeroSemeValore)
{
    const int casi[][3] = {{1, 1, 1}, {10, 1, 10}, {11, 2, 1}, {20, 2, 10}, {31, 4, 1}, {40, 4, 10}};
    for (auto& c : casi) {
        EXPECT_EQ(semeDi(c[0]), c[1]) << c[0];
        EXPECT_EQ(valoreDi(c[0]), c[2]) << c[0];
    }
    for (int k = 1; k <= 40; ++k)
        EXPECT_EQ(eRe(k), k == 10 || k == 20 || k == 30 || k == 40);
}

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

TEST(Regole, ValoreVuoleLaColonnaDelValore)
{
    Banco b;
    Tavolo& t = b.tavolo;
    t.inmano = 27;
    for (int c = 1; c <= 10; ++c) {
        t.colonna = c;
        EXPECT_EQ(t.valore(), c == 7);
    }
    for (int re : {10, 20, 30, 40}) {
        t.inmano = re;
        t.colonna = 10;
        EXPECT_TRUE(t.valore());
        t.colonna = 9;
        EXPECT_FALSE(t.valore());
    }
}

TEST(Geometria, EsempioDiUnTavoloLargo1280)
{
    const Geometria g = Geometria::misura(1280, 68, 110);
    EXPECT_EQ(g.sinistra, 300);
    EXPECT_EQ(g.sopra, 0);
    EXPECT_DOUBLE_EQ(g.posto(1, 10).x, 912);
    EXPECT_DOUBLE_EQ(g.posto(4, 1).y, 330);
    EXPECT_DOUBLE_EQ(g.mazzetto().x, xMazzetto);
    EXPECT_DOUBLE_EQ(g.mazzetto().y, yLineaMazzetto);
    EXPECT_DOUBLE_EQ(g.temporaneo().x, xTemporaneo);
    EXPECT_DOUBLE_EQ(g.temporaneo().y, yLineaMazzetto);

    const auto linee = g.Riquadri();
    for (int k = 0; k <= 4; ++k) {
        EXPECT_DOUBLE_EQ(linee[k].da.x, 912);
        EXPECT_DOUBLE_EQ(linee[k].a.x, 980);
        EXPECT_DOUBLE_EQ(linee[k].da.y, 110.0 * k);
        EXPECT_DOUBLE_EQ(linee[k].a.y, 110.0 * k);
    }
    EXPECT_DOUBLE_EQ(linee[5].da.x, 980);
    EXPECT_DOUBLE_EQ(linee[5].a.x, 980);
    EXPECT_DOUBLE_EQ(linee[5].da.y, 0);
    EXPECT_DOUBLE_EQ(linee[5].a.y, 440);
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

TEST(Geometria, PressioniSulTavoloNeiLimitiInclusi)
{
    const Geometria g = Geometria::misura(1280, 68, 110);
    const double destra = 300 + 9.96 * 68; // 977.28
    const double sotto = 3.96 * 110; // 435.6

    auto posto = g.postoDiPressione(destra, sotto);
    ASSERT_TRUE(posto);
    EXPECT_EQ(posto->colonna, 10);
    EXPECT_EQ(posto->riga, 4);
    posto = g.postoDiPressione(300, 0);
    ASSERT_TRUE(posto);
    EXPECT_EQ(posto->colonna, 1);
    EXPECT_EQ(posto->riga, 1);

    EXPECT_FALSE(g.postoDiPressione(destra + 0.01, 50));
    EXPECT_FALSE(g.postoDiPressione(980, 50)) << "the right frame line";
    EXPECT_FALSE(g.postoDiPressione(950, sotto + 0.01));
    EXPECT_FALSE(g.postoDiPressione(950, 440)) << "the bottom frame line";
    EXPECT_FALSE(g.postoDiPressione(299.99, 50));
    EXPECT_FALSE(g.postoDiPressione(400, -0.01));
    EXPECT_FALSE(g.postoDiPressione(720, 500)) << "the stock's line";
    EXPECT_FALSE(Geometria{}.postoDiPressione(0, 0)) << "no table before it is measured";
}

TEST(Geometria, ArrotondaAlPari)
{
    EXPECT_EQ(arrotonda(456.5), 456);
    EXPECT_EQ(arrotonda(457.5), 458);
    EXPECT_EQ(arrotonda(-0.5), 0);
    EXPECT_EQ(arrotonda(-1.5), -2);
    EXPECT_EQ(arrotonda(503.49), 503);
    EXPECT_EQ(arrotonda(503.51), 504);
}
