#pragma once

#include <array>
#include <iosfwd>
#include <string>

#include "tavolo.h"

// One replay session: commands come one per line, the table is played with
// moves that complete at once, and every command answers with one state line
// (or, for `dump`, one line per card).
//
// The rules core owns the game loop and only lets go of control in
// Piattaforma::attendi(), so the session reads its input from there. A
// command's state line is owed until the core has finished judging it: it is
// written at the next wait pass, or when the game loop returns because that
// command ended the game.
namespace trelva::replay {

class Sessione final : public Piattaforma {
public:
    Sessione(std::istream& in, std::ostream& out, std::ostream& err);

    // Runs the whole input; 0 when every line was understood, 2 otherwise.
    int esegui();

    void attendi() override;
    void cediPasso(int) override { }
    std::uint64_t seme() override { return 0; }

private:
    bool eseguiFinoAUnaMossa();
    void scriviStato();
    void scriviStatoDovuto();
    void scriviDump();
    void errore(const std::string& perche);

    std::istream& in_;
    std::ostream& out_;
    std::ostream& err_;
    CasualeCopione casuale_;
    Tavolo tavolo_;
    bool dealFatto_ = false;
    bool statoDovuto_ = false;
    bool errori_ = false;
    bool finito_ = false;
    long numeroRiga_ = 0;
};

} // namespace trelva::replay
