// The rules and information panels: their texts to the byte, and how menu
// choices and real mouse clicks show, hide and stack them.
#include "pannelli.h"

#include <QCryptographicHash>
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTransform>
#include <QWidget>

#include <cstring>

using namespace trelva;

namespace {
QStringList sentiti;
void ascolta(QtMsgType, const QMessageLogContext&, const QString& messaggio)
{
    sentiti << messaggio;
}
} // namespace

// Stands in for the desktop's handler of web addresses, which says on the
// terminal when there is no browser.
class Scrivania : public QObject {
    Q_OBJECT
public:
    QList<QUrl> aperte;
public slots:
    void apri(const QUrl& url)
    {
        aperte << url;
        qWarning("no browser");
    }
};

class TestPannelli : public QObject {
    Q_OBJECT

    QWidget* finestra = nullptr;
    Pannelli* pannelli = nullptr;
    QList<QUrl> aperti;
    QByteArray mostratiAllApertura;

    // The panels by letter: E(nglish), I(taliano), A(bout, the information).
    QPlainTextEdit* pannello(int i) const
    {
        return QList{pannelli->txtEnglish(), pannelli->txtItaliano(), pannelli->text4()}.at(i);
    }
    // Those shown, by the panels' own flag, which holds while the window is away too.
    QByteArray mostrati() const
    {
        QByteArray lettere;
        for (int i = 0; i < 3; ++i)
            if (!pannello(i)->isHidden())
                lettere += "EIA"[i];
        return lettere;
    }
    // The one on top at a window point, '-' for none.
    char inCima(QPoint punto) const
    {
        QWidget* w = finestra->childAt(punto);
        while (w && w->parentWidget() != finestra)
            w = w->parentWidget();
        for (int i = 0; i < 3; ++i)
            if (w == pannello(i))
                return "EIA"[i];
        return '-';
    }

private slots:
    void init()
    {
        finestra = new QWidget;
        finestra->resize(1280, 1024);
        pannelli = new Pannelli(finestra);
        pannelli->impostaApritore([this](const QUrl& url) {
            aperti << url;
            mostratiAllApertura = mostrati();
        });
        finestra->show();
        QVERIFY(QTest::qWaitForWindowExposed(finestra));
    }
    void cleanup() { delete finestra; }

    void testiAlByte()
    {
        const QByteArray inglese = Pannelli::testoInglese(), italiano = Pannelli::testoItaliano();
        QCOMPARE(Pannelli::testoInfo(), "La Trelva\r\n" + QByteArray(15, ' ') + "ver. 3.0" + QByteArray(16, ' ') + "\r\nCopyright (C) 2026 Dorvinex\r\nAll rights reserved.\r\n"
                                                                                                                   "Free to play and to share unchanged.\r\n");
        // The rules as they stand, slips included ("beginnig", "ai 4 semi . La scelta").
        const auto impronta = [](const QByteArray& testo) {
            return QCryptographicHash::hash(testo, QCryptographicHash::Sha256).toHex();
        };
        QCOMPARE(impronta(inglese), "b7e0b9795336b5af7ca4f6a473db08eb090ae016fd73c0253645c1a47a56f8e8");
        QCOMPARE(impronta(italiano), "019d89febb57e014785e0e2671bd531f64a5f225138ff3705d2c7d2fea4e0ce1");
        // The English paragraphs, a line of 47 hyphens, then the whole Italian text.
        QVERIFY(inglese.endsWith("\r\n" + QByteArray(47, '-') + "\r\n" + italiano));
        // One double blank, before "4 cards-deck".
        QCOMPARE(inglese.count("  "), 1);
        QVERIFY(inglese.contains("you will forced to click the  4 cards-deck.\r\n"));
        QCOMPARE(Pannelli::paginaWeb().path(), QStringLiteral("/index.htm"));
        QCOMPARE(Pannelli::didascaliaSito(), Pannelli::paginaWeb().host());

        // Every line ends in CR LF, which the panel shows as one line break,
        // not as a break and a stray CR; no panel can be typed into.
        const QByteArray testi[] = {inglese, italiano, Pannelli::testoInfo()};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(testi[i].endsWith("\r\n"));
            QCOMPARE(testi[i].count('\n'), testi[i].count("\r\n"));
            QCOMPARE(testi[i].count('\r'), testi[i].count("\r\n"));
            QCOMPARE(pannello(i)->toPlainText().toUtf8(), QByteArray(testi[i]).replace("\r\n", "\n"));
            QVERIFY(pannello(i)->isReadOnly());
        }
        QCOMPARE(pannelli->text4()->palette().color(QPalette::Base), QColor(255, 255, 192));
    }

    // One run of menu choices, clicks and presses elsewhere, checking after each
    // step the panels shown, the panel on top at two points and the page openings.
    void alternaNascondiEImpila()
    {
        const QPoint regole(200, 200); // inside both rules panels only
        const QPoint tutti(100, 40); // inside all three
        const auto sinistro = [this](QPoint punto) {
            QTest::mouseClick(finestra->windowHandle(), Qt::LeftButton, {}, punto);
        };
        QWidget* testoE = pannelli->txtEnglish()->viewport();
        QScrollBar* barraE = pannelli->txtEnglish()->verticalScrollBar();
        // Steps, one letter each: e i a the menu entries English, Italiano, Info;
        // R T a left click on the window at `regole` / `tutti`; B a left click
        // on the English scroll bar; D a right click and X a press that began
        // elsewhere, both ending in the English text; c a card face, t the
        // title, h a press on a back or the bare table, l the logo, s the web
        // address; w hides or shows the window. Then the panels shown, and the
        // one on top at `regole` and at `tutti`.
        const struct {
            const char* passi;
            const char* mostrati;
            const char* inCima;
        } tabella[] = {
            // Shown alone, the information panel lies above the rules panels;
            // the rules panel shown last lies on top.
            {"a", "A", "-A"},
            {"e", "EA", "EE"},
            {"i", "EIA", "II"},
            {"e", "IA", "II"},
            {"e", "EIA", "EE"},
            // The information panel toggles but keeps its place in the stack.
            {"a", "EI", "EE"},
            {"a", "EIA", "EE"},
            {"e", "IA", "II"},
            {"i", "A", "-A"},
            {"ie", "EIA", "EE"},
            // Only a left click in the text hides a panel: the one on top there.
            {"BDX", "EIA", "EE"},
            {"T", "IA", "II"},
            {"R", "A", "-A"},
            {"T", "", "--"},
            // A card face leaves the information panel and the title hides it;
            // a back or the bare table hides all; the logo hides all before
            // opening the page, the web address only the information panel.
            {"iea", "EIA", "EE"},
            {"c", "A", "-A"},
            {"t", "", "--"},
            {"eiah", "", "--"},
            {"h", "", "--"},
            {"eial", "", "--"},
            {"eas", "E", "EE"},
            // While the window is away (not yet shown, or minimised) the menu
            // still toggles each panel.
            {"we", "", "--"},
            {"eaw", "EA", "EE"},
        };
        for (const auto& riga : tabella) {
            const qsizetype apertiPrima = aperti.size();
            for (const char* p = riga.passi; *p; ++p) {
                switch (*p) {
                case 'e':
                    pannelli->menu_rules_english_Click();
                    break;
                case 'i':
                    pannelli->menu_rules_italiano_Click();
                    break;
                case 'a':
                    pannelli->menu_about_Click();
                    break;
                case 'R':
                    sinistro(regole);
                    break;
                case 'T':
                    sinistro(tutti);
                    break;
                case 'B':
                    sinistro(barraE->mapTo(finestra, QPoint(barraE->width() / 2, barraE->height() - 5)));
                    QVERIFY(barraE->value() > 0);
                    break;
                case 'D':
                    QTest::mouseClick(testoE, Qt::RightButton, {}, testoE->rect().center());
                    break;
                case 'X':
                    QTest::mousePress(finestra, Qt::LeftButton, {}, QPoint(900, 900));
                    QTest::mouseRelease(testoE, Qt::LeftButton, {}, QPoint(50, 50));
                    break;
                case 'c':
                    pannelli->carta_Click(17);
                    break;
                case 't':
                    pannelli->testo_Click();
                    break;
                case 'h':
                    pannelli->nascondiTutti();
                    break;
                case 'l':
                    pannelli->Logo_Click();
                    break;
                case 's':
                    pannelli->sito_Click();
                    break;
                case 'w':
                    finestra->setVisible(finestra->isHidden());
                    break;
                }
            }
            QCOMPARE(mostrati(), QByteArray(riga.mostrati));
            QCOMPARE(QByteArray() + inCima(regole) + inCima(tutti), QByteArray(riga.inCima));
            const bool apre = std::strpbrk(riga.passi, "ls"); // only the logo and the address open it
            QCOMPARE(aperti.size(), apertiPrima + (apre ? 1 : 0));
            if (apre) {
                QCOMPARE(aperti.last(), Pannelli::paginaWeb());
                // already away when the page opens
                QCOMPARE(mostratiAllApertura, mostrati());
            }
        }
    }

    void disponiSegueLaFinestra()
    {
        // Half the size, shifted right by a letterbox margin of 40 pixels.
        QTransform mappa;
        mappa.translate(40, 0);
        mappa.scale(0.5, 0.5);
        pannelli->disponi(mappa);
        QCOMPARE(pannelli->txtEnglish()->geometry(), QRect(40, 0, 221, 186));
        QCOMPARE(pannelli->txtItaliano()->geometry(), pannelli->txtEnglish()->geometry());
        QCOMPARE(pannelli->text4()->geometry(), QRect(45, 0, 113, 41));
        QCOMPARE(pannelli->txtEnglish()->font().pointSizeF(), 6.0);
        QCOMPARE(pannelli->text4()->font().pointSizeF(), 4.0);

        // Back up again: nothing is lost on the way down, and nothing is shown.
        pannelli->disponi(QTransform::fromScale(1.5, 1.5));
        QCOMPARE(pannelli->txtEnglish()->geometry(), QRect(0, 0, 662, 557));
        QCOMPARE(pannelli->txtEnglish()->font().pointSizeF(), 18.0);
        QCOMPARE(mostrati(), QByteArray());

        // Stretched more one way than the other, the text keeps the smaller
        // factor and stays inside its box.
        pannelli->disponi(QTransform::fromScale(0.5, 1.0));
        QCOMPARE(pannelli->txtEnglish()->font().pointSizeF(), 6.0);
    }

    // Panels made after the window was placed open where it put them; the
    // rules wrap their lines and scroll, the information panel never does.
    void pannelliFattiDopo()
    {
        Pannelli tardi(finestra);
        tardi.disponi(QTransform::fromScale(0.5, 0.5));
        QCOMPARE(tardi.txtEnglish()->geometry(), QRect(0, 0, 221, 186));
        QCOMPARE(tardi.text4()->font().pointSizeF(), 4.0);
        for (QPlainTextEdit* regole : {tardi.txtEnglish(), tardi.txtItaliano()}) {
            QCOMPARE(regole->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            QCOMPARE(regole->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        }
        QCOMPARE(tardi.text4()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    }

    // The desktop's complaints while it opens the page (no browser, say) never
    // reach the terminal; everything said before and after does, through the
    // handler that was there before.
    void paginaApertaInSilenzio()
    {
        Scrivania scrivania;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &scrivania, "apri");
        sentiti.clear();
        const QtMessageHandler prima = qInstallMessageHandler(ascolta);
        Pannelli propri(finestra); // with the opener the game uses
        propri.Logo_Click();
        propri.sito_Click();
        qWarning("dopo");
        const QtMessageHandler dopo = qInstallMessageHandler(prima);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(scrivania.aperte, QList<QUrl>(2, Pannelli::paginaWeb()));
        QCOMPARE(sentiti, QStringList{QStringLiteral("dopo")});
        QVERIFY(dopo == ascolta);
    }
};

QTEST_MAIN(TestPannelli)
#include "pannelli_test.moc"
