// The play rate: how many steps a card move takes, chosen from the
// "&Play rate" menu and remembered across runs in Speed.dvx (where: posto.h).
#pragma once

#include "posto.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace trelva {

class Velocita : public QObject {
    Q_OBJECT
public:
    // posto: where Speed.dvx is read and written. impostaPassi receives the
    // step count every time one is set; until then the step count is unset and
    // counts as 0, so cards jump straight to their places.
    Velocita(PostoRitmo posto, std::function<void(int passi)> impostaPassi,
             QObject* parent = nullptr);

    static QString titoloMenu(); // "&Play rate"
    static const QStringList& didascalie(); // "Low", "Middle", "High": entries 1 to 3
    static constexpr std::array<int, 3> ritmi{360, 200, 100}; // steps of entries 1 to 3

    // Start-up: read the first file found, once, check the entry it names and
    // take its step count. Each of these fails on its own and silently; a
    // missing or unusable file leaves no entry checked and is not created.
    void avvio();

    int spuntata() const { return spuntata_; } // 0 = no entry checked, else 1..3
    int passi() const { return passi_; } // 0 while unset
    int ritmo() const { return ritmo_; } // the index found in the file, 0 if none

public slots:
    // A choice in the menu: the new rate holds at once, then the file is
    // rewritten, even when the same entry was already checked. If the file
    // cannot be written, or is something other than a regular file, it is left
    // as it is and the rate still holds for the rest of the run.
    void velocita_Click(int index);

signals:
    // The entry that must carry the check mark (1..3). Sent after every choice,
    // not only on a change: a checkable menu action that was clicked while
    // already checked has just unchecked itself and needs putting back.
    void spuntaCambiata(int indice);

private:
    static bool valido(int indice) { return indice >= 1 && indice <= 3; }
    void spunta(int indice);
    void imposta(int indice);
    bool scrivi(int indice) const;

    PostoRitmo posto_;
    std::function<void(int)> impostaPassi_;
    int spuntata_ = 0;
    int passi_ = 0;
    int ritmo_ = 0;
};

} // namespace trelva
