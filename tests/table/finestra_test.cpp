#include <QAbstractEventDispatcher>
#include <QAction>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <xcb/xcb.h>

#include "finestra_prova.h"
#include "mazzi.h"
#include "pannelli.h"
#include "posti.h"
#include "superficie.h"

using namespace trelva;
using namespace trelva::prova;

class FinestraTest : public QObject {
    Q_OBJECT
private slots:
    void titoloPoiTavolo();
    void laPausaPassaLaMezzanotte();
    void quitDuranteIlTitolo();
    void unaPartitaColMouse();
    void pressioniDuranteUnaMossaENuovaPartita();
    void quitDuranteUnaMossa();
    void ridurreERipristinare();
    void nuovaPartitaAlPrimoClicDopoLaFine();
    void musicaSoloSeLaFinestraSiVede();
    void distruttaDaFuoriSiChiude();
};

void FinestraTest::titoloPoiTavolo()
{
    Finestra b(dealPerdente());
    Regista r;
    QElapsedTimer t;
    t.start();
    r.poi([&] {
        Superficie& s = b.superficie();
        QCOMPARE(s.schermata().sfondo, QColor(Qt::white));
        QVERIFY(s.schermata().testo.visible && s.schermata().Shape1.visible && s.schermata().CopyRight.visible && s.schermata().sito.visible);
        QCOMPARE(s.schermata().testo.posto, QRectF((1280 - 309) / 2.0, (1024 - 90) / 3.0, 309, 90));
        QCOMPARE(s.schermata().Logo.posto.left(), (1280 - 120) / 2.0);
        for (QPlainTextEdit* p : {b.finestra->pannelli().txtEnglish(), b.finestra->pannelli().text4()})
            QVERIFY(p->isHidden());
        // Commands for the table are ignored until it is laid.
        b.finestra->azione(QStringLiteral("&New Game"))->trigger();
        b.premi({400, 50});
        QVERIFY(!b.tavolo().immagini.dorsiCreati());
    });
    r.quando([&] { return b.pronta(); }, [&] {
        // Four title seconds on a clock running twenty times faster.
        QVERIFY(t.elapsed() > 190);
        Superficie& s = b.superficie();
        QCOMPARE(s.schermata().sfondo, QColor(0, 64, 0));
        QVERIFY(!s.schermata().testo.visible && !s.schermata().Shape1.visible && !s.schermata().CopyRight.visible);
        QCOMPARE(s.schermata().Logo.posto.topLeft(), QPointF(1280 - 120 - 25, 10));
        QCOMPARE(s.schermata().sito.posto.center().x(), s.schermata().Logo.posto.center().x());
        QCOMPARE(s.schermata().sitoTesto, QColor(Qt::white));
        const Immagini& im = b.tavolo().immagini;
        QCOMPARE(im.lblSorry.left, 300.0f);
        QCOMPARE(im.lblSorry.top, 495.0f);
        QVERIFY(!im.lblSorry.visible && !im.lblCongratulation.visible);
        for (int k = 1; k <= 40; ++k) {
            QVERIFY(im.dorso[k].visible);
            QCOMPARE(im.carta[k].left, 10000.0f);
        }
        // The stored play rate and the first song were taken up on the way.
        QCOMPARE(b.tavolo().passi, 100);
        QVERIFY(b.finestra->azione(QStringLiteral("High"))->isChecked());
        QVERIFY(!b.finestra->azione(QStringLiteral("Low"))->isChecked());
        QVERIFY(b.finestra->azione(QStringLiteral("O' surdat nnammurat"))->isChecked());
        QVERIFY(!b.finestra->azione(QStringLiteral("No Music"))->isChecked());
        b.finestra->close(); });
    QFile velocita(b.cartella.filePath(QStringLiteral("Speed.dvx")));
    QVERIFY(velocita.open(QIODevice::WriteOnly));
    velocita.write(" 3 \r\n");
    velocita.close();
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

void FinestraTest::laPausaPassaLaMezzanotte()
{
    Finestra b(dealPerdente(), 86399.0);
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] { b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

void FinestraTest::quitDuranteIlTitolo()
{
    // On a real-time clock: the title would last four seconds.
    Finestra b(dealPerdente(), 100, 1);
    Regista r;
    r.poi([&] { b.finestra->azione(QStringLiteral("&Quit"))->trigger(); });
    QElapsedTimer t;
    t.start();
    b.finestra->Form_Load();
    QVERIFY(t.elapsed() < 2000);
    QVERIFY(!b.tavolo().immagini.dorsiCreati());
    QCOMPARE(b.comandi.count(QStringLiteral("Close")), 2);
}

void FinestraTest::unaPartitaColMouse()
{
    Finestra b(dealVincente(9));
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        b.tavolo().passi = 8;
        b.premiPosto(5, 7, Qt::RightButton);
        // the stock comes first
        b.premiPosto(2, 3); });
    b.giocaTutto(r);
    // The first game plays inside start-up, which returns when it is over.
    b.finestra->Form_Load();
    QCOMPARE(b.tavolo().esito(), Esito::Congratulation);
    QCOMPARE(b.tavolo().piazzate(), 40);
}

void FinestraTest::pressioniDuranteUnaMossaENuovaPartita()
{
    Finestra b(dealPerdente());
    Regista r;
    int primaMossa = 0;
    r.quando([&] { return b.pronta(); }, [&] {
        b.tavolo().passi = 360;  // 0.9 s
        b.premiPosto(5, 7); });
    r.quando([&] { return b.tavolo().passo() > 50; }, [&] {
        QCOMPARE(b.tavolo().fase, 1);
        b.premiPosto(4, 10);  // lost: a card is moving
        primaMossa = b.tavolo().passo(); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] {
        QVERIFY(primaMossa > 0);
        QCOMPARE(b.tavolo().inmano, 40);
        QCOMPARE(b.tavolo().piazzate(), 0);
        QCOMPARE(b.tavolo().immagini.carta[40].left, float(xTemporaneo));
        b.premiPosto(4, 10); });
    r.quando([&] { return b.tavolo().passo() > 10; }, [&] {
        b.casuale.ordine(dealVincente(2));
        b.finestra->azione(QStringLiteral("&New Game"))->trigger(); });
    r.quando([&] { return b.pronta() && b.tavolo().mescolato[37] == dealVincente(2)[36]; }, [&] {
        const Tavolo& t = b.tavolo();
        for (int k = 1; k <= 40; ++k)
            QCOMPARE(t.immagini.carta[k].left, 10000.0f);
        QCOMPARE(t.semi, (std::array<int, 5>{}));
        QCOMPARE(t.piazzate(), 0);
        QVERIFY(t.fase == 1 && t.pesca);
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

void FinestraTest::quitDuranteUnaMossa()
{
    Finestra b(dealPerdente());
    Regista r;
    QElapsedTimer t;
    r.quando([&] { return b.pronta(); }, [&] {
        b.tavolo().passi = 360;
        b.premiPosto(5, 7); });
    r.quando([&] { return b.tavolo().passo() > 20; }, [&] {
        t.start();
        b.finestra->azione(QStringLiteral("&Quit"))->trigger(); });
    b.finestra->Form_Load();
    QVERIFY(t.elapsed() < 500); // the rest of the move would take 0.85 s
    QCOMPARE(b.comandi.count(QStringLiteral("Close")), 2);
    QVERIFY(b.tavolo().passo() == 0);
}

void FinestraTest::ridurreERipristinare()
{
    Finestra b(dealPerdente());
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        b.comandi.clear();
        b.finestra->setWindowState(Qt::WindowMinimized);
        QCOMPARE(b.comandi, QStringList{QStringLiteral("pause")});
        b.finestra->setWindowState(Qt::WindowNoState);
        // The restore itself resumes the music, whether or not a resize follows.
        QCOMPARE(b.comandi.last(), QStringLiteral("play")); });
    r.quando([&] { return b.finestra->isMaximized(); }, [&] {
        QVERIFY(b.comandi.contains(QStringLiteral("play")));
        // Every control keeps its place in window units whatever the size.
        b.finestra->pannelli().menu_rules_english_Click();
        b.superficie().resize(1000, 500);
        const QTransform m = b.superficie().unitaInPixel();
        QCOMPARE(m.m11(), 500.0 / 1024);
        QCOMPARE(b.finestra->pannelli().txtEnglish()->geometry(), m.mapRect(QRectF(0, 0, 441, 371)).toRect());
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

void FinestraTest::nuovaPartitaAlPrimoClicDopoLaFine()
{
    Finestra b(dealPerdente());
    QMenuBar* barra = b.finestra->menuBar();
    const QPoint nuova = barra->actionGeometry(b.finestra->azione(QStringLiteral("&New Game"))).center();
    auto sorryMostrato = [&] { return b.sulloSchermo().pixelColor(b.pixelDi({300 + 3, 495 + 3})) == QColor(Qt::red); };
    enum { Gioca,
           Finita,
           Cliccata } stato
        = Gioca;
    int clic = 0;
    QElapsedTimer dalClic;
    // One real press and release on the menu bar after each end, the first
    // after the start-up game, the second after a game New Game dealt; the
    // player must see the new deal at once, without a second click.
    QTimer giocatore;
    QObject::connect(&giocatore, &QTimer::timeout, b.finestra.get(), [&] {
        Tavolo& t = b.tavolo();
        if (stato == Cliccata) {
            if (!sorryMostrato() && b.pronta())
                stato = Gioca;
            else if (dalClic.elapsed() > 1000) {
                giocatore.stop();
                b.finestra->close();
                QFAIL("one click on New Game showed no new deal");
            }
        } else if (b.pronta()) {
            t.passi = 4;
            b.premiPosto(t.pesca ? 5 : semeDi(t.inmano), t.pesca ? 7 : valoreDi(t.inmano));
        } else if (!t.partitaInCorso() && t.esito() == Esito::Sorry && sorryMostrato()) {
            if (clic == 2) {
                giocatore.stop();
                b.finestra->close();
                return;
            }
            ++clic;
            stato = Cliccata;
            dalClic.start();
            QTest::mousePress(barra, Qt::LeftButton, {}, nuova);
            QTest::mouseRelease(barra, Qt::LeftButton, {}, nuova);
        }
    });
    giocatore.start(5);
    // Started as the program starts it, from its own event loop, to which
    // each game's end returns.
    QEventLoop ciclo;
    QTimer chiusa;
    QObject::connect(&chiusa, &QTimer::timeout, &ciclo, [&] {
        if (!b.finestra->isVisible())
            ciclo.quit();
    });
    chiusa.start(10);
    QTimer::singleShot(0, b.finestra.get(), &Form1::Form_Load);
    ciclo.exec();
    QCOMPARE(clic, 2);
}

void FinestraTest::musicaSoloSeLaFinestraSiVede()
{
    Finestra b(dealPerdente());
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        QWindow* w = b.finestra->windowHandle();
        b.comandi.clear();
        // Taken from the screen without being minimised, as a compositor
        // does with a window nobody can see: the window is no longer exposed.
        w->hide();
        QApplication::processEvents();
        QVERIFY(!w->isExposed());
        QCOMPARE(b.comandi, QStringList{QStringLiteral("pause")});
        // A resize or a minimise while unseen resumes nothing, pauses no more.
        b.finestra->resize(b.finestra->size() - QSize(10, 10));
        b.finestra->setWindowState(Qt::WindowMinimized);
        QApplication::processEvents();
        QCOMPARE(b.comandi, QStringList{QStringLiteral("pause")});
        b.finestra->setWindowState(Qt::WindowNoState);
        QCOMPARE(b.comandi, QStringList{QStringLiteral("pause")});
        w->show();
        QApplication::processEvents();
        QVERIFY(w->isExposed());
        QCOMPARE(b.comandi.count(QStringLiteral("play")), 1);
        QCOMPARE(b.comandi.count(QStringLiteral("pause")), 1);
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

void FinestraTest::distruttaDaFuoriSiChiude()
{
    Finestra b(dealPerdente());
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        // What the X server tells when another client destroys a window:
        // a notice about some other window changes nothing, ours closes.
        auto notizia = [](WId finestra) {
            xcb_destroy_notify_event_t e{};
            e.response_type = XCB_DESTROY_NOTIFY | 0x80; // sent by a client, not the server
            e.event = e.window = xcb_window_t(finestra);
            qintptr risultato = 0;
            QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &e, &risultato);
        };
        notizia(b.finestra->winId() + 1);
        QApplication::processEvents();
        QVERIFY(b.finestra->isVisible());
        notizia(b.finestra->winId()); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
    QVERIFY(!b.finestra->isVisible());
    QCOMPARE(b.comandi.count(QStringLiteral("Close")), 1);
}

QTEST_MAIN(FinestraTest)
#include "finestra_test.moc"
