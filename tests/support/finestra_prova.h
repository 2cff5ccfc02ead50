#pragma once

#include <QBackingStore>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <functional>
#include <memory>

#include "form1.h"
#include "piattaforma_finta.h"
#include "regista.h"
#include "superficie.h"

namespace trelva::prova {

// A window in a scratch folder, on a clock twenty times faster than real
// time unless a test asks otherwise, dealing the deal a test asks for, with
// its music words recorded.
struct Finestra {
    double velocitaOrologio = 20;

    QTemporaryDir cartella;
    CasualeCopione casuale;
    QElapsedTimer reale;
    double partenza = 100;
    QStringList comandi;
    std::unique_ptr<Form1> finestra;
    QTimer guardia; // a scene that fails must not leave the game waiting for ever

    // `copie`: where the title's pictures are kept between windows; a
    // folder of the window's own when empty.
    explicit Finestra(const std::vector<int>& deal, double inizio = 100, double velocita = 20, QString copie = {})
        : velocitaOrologio(velocita)
        , partenza(inizio)
    {
        casuale.ordine(deal);
        reale.start();
        finestra = std::make_unique<Form1>(Form1::Opzioni{
            .cartella = cartella.path(),
            .orologio = [this] { return orologio(); },
            .comandiMusica = [this](const QString& c) { comandi << c; },
            .suonoVero = false,
            .casuale = &casuale,
            .copie = copie.isEmpty() ? cartella.filePath(QStringLiteral("copie")) : copie,
        });
        // A scene that failed ends the window at once, as does one that waits too long.
        QObject::connect(&guardia, &QTimer::timeout, finestra.get(), [this] {
            if (QTest::currentTestFailed())
                finestra->close();
            else if (reale.elapsed() > 30000) {
                finestra->close();
                QFAIL("the scenes did not finish");
            }
        });
        guardia.start(10);
    }
    double orologio() const
    {
        return std::fmod(partenza + reale.nsecsElapsed() * velocitaOrologio / 1e9, 86400.0);
    }
    Tavolo& tavolo() { return finestra->tavolo(); }
    Superficie& superficie() { return finestra->superficie(); }

    QPoint inPixel(QPointF unita) { return superficie().unitaInPixel().map(unita).toPoint(); }
    void premi(QPointF unita, Qt::MouseButton b = Qt::LeftButton)
    {
        QTest::mousePress(&superficie(), b, {}, inPixel(unita));
        QTest::mouseRelease(&superficie(), b, {}, inPixel(unita));
    }
    void premiPosto(int riga, int colonna, Qt::MouseButton b = Qt::LeftButton)
    {
        const Punto c = centro(tavolo(), riga, colonna);
        premi({c.x, c.y}, b);
    }
    // The game is waiting for a press and has judged the last one.
    bool pronta() { return tavolo().partitaInCorso() && tavolo().passo() == 0 && !tavolo().cliccato; }

    // Plays every card in turn, as a player who knows the deal: the stock,
    // then the card in hand to its own place. A King's place holds no back,
    // so that press lands on the bare table.
    void giocaTutto(
        Regista& r, std::function<void()> primaDiOgniPressione = [] {})
    {
        r.quando([this] { return pronta(); }, [this, &r, primaDiOgniPressione] {
            primaDiOgniPressione();
            if (tavolo().pesca)
                premiPosto(5, 7);
            else
                premiPosto(semeDi(tavolo().inmano), valoreDi(tavolo().inmano));
            giocaTutto(r, primaDiOgniPressione); });
    }

    // What the screen shows of the table, in device pixels: the window's
    // backing store as last painted, not a fresh rendering, so a repaint that
    // never happened shows as the old picture.
    QImage sulloSchermo()
    {
        const auto* finestraIntera = dynamic_cast<const QImage*>(finestra->backingStore()->paintDevice());
        if (!finestraIntera)
            qFatal("the window tests need the offscreen platform");
        const qreal dpr = finestraIntera->devicePixelRatio();
        const QPoint angolo = superficie().mapTo(finestra.get(), QPoint(0, 0));
        return finestraIntera->copy(QRect(angolo * dpr, superficie().size() * dpr))
            .convertToFormat(QImage::Format_RGB32);
    }
    // The device pixel under a point given in window units.
    QPoint pixelDi(QPointF unita)
    {
        return (superficie().unitaInPixel().map(unita) * superficie().devicePixelRatioF()).toPoint();
    }
};

} // namespace trelva::prova
