#pragma once

#include <array>

#include "carte.h"
#include "casuale.h"
#include "geometria.h"
#include "immagini.h"
#include "piattaforma.h"

// The table and its rules: the state the window holds for a game, the shuffle
// and the deal, the chain of moves and the start of a game. It runs on the
// window's thread and gives the event loop its turns through the Piattaforma.
namespace trelva {

enum class Esito { Nessuno,
                   Sorry,
                   Congratulation };

class Tavolo {
public:
    Tavolo(Piattaforma& piattaforma, Casuale& casuale);

    Immagini immagini;
    Geometria geometria;

    // The game-state values, 1-based like the table they describe.
    std::array<int, numeroCarte + 1> mazzo{}; // the ordered deck while shuffling
    std::array<int, numeroCarte + 1> mescolato{}; // deal order: 1-36 table, 37-40 stock
    std::array<int, righeTavolo + 1> semi{}; // suit bound to each row, 0 = free
    int inmano = 0; // the card in hand
    int riga = 0; // row of the last accepted press, 5 = the stock's line
    int colonna = 0; // column of the last accepted press
    int cliccata = 0; // the card whose back was pressed last
    bool cliccato = false;
    bool pesca = false; // the next accepted press must be on the stock
    int fase = 0; // 1 draw from the stock, 2 place the card in hand
    int xpartenza = 0, xarrivo = 0, ypartenza = 0, yarrivo = 0;

    // Steps of a card move; 0 makes cards jump (no play rate chosen).
    int passi = 0;
    int passo() const { return passo_; }
    int pescate() const { return pescate_; }
    int piazzate() const { return piazzate_; }
    bool partitaInCorso() const { return inCorso_; }
    Esito esito() const;

    // Start-up: the geometry from the first face and the client width; the
    // end labels go across the stock's line at the left of the table.
    void misura(float largoarea);
    // Start-up's last steps: copy the 40 backs from the model, shuffle, deal
    // and play the first game. Returns when that game is over.
    void avvia();

    // Window events.
    void Form_Activate();
    void newgame_Click();
    void esci();
    void dorso_MouseDown(int index, int button);
    void Form_MouseDown(int button, double x, double y);
    // A press anywhere on the table, sent to the picture on top or the table;
    // returns what it landed on, for the window to answer the rest (a face is
    // no play press, and the window's panels are none of the rules' business).
    Colpo premi(double x, double y, int button);

    // The rules, callable on their own.
    bool suit();
    bool valore();
    void Mescola();
    void DaiCarte();
    void muovicarta(int ind_sel, int X1, int X2, int Y1, int Y2);

private:
    struct Interruzione { };

    void giocaPartite(bool primaPartita);
    void sgombra();
    void gioco();
    void pescaDalMazzetto();
    void piazzaInMano();
    void controlla() const;
    void ridisegna() { piattaforma_.ridisegna(); }

    Piattaforma& piattaforma_;
    Casuale& casuale_;
    int passo_ = 0;
    int pescate_ = 0;
    int piazzate_ = 0;
    bool inCorso_ = false;
    bool nuovaRichiesta_ = false;
    bool chiusura_ = false;
};

} // namespace trelva
