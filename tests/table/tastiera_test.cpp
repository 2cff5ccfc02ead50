// Play without a mouse: the keyboard's place on the table, its ring, and what
// a screen reader is told, all through the real window.
#include <QAccessible>
#include <QAction>
#include <QPlainTextEdit>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include "accessibile.h"
#include "descrizione.h"
#include "finestra_prova.h"
#include "mazzi.h"
#include "pannelli.h"

using namespace trelva;
using namespace trelva::prova;

namespace {
const QColor giallo(255, 255, 0);

// Keys go to the window as the window system gives them: to whatever has the
// keyboard focus, through the menus' shortcuts first.
void tasto(Finestra& b, Qt::Key k, Qt::KeyboardModifiers m = {})
{
    QTest::keyClick(b.finestra->windowHandle(), k, m);
}

// Walks the keyboard's place to a place with the arrow keys.
void vaiA(Finestra& b, Posto meta)
{
    auto qui = [&] { return b.superficie().fuoco().posto(); };
    if (meta.riga == rigaMazzetto) {
        while (qui().riga != rigaMazzetto)
            tasto(b, Qt::Key_Down);
        return;
    }
    if (qui().riga == rigaMazzetto)
        tasto(b, Qt::Key_Up);
    while (qui().riga != meta.riga)
        tasto(b, qui().riga < meta.riga ? Qt::Key_Down : Qt::Key_Up);
    while (qui().colonna != meta.colonna)
        tasto(b, qui().colonna < meta.colonna ? Qt::Key_Right : Qt::Key_Left);
}

// Where the next card belongs, for a player who knows the deal.
Posto prossimo(Tavolo& t)
{
    return t.pesca ? Fuoco::mazzetto : Posto{semeDi(t.inmano), valoreDi(t.inmano)};
}

// The keyboard player's version of Finestra::giocaTutto: every press is an
// arrow walk and then Return or Space, in turn.
void giocaTuttoConITasti(
    Finestra& b, Regista& r, std::function<void()> primaDiOgniPressione = [] {})
{
    r.quando([&b] { return b.pronta(); }, [&b, &r, primaDiOgniPressione] {
        primaDiOgniPressione();
        vaiA(b, prossimo(b.tavolo()));
        tasto(b, b.tavolo().piazzate() % 2 ? Qt::Key_Space : Qt::Key_Return);
        giocaTuttoConITasti(b, r, primaDiOgniPressione); });
}

// Where every card ended, face and back, and how the rows were bound.
QStringList comeFinita(Tavolo& t)
{
    QStringList righe;
    for (int k = 1; k <= numeroCarte; ++k) {
        const Immagine& f = t.immagini.carta[k];
        const Immagine& d = t.immagini.dorso[k];
        righe << QStringLiteral("%1: face %2,%3 %4, back %5,%6 %7")
                     .arg(k)
                     .arg(f.left)
                     .arg(f.top)
                     .arg(f.visible)
                     .arg(d.left)
                     .arg(d.top)
                     .arg(d.visible);
    }
    righe << QStringLiteral("rows %1 %2 %3 %4, placed %5, end %6")
                 .arg(t.semi[1])
                 .arg(t.semi[2])
                 .arg(t.semi[3])
                 .arg(t.semi[4])
                 .arg(t.piazzate())
                 .arg(int(t.esito()));
    return righe;
}

QString nomeDi(Finestra& b, int indice)
{
    return QAccessible::queryAccessibleInterface(&b.superficie())->child(indice)->text(QAccessible::Name);
}

// The ring's outer band, one device pixel in from the place's left edge.
QColor anelloA(Finestra& b, const QImage& s, Posto p)
{
    const QRect r = b.superficie().inDispositivo(Fuoco::riquadro(b.tavolo().geometria, p));
    return s.pixelColor(r.left() + 1, r.center().y());
}

// What the screen reader was told, in order: the event and the name of its
// source. The offscreen screen has no reader; like Qt's own accessibility
// tests, this one stands in for it.
struct Ascolto {
    static inline QStringList detto;
    QAccessible::UpdateHandler prima;
    Ascolto()
    {
        detto.clear();
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        prima = QAccessible::installUpdateHandler([](QAccessibleEvent* e) {
            if (QAccessibleInterface* i = e->accessibleInterface())
                detto << QStringLiteral("%1 %2").arg(int(e->type()), 0, 16).arg(i->text(QAccessible::Name));
        });
    }
    ~Ascolto()
    {
        QAccessible::installUpdateHandler(prima);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }
    static QString evento(QAccessible::Event e, const QString& nome)
    {
        return QStringLiteral("%1 %2").arg(int(e), 0, 16).arg(nome);
    }
};
} // namespace

class TastieraTest : public QObject {
    Q_OBJECT
private slots:
    void nomiDelleCarte();
    void unaPartitaSenzaMouse_data();
    void unaPartitaSenzaMouse();
    void ilLettoreSegueIlTavolo();
    void anelloSoloDopoUnTasto();
    void esc_AltEInizio();
    void frecceFinoAiBordi();
    void tastoTenutoETastierino();
};

void TastieraTest::nomiDelleCarte()
{
    const QList<QPair<int, const char*>> casi{{1, "Ace of Coins"}, {17, "7 of Cups"}, {28, "Knave of Batons"}, {39, "Knight of Swords"}, {10, "King of Coins"}, {22, "2 of Batons"}};
    for (const auto& [k, nome] : casi)
        QCOMPARE(QString::fromStdString(nomeCarta(k)), QString::fromLatin1(nome));
    QSet<QString> tutti;
    for (int k = 1; k <= numeroCarte; ++k)
        tutti.insert(QString::fromStdString(nomeCarta(k)));
    QCOMPARE(tutti.size(), numeroCarte);
}

void TastieraTest::unaPartitaSenzaMouse_data()
{
    QTest::addColumn<bool>("vinta");
    QTest::newRow("won") << true;
    QTest::newRow("lost") << false;
}

// The keyboard alone plays a deal to its end label, card for card as the
// mouse plays it; a key pressed while a card moves is lost, as a click is.
void TastieraTest::unaPartitaSenzaMouse()
{
    QFETCH(bool, vinta);
    const std::vector<int> deal = vinta ? dealVincente(7) : dealPerdente();
    QStringList colMouse;
    {
        Finestra b(deal);
        Regista r;
        b.giocaTutto(r, [&] { b.tavolo().passi = 0; });
        b.finestra->Form_Load();
        colMouse = comeFinita(b.tavolo());
    }
    Finestra b(deal);
    Regista r;
    bool persoDuranteLaMossa = false;
    // The first card in hand goes to its place at the High rate; Return on
    // another covered place while it slides must not change which card the
    // chain uncovers next.
    r.quando([&] { return b.pronta(); }, [&] {
        b.tavolo().passi = 0;
        tasto(b, Qt::Key_Return); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] {
        b.tavolo().passi = 100;
        vaiA(b, prossimo(b.tavolo()));
        tasto(b, Qt::Key_Return); });
    r.quando([&] { return b.tavolo().passo() > 10; }, [&] {
        const int premuta = b.tavolo().cliccata;
        const Posto qui = b.superficie().fuoco().posto();
        vaiA(b, {qui.riga % righeTavolo + 1, std::min(qui.colonna, colonneTavolo - 1)});
        tasto(b, Qt::Key_Return);
        persoDuranteLaMossa = b.tavolo().cliccata == premuta; });
    giocaTuttoConITasti(b, r, [&] { b.tavolo().passi = 0; });
    b.finestra->Form_Load();
    QVERIFY(persoDuranteLaMossa);
    QCOMPARE(b.tavolo().esito(), vinta ? Esito::Congratulation : Esito::Sorry);
    QCOMPARE(comeFinita(b.tavolo()), colMouse);
}

// Each place, the card in hand and the end are named as the table now is,
// and the reader hears of every change it must tell.
void TastieraTest::ilLettoreSegueIlTavolo()
{
    Ascolto ascolto;
    Finestra b(dealVincente(3));
    Regista r;
    using accessibile::indiceDi;
    int controlli = 0;
    r.quando([&] { return b.pronta(); }, [&] {
        QAccessibleInterface* tavolo = QAccessible::queryAccessibleInterface(&b.superficie());
        QVERIFY(tavolo);
        QVERIFY(b.superficie().hasFocus());
        QCOMPARE(tavolo->focusChild()->text(QAccessible::Name), QStringLiteral("Stock, 4 cards"));
        QVERIFY(tavolo->focusChild()->state().focused);
        QCOMPARE(nomeDi(b, indiceDi({2, 5})), QStringLiteral("Row 2, column 5, face down"));
        QCOMPARE(nomeDi(b, indiceDi({4, 10})), QStringLiteral("King's place, row 4, empty"));
        QCOMPARE(nomeDi(b, accessibile::mano), QStringLiteral("In hand: nothing"));
        QVERIFY(tavolo->child(accessibile::fine)->state().invisible);
        // The panels lying on the table are still there for the reader.
        QVERIFY(tavolo->indexOfChild(QAccessible::queryAccessibleInterface(b.finestra->pannelli().txtEnglish())) >=
                accessibile::voci);
        // Coming back to the table, the reader is told the place, not just the table.
        b.superficie().clearFocus();
        Ascolto::detto.clear();
        b.superficie().setFocus();
        QVERIFY(QTest::qWaitFor([] {
            return Ascolto::detto.contains(Ascolto::evento(QAccessible::Focus, QStringLiteral("Stock, 4 cards")));
        }, 500));
        // An arrow moves the focus the reader follows.
        tasto(b, Qt::Key_Up);
        QCOMPARE(tavolo->focusChild()->text(QAccessible::Name), nomeDi(b, indiceDi({4, 7})));
        QVERIFY(Ascolto::detto.contains(Ascolto::evento(QAccessible::Focus, nomeDi(b, indiceDi({4, 7})))));
        tasto(b, Qt::Key_Down); });
    // At every wait the names agree with the rules' own state.
    giocaTuttoConITasti(b, r, [&] {
        Tavolo& t = b.tavolo();
        t.passi = t.piazzate() < 6 ? 100 : 0; // a few moves slide, the rest jump
        ++controlli;
        const QString mano = t.pesca ? QStringLiteral("nothing") : QString::fromStdString(nomeCarta(t.inmano));
        QCOMPARE(nomeDi(b, accessibile::mano), QStringLiteral("In hand: ") + mano);
        // The reader hears of it with the frame that shows it.
        auto detto = [](QAccessible::Event e, const QString& nome) {
            return QTest::qWaitFor([&] { return Ascolto::detto.contains(Ascolto::evento(e, nome)); }, 500);
        };
        if (!t.pesca)
            QVERIFY(detto(QAccessible::ObjectShow, QStringLiteral("In hand: ") + mano));
        const int nelMazzetto = 4 - t.pescate();
        QCOMPARE(nomeDi(b, accessibile::mazzetto),
                 nelMazzetto ? QStringLiteral("Stock, %1 card%2").arg(nelMazzetto).arg(nelMazzetto > 1 ? "s" : "")
                             : QStringLiteral("Stock, empty"));
        // Every card placed so far is named on its place, in its own column.
        int scoperte = 0;
        for (int riga = 1; riga <= righeTavolo; ++riga)
            for (int colonna = 1; colonna <= colonneTavolo; ++colonna) {
                const QString nome = nomeDi(b, indiceDi({riga, colonna}));
                if (nome.endsWith(QLatin1String("face down")) || nome.endsWith(QLatin1String("empty")))
                    continue;
                ++scoperte;
                bool trovata = false;
                for (int k = 1; k <= numeroCarte; ++k)
                    trovata |= nome.endsWith(QString::fromStdString(nomeCarta(k))) && valoreDi(k) == colonna;
                QVERIFY2(trovata, qPrintable(nome));
            }
        QCOMPARE(scoperte, t.piazzate());
        // The place just pressed and still focused: its new card was told.
        if (t.piazzate() > 0 && !t.pesca) {
            const QString qui = nomeDi(b, indiceDi(b.superficie().fuoco().posto()));
            QVERIFY2(detto(QAccessible::NameChanged, qui), qPrintable(qui));
        }
    });
    b.finestra->Form_Load();
    QCOMPARE(b.tavolo().esito(), Esito::Congratulation);
    QVERIFY(controlli > 10);
    QTest::qWait(40); // the last frame
    QCOMPARE(nomeDi(b, accessibile::fine), Superficie::testoCongratulation());
    QVERIFY(Ascolto::detto.contains(Ascolto::evento(QAccessible::ObjectShow, Superficie::testoCongratulation())));
    // Cards slide over places they do not stay on; a name told for a place
    // is always a card of that place's column.
    const QRegularExpression posto(QStringLiteral("^%1 Row \\d, column (\\d+), (\\w+) of").arg(int(QAccessible::NameChanged), 0, 16));
    const QStringList valori{"Ace", "2", "3", "4", "5", "6", "7", "Knave", "Knight"};
    for (const QString& d : Ascolto::detto)
        if (const auto m = posto.match(d); m.hasMatch())
            QVERIFY2(valori.indexOf(m.captured(2)) + 1 == m.captured(1).toInt(), qPrintable(d));
    QAccessibleInterface* fine = QAccessible::queryAccessibleInterface(&b.superficie())->child(accessibile::fine);
    QCOMPARE(fine->role(), QAccessible::Notification);
    QVERIFY(!fine->state().invisible);
}

// A mouse player never sees the ring: a key shows it on the cards' own pixel
// grid, the next mouse press takes it away to the very pixel, and it keeps
// its place through a resize and goes back to the stock with a new game.
void TastieraTest::anelloSoloDopoUnTasto()
{
    Finestra b(dealVincente(4));
    Regista r;
    QImage senza;
    auto schermo = [&](std::function<bool(const QImage&)> vero) {
        return QTest::qWaitFor([&] { return vero(b.sulloSchermo()); }, 1000);
    };
    r.quando([&] { return b.pronta(); }, [&] {
        // a mouse draws from the stock
        b.premiPosto(5, 7); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] {
        QTest::qWait(40);
        senza = b.sulloSchermo();
        QVERIFY(anelloA(b, senza, Fuoco::mazzetto) != giallo);
        tasto(b, Qt::Key_Up);
        QVERIFY(schermo([&](const QImage& s) { return anelloA(b, s, {4, 7}) == giallo; }));
        // Nothing but the ring changed.
        const QImage con = b.sulloSchermo();
        const QRect anello = b.superficie().inDispositivo(Fuoco::riquadro(b.tavolo().geometria, {4, 7}));
        for (int y = 0; y < con.height(); y += 2)
            for (int x = 0; x < con.width(); x += 2)
                if (!anello.contains(x, y) && con.pixel(x, y) != senza.pixel(x, y))
                    QFAIL(qPrintable(QStringLiteral("pixel %1,%2 changed").arg(x).arg(y)));
        // A right press on the bare table changes nothing in the game.
        b.premi({640, 900}, Qt::RightButton);
        QVERIFY(schermo([&](const QImage& s) { return s == senza; }));
        tasto(b, Qt::Key_Left);
        QVERIFY(schermo([&](const QImage& s) { return anelloA(b, s, {4, 6}) == giallo; }));
        // It shows on a window of any size, the smallest too.
        for (const QSize misura : {b.superficie().size() - QSize(300, 200), QSize(200, 160)}) {
            b.superficie().resize(misura);
            QVERIFY(schermo([&](const QImage& s) {
                return s.size() == misura * s.devicePixelRatio() && anelloA(b, s, {4, 6}) == giallo;
            }));
        }
        b.finestra->azione(QStringLiteral("&New Game"))->trigger(); });
    r.quando([&] { return b.pronta() && b.tavolo().pescate() == 0; }, [&] {
        QCOMPARE(b.superficie().fuoco().posto().riga, rigaMazzetto);
        QVERIFY(schermo([&](const QImage& s) { return anelloA(b, s, Fuoco::mazzetto) == giallo; }));
        QVERIFY(anelloA(b, b.sulloSchermo(), {4, 6}) != giallo);
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

// Escape puts the panels away, from the table or from inside a panel; the
// menus keep their Alt keys; before the table is dealt the keys do nothing.
void TastieraTest::esc_AltEInizio()
{
    Finestra b(dealVincente(2));
    Pannelli& pannelli = b.finestra->pannelli();
    Regista r;
    r.quando([&] { return b.superficie().schermata().testo.visible; }, [&] {
        for (Qt::Key k : {Qt::Key_Up, Qt::Key_Return, Qt::Key_Space})
            tasto(b, k);
        QVERIFY(!b.superficie().fuoco().visibile());
        QVERIFY(!b.tavolo().immagini.dorsiCreati()); });
    r.quando([&] { return b.pronta(); }, [&] {
        pannelli.menu_rules_english_Click();
        pannelli.menu_about_Click();
        tasto(b, Qt::Key_Escape);
        QVERIFY(pannelli.txtEnglish()->isHidden() && pannelli.text4()->isHidden());
        pannelli.menu_rules_italiano_Click();
        pannelli.txtItaliano()->setFocus();
        QTest::keyClick(pannelli.txtItaliano(), Qt::Key_Escape);
        QVERIFY(pannelli.txtItaliano()->isHidden());
        QVERIFY(b.superficie().hasFocus());  // back to the table, not lost
        // A screen reader's own press on the stock draws, as a click does.
        QAccessibleInterface* mazzetto =
            QAccessible::queryAccessibleInterface(&b.superficie())->child(accessibile::mazzetto);
        mazzetto->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] {
        // New Game
        tasto(b, Qt::Key_N, Qt::AltModifier); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 1 && b.tavolo().pescate() == 0; }, [&] {
        // Quit
        tasto(b, Qt::Key_Q, Qt::AltModifier); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
    QVERIFY(b.comandi.contains(QStringLiteral("Close")));
}

// The arrows walk the grid and stop at its edges; the stock lies below row 4
// and leads up to the column above it, whatever column the ring came from.
void TastieraTest::frecceFinoAiBordi()
{
    const struct {
        const char* frecce; // u d l r, from the stock
        Posto meta;
    } casi[] = {
        {"", Fuoco::mazzetto},
        {"l", Fuoco::mazzetto},
        {"r", Fuoco::mazzetto},
        {"d", Fuoco::mazzetto},
        {"u", {4, 7}},
        {"ulllllllll", {4, 1}},
        {"urrrrrrrrr", {4, 10}},
        {"uuuuuuu", {1, 7}},
        {"uuuulllllllllu", {1, 1}},
        {"uuuurrrrrrru", {1, 10}},
        {"uuuuddd", {4, 7}},
        {"ulllld", Fuoco::mazzetto},
        {"ulllldu", {4, 7}},
    };
    for (const auto& caso : casi) {
        Fuoco f;
        for (const char* c = caso.frecce; *c; ++c)
            f.muovi(*c == 'u'       ? Fuoco::Verso::Su
                        : *c == 'd' ? Fuoco::Verso::Giu
                        : *c == 'l' ? Fuoco::Verso::Sinistra
                                    : Fuoco::Verso::Destra);
        QVERIFY2(f.posto().riga == caso.meta.riga && f.posto().colonna == caso.meta.colonna, caso.frecce);
    }
}

// A held Return is one press: its repeats press nothing, as a held mouse
// button does. Enter on the keypad presses as Return does.
void TastieraTest::tastoTenutoETastierino()
{
    Finestra b(dealVincente(2));
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        QKeyEvent ripetuto(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QString(), true);
        QCoreApplication::sendEvent(&b.superficie(), &ripetuto);
        QVERIFY(!b.tavolo().cliccato);
        tasto(b, Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(b.tavolo().cliccato); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] { b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

QTEST_MAIN(TastieraTest)
#include "tastiera_test.moc"
