#include <gtest/gtest.h>

#include "mazzi.h"
#include "piattaforma_finta.h"
#include "posti.h"

using namespace trelva;
using namespace trelva::prova;

namespace {
void ripeti(Banco& b, int volte, PiattaformaFinta::Azione a)
{
    for (int i = 0; i < volte; ++i)
        b.piattaforma.copione.push_back(a);
}

bool coperta(const Tavolo& t, int k)
{
    return t.immagini.dorso[k].visible && !t.immagini.carta[k].visible;
}
} // namespace

TEST(Partita, UnDealVincenteFinisceConCongratulazioni)
{
    for (unsigned seme = 1; seme <= 20; ++seme) {
        Banco b;
        b.tavolo.passi = 3;
        b.casuale.ordine(dealVincente(seme));
        ripeti(b, 44, giocaGiusto); // 4 draws and 40 placements, not one more
        b.tavolo.avvia();
        EXPECT_EQ(b.tavolo.esito(), Esito::Congratulation) << seme;
        EXPECT_EQ(b.tavolo.piazzate(), 40);
        EXPECT_EQ(b.tavolo.pescate(), 4);
        EXPECT_EQ(b.tavolo.semi, (std::array<int, 5>{0, 1, 2, 3, 4}));
        for (int k = 1; k <= 40; ++k) {
            const Immagine& f = b.tavolo.immagini.carta[k];
            EXPECT_TRUE(f.visible);
            EXPECT_EQ(f.left, 300 + 68 * (valoreDi(k) - 1));
            EXPECT_EQ(f.top, 110 * (semeDi(k) - 1));
        }
    }
}

TEST(Partita, QuattroReNelMazzettoFinisceConSorryEPoiNullaConta)
{
    Banco b;
    ripeti(b, 8, giocaGiusto);
    b.gioca(dealPerdente(), {});
    EXPECT_EQ(b.tavolo.esito(), Esito::Sorry);
    EXPECT_EQ(b.tavolo.piazzate(), 4);
    EXPECT_TRUE(b.piattaforma.copione.empty());
    EXPECT_FALSE(b.tavolo.immagini.lblCongratulation.visible);

    // After the end presses are recorded but nothing judges them.
    const auto prima = b.tavolo.immagini.carta;
    premiPosto(1, 1)(b.tavolo);
    EXPECT_TRUE(b.tavolo.cliccato);
    EXPECT_EQ(b.tavolo.immagini.carta[1].left, prima[1].left);
    EXPECT_TRUE(coperta(b.tavolo, 1));
}

TEST(Partita, LaPrimaPressioneDeveEssereSulMazzetto)
{
    Banco b;
    b.tavolo.passi = 10;
    const auto deal = dealVincente(7);
    const int stock = *std::max_element(deal.begin() + 36, deal.end()); // the last-made back is on top
    b.gioca(deal, {premiPosto(1, 1), premiPosto(2, 10), [&](Tavolo& t) {
                       EXPECT_EQ(t.fase, 1);
                       EXPECT_TRUE(t.pesca);
                       EXPECT_TRUE(coperta(t, deal[0]));
                       premiMazzetto()(t); }, [&](Tavolo& t) {
                       // The pressed back has gone and its face waits at the temporary place.
                       EXPECT_EQ(t.inmano, stock);
                       EXPECT_EQ(t.fase, 2);
                       EXPECT_FALSE(t.immagini.dorso[stock].visible);
                       EXPECT_EQ(t.immagini.carta[stock].left, xTemporaneo);
                       EXPECT_EQ(t.immagini.carta[stock].top, yPescata);
                       premiMazzetto()(t);
                       EXPECT_FALSE(t.cliccato) << "the stock is no place for the card in hand"; }, [&](Tavolo& t) { EXPECT_EQ(t.pescate(), 1); }});
    EXPECT_EQ(b.piattaforma.passiCeduti, 10);
}

namespace {
// Kings 10, 20, 30 and swords 9 on the stock, swords 9 on top; King 40 lies
// in row 4 column 9.
std::vector<int> dealConNoveDiSpade()
{
    std::vector<int> deal = dealPerdente();
    std::swap(deal[39], deal[35]);
    return deal;
}
} // namespace

TEST(Partita, LegameDelleRigheEColonneSbagliate)
{
    const std::vector<int> deal = dealConNoveDiSpade();
    Banco b;
    b.gioca(deal, {premiMazzetto(), premiPosto(3, 4), // wrong column: row 3 is now the swords' row
                   [](Tavolo& t) {
                       EXPECT_EQ(t.semi[3], 4);
                       EXPECT_EQ(t.piazzate(), 0);
                       EXPECT_EQ(t.inmano, 39);
                       // right column, but swords belong in row 3
                       premiPosto(2, 9)(t);
                   },
                   [](Tavolo& t) {
                       EXPECT_EQ(t.semi, (std::array<int, 5>{0, 0, 0, 4, 0}));
                       EXPECT_EQ(t.piazzate(), 0);
                       premiPosto(3, 9)(t);
                   },
                   [&](Tavolo& t) {
                       EXPECT_EQ(t.piazzate(), 1);
                       EXPECT_EQ(t.immagini.carta[39].left, 300 + 8 * 68);
                       EXPECT_EQ(t.immagini.carta[39].top, 220);
                       // The card that lay there came up and is the new card in hand.
                       EXPECT_EQ(t.inmano, deal[26]);
                       EXPECT_EQ(t.immagini.carta[deal[26]].left, xTemporaneo);
                       // An uncovered card rests a unit lower than a drawn one.
                       EXPECT_EQ(t.immagini.carta[deal[26]].top, yScoperta);
                       EXPECT_TRUE(t.immagini.dorso[deal[26]].visible) << "its back stays under the nine";
                       // A press on the placed card reaches its face, not the back beneath.
                       const Punto c = centro(t, 3, 9);
                       const Colpo colpo = t.premi(c.x, c.y, 1);
                       EXPECT_EQ(colpo.cosa, Colpo::Cosa::Faccia);
                       EXPECT_EQ(colpo.carta, 39);
                       EXPECT_FALSE(t.cliccato);
                   }});
}

TEST(Partita, IlReVaNellaDecimaColonnaConUnaPressioneSulTavolo)
{
    Banco b;
    std::vector<int> deal = dealPerdente(); // 40 on top of the stock
    b.gioca(deal, {premiMazzetto(), premiPosto(4, 9), [](Tavolo& t) {
                       EXPECT_EQ(t.semi[4], 4) << "row 4 taken by swords, even on a refused column";
                       EXPECT_EQ(t.piazzate(), 0);
                       premi(977.29, 335)(t);  // just right of the press bounds
                       EXPECT_FALSE(t.cliccato);
                       // exactly on them
                       premi(977.28, 435.6)(t); }, [](Tavolo& t) {
                       EXPECT_EQ(t.piazzate(), 1);
                       EXPECT_EQ(t.immagini.carta[40].left, 912);
                       EXPECT_EQ(t.immagini.carta[40].top, 330);
                       EXPECT_EQ(t.fase, 1);
                       EXPECT_TRUE(t.pesca);
                       // 30
                       premiMazzetto()(t); }, premiPosto(4, 10), // a King of batons in the swords' row
                   premiPosto(1, 9), // binds row 1 to batons, wrong column
                   [](Tavolo& t) {
                       EXPECT_EQ(t.piazzate(), 1);
                       EXPECT_EQ(t.inmano, 30);
                       premiPosto(1, 10)(t);
                   },
                   [](Tavolo& t) { EXPECT_EQ(t.piazzate(), 2); }});
}

namespace {
// What a press on a place landed on goes back to the window, played or not.
Colpo premuto(Tavolo& t, int riga, int colonna, int button = 1)
{
    const Punto c = centro(t, riga, colonna);
    return t.premi(c.x, c.y, button);
}
} // namespace

TEST(Partita, TastoDestroEFacceNonSonoGiocate)
{
    Banco b;
    b.gioca(dealPerdente(), {[](Tavolo& t) {
                                 const Colpo mazzetto = premuto(t, 5, 7, 3);
                                 EXPECT_EQ(mazzetto.cosa, Colpo::Cosa::Dorso);
                                 EXPECT_EQ(mazzetto.carta, dealPerdente()[39]);
                                 EXPECT_EQ(premuto(t, 1, 1, 2).cosa, Colpo::Cosa::Dorso);
                                 EXPECT_EQ(t.premi(400, 600, 2).cosa, Colpo::Cosa::Tavolo);
                                 EXPECT_FALSE(t.cliccato);
                                 EXPECT_EQ(t.pescate(), 0);
                                 premiMazzetto()(t); }, [](Tavolo& t) {
                                 // the King in hand, a face, with either button
                                 for (int button : {1, 2}) {
                                     const Colpo faccia = t.premi(510, 460, button);
                                     EXPECT_EQ(faccia.cosa, Colpo::Cosa::Faccia);
                                     EXPECT_EQ(faccia.carta, 40);
                                 }
                                 EXPECT_FALSE(t.cliccato);
                                 EXPECT_EQ(t.pescate(), 1); }});
}

TEST(Partita, PressioniDuranteUnaMossaSiPerdono)
{
    Banco b;
    b.tavolo.passi = 50;
    b.piattaforma.aOgniPasso = [](Tavolo& t, int passo) {
        if (passo == 20) {
            // The King's place, while the King slides: still a press on the
            // bare table, which the window answers, though the rules drop it.
            EXPECT_EQ(premuto(t, 4, 10).cosa, Colpo::Cosa::Tavolo);
            premiMazzetto()(t);
            EXPECT_EQ(t.riga, 5) << "the press that started the move is still the record";
            EXPECT_EQ(t.colonna, 7);
        }
    };
    b.gioca(dealPerdente(), {premiMazzetto(), [](Tavolo& t) {
                                 EXPECT_EQ(t.piazzate(), 0);
                                 EXPECT_EQ(t.pescate(), 1);
                                 EXPECT_EQ(t.fase, 2);
                             }});
}
