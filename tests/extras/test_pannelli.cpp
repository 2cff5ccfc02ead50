// The rules and information panels: their texts to the byte, and how menu
// choices and real mouse clicks show, hide and stack them.
#include "pannelli.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTransform>
#include <QWidget>

namespace {

// Records the order in which the panels get hidden.
class Osservatore : public QObject {
public:
    QStringList nascosti;
    void segui(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide) nascosti << o->objectName();
        return false;
    }
};

QList<QByteArray> righe(const QByteArray& testo) {
    // Every line ends with CR LF, so the split leaves one empty piece at the end.
    QList<QByteArray> pezzi = testo.split('\n');
    if (!pezzi.isEmpty() && pezzi.last().isEmpty()) pezzi.removeLast();
    return pezzi;
}

// The panel on top at a window point inside it.
QWidget* inCima(QWidget* finestra, QPoint punto) {
    QWidget* w = finestra->childAt(punto);
    while (w && w->parentWidget() != finestra) w = w->parentWidget();
    return w;
}

void clic(QPlainTextEdit* pannello, Qt::MouseButton tasto = Qt::LeftButton) {
    QTest::mouseClick(pannello->viewport(), tasto, {}, pannello->viewport()->rect().center());
}

}  // namespace

class TestPannelli : public QObject {
    Q_OBJECT

    QWidget* finestra = nullptr;
    Pannelli* pannelli = nullptr;
    QList<QUrl> aperti;

private slots:
    void init() {
        finestra = new QWidget;
        finestra->resize(1280, 1024);
        pannelli = new Pannelli(finestra);
        aperti.clear();
        pannelli->impostaApritore([this](const QUrl& url) { aperti << url; });
        finestra->show();
        QVERIFY(QTest::qWaitForWindowExposed(finestra));
    }
    void cleanup() { delete finestra; }

    void testiAlByte() {
        const QByteArray inglese = Pannelli::testoInglese();
        const QByteArray italiano = Pannelli::testoItaliano();
        const QByteArray info = Pannelli::testoInfo();
        QCOMPARE(inglese.size(), 2403);
        QCOMPARE(italiano.size(), 1276);
        for (const QByteArray& testo : {inglese, italiano, info}) {
            QVERIFY(testo.endsWith("\r\n"));
            QCOMPARE(testo.count('\n'), testo.count("\r\n"));
            QCOMPARE(testo.count('\r'), testo.count("\r\n"));
        }
        // Five English paragraphs, the hyphen line, then the whole Italian text.
        QCOMPARE(righe(inglese).size(), 10);
        QCOMPARE(righe(italiano).size(), 4);
        QVERIFY(inglese.endsWith("\r\n" + QByteArray(47, '-') + "\r\n" + italiano));
        // As they stand, slips included: one double blank, before "4 cards-deck".
        QCOMPARE(inglese.count("  "), 1);
        QVERIFY(inglese.contains("you will forced to click the  4 cards-deck.\r\n"));
        QVERIFY(inglese.contains("At the beginnig 36 covered cards"));
        QVERIFY(italiano.startsWith(QStringLiteral("La Trelva è un solitario").toUtf8()));
        QVERIFY(italiano.contains("ai 4 semi . La scelta"));
        QVERIFY(italiano.contains("iniziare il gioco..\r\nCliccando"));

        const QList<QByteArray> r = righe(info);
        QCOMPARE(r.size(), 5);
        QCOMPARE(r.at(0), QByteArray("La Trelva\r"));
        QCOMPARE(r.at(1), QByteArray(15, ' ') + "ver. 3.0" + QByteArray(16, ' ') + '\r');
        QCOMPARE(Pannelli::paginaWeb().path(), QStringLiteral("/index.htm"));
        QCOMPARE(Pannelli::didascaliaSito(), Pannelli::paginaWeb().host());
    }

    void pannelliComeCreati() {
        for (QPlainTextEdit* p : {pannelli->txtEnglish(), pannelli->txtItaliano(), pannelli->text4()}) {
            QVERIFY(p->isHidden());
            QVERIFY(p->isReadOnly());
        }
        QCOMPARE(pannelli->txtItaliano()->geometry(), pannelli->txtEnglish()->geometry());
        QCOMPARE(pannelli->text4()->palette().color(QPalette::Base), QColor(255, 255, 192));
        // Each CR LF shows as one line break, not as a break and a stray CR.
        QCOMPARE(pannelli->txtEnglish()->blockCount(), 11);
        QCOMPARE(pannelli->txtItaliano()->toPlainText(),
                 QString::fromUtf8(Pannelli::testoItaliano()).replace(QStringLiteral("\r\n"),
                                                                      QStringLiteral("\n")));
    }

    void menuAlternaEImpilaIPannelli() {
        QPlainTextEdit* en = pannelli->txtEnglish();
        QPlainTextEdit* it = pannelli->txtItaliano();
        QPlainTextEdit* info = pannelli->text4();
        const QPoint regole(200, 200);   // inside both rules panels only
        const QPoint tutti(100, 40);     // inside all three

        // Shown alone, the information panel lies above the rules panels.
        pannelli->menu_about_Click();
        QVERIFY(info->isVisible());
        pannelli->menu_rules_english_Click();
        QVERIFY(en->isVisible());
        QCOMPARE(inCima(finestra, tutti), en);
        pannelli->menu_rules_italiano_Click();
        QVERIFY(en->isVisible() && it->isVisible());
        QCOMPARE(inCima(finestra, regole), it);

        // The rules panel chosen last lies on top, even when already shown.
        pannelli->menu_rules_english_Click();
        QVERIFY(en->isHidden() && it->isVisible());
        pannelli->menu_rules_english_Click();
        QCOMPARE(inCima(finestra, regole), en);

        // The information panel toggles but keeps its place in the stack.
        pannelli->menu_about_Click();
        QVERIFY(info->isHidden());
        pannelli->menu_about_Click();
        QVERIFY(info->isVisible());
        QCOMPARE(inCima(finestra, tutti), en);
        pannelli->menu_rules_english_Click();
        pannelli->menu_rules_italiano_Click();
        pannelli->menu_rules_italiano_Click();
        QCOMPARE(inCima(finestra, tutti), it);
        pannelli->menu_rules_italiano_Click();
        QCOMPARE(inCima(finestra, tutti), info);
    }

    void menuFunzionaAFinestraNascosta() {
        // Before the window is on screen (or while minimised) the menu still
        // toggles the panel's own flag.
        finestra->hide();
        pannelli->menu_rules_english_Click();
        QVERIFY(!pannelli->txtEnglish()->isHidden());
        pannelli->menu_rules_english_Click();
        QVERIFY(pannelli->txtEnglish()->isHidden());
        pannelli->menu_about_Click();
        finestra->show();
        QVERIFY(pannelli->text4()->isVisible());
    }

    void clicNelTestoNascondeQuelPannello() {
        QPlainTextEdit* en = pannelli->txtEnglish();
        QPlainTextEdit* it = pannelli->txtItaliano();
        QPlainTextEdit* info = pannelli->text4();
        pannelli->menu_rules_italiano_Click();
        pannelli->menu_rules_english_Click();
        pannelli->menu_about_Click();

        // The scroll bar and buttons other than the left one leave it alone.
        QScrollBar* barra = en->verticalScrollBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, QPoint(barra->width() / 2, barra->height() - 5));
        QVERIFY(en->isVisible());
        QVERIFY(barra->value() > 0);
        clic(en, Qt::RightButton);
        QVERIFY(en->isVisible());

        clic(en);
        QVERIFY(en->isHidden());
        QVERIFY(it->isVisible() && info->isVisible());
        clic(info);
        QVERIFY(info->isHidden());
        QVERIFY(it->isVisible());
        clic(it);
        QVERIFY(it->isHidden());

        // A press that began elsewhere and ends in the text is no click.
        pannelli->menu_rules_english_Click();
        QTest::mousePress(finestra, Qt::LeftButton, {}, QPoint(900, 900));
        QTest::mouseRelease(en->viewport(), Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(en->isVisible());
    }

    void carteTitoloETavolo() {
        Osservatore oss;
        for (QWidget* w : {(QWidget*)pannelli->txtEnglish(), (QWidget*)pannelli->txtItaliano(),
                           (QWidget*)pannelli->text4()})
            oss.segui(w);
        const auto tuttiVisibili = [this] {
            pannelli->menu_rules_english_Click();
            pannelli->menu_rules_italiano_Click();
            pannelli->menu_about_Click();
        };

        tuttiVisibili();
        pannelli->carta_Click(17);
        QCOMPARE(oss.nascosti, (QStringList{"TxtEnglish", "TxtItaliano"}));
        QVERIFY(pannelli->text4()->isVisible());

        pannelli->testo_Click();
        QVERIFY(pannelli->text4()->isHidden());

        oss.nascosti.clear();
        tuttiVisibili();
        pannelli->nascondiTutti();
        QCOMPARE(oss.nascosti, (QStringList{"Text4", "TxtEnglish", "TxtItaliano"}));
        pannelli->nascondiTutti();  // nothing shown: nothing to do, no trouble
        QVERIFY(aperti.isEmpty());
    }

    void logoESitoApronoLaPagina() {
        Osservatore oss;
        for (QWidget* w : {(QWidget*)pannelli->txtEnglish(), (QWidget*)pannelli->txtItaliano(),
                           (QWidget*)pannelli->text4()})
            oss.segui(w);
        // The opener fails silently here, like a system without a browser;
        // by the time it runs the panels must already be away.
        QStringList nascostiAllApertura;
        pannelli->impostaApritore([&](const QUrl& url) {
            aperti << url;
            nascostiAllApertura = oss.nascosti;
        });

        pannelli->menu_rules_english_Click();
        pannelli->menu_rules_italiano_Click();
        pannelli->menu_about_Click();
        pannelli->Logo_Click();
        QCOMPARE(nascostiAllApertura, (QStringList{"Text4", "TxtItaliano", "TxtEnglish"}));
        QCOMPARE(aperti, QList<QUrl>{Pannelli::paginaWeb()});

        oss.nascosti.clear();
        pannelli->menu_rules_english_Click();
        pannelli->menu_about_Click();
        pannelli->sito_Click();
        QCOMPARE(nascostiAllApertura, QStringList{"Text4"});
        QVERIFY(pannelli->txtEnglish()->isVisible());
        QCOMPARE(aperti.size(), 2);
        QCOMPARE(aperti.last(), Pannelli::paginaWeb());
    }

    void disponiSegueLaFinestra() {
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

        // Back to full size: nothing is lost on the way down and up again.
        pannelli->disponi(QTransform::fromScale(1.5, 1.5));
        QCOMPARE(pannelli->txtEnglish()->geometry(), QRect(0, 0, 662, 557));
        QCOMPARE(pannelli->txtEnglish()->font().pointSizeF(), 18.0);
        QCOMPARE(pannelli->text4()->font().styleHint(), QFont::SansSerif);

        // Laying out does not show anything.
        QVERIFY(pannelli->txtEnglish()->isHidden() && pannelli->text4()->isHidden());
    }
};

QTEST_MAIN(TestPannelli)
#include "test_pannelli.moc"
