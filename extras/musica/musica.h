// The "&Music" menu's logic: which song plays, and the check mark that is the
// only record of it.
//
// The window owns one MMC1 and one Musica(mmc, <program folder>/music), makes
// the menu entries from canzoni(), routes their clicks to canzoni_Click() and
// sets the check marks from spuntaCambiata(). avvio() belongs to start-up; the
// window itself sends "pause" and "play" to the MMC1 as it goes out of sight
// and comes back, and "Close" before the program ends.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

namespace music {
class MMC1;
}

namespace trelva {

class Musica : public QObject {
    Q_OBJECT

public:
    // cartella: the "music" folder beside the program, holding the songs
    // named after their captions.
    Musica(music::MMC1& mmc, const QString& cartella, QObject* parent = nullptr);

    // Captions of the menu entries 0..5: "No Music" and the five songs.
    static const QStringList& canzoni();

    // Start-up: the first song plays and its entry is checked.
    void avvio();

    // A choice in the menu, 0 (no music) to 5.
    void canzoni_Click(int index);

    // The checked entry, 0..5, or -1 before start-up.
    int spuntata() const { return spunta_; }

    // The file a menu entry opens, with the extension given.
    QString percorso(int indice, const QString& estensione) const;

signals:
    void spuntaCambiata(int indice);

private:
    void MMC1_Done(int notifyCode);
    void spunta(int indice);

    music::MMC1& mmc_;
    QString cartella_;
    int spunta_ = -1;
};

} // namespace trelva
