#include "sessione.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

namespace trelva::replay {

namespace {

constexpr float largoArea = 1280;
constexpr float altoArea = 1024;
constexpr int tastoDestro = 2;

std::vector<std::string> parole(const std::string& riga)
{
    std::istringstream s(riga);
    std::vector<std::string> v;
    for (std::string p; s >> p;)
        v.push_back(p);
    return v;
}

// Input quoted in an error line: control bytes would act on the terminal,
// and a line of any length would be repeated whole. Shown escaped, and cut.
std::string abbreviata(const std::string& t)
{
    constexpr std::size_t piuLunga = 40;
    std::string fuori;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (i == piuLunga)
            return fuori + "...";
        const auto b = static_cast<unsigned char>(t[i]);
        if (b >= 0x20 && b < 0x7f && b != '\\') {
            fuori += char(b);
        } else {
            char esc[5];
            std::snprintf(esc, sizeof esc, "\\x%02x", b);
            fuori += esc;
        }
    }
    return fuori;
}

std::string citata(const std::string& t)
{
    std::string tra = "'";
    tra += abbreviata(t);
    tra += '\'';
    return tra;
}

bool intero(const std::string& t, int& v)
{
    const char* fine = t.data() + t.size();
    auto [p, ec] = std::from_chars(t.data(), fine, v);
    return ec == std::errc{} && p == fine;
}

bool numero(const std::string& t, double& v)
{
    const char* fine = t.data() + t.size();
    auto [p, ec] = std::from_chars(t.data(), fine, v);
    return ec == std::errc{} && p == fine && std::isfinite(v);
}

// A picture parked far below the window (a new game sends faces there) is no
// more on the table than a hidden one.
bool sulTavolo(const Immagine& i)
{
    return i.visible && i.left < largoArea && i.top < altoArea;
}

} // namespace

Sessione::Sessione(std::istream& in, std::ostream& out, std::ostream& err)
    : in_(in)
    , out_(out)
    , err_(err)
    , tavolo_(*this, casuale_)
{
    tavolo_.passi = 0;
    tavolo_.Form_Activate();
    tavolo_.misura(largoArea);
}

int Sessione::esegui()
{
    // Between games nothing waits inside the core, so this loop reads the
    // lines itself; a deal read here plays its whole game before returning.
    while (!finito_) {
        eseguiFinoAUnaMossa();
        scriviStatoDovuto();
    }
    out_.flush();
    return errori_ ? 2 : 0;
}

void Sessione::attendi()
{
    // Reaching a wait pass means the previous command has been judged in full.
    scriviStatoDovuto();
    if (!eseguiFinoAUnaMossa())
        // end of input abandons the running game
        tavolo_.esci();
}

// Reads lines until one hands the core something to judge (a press or a deal);
// false at the end of the input.
bool Sessione::eseguiFinoAUnaMossa()
{
    std::string riga;
    while (!finito_ && std::getline(in_, riga)) {
        ++numeroRiga_;
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        const auto p = parole(riga);
        if (p.empty() || p[0][0] == '#')
            continue;

        if (p[0] == "dump") {
            if (p.size() != 1) {
                errore("dump takes no arguments");
                continue;
            }
            scriviDump();
            continue;
        }

        if (p[0] == "press") {
            if (p.size() != 3 && p.size() != 4) {
                errore("press needs X Y and an optional 'right'");
                continue;
            }
            double x = 0, y = 0;
            if (!numero(p[1], x) || !numero(p[2], y)) {
                errore("press needs two finite numbers, got " + citata(p[1]) + " " + citata(p[2]));
                continue;
            }
            int tasto = tastoSinistro;
            if (p.size() == 4) {
                if (p[3] != "right") {
                    errore("unknown button " + citata(p[3]));
                    continue;
                }
                tasto = tastoDestro;
            }
            if (!dealFatto_) {
                errore("press before any deal");
                continue;
            }
            tavolo_.premi(x, y, tasto);
            statoDovuto_ = true;
            return true;
        }

        if (p[0] == "deal") {
            if (p.size() != numeroCarte + 1) {
                errore("deal needs 40 card numbers, got " + std::to_string(p.size() - 1));
                continue;
            }
            std::array<int, numeroCarte> deal{};
            std::array<bool, numeroCarte + 1> visto{};
            std::string guasto;
            for (int i = 0; i < numeroCarte && guasto.empty(); ++i) {
                const std::string& t = p[i + 1];
                if (!intero(t, deal[i]))
                    guasto = citata(t) + " is not a card number";
                else if (deal[i] < 1 || deal[i] > numeroCarte)
                    guasto = "card " + abbreviata(t) + " is not within 1-40";
                else if (visto[deal[i]])
                    guasto = "card " + abbreviata(t) + " is dealt twice";
                else
                    visto[deal[i]] = true;
            }
            if (!guasto.empty()) {
                errore("deal is not a permutation of 1-40: " + guasto);
                continue;
            }
            casuale_.ordine(deal);
            statoDovuto_ = true;
            if (!dealFatto_) {
                dealFatto_ = true;
                tavolo_.avvia();
            } else {
                // Inside a wait pass this only asks the core to abandon the
                // running game; between games it plays the new one here.
                tavolo_.newgame_Click();
            }
            return true;
        }

        errore("unknown command " + citata(p[0]));
    }
    finito_ = true;
    return false;
}

void Sessione::scriviStatoDovuto()
{
    if (statoDovuto_) {
        statoDovuto_ = false;
        scriviStato();
    }
}

void Sessione::scriviStato()
{
    const char* fine = "none";
    switch (tavolo_.esito()) {
    case Esito::Nessuno:
        break;
    case Esito::Sorry:
        fine = "SORRY";
        break;
    case Esito::Congratulation:
        fine = "CONGRATULATIONS";
        break;
    }
    const auto& s = tavolo_.semi;
    char buf[160];
    std::snprintf(buf, sizeof buf, "fase=%d pesca=%d inmano=%d pescate=%d piazzate=%d semi=%d,%d,%d,%d end=%s\n",
                  tavolo_.fase, tavolo_.pesca ? 1 : 0, tavolo_.inmano, tavolo_.pescate(),
                  tavolo_.piazzate(), s[1], s[2], s[3], s[4], fine);
    out_ << buf;
}

void Sessione::scriviDump()
{
    const Immagini& im = tavolo_.immagini;
    for (int k = 1; k <= numeroCarte; ++k) {
        const char* cosa = "hidden";
        const Immagine* figura = &im.carta[k]; // a hidden card reports where its face lies
        if (sulTavolo(im.carta[k])) {
            cosa = "face";
        } else if (im.dorsiCreati() && sulTavolo(im.dorso[k])) {
            cosa = "back";
            figura = &im.dorso[k];
        }
        char buf[96];
        std::snprintf(buf, sizeof buf, "%d %s %.2f %.2f\n", k, cosa, double(figura->left),
                      double(figura->top));
        out_ << buf;
    }
}

void Sessione::errore(const std::string& perche)
{
    errori_ = true;
    err_ << "error: line " << numeroRiga_ << ": " << perche << '\n';
}

} // namespace trelva::replay
