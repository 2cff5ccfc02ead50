// What the player sees: read from the frame the window last put on the
// screen and compared with what the table's state says should be there.
#include <QAction>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSvgRenderer>
#include <QtTest>

#include "copie.h"
#include "figure.h"
#include "finestra_prova.h"
#include "mazzi.h"
#include "pannelli.h"

using namespace trelva;
using namespace trelva::prova;

namespace {
const QColor verdeTavolo(0, 64, 0);
const QColor verdeRiquadri(0, 192, 0);

// A card as its own picture renders it at a given device size.
QImage figuraDi(int carta, QSize pixel)
{
    QSvgRenderer svg(QStringLiteral(":/art/carta%1.svg").arg(carta, 2, 10, QLatin1Char('0')));
    QImage i(pixel, QImage::Format_RGB32);
    i.fill(verdeTavolo);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
    return i;
}

double differenzaMedia(const QImage& a, const QImage& b)
{
    double somma = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            somma += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return somma / (3.0 * a.width() * a.height());
}

// A line is sharp: the table green right up to its pixels on either side.
bool nitida(const QImage& im, QPoint da, QPoint passo, int indice)
{
    for (int lato : {-1, 1}) {
        const QPoint p = da + passo * (indice + lato);
        if (im.rect().contains(p) && im.pixelColor(p) != verdeTavolo)
            return false;
    }
    return true;
}

// The runs of consecutive pixels of one colour along a line of pixels.
QList<QPair<int, int>> tratti(const QImage& im, QPoint da, QPoint passo, int quanti, QColor colore)
{
    QList<QPair<int, int>> trovati; // (first index, length)
    for (int i = 0; i < quanti; ++i) {
        const QPoint p = da + passo * i;
        if (!im.rect().contains(p) || im.pixelColor(p) != colore)
            continue;
        if (!trovati.isEmpty() && trovati.last().first + trovati.last().second == i)
            ++trovati.last().second;
        else
            trovati.append({i, 1});
    }
    return trovati;
}

// The title screen is on the screen: its white ground, and the dark frame
// around the title picture.
bool titoloSulloSchermo(Finestra& b, const QImage& s)
{
    return s.pixelColor(b.pixelDi({2, 1020})) == Qt::white && s.pixelColor(b.pixelDi({640, 212})) != Qt::white;
}

// Waits, running the event loop, until the screen shows what `vero` looks for.
bool attendiSulloSchermo(Finestra& b, const std::function<bool(const QImage&)>& vero, int ms = 1000)
{
    return QTest::qWaitFor([&] { return vero(b.sulloSchermo()); }, ms);
}
} // namespace

class DisegnoTest : public QObject {
    Q_OBJECT
private slots:
    void laFineDellaPartita_data();
    void laFineDellaPartita();
    void riquadriECarteCheSiToccano_data();
    void riquadriECarteCheSiToccano();
    void ilTitoloPiuDiQuattroSecondi();
    void logoSecondoLoSchermo();
    void pressioniSuPannelliEControlli();
    void copieIntereOScartate();
    void ilTitoloDaUnaCopiaConservata();
    void figurePerOgniDensita();
};

void DisegnoTest::laFineDellaPartita_data()
{
    QTest::addColumn<bool>("vinta");
    QTest::addColumn<int>("passi");
    QTest::newRow("lost, no play rate") << false << 0;
    QTest::newRow("won, no play rate") << true << 0;
    QTest::newRow("lost, High") << false << 100;
    QTest::newRow("won, High") << true << 100;
}

// The label shows within a frame of the last move, and every face on the
// table is drawn from its own picture.
void DisegnoTest::laFineDellaPartita()
{
    QFETCH(bool, vinta);
    QFETCH(int, passi);
    Finestra b(vinta ? dealVincente(5) : dealPerdente());
    Regista r;
    // The last moves at the rate asked for; the many before them jump, to keep the test short.
    b.giocaTutto(r, [&] { b.tavolo().passi = b.tavolo().piazzate() >= 36 || !vinta ? passi : 0; });
    b.finestra->Form_Load(); // returns when the first game is over
    QCOMPARE(b.tavolo().esito(), vinta ? Esito::Congratulation : Esito::Sorry);

    // Nothing else happens now: no press, no resize, nothing that repaints all.
    QTest::qWait(50);
    const QImage schermo = b.sulloSchermo();
    const Immagini& im = b.tavolo().immagini;
    const Immagine& etichetta = vinta ? im.lblCongratulation : im.lblSorry;
    const QRectF posto = Superficie::postoEtichettaFine(
        etichetta, vinta ? Superficie::testoCongratulation() : Superficie::testoSorry());
    const QColor fondo = schermo.pixelColor(b.pixelDi(posto.topLeft() + QPointF(3, 3)));
    QCOMPARE(fondo, vinta ? QColor(Qt::yellow) : QColor(Qt::red));
    // The label is large enough to read: its text is inside its box.
    int testo = 0;
    const QRect box(b.pixelDi(posto.topLeft()), b.pixelDi(posto.bottomRight()));
    for (int y = box.top() + 2; y < box.bottom() - 2; ++y)
        for (int x = box.left() + 2; x < box.right() - 2; ++x)
            testo += schermo.pixelColor(x, y) != fondo;
    QVERIFY2(testo > 100, qPrintable(QStringLiteral("%1 text pixels").arg(testo)));

    for (int k = 1; k <= numeroCarte; ++k) {
        const Immagine& f = im.carta[k];
        if (!f.visible || f.left > 1280)
            continue;
        const QRect r = b.superficie().inDispositivo(QRectF(f.left, f.top, f.width, f.height));
        const QImage visto = schermo.copy(r);
        const double propria = differenzaMedia(visto, figuraDi(k, r.size()));
        const double altra = differenzaMedia(visto, figuraDi(k % numeroCarte + 1, r.size()));
        QVERIFY2(propria < 1 && altra > 2 * propria + 1,
                 qPrintable(QStringLiteral("card %1: %2 from its picture, %3 from the next").arg(k).arg(propria).arg(altra)));
    }
}

void DisegnoTest::riquadriECarteCheSiToccano_data()
{
    QTest::addColumn<QSize>("misura");
    for (QSize s : {QSize(1024, 768), QSize(1280, 1000), QSize(1920, 1050), QSize(1111, 777), QSize(1366, 705)})
        QTest::newRow(qPrintable(QStringLiteral("%1x%2").arg(s.width()).arg(s.height()))) << s;
}

// The frame lines are whole pixels of the frame green, one pixel wide; the 36
// dealt backs touch with no table green between them.
void DisegnoTest::riquadriECarteCheSiToccano()
{
    QFETCH(QSize, misura);
    Finestra b(dealPerdente());
    Regista r;
    r.quando([&] { return b.pronta(); }, [&] {
        if (misura.width() > b.finestra->width() || misura.height() > b.finestra->height()) {
            b.finestra->close();
            QSKIP("larger than this screen");
        }
        b.superficie().resize(misura);
        QVERIFY(attendiSulloSchermo(b, [&](const QImage& s) { return s.size() == misura * s.devicePixelRatio(); }));
        QTest::qWait(30);
        const QImage s = b.sulloSchermo();
        const Geometria& g = b.tavolo().geometria;
        const int alto = g.altezza, largo = g.larghezza;  // whole window units here
        const QPoint su = b.pixelDi({g.sinistra + 9.5 * largo, 0});
        const QPoint giu = b.pixelDi({g.sinistra + 9.5 * largo, 4.5 * alto});

        // Down the middle of the King column: five lines of one pixel each.
        const auto orizzontali = tratti(s, su, {0, 1}, giu.y() - su.y(), verdeRiquadri);
        QCOMPARE(orizzontali.size(), 5);
        for (int k = 0; k < 5; ++k) {
            QCOMPARE(orizzontali[k].second, 1);
            QVERIFY(nitida(s, su, {0, 1}, orizzontali[k].first));
            QVERIFY(std::abs(su.y() + orizzontali[k].first - b.pixelDi({0, double(k * alto)}).y()) <= 1);
        }
        // Across each King place: the right edge, one pixel wide, and nothing else.
        for (int riga = 0; riga < 4; ++riga) {
            const QPoint da = b.pixelDi({g.sinistra + 9 * largo + 2, (riga + 0.5) * alto});
            const auto verticale = tratti(s, da, {1, 0}, 3 * s.devicePixelRatio() * largo, verdeRiquadri);
            QCOMPARE(verticale.size(), 1);
            QCOMPARE(verticale[0].second, 1);
            QVERIFY(nitida(s, da, {1, 0}, verticale[0].first));
            QVERIFY(std::abs(da.x() + verticale[0].first - b.pixelDi({g.sinistra + 10.0 * largo, 0}).x()) <= 1);
        }
        // Along the middle of every row and down the middle of every column
        // of backs, no pixel of table green.
        for (int riga = 1; riga <= 4; ++riga) {
            const QPoint da = b.pixelDi({g.sinistra + 1, (riga - 0.5) * alto});
            const QPoint a = b.pixelDi({g.sinistra + 9 * largo - 1, (riga - 0.5) * alto});
            QVERIFY2(tratti(s, da, {1, 0}, a.x() - da.x(), verdeTavolo).isEmpty(), qPrintable(QString::number(riga)));
        }
        for (int colonna = 1; colonna <= 9; ++colonna) {
            const QPoint da = b.pixelDi({g.sinistra + (colonna - 0.5) * largo, 1.0});
            const QPoint a = b.pixelDi({g.sinistra + (colonna - 0.5) * largo, 4.0 * alto - 1});
            QVERIFY2(tratti(s, da, {0, 1}, a.y() - da.y(), verdeTavolo).isEmpty(), qPrintable(QString::number(colonna)));
        }
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

// From the first title frame on the screen to the first frame of the green
// table, a little over four seconds pass.
void DisegnoTest::ilTitoloPiuDiQuattroSecondi()
{
    Finestra b(dealPerdente());
    Regista r;
    double titolo = -1, tavolo = -1;
    r.quando([&] { return titoloSulloSchermo(b, b.sulloSchermo()); }, [&] { titolo = b.orologio(); });
    r.quando([&] { return b.sulloSchermo().pixelColor(b.pixelDi({2, 1020})) == verdeTavolo; }, [&] {
        tavolo = b.orologio();
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
    QVERIFY2(tavolo - titolo > 4.0, qPrintable(QStringLiteral("%1 s").arg(tavolo - titolo)));
}

// The logo and the web address show on the title screen only where the
// screen is at least 12360 twips wide.
void DisegnoTest::logoSecondoLoSchermo()
{
    Finestra b(dealPerdente());
    const QScreen* schermo = b.finestra->screen();
    const bool largo = schermo->availableGeometry().width() * 1440.0 / schermo->logicalDotsPerInchX() >= 12360;
    Regista r;
    r.quando([&] { return b.superficie().schermata().testo.visible; }, [&] {
        QVERIFY(attendiSulloSchermo(b, [&](const QImage& s) { return titoloSulloSchermo(b, s); }));
        const QImage s = b.sulloSchermo();
        const QRectF logo = b.superficie().schermata().Logo.posto;
        int disegnati = 0;
        for (double y = logo.top() + 2; y < logo.bottom() - 2; y += 1)
            for (double x = logo.left() + 2; x < logo.right() - 2; x += 1)
                disegnati += s.pixelColor(b.pixelDi({x, y})) != Qt::white;
        if (largo)
            QVERIFY2(disegnati > 500, qPrintable(QString::number(disegnati)));
        else
            QCOMPARE(disegnati, 0);
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

// A kept copy is given back only whole, and only for the art and the size it
// was rendered from; anything else is as if there were none.
void DisegnoTest::copieIntereOScartate()
{
    QTemporaryDir cartella;
    const QByteArray arte("<svg>one</svg>");
    QImage immagine(7, 5, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            immagine.setPixel(x, y, qPremultiply(qRgba(x * 30, y * 50, 200, 40 + x * y * 5)));
    QVERIFY(copie::leggi(cartella.path(), arte, {7, 5}).isNull());
    copie::conserva(cartella.path() + QStringLiteral("/sotto"), arte, immagine);
    const QString sotto = cartella.path() + QStringLiteral("/sotto");
    QCOMPARE(copie::leggi(sotto, arte, {7, 5}), immagine);
    QVERIFY(copie::leggi(sotto, "<svg>two</svg>", {7, 5}).isNull());
    QVERIFY(copie::leggi(sotto, arte, {5, 7}).isNull());
    QVERIFY(copie::leggi(QString(), arte, {7, 5}).isNull());

    const QStringList file = QDir(sotto).entryList(QDir::Files);
    QCOMPARE(file.size(), 1);
    QFile copia(QDir(sotto).filePath(file.first()));
    QVERIFY(copia.open(QIODevice::ReadWrite));
    const QByteArray intera = copia.readAll();
    auto riscrivi = [&](const QByteArray& byte) {
        copia.resize(0);
        copia.seek(0);
        copia.write(byte);
        copia.flush();
    };
    riscrivi(intera.chopped(1)); // cut short, as by a full disk
    QVERIFY(copie::leggi(sotto, arte, {7, 5}).isNull());
    QByteArray altraIntestazione = intera;
    altraIntestazione[0] = 'X';
    riscrivi(altraIntestazione);
    QVERIFY(copie::leggi(sotto, arte, {7, 5}).isNull());
    QByteArray altreMisure = intera;
    altreMisure[8] = 5; // the same byte count, other dimensions inside
    altreMisure[12] = 7;
    riscrivi(altreMisure);
    QVERIFY(copie::leggi(sotto, arte, {7, 5}).isNull());

    // A folder that cannot be made keeps nothing, and says nothing.
    copie::conserva(copia.fileName() + QStringLiteral("/dentro"), arte, immagine);
    QVERIFY(copie::leggi(copia.fileName() + QStringLiteral("/dentro"), arte, {7, 5}).isNull());
}

// The first start keeps the title screen's pictures once they are on the
// screen; the next shows the very same pixels from them, without rendering
// the art again: a copy planted in their place is what it shows.
void DisegnoTest::ilTitoloDaUnaCopiaConservata()
{
    QTemporaryDir copie;
    QFile file(QStringLiteral(":/art/testo.svg"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray arte = file.readAll();
    // A window to its title; `guarda` looks at it, and it closes once the
    // pictures are kept, which happens after the frame that shows them.
    auto titolo = [&](const std::function<void(Finestra&, const QImage&)>& guarda) {
        Finestra b(dealPerdente(), 100, 20, copie.path());
        Regista r;
        r.quando([&] { return b.superficie().schermata().testo.visible; }, [&] {
            QVERIFY(attendiSulloSchermo(b, [&](const QImage& s) { return titoloSulloSchermo(b, s); }));
            guarda(b, b.sulloSchermo()); });
        r.quando([&] { return QDir(copie.path()).entryList(QDir::Files).size() == 2; }, [&] { b.finestra->close(); });
        b.finestra->Form_Load();
        QVERIFY(r.finito());
    };
    QImage primo;
    QRect posto;
    titolo([&](Finestra& b, const QImage& s) {
        posto = b.superficie().inDispositivo(b.superficie().schermata().testo.posto);
        primo = s.copy(posto);
    });
    QVERIFY(!copie::leggi(copie.path(), arte, posto.size()).isNull());
    titolo([&](Finestra&, const QImage& s) { QCOMPARE(s.copy(posto), primo); });

    QImage rossa(posto.size(), QImage::Format_ARGB32_Premultiplied);
    rossa.fill(Qt::red);
    copie::conserva(copie.path(), arte, rossa);
    titolo([&](Finestra&, const QImage& s) {
        const QImage visto = s.copy(posto);
        QCOMPARE(visto.pixelColor(visto.width() / 2, visto.height() / 2), QColor(Qt::red));
        QCOMPARE(visto.pixelColor(0, 0), QColor(Qt::red));
    });
}

// A press belongs to what it lands on: a panel, a label, the logo or the table.
void DisegnoTest::pressioniSuPannelliEControlli()
{
    Finestra b(dealVincente(3));
    Pannelli& pannelli = b.finestra->pannelli();
    int aperture = 0;
    pannelli.impostaApritore([&](const QUrl&) { ++aperture; });
    auto viste = [&] {
        return QList<bool>{!pannelli.txtEnglish()->isHidden(), !pannelli.txtItaliano()->isHidden(),
                           !pannelli.text4()->isHidden()};
    };
    auto clic = [&](QWidget* w, QPoint da, QPoint a, Qt::MouseButton pulsante = Qt::LeftButton) {
        QTest::mousePress(w, pulsante, {}, da);
        QTest::mouseRelease(w, pulsante, {}, a);
    };
    Regista r;
    r.quando([&] { return b.superficie().schermata().CopyRight.visible; }, [&] {
        Superficie& s = b.superficie();
        pannelli.menu_about_Click();
        const QPoint notizia = b.inPixel(s.schermata().CopyRight.posto.center());
        clic(&s, notizia, notizia);
        QCOMPARE(viste(), (QList<bool>{false, false, true}));
        // The logo opens the page on a whole left click on it, nothing less.
        const QPoint logo = b.inPixel(s.schermata().Logo.posto.center());
        clic(&s, logo, logo, Qt::RightButton);
        clic(&s, logo, b.inPixel({640, 700}));
        // a right press inside a left one undoes it
        QTest::mousePress(&s, Qt::LeftButton, {}, logo);
        QTest::mousePress(&s, Qt::RightButton, {}, logo);
        QTest::mouseRelease(&s, Qt::LeftButton, {}, logo);
        QTest::mouseRelease(&s, Qt::RightButton, {}, logo);
        QCOMPARE(aperture, 0);
        QCOMPARE(viste(), (QList<bool>{false, false, true}));
        clic(&s, logo, logo);
        QCOMPARE(aperture, 1);
        QCOMPARE(viste(), (QList<bool>{false, false, false}));
        const QPoint sito = b.inPixel(s.schermata().sito.posto.center());
        clic(&s, sito, sito);
        QCOMPARE(aperture, 2); });
    r.quando([&] { return b.pronta(); }, [&] {
        pannelli.menu_rules_english_Click();
        QWidget* testo = pannelli.txtEnglish()->viewport();
        const QPoint dentro = testo->rect().center();
        clic(testo, dentro, dentro, Qt::RightButton);
        QCOMPARE(viste(), (QList<bool>{true, false, false}));
        clic(testo, dentro, dentro);
        QCOMPARE(viste(), (QList<bool>{false, false, false}));

        // The bare table puts every panel away.
        pannelli.menu_rules_italiano_Click();
        pannelli.menu_about_Click();
        b.premi({640, 700});
        QCOMPARE(viste(), (QList<bool>{false, false, false}));
        // a face comes up as the card in hand
        b.premiPosto(5, 7); });
    r.quando([&] { return b.pronta() && b.tavolo().fase == 2; }, [&] {
        // A face puts the rules away and leaves the small information panel.
        pannelli.menu_rules_english_Click();
        pannelli.menu_about_Click();
        const Immagine& mano = b.tavolo().immagini.carta[b.tavolo().inmano];
        b.premi({mano.left + 10, mano.top + 10}, Qt::RightButton); // not even that
        QCOMPARE(viste(), (QList<bool>{true, false, true}));
        b.premi({mano.left + 10, mano.top + 10});
        QCOMPARE(viste(), (QList<bool>{false, false, true}));
        // A back puts every panel away, whatever the button.
        pannelli.menu_rules_english_Click();
        b.premiPosto(4, 9, Qt::RightButton); // clear of the panels
        QCOMPARE(viste(), (QList<bool>{false, false, false}));
        b.finestra->close(); });
    b.finestra->Form_Load();
    QVERIFY(r.finito());
}

// The same device size on a screen of another density (the window moved to
// another screen) is another picture, drawn at that density; a density seen
// before is not drawn again.
void DisegnoTest::figurePerOgniDensita()
{
    Figure figure;
    const QSize carta(90, 150), titolo(300, 80);
    for (const qreal dpr : {1.0, 1.5, 2.0, 1.0}) {
        QCOMPARE(figure.faccia(5, carta, dpr).devicePixelRatio(), dpr);
        QCOMPARE(figure.dorso(carta, dpr).devicePixelRatio(), dpr);
        QCOMPARE(figure.logo(titolo, dpr).devicePixelRatio(), dpr);
        QCOMPARE(figure.testo(titolo, dpr).devicePixelRatio(), dpr);
    }
    QCOMPARE(figure.rese(), 6);
}

QTEST_MAIN(DisegnoTest)
#include "disegno_test.moc"
