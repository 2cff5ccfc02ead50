#include <gtest/gtest.h>

#include "piattaforma_finta.h"
#include "posti.h"

using namespace trelva;
using namespace trelva::prova;

namespace {
struct Traccia {
    std::vector<float> left, top;
    std::vector<int> passo;
};

Traccia muovi(Banco& b, int carta, int x1, int x2, int y1, int y2)
{
    Traccia tr;
    b.piattaforma.aOgniPasso = [&tr, carta](Tavolo& t, int passo) {
        tr.left.push_back(t.immagini.carta[carta].left);
        tr.top.push_back(t.immagini.carta[carta].top);
        tr.passo.push_back(t.passo());
        EXPECT_EQ(passo, t.passo());
    };
    b.tavolo.muovicarta(carta, x1, x2, y1, y2);
    b.piattaforma.aOgniPasso = nullptr;
    return tr;
}
} // namespace

TEST(Muovicarta, PassiUgualiInLineaRettaFinoAllaMeta)
{
    Banco b;
    b.tavolo.passi = 100;
    const Traccia tr = muovi(b, 12, xMazzetto, xTemporaneo, yPescata, yPescata);
    ASSERT_EQ(tr.left.size(), 100u);
    EXPECT_FLOAT_EQ(tr.left[0], xMazzetto);
    EXPECT_FLOAT_EQ(tr.left[1], 705.96f);
    EXPECT_FLOAT_EQ(tr.left[2], 703.92f);
    EXPECT_FLOAT_EQ(tr.left[99], 506.04f);
    EXPECT_EQ(tr.passo.front(), 1);
    EXPECT_EQ(tr.passo.back(), 100);
    for (float y : tr.top)
        EXPECT_EQ(y, yPescata);
    EXPECT_EQ(b.tavolo.immagini.carta[12].left, xTemporaneo);
    EXPECT_EQ(b.tavolo.immagini.carta[12].top, yPescata);
    EXPECT_EQ(b.tavolo.passo(), 0);
}

TEST(Muovicarta, VersoSinistraEInAltoEFermaSulPosto)
{
    Banco b;
    b.tavolo.passi = 200;
    const Traccia tr = muovi(b, 3, xTemporaneo, 300, yPescata, 110);
    ASSERT_EQ(tr.top.size(), 200u);
    EXPECT_FLOAT_EQ(tr.left[100], 402);
    EXPECT_FLOAT_EQ(tr.top[100], 283);
    for (std::size_t i = 1; i < tr.left.size(); ++i) {
        EXPECT_LT(tr.left[i], tr.left[i - 1]);
        EXPECT_LT(tr.top[i], tr.top[i - 1]);
    }

    const Traccia ferma = muovi(b, 3, 300, 300, 110, 110);
    EXPECT_EQ(ferma.left.size(), 200u) << "a move in place still takes every step";
}

TEST(Muovicarta, SenzaRitmoSaltaSenzaCedere)
{
    Banco b;
    b.tavolo.passi = 0;
    const Traccia tr = muovi(b, 40, xMazzetto, xTemporaneo, yPescata, yPescata);
    EXPECT_TRUE(tr.left.empty());
    EXPECT_EQ(b.piattaforma.passiCeduti, 0);
    EXPECT_EQ(b.tavolo.immagini.carta[40].left, xTemporaneo);
    EXPECT_EQ(b.tavolo.passo(), 0);
}

TEST(Muovicarta, LaCartaMossaStaDavantiATutte)
{
    Banco b;
    Tavolo& t = b.tavolo;
    t.immagini.creaDorsi();
    for (int k : {5, 6}) {
        t.immagini.carta[k].visible = true;
        t.muovicarta(k, xTemporaneo, xTemporaneo, yPescata, yPescata);
    }
    t.immagini.dorso[33].visible = true;
    t.immagini.dorso[33].left = xTemporaneo;
    t.immagini.dorso[33].top = yPescata;
    EXPECT_EQ(t.immagini.colpisci(510, 460).carta, 6);
    t.muovicarta(5, xTemporaneo, xTemporaneo, yPescata, yPescata);
    const Colpo c = t.immagini.colpisci(510, 460);
    EXPECT_EQ(c.cosa, Colpo::Cosa::Faccia);
    EXPECT_EQ(c.carta, 5);
}

TEST(Muovicarta, UnRitmoPiuVeloceSceltoDuranteLaMossaLaChiude)
{
    Banco b;
    Tavolo& t = b.tavolo;
    t.passi = 360;
    b.piattaforma.aOgniPasso = [](Tavolo& tv, int passo) {
        if (passo == 150)
            // already passed: the move must still end on its target
            tv.passi = 100;
    };
    t.muovicarta(8, 0, 360, 0, 0);
    EXPECT_EQ(b.piattaforma.passiCeduti, 150);
    EXPECT_EQ(t.immagini.carta[8].left, 360);
    EXPECT_EQ(t.passo(), 0);
}
