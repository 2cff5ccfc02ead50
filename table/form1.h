#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "casuale.h"
#include "tavolo.h"

class QAction;

namespace music {
class MMC1;
}

namespace trelva {

class Distruzione;
class Musica;
class Pannelli;
class PiattaformaQt;
class Superficie;
class Velocita;

// The game's one window: its menus, its start-up with the title screen, its
// resize and minimise handling and its shutdown. The table itself is drawn by
// Superficie and played by the rules' Tavolo.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    struct Opzioni {
        QString cartella; // the program's folder: songs and settings are found from it
        std::function<double()> orologio = {}; // seconds; the title pause is read on it
        // Where the window's own words to the music control go (pause on
        // minimise, play on restore, Close on quit); the control by default.
        std::function<void(const QString&)> comandiMusica = {};
        bool suonoVero = true; // false: the synthesizer opens no audio device
        // the shuffle's generator; our own when null
        Casuale* casuale = nullptr;
        // Where the title screen's rendered pictures are kept between starts,
        // so that later starts show them sooner; none are kept when empty.
        QString copie = {};
    };

    explicit Form1(Opzioni opzioni);
    ~Form1() override;

    // Start-up: shows the window, the title screen, then deals and plays the
    // first game. Returns when that game is over or the program is ending.
    void Form_Load();

    Tavolo& tavolo() { return tavolo_; }
    Superficie& superficie() { return *superficie_; }
    Pannelli& pannelli() { return *pannelli_; }
    QAction* azione(const QString& testo) const; // a menu entry by its caption

public slots:
    void newgame_Click();
    void menu_quit_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void creaMenu();
    void titolo();
    void attendiIlTitoloSulloSchermo();
    int larghezzaMassimizzata() const;
    void disponiTavolo();
    void comando(const char* parola);
    void seguiLaVista();
    void Form_Unload();

    Opzioni opzioni_;
    CasualeMersenne mersenne_;
    std::unique_ptr<PiattaformaQt> piattaforma_;
    Tavolo tavolo_;
    Superficie* superficie_ = nullptr;
    std::unique_ptr<Pannelli> pannelli_;
    std::unique_ptr<music::MMC1> mmc_;
    std::unique_ptr<Musica> musica_;
    std::unique_ptr<Velocita> velocita_;
    std::unique_ptr<Distruzione> distruzione_;
    bool chiusa_ = false;
    // Whether the player can see the window, as last told to the music.
    bool vista_ = false;
};

} // namespace trelva
