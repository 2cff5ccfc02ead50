// The three text panels that float over the table (English rules, Italian
// rules, information) and the link to the maker's web page.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QTransform>
#include <QUrl>

#include <functional>

class QPlainTextEdit;
class QTransform;
class QWidget;

namespace trelva {

class Pannelli : public QObject {
    Q_OBJECT
public:
    // Opens a web address without waiting for the browser and without
    // reporting anything; replaceable so that tests need no browser.
    using Apritore = std::function<void(const QUrl&)>;

    // The panels become children of finestra, hidden, in the stacking order
    // Italian, English, information (the last one on top). Three text boxes
    // cost more than the whole first frame of the window, so they are made
    // when first needed, or when prepara() says there is time.
    explicit Pannelli(QWidget* finestra);
    void prepara();

    QPlainTextEdit* txtEnglish()
    {
        prepara();
        return txtEnglish_;
    }
    QPlainTextEdit* txtItaliano()
    {
        prepara();
        return txtItaliano_;
    }
    QPlainTextEdit* text4()
    {
        prepara();
        return text4_;
    }

    // Places and sizes in window units (the fixed 1280 x 1024 table space).
    static constexpr QRect postoRegole{0, 0, 441, 371};
    static constexpr QRect postoInfo{10, 0, 226, 81};
    // Font sizes at one pixel per window unit. The information panel keeps
    // the small default size of a plain text box, so that its five lines fit
    // in its 81 units of height.
    static constexpr int puntiRegole = 12;
    static constexpr int puntiInfo = 8;

    // Puts the panels at their window-unit places through the map from window
    // units to widget pixels, and scales their fonts with it.
    void disponi(const QTransform& unitaInPixel);

    // Texts exactly as stored, CR LF line ends included.
    static QByteArray testoInglese();
    static QByteArray testoItaliano();
    static QByteArray testoInfo();

    static QUrl paginaWeb(); // opened by the logo and the web-address label
    static QString didascaliaSito(); // the caption of the web-address label `sito`
    static QString suggerimentoSito(); // its tooltip
    static QString suggerimentoLogo(); // the logo's tooltip
    static QString dirittiCopyRight(); // the one-line notice of the `CopyRight` label

    void impostaApritore(Apritore apritore) { apritore_ = std::move(apritore); }

public slots:
    void menu_rules_english_Click();
    void menu_rules_italiano_Click();
    void menu_about_Click();
    void TxtEnglish_Click();
    void TxtItaliano_Click();
    void Text4_Click();
    void testo_Click();
    void carta_Click(int index = 0);
    void Logo_Click();
    void sito_Click();
    // First step of every press on a card back or on the bare table.
    void nascondiTutti();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* creaPannello(const QByteArray& testo, int punti);
    void apriPagina();

    QWidget* finestra_;
    QTransform mappa_; // the last placing asked for, applied when the panels are made

    QPlainTextEdit* txtItaliano_ = nullptr;
    QPlainTextEdit* txtEnglish_ = nullptr;
    QPlainTextEdit* text4_ = nullptr;
    QObject* premutoSu_ = nullptr; // viewport that received the last left press
    Apritore apritore_;
};

} // namespace trelva
