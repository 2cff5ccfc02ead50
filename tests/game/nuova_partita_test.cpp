#include <gtest/gtest.h>

#include "mazzi.h"
#include "piattaforma_finta.h"
#include "posti.h"

using namespace trelva;
using namespace trelva::prova;

namespace {
// Every face parked, every back on the layout of the deal in mescolato, all
// rows free, no label.
void tavoloPulito(const Tavolo& t)
{
    for (int k = 1; k <= 40; ++k) {
        EXPECT_EQ(t.immagini.carta[k].left, 10000) << k;
        EXPECT_EQ(t.immagini.carta[k].top, 10000) << k;
    }
    for (int p = 1; p <= 40; ++p) {
        const Immagine& d = t.immagini.dorso[t.mescolato[p]];
        ASSERT_TRUE(d.visible);
        const Posto q = t.geometria.postoDiDorso(d.left, d.top);
        if (p <= 36) {
            EXPECT_EQ(q.riga, (p - 1) / 9 + 1);
            EXPECT_EQ(q.colonna, (p - 1) % 9 + 1);
        } else {
            EXPECT_EQ(q.riga, 5);
            EXPECT_EQ(q.colonna, 7);
        }
    }
    EXPECT_EQ(t.semi, (std::array<int, 5>{}));
    EXPECT_EQ(t.esito(), Esito::Nessuno);
    EXPECT_EQ(t.passo(), 0);
    EXPECT_EQ(t.fase, 1);
    EXPECT_TRUE(t.pesca);
}
} // namespace

TEST(NuovaPartita, DopoLaFineNascondeLEtichettaEDaDiNuovo)
{
    Banco b;
    for (int i = 0; i < 8; ++i)
        b.piattaforma.copione.push_back(giocaGiusto);
    b.gioca(dealPerdente(), {});
    ASSERT_EQ(b.tavolo.esito(), Esito::Sorry);
    ASSERT_FALSE(b.tavolo.partitaInCorso());

    b.casuale.ordine(dealVincente(3));
    b.piattaforma.copione.push_back(tavoloPulito);
    b.tavolo.newgame_Click();
    EXPECT_EQ(b.tavolo.mescolato[37], dealVincente(3)[36]);
    EXPECT_FALSE(b.tavolo.immagini.lblSorry.visible);
}

TEST(NuovaPartita, DiecimilaVolteInAttesaEDuranteUnaMossaSenzaAnnidarsi)
{
    Banco b;
    Tavolo& t = b.tavolo;
    t.passi = 100;
    int richieste = 0;
    // Alternate: a new game from a wait pass, and one from the middle of the
    // draw's move. The move's yields hold the table of the abandoned game.
    b.piattaforma.aOgniPasso = [&](Tavolo& tv, int passo) {
        if (passo == 37) {
            ++richieste;
            EXPECT_TRUE(tv.partitaInCorso());
            tv.newgame_Click();
        }
    };
    for (int i = 0; i < 5000; ++i) {
        b.piattaforma.copione.push_back([&](Tavolo& tv) {
            ++richieste;
            tv.newgame_Click();
        });
        b.piattaforma.copione.push_back(premiMazzetto());
    }
    b.piattaforma.copione.push_back(tavoloPulito);
    b.casuale.ordine(dealVincente(11));
    t.avvia();

    EXPECT_EQ(richieste, 10000);
    EXPECT_EQ(b.piattaforma.massimaProfondita, 1) << "a new game never runs inside another";
    EXPECT_EQ(t.passo(), 0);
    EXPECT_FALSE(t.partitaInCorso());
    EXPECT_EQ(t.esito(), Esito::Nessuno) << "no abandoned game comes back to show a label";
}

TEST(NuovaPartita, UscireFermaLaMossaEIlGioco)
{
    Banco b;
    b.tavolo.passi = 360;
    b.piattaforma.aOgniPasso = [](Tavolo& t, int passo) {
        if (passo == 5)
            t.esci();
    };
    b.gioca(dealPerdente(), {premiMazzetto(), [](Tavolo&) { ADD_FAILURE() << "the game went on after quit"; }});
    EXPECT_EQ(b.piattaforma.passiCeduti, 5);
    EXPECT_FALSE(b.tavolo.partitaInCorso());
    b.tavolo.newgame_Click();
    EXPECT_EQ(b.piattaforma.attese, 1) << "no game starts once quitting";
}

TEST(NuovaPartita, PrimaCheIDorsiEsistanoNullaSiMuove)
{
    Banco b;
    b.piattaforma.copione.push_back([](Tavolo&) { ADD_FAILURE() << "a game started"; });
    b.tavolo.newgame_Click();
    b.tavolo.premi(400, 50, 1);
    EXPECT_FALSE(b.tavolo.cliccato);
    EXPECT_EQ(b.piattaforma.attese, 0);
}

TEST(NuovaPartita, LAttivazioneParcheggiaLeFacce)
{
    Banco b;
    b.tavolo.immagini.carta[17].left = xTemporaneo;
    b.tavolo.immagini.carta[17].visible = true;
    b.tavolo.Form_Activate();
    for (int k = 1; k <= 40; ++k) {
        EXPECT_EQ(b.tavolo.immagini.carta[k].left, 10000);
        EXPECT_EQ(b.tavolo.immagini.carta[k].top, 10000);
    }
    EXPECT_EQ(b.tavolo.immagini.colpisci(520, 470).cosa, Colpo::Cosa::Tavolo);
}
