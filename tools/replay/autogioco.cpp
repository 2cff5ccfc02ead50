#include "autogioco.h"

namespace trelva::replay {

namespace {
// 4 draws and 40 placements; a game that needs more presses than that is
// refusing a press the strategy thinks legal.
constexpr int pressioniMassime = 44;

std::uint64_t splitmix(std::uint64_t& stato)
{
    std::uint64_t z = (stato += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

constexpr std::uint64_t ruota(std::uint64_t x, int k)
{
    return (x << k) | (x >> (64 - k));
}
} // namespace

void CasualeVeloce::semina(std::uint64_t seme)
{
    for (auto& s : s_)
        s = splitmix(seme);
}

std::uint64_t CasualeVeloce::successivo()
{
    const std::uint64_t risultato = ruota(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = ruota(s_[3], 45);
    return risultato;
}

Autogioco::Autogioco(std::uint64_t seme, bool esatto)
    : tavolo_(*this, casuale_)
    , stato_(seme)
    , esatto_(esatto)
{
    tavolo_.passi = 0;
    tavolo_.Form_Activate();
    tavolo_.misura(1280);
}

// Each game's shuffle is seeded from one running sequence, so a run is fixed
// by its starting seed alone.
std::uint64_t Autogioco::seme()
{
    return splitmix(stato_);
}

Bilancio Autogioco::gioca(long partite)
{
    for (long n = 0; n < partite && !bilancio_.bloccata; ++n) {
        pressioniPartita_ = 0;
        if (n == 0)
            tavolo_.avvia();
        else
            tavolo_.newgame_Click();
        if (bilancio_.bloccata)
            break;
        ++bilancio_.partite;
        if (tavolo_.esito() == Esito::Congratulation)
            ++bilancio_.vinte;
    }
    return bilancio_;
}

void Autogioco::attendi()
{
    if (++pressioniPartita_ > pressioniMassime) {
        bilancio_.bloccata = true;
        tavolo_.esci();
        return;
    }
    ++bilancio_.pressioni;
    if (tavolo_.pesca) {
        premiMazzetto();
        return;
    }
    const int seme = semeDi(tavolo_.inmano);
    int riga = 0;
    for (int r = 1; r <= righeTavolo && riga == 0; ++r)
        if (tavolo_.semi[r] == seme)
            riga = r;
    for (int r = 1; r <= righeTavolo && riga == 0; ++r)
        if (tavolo_.semi[r] == 0)
            riga = r;
    premiPosto(riga, valoreDi(tavolo_.inmano));
}

void Autogioco::premiMazzetto()
{
    const Geometria& g = tavolo_.geometria;
    if (esatto_) {
        const Punto p = g.mazzetto();
        tavolo_.premi(p.x + g.larghezza / 2, p.y + g.altezza / 2, tastoSinistro);
        return;
    }
    // The stock's backs lie on one spot and a later-made back lies over an
    // earlier one, so the highest card number still there takes the press.
    int cima = 0;
    for (int i = 37; i <= numeroCarte; ++i) {
        const int k = tavolo_.mescolato[i];
        if (k > cima && tavolo_.immagini.dorso[k].visible)
            cima = k;
    }
    tavolo_.dorso_MouseDown(cima, tastoSinistro);
}

void Autogioco::premiPosto(int riga, int colonna)
{
    const Geometria& g = tavolo_.geometria;
    const Punto p = g.posto(riga, colonna);
    const double x = p.x + g.larghezza / 2, y = p.y + g.altezza / 2;
    if (esatto_) {
        tavolo_.premi(x, y, tastoSinistro);
        return;
    }
    // The card's own place still shows the back dealt there (only this card
    // could have covered it); a King's place shows the bare table.
    if (colonna == colonneTavolo)
        tavolo_.Form_MouseDown(tastoSinistro, x, y);
    else
        tavolo_.dorso_MouseDown(tavolo_.mescolato[(riga - 1) * 9 + colonna], tastoSinistro);
}

} // namespace trelva::replay
