#include "form1.h"

#include <QAction>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <exception>

#include "accessibile.h"
#include "distruzione.h"
#include "folders.h"
#include "mmc1.h"
#include "musica.h"
#include "pannelli.h"
#include "pausa.h"
#include "piattaforma_qt.h"
#include "superficie.h"
#include "velocita.h"

namespace trelva {

namespace {
// The window's client area as designed, below its menu bar, until maximised.
constexpr QSize areaProgettata{1280, 974};

void saltato([[maybe_unused]] const char* perche)
{
#ifndef NDEBUG
    qWarning("start-up step skipped: %s", perche);
#endif
}

void spunta(const QList<QAction*>& voci, int indice)
{
    for (int i = 0; i < voci.size(); ++i)
        voci[i]->setChecked(i == indice);
}
} // namespace

Form1::Form1(Opzioni opzioni)
    : opzioni_(std::move(opzioni))
    , piattaforma_(std::make_unique<PiattaformaQt>())
    , tavolo_(*piattaforma_, opzioni_.casuale ? *opzioni_.casuale : mersenne_)
{
    accessibile::installa();
    superficie_ = new Superficie(tavolo_, this);
    superficie_->usaCopie(opzioni_.copie);
    setCentralWidget(superficie_);
    superficie_->setFocus(); // the keys play on the table
    setWindowTitle(QStringLiteral("Dorvinex  -  La Trelva"));
    resize(areaProgettata);
    pannelli_ = std::make_unique<Pannelli>(superficie_);
    piattaforma_->collega(superficie_);
    connect(superficie_, &Superficie::mappaCambiata, pannelli_.get(), &Pannelli::disponi);
    connect(superficie_, &Superficie::logoCliccato, pannelli_.get(), &Pannelli::Logo_Click);
    connect(superficie_, &Superficie::sitoCliccato, pannelli_.get(), &Pannelli::sito_Click);
    connect(superficie_, &Superficie::testoCliccato, pannelli_.get(), &Pannelli::testo_Click);
    connect(superficie_, &Superficie::pannelliVia, pannelli_.get(), &Pannelli::nascondiTutti);
    connect(superficie_, &Superficie::cartaCliccata, pannelli_.get(), &Pannelli::carta_Click);

    music::MMC1::Options suono;
    suono.output = opzioni_.suonoVero ? music::MMC1::Output::Device : music::MMC1::Output::Offline;
    mmc_ = std::make_unique<music::MMC1>(suono);
    musica_ = std::make_unique<Musica>(*mmc_, music::musicFolder(opzioni_.cartella));
    if (!opzioni_.comandiMusica)
        opzioni_.comandiMusica = [this](const QString& parola) { mmc_->setCommand(parola); };
    velocita_ = std::make_unique<Velocita>(postoritmo::delProgramma(opzioni_.cartella),
                                           [this](int passi) { tavolo_.passi = passi; });
    if (!opzioni_.orologio) {
        auto avvio = std::make_shared<QElapsedTimer>();
        avvio->start();
        opzioni_.orologio = [avvio] { return avvio->nsecsElapsed() / 1e9; };
    }
    distruzione_ = std::make_unique<Distruzione>(*this);
    creaMenu();
}

Form1::~Form1() = default;

void Form1::creaMenu()
{
    QMenuBar* barra = menuBar();
    // Queued, so a new game never runs inside the menu bar's own handler.
    connect(barra->addAction(QStringLiteral("&New Game")), &QAction::triggered, this, &Form1::newgame_Click,
            Qt::QueuedConnection);

    QMenu* regole = barra->addMenu(QStringLiteral("&Rules"));
    connect(regole->addAction(QStringLiteral("English")), &QAction::triggered, pannelli_.get(),
            &Pannelli::menu_rules_english_Click);
    connect(regole->addAction(QStringLiteral("Italiano")), &QAction::triggered, pannelli_.get(),
            &Pannelli::menu_rules_italiano_Click);

    QMenu* menuMusica = barra->addMenu(QStringLiteral("&Music"));
    QList<QAction*> canzoni;
    for (const QString& titolo : Musica::canzoni()) {
        QAction* voce = menuMusica->addAction(titolo);
        voce->setCheckable(true);
        const int indice = int(canzoni.size());
        connect(voce, &QAction::triggered, this, [this, indice] { musica_->canzoni_Click(indice); });
        canzoni.append(voce);
    }
    connect(musica_.get(), &Musica::spuntaCambiata, this, [canzoni](int i) { spunta(canzoni, i); });

    QMenu* ritmo = barra->addMenu(Velocita::titoloMenu());
    QList<QAction*> velocita;
    for (const QString& titolo : Velocita::didascalie()) {
        QAction* voce = ritmo->addAction(titolo);
        voce->setCheckable(true);
        const int indice = int(velocita.size()) + 1;
        connect(voce, &QAction::triggered, this, [this, indice] { velocita_->velocita_Click(indice); });
        velocita.append(voce);
    }
    connect(velocita_.get(), &Velocita::spuntaCambiata, this, [velocita](int i) { spunta(velocita, i - 1); });

    connect(barra->addAction(QStringLiteral("&Info")), &QAction::triggered, pannelli_.get(),
            &Pannelli::menu_about_Click);
    connect(barra->addAction(QStringLiteral("&Quit")), &QAction::triggered, this, &Form1::menu_quit_Click);
}

QAction* Form1::azione(const QString& testo) const
{
    for (QAction* a : findChildren<QAction*>())
        if (a->text() == testo)
            return a;
    return nullptr;
}

void Form1::Form_Load()
{
    superficie_->mostra(schermate::inBianco());
    showMaximized();
    windowHandle()->installEventFilter(this);
    seguiLaVista(); // in case the first exposure came with the showing
    // The window's first activation: the faces leave the table's sight.
    tavolo_.Form_Activate();

    // From here on a step that fails is skipped and start-up goes on. The
    // player is told nothing; a debug build tells the developer what was skipped.
    auto passo = [](auto&& fare) {
        try {
            fare();
        } catch (const std::exception& e) {
            saltato(e.what());
        } catch (...) {
            saltato("not a standard exception");
        }
    };
    passo([&] { velocita_->avvio(); });
    passo([&] { titolo(); });
    attendiIlTitoloSulloSchermo();
    if (chiusa_)
        return;
    // What the first frame does not show waits until it is on the screen:
    // the title's four seconds leave time enough.
    passo([&] { musica_->avvio(); });
    passo([&] { setWindowIcon(QIcon(QStringLiteral(":/art/icona.svg"))); });
    passo([&] { pannelli_->prepara(); });
    passo([&] { superficie_->conservaTitolo(); });

    const bool finita = pausaDelTitolo(
        opzioni_.orologio,
        // Wakes at least every tenth of a second to read the clock again: a
        // clock that jumps (midnight, a test's) is noticed in time.
        [&](double mancano) { piattaforma_->dormi(int(std::ceil(std::min(mancano, 0.1) * 1000))); },
        [&] { return chiusa_; });
    if (!finita || chiusa_)
        return;

    passo([&] { disponiTavolo(); });
    passo([&] { tavolo_.misura(float(Superficie::unita.width())); });
    passo([&] { tavolo_.avvia(); });
}

void Form1::attendiIlTitoloSulloSchermo()
{
    // The title's seconds count from its first frame on the screen, not from
    // the moment it was asked for: the first paint of a new window comes late.
    // A window that is never painted (started minimised) waits no longer than this.
    constexpr int msAlPiuPerIlPrimoFotogramma = 1000;
    bool mostrato = false;
    const QMetaObject::Connection c = connect(superficie_, &Superficie::dipinta, this, [&] {
        if (superficie_->schermata().testo.visible && !mostrato) {
            mostrato = true;
            piattaforma_->interrompiSonno();
        }
    });
    if (!chiusa_)
        piattaforma_->dormi(msAlPiuPerIlPrimoFotogramma);
    disconnect(c);
}

int Form1::larghezzaMassimizzata() const
{
    // The window manager maximises the window some time after it was asked
    // to; the width it will then have is the screen's available width.
    if (windowState() & Qt::WindowMaximized)
        if (const QScreen* schermo = screen())
            return schermo->availableGeometry().width();
    return frameGeometry().width();
}

void Form1::titolo()
{
    superficie_->mostra(schermate::titolo(larghezzaMassimizzata(), logicalDpiX()));
}

void Form1::disponiTavolo()
{
    superficie_->mostra(schermate::tavolo(superficie_->schermata()));
}

void Form1::newgame_Click()
{
    superficie_->fuocoAlMazzetto();
    tavolo_.newgame_Click();
}

void Form1::comando(const char* parola)
{
    opzioni_.comandiMusica(QString::fromLatin1(parola));
}

void Form1::menu_quit_Click()
{
    comando("Close");
    close();
}

void Form1::Form_Unload()
{
    comando("Close");
    chiusa_ = true;
    // Every waiting loop returns at once; the window closing is what ends
    // the application's own loop.
    tavolo_.esci();
    piattaforma_->chiudi();
}

void Form1::closeEvent(QCloseEvent* e)
{
    if (!chiusa_)
        Form_Unload();
    e->accept();
}

// The music plays while the window can be seen. Minimised is one way of
// not being seen; Wayland never tells a client it is minimised, but its
// compositors stop exposing a window nobody can see, and so do X11's.
void Form1::seguiLaVista()
{
    if (chiusa_)
        return; // the music is closed already
    const QWindow* w = windowHandle();
    const bool ora = !isMinimized() && w && w->isExposed();
    if (ora != vista_) {
        vista_ = ora;
        comando(ora ? "play" : "pause");
    }
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    // Exposure is already brought up to date when the window hears of it.
    if (event->type() == QEvent::Expose && watched == windowHandle())
        seguiLaVista();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::WindowStateChange) {
        seguiLaVista();
        if (!isMinimized()) {
            // A restore is a resize to the window system, but not always to Qt.
            if (!isMaximized() && isVisible())
                // Answered at once, but after the window system has finished its change.
                QTimer::singleShot(0, this, [this] {
                    if (!isMinimized() && !chiusa_)
                        showMaximized();
                });
        }
    }
    QMainWindow::changeEvent(e);
}

void Form1::resizeEvent(QResizeEvent* e)
{
    if (vista_)
        comando("play");
    QMainWindow::resizeEvent(e);
}

} // namespace trelva
