#include <gtest/gtest.h>

#include <algorithm>

#include "mazzi.h"
#include "piattaforma_finta.h"
#include "posti.h"

using namespace trelva;
using namespace trelva::prova;

TEST(Mescola, SempreUnaPermutazioneEMazzoVuoto)
{
    PiattaformaFinta p;
    CasualeMersenne casuale;
    Tavolo t(p, casuale);
    for (int partita = 0; partita < 500; ++partita) {
        t.semi = {0, 1, 2, 3, 4};
        t.Mescola();
        std::array<int, 41> ordinato = t.mescolato;
        std::sort(ordinato.begin() + 1, ordinato.end());
        for (int k = 1; k <= 40; ++k)
            ASSERT_EQ(ordinato[k], k);
        EXPECT_EQ(t.mazzo, (std::array<int, 41>{}));
        EXPECT_EQ(t.semi, (std::array<int, 5>{}));
    }
}

TEST(Mescola, RipescaSuZeroSuCarteGiaDateEFuoriIntervallo)
{
    PiattaformaFinta p;
    CasualeCopione c;
    Tavolo t(p, c);
    // 0 is never a card, 7 is dealt already the second time, 1.0 and -0.1
    // are outside what a generator should give: each is drawn again.
    c.numeri = {CasualeCopione::perCarta(0), CasualeCopione::perCarta(7), CasualeCopione::perCarta(0),
                CasualeCopione::perCarta(7), 1.0f, -0.1f};
    for (int k = 1; k <= 40; ++k)
        if (k != 7)
            c.numeri.push_back(CasualeCopione::perCarta(k));
    t.Mescola();
    EXPECT_EQ(t.mescolato[1], 7);
    for (int i = 2; i <= 40; ++i)
        EXPECT_EQ(t.mescolato[i], i <= 7 ? i - 1 : i);
    EXPECT_EQ(c.letti, c.numeri.size());
}

TEST(Mescola, OgniMescolataSiSeminaDallOrologio)
{
    PiattaformaFinta p;
    CasualeMersenne casuale;
    Tavolo t(p, casuale);
    t.Mescola();
    const auto primo = t.mescolato;
    t.Mescola();
    EXPECT_NE(t.mescolato, primo) << "two shuffles with two clock readings";
    EXPECT_EQ(p.semi, 2u);
}

TEST(DaiCarte, PosizioniDiRigheColonneEMazzetto)
{
    Banco b;
    Tavolo& t = b.tavolo;
    t.immagini.creaDorsi();
    b.casuale.ordine(dealPerdente());
    t.Mescola();
    t.dorso_MouseDown(t.mescolato[37], 1); // nothing must depend on earlier presses
    t.DaiCarte();

    for (int p = 1; p <= 36; ++p) {
        const Immagine& d = t.immagini.dorso[t.mescolato[p]];
        EXPECT_TRUE(d.visible);
        const Posto q = t.geometria.postoDiDorso(d.left, d.top);
        EXPECT_EQ(q.riga, (p - 1) / 9 + 1) << p;
        EXPECT_EQ(q.colonna, (p - 1) % 9 + 1) << p;
        EXPECT_EQ(d.width, 68);
        EXPECT_EQ(d.height, 110);
    }
    EXPECT_EQ(t.immagini.dorso[t.mescolato[1]].left, 300);
    EXPECT_EQ(t.immagini.dorso[t.mescolato[36]].left, 300 + 8 * 68);
    EXPECT_EQ(t.immagini.dorso[t.mescolato[36]].top, 330);
    for (int p = 37; p <= 40; ++p) {
        const Immagine& d = t.immagini.dorso[t.mescolato[p]];
        EXPECT_TRUE(d.visible);
        EXPECT_EQ(d.left, xMazzetto);
        EXPECT_EQ(d.top, yLineaMazzetto);
    }
    EXPECT_EQ(t.riga, 3);
    EXPECT_EQ(t.colonna, 9);
    // The last-created back lies on top of the stock.
    EXPECT_EQ(t.immagini.colpisci(720, 500).carta, 40);
}
