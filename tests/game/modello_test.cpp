#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "casuale.h"
#include "tavolo.h"

// The table is played twice over: by the rules core, through presses at
// window points, and by a small simulation written straight from the rules,
// which keeps the 4 x 10 table as a matrix and knows nothing of the core's
// pictures or geometry. After every press the two must show the same table.
namespace {

// ---- The rules, simulated --------------------------------------------------

// A client area 1280 units wide; 68 x 110 cards tile the grid from the top.
constexpr double larghezza = 68, altezza = 110;
constexpr double sinistra = (1280 - 10 * larghezza) / 2;

// The stock's backs: under column 7, 4.15 card heights down, the top kept in
// single precision like every picture position.
const double xMazzetto = float(sinistra + 6 * larghezza), yMazzetto = float(4.15 * altezza);
// The temporary place. Moves end on whole units, halves to even: a drawn card
// slides along the stock's line from its back's top, exactly 456.5 in single
// precision, which rounds to even (456); an uncovered card is sent to the
// line's top computed in double precision, a hair over 456.5: 457.
const double xTemporaneo = std::nearbyint(sinistra + 3 * larghezza);
const double yDaMazzetto = std::nearbyint(yMazzetto), yDaTavolo = std::nearbyint(4.15 * altezza);
// Presses on the bare table count only inside these bounds, bounds included.
const double xMassimo = sinistra + 9.96 * larghezza, yMassimo = 3.96 * altezza;

int semeCarta(int k)
{
    return (k - 1) / 10 + 1;
}
int valoreCarta(int k)
{
    return (k - 1) % 10 + 1;
}
double xPosto(int colonna)
{
    return sinistra + (colonna - 1) * larghezza;
}
double yPosto(int riga)
{
    return (riga - 1) * altezza;
}
bool dentro(double x, double y, double l, double t)
{
    return x >= l && x < l + larghezza && y >= t && y < t + altezza;
}

// The table as the player sees it, in numbers, the same from both sides: the
// stock expected, the phase and the card in hand; cards drawn, cards placed
// and the end; the suits of the four rows; then each card, what of it shows
// (0 nothing, 1 its back, 2 its face, -1 lost) and where.
using Fatto = std::array<double, 4>;
const char* const nomiFatti[] = {"stock expected, phase, in hand", "drawn, placed, end", "row suits"};

enum class Fine { Nessuna,
                  Sorry,
                  Congratulation }; // the core's labels read as 2 x congratulations + sorry

class Regole {
public:
    int coperta[5][11] = {}; // the face-down card at a place, 0 when none
    int posata[5][11] = {}; // the card placed face up there, 0 when none
    std::vector<int> mazzetto;
    int semi[5] = {};
    int inmano = 0;
    bool pesca = true; // the stock is expected
    int pescate = 0, piazzate = 0;
    double yInMano = 0;
    Fine fine = Fine::Nessuna;

    void nuovaPartita(const std::vector<int>& deal)
    {
        *this = Regole{};
        for (int p = 0; p < 36; ++p)
            coperta[p / 9 + 1][p % 9 + 1] = deal[p];
        mazzetto.assign(deal.begin() + 36, deal.end());
    }

    // Judges a press; true when the press reaches the game loop at all: the
    // left button on a back (the stock's only when a draw is due) or on the
    // bare table inside the bounds.
    bool premi(double x, double y, int tasto)
    {
        if (tasto != 1)
            return false; // other buttons never play
        // Faces lie over backs.
        const int r = int(std::floor(y / altezza)) + 1, c = int(std::floor((x - sinistra) / larghezza)) + 1;
        const bool griglia = x >= sinistra && x < sinistra + 10 * larghezza && y >= 0 && y < 4 * altezza;
        if ((!pesca && dentro(x, y, xTemporaneo, yInMano)) || (griglia && posata[r][c]))
            return false; // a face
        const bool dorso = griglia && coperta[r][c];
        if (!mazzetto.empty() && dentro(x, y, xMazzetto, yMazzetto)) {
            if (pesca && fine == Fine::Nessuna) { // the top one of the backs on one spot: the highest card
                inmano = *std::max_element(mazzetto.begin(), mazzetto.end());
                std::erase(mazzetto, inmano);
                yInMano = yDaMazzetto;
                pesca = false;
                ++pescate;
                return true;
            }
            // not while a card is in hand
            return pesca;
        }
        if (!dorso && (x < sinistra || x > xMassimo || y < 0 || y > yMassimo))
            return false; // the bare table outside the bounds
        if (fine == Fine::Nessuna && !pesca) // after the end recorded, but nothing judges it any more
            posa(r, c);
        return true;
    }

    std::vector<Fatto> vista() const
    {
        std::vector<Fatto> v{{double(pesca), pesca ? 1. : 2., pesca ? 0. : inmano},
                             {double(pescate), double(piazzate), double(fine)},
                             {double(semi[1]), double(semi[2]), double(semi[3]), double(semi[4])}};
        for (int k = 1; k <= 40; ++k)
            v.push_back({double(k), -1});
        const auto mostra = [&](int k, double come, double x, double y) {
            if (k)
                v[std::size_t(2 + k)] = {double(k), come, x, y};
        };
        for (int k : mazzetto)
            mostra(k, 1, xMazzetto, yMazzetto);
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 10; ++c) {
                mostra(coperta[r][c], 1, xPosto(c), yPosto(r));
                mostra(posata[r][c], 2, xPosto(c), yPosto(r));
            }
        if (!pesca)
            mostra(inmano, 2, xTemporaneo, yInMano);
        return v;
    }

private:
    void posa(int r, int c)
    {
        // The row is judged first, and a free row takes the suit of the card
        // aimed at it even when the column then turns the card away.
        const int s = semeCarta(inmano);
        const int* legata = std::find(semi + 1, semi + 5, s);
        if (legata != semi + 5 ? legata - semi != r : semi[r] != 0)
            return;
        semi[r] = s;
        if (valoreCarta(inmano) != c)
            return;
        ++piazzate;
        posata[r][c] = inmano;
        if (c == 10) { // a King ends the chain, and the fourth chain the game
            pesca = true;
            if (pescate == 4)
                fine = piazzate == 40 ? Fine::Congratulation : Fine::Sorry;
            return;
        }
        inmano = std::exchange(coperta[r][c], 0);
        yInMano = yDaTavolo;
    }
};

// ---- The two, fed the same presses ------------------------------------------

struct Pressione {
    double x = 0, y = 0;
    // 1 left, 2 right, 4 middle
    int tasto = 1;
};

class Confronto final : public trelva::Piattaforma {
public:
    explicit Confronto(unsigned seme)
        : rng_(seme)
    {
        tavolo_.Form_Activate();
        tavolo_.misura(1280);
    }

    int vinte = 0, perse = 0, interrotte = 0, perseInMossa = 0;
    std::string guasto;

    void gioca(int partite)
    {
        for (int n = 0; n < partite && guasto.empty(); ++n) {
            // Every fourth game slides its cards in two steps, and presses
            // made during those steps must come to nothing.
            tavolo_.passi = n % 4 == 3 ? 2 : 0;
            nuovaPartita(n == 0);
            confronta("at the end of the game");
            if (regole_.fine == Fine::Nessuna)
                segnala("the core's game ended, the simulated one did not");
            (regole_.fine == Fine::Congratulation ? vinte : perse) += 1;
            for (int i = 0; i < 3; ++i) {
                premi(scegli());
                confronta("after the end");
            }
        }
    }

    void attendi() override
    {
        confronta("at a wait pass");
        if (!guasto.empty() || ++pressioniPartita_ > 5000) {
            segnala("a game that does not end");
            tavolo_.esci();
        } else if (caso(0, 999) == 0) {
            ++interrotte; // New Game in the middle: the running game is dropped
            nuovaPartita(false);
        } else {
            // The loop has cleared its flag before this wait; only a press
            // that reaches it may raise the flag again.
            const bool registrata = premi(scegli());
            if (tavolo_.cliccato != registrata)
                segnala(registrata ? "a press the game loop should see was not recorded"
                                   : "a press that should come to nothing was recorded");
        }
    }

    void cediPasso(int) override
    {
        if (caso(0, 3) == 0) {
            const Pressione p = scegli(); // lost: a card is moving
            tavolo_.premi(p.x, p.y, p.tasto);
            ++perseInMossa;
        } else if (caso(0, 499) == 0) {
            ++interrotte;
            nuovaPartita(false);
        }
    }

    std::uint64_t seme() override { return 0; }

private:
    int caso(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    double tra(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

    void nuovaPartita(bool prima)
    {
        deal_.resize(40);
        std::iota(deal_.begin(), deal_.end(), 1);
        std::shuffle(deal_.begin(), deal_.end(), rng_);
        if (caso(0, 9) == 0) // now and then the four Kings on the stock: four placements, then the end
            std::stable_partition(deal_.begin(), deal_.end(), [](int k) { return valoreCarta(k) != 10; });
        casuale_.ordine(deal_);
        regole_.nuovaPartita(deal_);
        pressioniPartita_ = 0;
        ++deals_;
        prima ? tavolo_.avvia() : tavolo_.newgame_Click();
    }

    // True when the rules say the press reaches the game loop.
    bool premi(const Pressione& p)
    {
        ultima_ = p;
        tavolo_.premi(p.x, p.y, p.tasto);
        return regole_.premi(p.x, p.y, p.tasto);
    }

    Pressione scegli()
    {
        const int tipo = caso(0, 19);
        Pressione p{tra(-10, 1290), tra(-10, 1034)}; // anywhere, a little beyond the window too
        if (tipo < 8 && regole_.pesca) { // the right press: the stock when a draw is due...
            p = {xMazzetto + larghezza / 2, yMazzetto + altezza / 2};
        } else if (tipo < 8) { // ...else the card's place, in its suit's row or any free row
            const int* semi = regole_.semi;
            int riga = int(std::find(semi + 1, semi + 5, semeCarta(regole_.inmano)) - semi);
            while (riga == 5) // the suit is bound nowhere: a free row
                if (const int r = caso(1, 4); semi[r] == 0)
                    riga = r;
            const int c = valoreCarta(regole_.inmano);
            p = {tra(xPosto(c), c == 10 ? xMassimo : xPosto(c) + larghezza),
                 tra(yPosto(riga), std::min(yPosto(riga) + altezza, yMassimo))};
        } else if (tipo < 10) { // the stock, whatever is expected
            p = {tra(xMazzetto, xMazzetto + larghezza), tra(yMazzetto, yMazzetto + altezza)};
        } else if (tipo < 14) { // any place: backs, faces, the King's places
            const int r = caso(1, 4), c = caso(1, 10);
            p = {tra(xPosto(c), xPosto(c) + larghezza), tra(yPosto(r), yPosto(r) + altezza)};
        } else if (tipo == 14) { // on and just beyond the bounds of the bare table
            const double xs[] = {xMassimo, std::nextafter(xMassimo, 2e3), sinistra, std::nextafter(sinistra, 0),
                                 tra(xPosto(10), xMassimo)};
            const double ys[] = {yMassimo, std::nextafter(yMassimo, 2e3), 0, std::nextafter(0.0, -1), tra(0, yMassimo)};
            p = {xs[caso(0, 4)], ys[caso(0, 4)]};
        } else if (tipo == 15) { // whole units: the edges of places, faces and the stock
            p = {double(caso(290, 990)), double(caso(-2, 570))};
        } else if (tipo == 16) { // the card in hand
            p = {tra(xTemporaneo, xTemporaneo + larghezza), tra(yDaMazzetto, yDaTavolo + altezza)};
        }
        if (caso(0, 9) == 0)
            p.tasto = caso(0, 1) ? 2 : 4; // right or middle button
        return p;
    }

    void segnala(const std::string& cosa)
    {
        std::ostringstream o;
        o.precision(17);
        o << cosa << "\n  deal #" << deals_ << ", press " << pressioniPartita_ << " of the game, at (" << ultima_.x
          << ", " << ultima_.y << ") button " << ultima_.tasto;
        if (guasto.empty())
            guasto = o.str();
    }

    // The core's table in the same words as the simulation's.
    std::vector<Fatto> vistaNucleo() const
    {
        const trelva::Tavolo& t = tavolo_;
        const int fine = 2 * t.immagini.lblCongratulation.visible + t.immagini.lblSorry.visible; // as Fine
        std::vector<Fatto> v{{double(t.pesca), double(t.fase), t.pesca ? 0. : t.inmano},
                             {double(t.pescate()), double(t.piazzate()), double(fine)},
                             {double(t.semi[1]), double(t.semi[2]), double(t.semi[3]), double(t.semi[4])}};
        for (int k = 1; k <= 40; ++k) {
            // Faces not in play are parked off the table.
            const trelva::Immagine& faccia = t.immagini.carta[k];
            const bool aperta = faccia.visible && faccia.left < 1280 && faccia.top < 1024;
            const trelva::Immagine& vista = aperta ? faccia : t.immagini.dorso[k];
            v.push_back({double(k), vista.visible ? aperta ? 2. : 1. : 0., vista.left, vista.top});
        }
        return v;
    }

    void confronta(const char* quando)
    {
        const std::vector<Fatto> nucleo = vistaNucleo(), regole = regole_.vista();
        if (nucleo == regole)
            return;
        std::ostringstream o;
        o.precision(17);
        o << quando;
        for (std::size_t i = 0; i < nucleo.size(); ++i)
            if (nucleo[i] != regole[i]) {
                o << "\n    " << (i < 3 ? nomiFatti[i] : "card, shown, left, top") << ':';
                for (const Fatto* f : {&nucleo[i], &regole[i]})
                    o << (f == &nucleo[i] ? " core " : ", rules ") << (*f)[0] << ' ' << (*f)[1] << ' ' << (*f)[2]
                      << ' ' << (*f)[3];
            }
        segnala(o.str());
    }

    std::mt19937 rng_;
    trelva::CasualeCopione casuale_;
    trelva::Tavolo tavolo_{*this, casuale_};
    Regole regole_;
    std::vector<int> deal_;
    Pressione ultima_;
    int deals_ = 0;
    int pressioniPartita_ = 0;
};

TEST(Modello, IlNucleoGiocaComeLeRegole)
{
    for (unsigned seme : {1u, 2u, 3u}) {
        Confronto c(seme);
        c.gioca(400);
        ASSERT_EQ(c.guasto, "") << "seed " << seme;
        // Both ends and the interruptions must really have been reached.
        EXPECT_GT(c.vinte, 5) << "seed " << seme;
        EXPECT_GT(c.perse, 200) << "seed " << seme;
        EXPECT_GT(c.interrotte, 5) << "seed " << seme;
        EXPECT_GT(c.perseInMossa, 100) << "seed " << seme;
    }
}

} // namespace
