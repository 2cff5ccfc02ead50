#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "finto.h"  // CasualeCopione: the shuffle deals exactly the order it is given

// The table is played twice over: by the rules core, through presses at
// window points, and by a small simulation written straight from the rules,
// which keeps the 4 x 10 table as a matrix and knows nothing of the core's
// pictures or geometry. After every press the two must show the same table.
namespace {

// ---- The rules, simulated --------------------------------------------------

// A client area 1280 units wide with 68 x 110 cards, which tile the grid.
constexpr double larghezza = 68, altezza = 110;
constexpr double sinistra = (1280 - 10 * larghezza) / 2;
constexpr double sopra = 0;

// Moves end on whole units, halves to even: the default rounding mode.
double intero(double v) { return std::nearbyint(v); }

// The stock's backs: under column 7, 4.15 card heights down, the top kept in
// single precision like every picture position.
const double xMazzetto = float(sinistra + 6 * larghezza);
const double yMazzetto = float(sopra + 4.15 * altezza);
// The temporary place: a drawn card slides along the stock's line from its
// back's top, exactly 456.5 in single precision, which rounds to even (456);
// an uncovered card is sent to the line's top computed in double precision,
// a hair over 456.5, which rounds up (457).
const double xTemporaneo = intero(sinistra + 3 * larghezza);
const double yDaMazzetto = intero(yMazzetto);
const double yDaTavolo = intero(sopra + 4.15 * altezza);
// Presses on the bare table count only inside these bounds, bounds included.
const double xMassimo = sinistra + 9.96 * larghezza;
const double yMassimo = sopra + 3.96 * altezza;

int semeCarta(int k) { return (k - 1) / 10 + 1; }
int valoreCarta(int k) { return (k - 1) % 10 + 1; }
bool reCarta(int k) { return k % 10 == 0; }

double xPosto(int colonna) { return sinistra + (colonna - 1) * larghezza; }
double yPosto(int riga) { return sopra + (riga - 1) * altezza; }

bool dentro(double x, double y, double left, double top)
{
    return x >= left && x < left + larghezza && y >= top && y < top + altezza;
}

enum class Fine { nessuna, sorry, congratulazioni };

class Regole {
public:
    int coperta[5][11] = {};  // the face-down card at a place, 0 when none
    int posata[5][11] = {};   // the card placed face up there, 0 when none
    std::vector<int> mazzetto;
    int semi[5] = {};
    int inmano = 0;
    bool pesca = true;  // the stock is expected
    int pescate = 0, piazzate = 0;
    double yInMano = 0;
    Fine fine = Fine::nessuna;
    std::string guasto;

    void nuovaPartita(const std::vector<int>& deal)
    {
        *this = Regole{};
        for (int p = 0; p < 36; ++p)
            coperta[p / 9 + 1][p % 9 + 1] = deal[p];
        mazzetto.assign(deal.begin() + 36, deal.end());
    }

    // Judges a press; true when the press reaches the game loop at all (a
    // back, or the bare table inside the bounds, pressed with the left button).
    bool premi(double x, double y, int tasto)
    {
        if (tasto != 1)
            return false;  // other buttons never play
        const Bersaglio b = bersaglio(x, y);
        switch (b.cosa) {
        case Bersaglio::faccia:
            return false;
        case Bersaglio::dorso:
            if (b.riga == 5 && !pesca)
                return false;  // the stock while a card is in hand
            if (fine != Fine::nessuna)
                return true;  // recorded, but nothing judges it any more
            if (b.riga == 5)
                pesca_(b.carta);
            else if (!pesca)
                posa(b.riga, b.colonna);
            return true;
        case Bersaglio::tavolo:
            if (x < sinistra || x > xMassimo || y < sopra || y > yMassimo)
                return false;
            if (fine == Fine::nessuna && !pesca)
                posa(int(std::floor((y - sopra) / altezza)) + 1,
                     int(std::floor((x - sinistra) / larghezza)) + 1);
            return true;
        }
        return false;
    }

    // The place (row 1-4, column 1-10), "card in hand", "stock" or "covered"
    // of a card, as the player sees the table.
    struct Dove {
        enum { coperta, mazzetto, inMano, posata } stato;
        double x, y;
    };
    Dove dove(int k) const
    {
        if (!pesca && fine == Fine::nessuna && k == inmano)
            return {Dove::inMano, xTemporaneo, yInMano};
        if (std::find(mazzetto.begin(), mazzetto.end(), k) != mazzetto.end())
            return {Dove::mazzetto, xMazzetto, yMazzetto};
        for (int r = 1; r <= 4; ++r)
            for (int c = 1; c <= 10; ++c) {
                if (posata[r][c] == k)
                    return {Dove::posata, xPosto(c), yPosto(r)};
                if (coperta[r][c] == k)
                    return {Dove::coperta, xPosto(c), yPosto(r)};
            }
        return {Dove::coperta, -1, -1};  // lost: the comparison reports it
    }

private:
    struct Bersaglio {
        enum { tavolo, faccia, dorso } cosa = tavolo;
        int carta = 0, riga = 0, colonna = 0;
    };

    // Faces lie over backs. The four stock backs lie on one spot; the one made
    // last (the highest card number) lies on top.
    Bersaglio bersaglio(double x, double y) const
    {
        if (!pesca && dentro(x, y, xTemporaneo, yInMano))
            return {Bersaglio::faccia};
        if (x >= sinistra && x < sinistra + 10 * larghezza && y >= sopra && y < sopra + 4 * altezza) {
            const int r = int(std::floor((y - sopra) / altezza)) + 1;
            const int c = int(std::floor((x - sinistra) / larghezza)) + 1;
            if (posata[r][c])
                return {Bersaglio::faccia};
            if (coperta[r][c])
                return {Bersaglio::dorso, coperta[r][c], r, c};
        }
        if (!mazzetto.empty() && dentro(x, y, xMazzetto, yMazzetto))
            return {Bersaglio::dorso, *std::max_element(mazzetto.begin(), mazzetto.end()), 5, 7};
        return {};
    }

    void pesca_(int k)
    {
        std::erase(mazzetto, k);
        inmano = k;
        yInMano = yDaMazzetto;
        pesca = false;
        ++pescate;
    }

    void posa(int r, int c)
    {
        // The row is judged first, and a free row takes the suit of the card
        // aimed at it even when the column then turns the card away.
        const int s = semeCarta(inmano);
        const int* legata = std::find(semi + 1, semi + 5, s);
        if (legata != semi + 5) {
            if (legata - semi != r)
                return;
        } else {
            if (semi[r] != 0)
                return;
            semi[r] = s;
        }
        if (valoreCarta(inmano) != c)
            return;
        ++piazzate;
        posata[r][c] = inmano;
        if (reCarta(inmano)) {
            pesca = true;
            if (pescate == 4)
                fine = piazzate == 40 ? Fine::congratulazioni : Fine::sorry;
            return;
        }
        if (!coperta[r][c])
            guasto = "the simulation placed a card on an uncovered place";
        inmano = coperta[r][c];
        coperta[r][c] = 0;
        yInMano = yDaTavolo;
    }
};

// ---- The two, fed the same presses ------------------------------------------

struct Pressione {
    double x = 0, y = 0;
    int tasto = 1;
};

std::ostream& operator<<(std::ostream& o, const Pressione& p)
{
    return o << "(" << p.x << ", " << p.y << ") button " << p.tasto;
}

class Confronto final : public trelva::Piattaforma {
public:
    explicit Confronto(unsigned seme) : rng_(seme)
    {
        tavolo_.Form_Activate();
        tavolo_.misura(1280);
    }

    int vinte = 0, perse = 0, interrotte = 0, pressioni = 0, perseInMossa = 0;
    std::string guasto;

    void gioca(int partite)
    {
        for (int n = 0; n < partite && guasto.empty(); ++n) {
            // Every fourth game slides its cards in two steps, and presses
            // made during those steps must come to nothing.
            tavolo_.passi = n % 4 == 3 ? 2 : 0;
            nuovoDeal();
            if (n == 0)
                tavolo_.avvia();
            else
                tavolo_.newgame_Click();
            if (!guasto.empty())
                break;
            confronta("at the end of the game");
            if (regole_.fine == Fine::nessuna)
                segnala("the core's game ended, the simulated one did not");
            (regole_.fine == Fine::congratulazioni ? vinte : perse) += 1;
            for (int i = 0; i < 3 && guasto.empty(); ++i) {
                premi(scegli());
                confronta("after the end");
            }
        }
    }

    void attendi() override
    {
        confronta("at a wait pass");
        if (!guasto.empty() || ++pressioniPartita_ > 5000) {
            if (guasto.empty())
                segnala("a game that does not end");
            tavolo_.esci();
            return;
        }
        if (caso(0, 999) == 0) {
            // New Game in the middle: the running game is dropped.
            ++interrotte;
            nuovoDeal();
            tavolo_.newgame_Click();
            return;
        }
        // The loop has cleared its flag before this wait; only a press that
        // reaches it may raise the flag again.
        const bool registrata = premi(scegli());
        if (tavolo_.cliccato != registrata)
            segnala(registrata ? "a press the game loop should see was not recorded"
                               : "a press that should come to nothing was recorded");
    }

    void cediPasso(int) override
    {
        if (caso(0, 3) == 0) {
            const Pressione p = scegli();  // lost: a card is moving
            tavolo_.premi(p.x, p.y, p.tasto);
            ++perseInMossa;
        } else if (caso(0, 499) == 0) {
            ++interrotte;
            nuovoDeal();
            tavolo_.newgame_Click();
        }
    }

    std::uint64_t seme() override { return 0; }

private:
    int caso(int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng_); }
    double tra(double a, double b) { return std::uniform_real_distribution<double>(a, b)(rng_); }

    void nuovoDeal()
    {
        deal_.resize(40);
        std::iota(deal_.begin(), deal_.end(), 1);
        std::shuffle(deal_.begin(), deal_.end(), rng_);
        if (caso(0, 9) == 0)  // now and then the four Kings on the stock: four placements, then the end
            std::stable_partition(deal_.begin(), deal_.end(), [](int k) { return !reCarta(k); });
        casuale_.ordine(deal_);
        regole_.nuovaPartita(deal_);
        pressioniPartita_ = 0;
        ++deals_;
    }

    // True when the rules say the press reaches the game loop.
    bool premi(const Pressione& p)
    {
        ultima_ = p;
        ++pressioni;
        tavolo_.premi(p.x, p.y, p.tasto);
        return regole_.premi(p.x, p.y, p.tasto);
    }

    // A point on the card's own place: its suit's row, or any free row when
    // the suit is bound nowhere; the stock when a draw is due.
    Pressione giusta()
    {
        if (regole_.pesca)
            return {xMazzetto + larghezza / 2, yMazzetto + altezza / 2};
        const int s = semeCarta(regole_.inmano);
        int riga = int(std::find(regole_.semi + 1, regole_.semi + 5, s) - regole_.semi);
        if (riga == 5) {
            std::vector<int> libere;
            for (int r = 1; r <= 4; ++r)
                if (regole_.semi[r] == 0)
                    libere.push_back(r);
            riga = libere[caso(0, int(libere.size()) - 1)];
        }
        const int c = valoreCarta(regole_.inmano);
        const double basso = std::min(yPosto(riga) + altezza, yMassimo);
        const double destra = c == 10 ? xMassimo : xPosto(c) + larghezza;
        return {tra(xPosto(c), destra), tra(yPosto(riga), basso)};
    }

    Pressione scegli()
    {
        Pressione p;
        switch (caso(0, 19)) {
        case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            p = giusta();
            break;
        case 8: case 9:  // the stock, whatever is expected
            p = {tra(xMazzetto, xMazzetto + larghezza), tra(yMazzetto, yMazzetto + altezza)};
            break;
        case 10: case 11: case 12: case 13: {  // any place: backs, faces, the King's places
            const int r = caso(1, 4), c = caso(1, 10);
            p = {tra(xPosto(c), xPosto(c) + larghezza), tra(yPosto(r), yPosto(r) + altezza)};
            break;
        }
        case 14: {  // on and just beyond the bounds of the bare table
            const double su = std::numeric_limits<double>::infinity();
            const double xs[] = {xMassimo, std::nextafter(xMassimo, su), sinistra,
                                 std::nextafter(sinistra, -su), tra(xPosto(10), xMassimo)};
            const double ys[] = {yMassimo, std::nextafter(yMassimo, su), sopra, std::nextafter(sopra, -su),
                                 tra(sopra, yMassimo)};
            p = {xs[caso(0, 4)], ys[caso(0, 4)]};
            break;
        }
        case 15:  // whole units: the edges of places, faces and the stock
            p = {double(caso(290, 990)), double(caso(-2, 570))};
            break;
        case 16:  // the card in hand
            p = {tra(xTemporaneo, xTemporaneo + larghezza), tra(yDaMazzetto, yDaTavolo + altezza)};
            break;
        case 17:  // left of the grid
            p = {tra(0, sinistra), tra(sopra, sopra + 4 * altezza)};
            break;
        case 18:  // the stock's line and below
            p = {tra(0, 1280), tra(sopra + 4 * altezza, 1024)};
            break;
        default:  // anywhere, a little beyond the window too
            p = {tra(-10, 1290), tra(-10, 1034)};
            break;
        }
        if (caso(0, 9) == 0)
            p.tasto = caso(0, 1) ? 2 : 4;  // right or middle button
        return p;
    }

    void segnala(const std::string& cosa)
    {
        if (!guasto.empty())
            return;
        std::ostringstream o;
        o << cosa << "\n  deal #" << deals_ << ":";
        for (int k : deal_)
            o << ' ' << k;
        o << "\n  after press " << pressioniPartita_ << " of the game, " << ultima_;
        guasto = o.str();
    }

    void confronta(const char* quando)
    {
        if (!guasto.empty())
            return;
        const trelva::Tavolo& t = tavolo_;
        const Regole& m = regole_;
        std::ostringstream o;
        if (!m.guasto.empty())
            o << m.guasto << "; ";
        if (t.pesca != m.pesca || t.fase != (m.pesca ? 1 : 2))
            o << "stock expected: core " << t.pesca << " (fase " << t.fase << "), rules " << m.pesca << "; ";
        if (!m.pesca && t.inmano != m.inmano)
            o << "card in hand: core " << t.inmano << ", rules " << m.inmano << "; ";
        if (t.pescate() != m.pescate || t.piazzate() != m.piazzate)
            o << "drawn/placed: core " << t.pescate() << "/" << t.piazzate() << ", rules " << m.pescate << "/"
              << m.piazzate << "; ";
        for (int r = 1; r <= 4; ++r)
            if (t.semi[r] != m.semi[r])
                o << "row " << r << " suit: core " << t.semi[r] << ", rules " << m.semi[r] << "; ";
        const Fine fine = t.immagini.lblCongratulation.visible ? Fine::congratulazioni
                          : t.immagini.lblSorry.visible        ? Fine::sorry
                                                               : Fine::nessuna;
        if (fine != m.fine)
            o << "end: core " << int(fine) << ", rules " << int(m.fine) << "; ";
        for (int k = 1; k <= 40; ++k) {
            const Regole::Dove d = m.dove(k);
            const trelva::Immagine& faccia = t.immagini.carta[k];
            const trelva::Immagine& dorso = t.immagini.dorso[k];
            const bool facciaSulTavolo = faccia.visible && faccia.left < 1280 && faccia.top < 1024;
            const bool aperta = d.stato == Regole::Dove::posata || d.stato == Regole::Dove::inMano;
            const trelva::Immagine& vista = facciaSulTavolo ? faccia : dorso;
            if (facciaSulTavolo != aperta || !vista.visible || vista.left != d.x || vista.top != d.y)
                o << "card " << k << ": core shows " << (facciaSulTavolo ? "its face" : vista.visible ? "its back" : "nothing")
                  << " at (" << vista.left << ", " << vista.top << "), rules want its " << (aperta ? "face" : "back")
                  << " at (" << d.x << ", " << d.y << "); ";
        }
        if (!o.str().empty())
            segnala(std::string(quando) + ": " + o.str());
    }

    std::mt19937 rng_;
    trelva::prova::CasualeCopione casuale_;
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

}  // namespace
