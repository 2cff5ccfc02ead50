#pragma once

#include <QElapsedTimer>

#include "piattaforma.h"

class QEventLoop;

namespace trelva {

class Superficie;

// The rules' yields on Qt's event loop. A wait for the player sleeps in a
// local event loop until a press or a command wakes it, so waiting costs no
// CPU; a card move is paced against its own clock, so it lasts the same on
// any machine.
class PiattaformaQt final : public Piattaforma {
public:
    static constexpr qint64 nsPerPasso = 2'500'000;

    // The table it repaints exists after it.
    void collega(Superficie* superficie);

    void attendi() override;
    void cediPasso(int passo) override;
    void sveglia() override;
    std::uint64_t seme() override;
    void ridisegna() override;

    // Runs the event loop for about `ms` milliseconds, or until woken.
    void dormi(int ms);
    // Ends the sleep under way, as a wake does, but leaves no wake behind for
    // the next wait for the player.
    void interrompiSonno();
    // From now on every yield returns at once: the program is ending.
    void chiudi();
    bool chiusa() const { return chiusa_; }

private:
    void esegui(QEventLoop& ciclo);

    Superficie* superficie_ = nullptr;
    QEventLoop* ciclo_ = nullptr;
    QElapsedTimer mossa_;
    bool svegliata_ = false;
    bool chiusa_ = false;
};

} // namespace trelva
