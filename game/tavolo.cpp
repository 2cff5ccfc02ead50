#include "tavolo.h"

#include <cmath>

namespace trelva {

namespace {
constexpr float fuoriVistaFacce = 10000;
constexpr float fuoriVistaDorsiX = 1000;
constexpr float fuoriVistaDorsiY = 10000;
constexpr double fattoreEtichette = 4.5;
} // namespace

Tavolo::Tavolo(Piattaforma& piattaforma, Casuale& casuale)
    : piattaforma_(piattaforma)
    , casuale_(casuale)
{
}

Esito Tavolo::esito() const
{
    if (immagini.lblCongratulation.visible)
        return Esito::Congratulation;
    if (immagini.lblSorry.visible)
        return Esito::Sorry;
    return Esito::Nessuno;
}

void Tavolo::misura(float largoarea)
{
    geometria = Geometria::misura(largoarea, immagini.carta[1].width, immagini.carta[1].height);
    for (Immagine* etichetta : {&immagini.lblSorry, &immagini.lblCongratulation}) {
        etichetta->left = geometria.sinistra;
        etichetta->top = float(geometria.sopra + fattoreEtichette * geometria.altezza);
        etichetta->visible = false;
    }
}

void Tavolo::avvia()
{
    immagini.creaDorsi();
    giocaPartite(true);
}

void Tavolo::Form_Activate()
{
    for (int k = 1; k <= numeroCarte; ++k) {
        immagini.carta[k].left = fuoriVistaFacce;
        immagini.carta[k].top = fuoriVistaFacce;
    }
    ridisegna();
}

void Tavolo::newgame_Click()
{
    giocaPartite(false);
}

void Tavolo::esci()
{
    chiusura_ = true;
    piattaforma_.sveglia();
}

// A new game chosen while one runs does not nest inside it: the running game
// and its move are abandoned and this loop, lower on the stack, deals again.
void Tavolo::giocaPartite(bool primaPartita)
{
    if (chiusura_ || !immagini.dorsiCreati())
        return;
    if (inCorso_) {
        nuovaRichiesta_ = true;
        piattaforma_.sveglia();
        return;
    }
    inCorso_ = true;
    bool sgombrare = !primaPartita;
    do {
        nuovaRichiesta_ = false;
        try {
            if (sgombrare)
                sgombra();
            Mescola();
            DaiCarte();
            gioco();
        } catch (const Interruzione&) {
            passo_ = 0;
        }
        sgombrare = true;
    } while (nuovaRichiesta_ && !chiusura_);
    inCorso_ = false;
}

void Tavolo::sgombra()
{
    for (int k = 1; k <= numeroCarte; ++k) {
        immagini.carta[k].left = immagini.carta[k].top = fuoriVistaFacce;
        immagini.dorso[k].left = fuoriVistaDorsiX;
        immagini.dorso[k].top = fuoriVistaDorsiY;
    }
    immagini.lblSorry.visible = false;
    immagini.lblCongratulation.visible = false;
}

void Tavolo::controlla() const
{
    if (nuovaRichiesta_ || chiusura_)
        throw Interruzione{};
}

bool Tavolo::suit()
{
    if (riga < 1 || riga > righeTavolo)
        return false;
    const int s = semeDi(inmano);
    for (int r = 1; r <= righeTavolo; ++r)
        if (semi[r] == s)
            return r == riga;
    if (semi[riga] != 0)
        return false;
    semi[riga] = s; // bound before the column is judged, and for good
    return true;
}

bool Tavolo::valore()
{
    return valoreDi(inmano) == colonna;
}

void Tavolo::Mescola()
{
    semi.fill(0);
    for (int k = 1; k <= numeroCarte; ++k)
        mazzo[k] = k;
    casuale_.semina(piattaforma_.seme());
    for (int i = 1; i <= numeroCarte; ++i) {
        for (;;) {
            const double r = casuale_.prossimo();
            const double idx = std::floor(r * double(postiDelMescolo));
            if (!(idx >= 0 && idx <= numeroCarte)) // a generator out of [0, 1) draws again
                continue;
            const int carta = mazzo[int(idx)];
            if (carta == 0)
                continue; // 0, or a card already dealt
            mescolato[i] = carta;
            mazzo[int(idx)] = 0;
            break;
        }
    }
}

void Tavolo::DaiCarte()
{
    const Geometria& g = geometria;
    colonna = 0;
    riga = 0;
    for (int i = 1; i <= 36; ++i) {
        Immagine& d = immagini.dorso[mescolato[i]];
        d.left = float(g.sinistra + g.larghezza * colonna);
        d.top = float(g.sopra + g.altezza * riga);
        d.width = g.larghezza;
        d.height = g.altezza;
        ++colonna;
        if (colonna > 8 && riga < 3) {
            ++riga;
            colonna = 0;
        }
    }
    for (int i = 1; i <= 36; ++i)
        immagini.dorso[mescolato[i]].visible = true;
    const Punto stock = g.mazzetto();
    for (int i = 37; i <= numeroCarte; ++i) {
        Immagine& d = immagini.dorso[mescolato[i]];
        d.visible = true;
        d.left = float(stock.x);
        d.top = float(stock.y);
        d.width = g.larghezza;
        d.height = g.altezza;
    }
    ridisegna();
}

void Tavolo::muovicarta(int ind_sel, int X1, int X2, int Y1, int Y2)
{
    Immagine& faccia = immagini.carta[ind_sel];
    immagini.portaDavanti(ind_sel);
    passo_ = 0;
    // Read at every test, so a faster rate chosen mid-move ends it early at
    // its target instead of overshooting a count that was already passed.
    while (passo_ < passi) {
        faccia.left = float(X1 + double(X2 - X1) * passo_ / passi);
        faccia.top = float(Y1 + double(Y2 - Y1) * passo_ / passi);
        ++passo_;
        ridisegna();
        piattaforma_.cediPasso(passo_);
        controlla();
    }
    faccia.left = float(X2);
    faccia.top = float(Y2);
    passo_ = 0;
    ridisegna();
}

void Tavolo::gioco()
{
    fase = 1;
    pescate_ = 0;
    piazzate_ = 0;
    pesca = true;
    for (;;) {
        cliccato = false;
        for (;;) {
            if (pescate_ == 4 && pesca) {
                (piazzate_ == numeroCarte ? immagini.lblCongratulation : immagini.lblSorry).visible = true;
                ridisegna();
                return;
            }
            piattaforma_.attendi();
            controlla();
            if (cliccato)
                break;
        }
        if (riga < rigaMazzetto && pesca)
            continue; // the stock is expected
        if (fase == 1)
            pescaDalMazzetto();
        else
            piazzaInMano();
    }
}

void Tavolo::pescaDalMazzetto()
{
    Immagine& faccia = immagini.carta[cliccata];
    Immagine& retro = immagini.dorso[cliccata];
    faccia.left = retro.left;
    faccia.top = retro.top;
    faccia.visible = true;
    retro.visible = false;
    xpartenza = arrotonda(faccia.left);
    xarrivo = arrotonda(geometria.xTemporaneo());
    ypartenza = arrotonda(faccia.top);
    yarrivo = ypartenza;
    muovicarta(cliccata, xpartenza, xarrivo, ypartenza, yarrivo);
    pesca = false;
    ++pescate_;
    fase = 2;
    inmano = cliccata;
}

void Tavolo::piazzaInMano()
{
    if (!suit() || !valore())
        return;
    ++piazzate_;
    const Punto meta = geometria.posto(riga, colonna);
    xpartenza = arrotonda(immagini.carta[inmano].left);
    xarrivo = arrotonda(meta.x);
    ypartenza = arrotonda(immagini.carta[inmano].top);
    yarrivo = arrotonda(meta.y);
    muovicarta(inmano, xpartenza, xarrivo, ypartenza, yarrivo);
    if (eRe(inmano)) {
        fase = 1;
        pesca = true;
        return;
    }
    // The covered card comes up from under the one just placed.
    const Punto temporaneo = geometria.temporaneo();
    xpartenza = arrotonda(immagini.dorso[cliccata].left);
    xarrivo = arrotonda(temporaneo.x);
    ypartenza = arrotonda(immagini.dorso[cliccata].top);
    yarrivo = arrotonda(temporaneo.y);
    immagini.carta[cliccata].visible = true;
    muovicarta(cliccata, xpartenza, xarrivo, ypartenza, yarrivo);
    pesca = false;
    inmano = cliccata;
}

void Tavolo::dorso_MouseDown(int index, int button)
{
    if (button != tastoSinistro || passo_ != 0)
        return;
    cliccata = index;
    const Posto p = geometria.postoDiDorso(immagini.dorso[index].left, immagini.dorso[index].top);
    colonna = p.colonna;
    riga = p.riga;
    if (riga > righeTavolo && !pesca)
        return; // the stock while a card is in hand
    cliccato = true;
    piattaforma_.sveglia();
}

void Tavolo::Form_MouseDown(int button, double x, double y)
{
    if (button != tastoSinistro || passo_ != 0 || !immagini.dorsiCreati())
        return; // before start-up has laid the table there is nothing to press
    const auto p = geometria.postoDiPressione(x, y);
    if (!p)
        return;
    colonna = p->colonna;
    riga = p->riga;
    cliccato = true;
    piattaforma_.sveglia();
}

Colpo Tavolo::premi(double x, double y, int button)
{
    const Colpo colpo = immagini.colpisci(x, y);
    if (colpo.cosa == Colpo::Cosa::Dorso)
        dorso_MouseDown(colpo.carta, button);
    else if (colpo.cosa == Colpo::Cosa::Tavolo)
        Form_MouseDown(button, x, y);
    return colpo;
}

} // namespace trelva
