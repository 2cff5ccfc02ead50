#include "pannelli.h"

#include <QDesktopServices>
#include <QFile>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QWidget>

#include <algorithm>
#include <cmath>

// The resource initialiser has to be named outside any namespace. Calling it
// pulls the texts out of the static archive, where nothing else refers to them.
static void registraTesti()
{
    Q_INIT_RESOURCE(texts);
}

namespace trelva {

namespace {

// The information panel's pale yellow, as on a note.
const QColor coloreInformazioni(255, 255, 192);

QByteArray leggiRisorsa(const QString& nome)
{
    QFile file(QStringLiteral(":/texts/") + nome);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The desktop services say on the terminal when they find no browser; the
// game reports no failure of the page opening. Only what this thread says
// during the call is held back: every other diagnostic goes through.
thread_local bool aprendoPagina = false;
QtMessageHandler gestorePrecedente = nullptr;

void gestoreMentreSiApre(QtMsgType tipo, const QMessageLogContext& contesto, const QString& messaggio)
{
    if (aprendoPagina)
        return;
    if (gestorePrecedente)
        gestorePrecedente(tipo, contesto, messaggio);
}

void apriInSilenzio(const QUrl& url)
{
    gestorePrecedente = qInstallMessageHandler(gestoreMentreSiApre);
    aprendoPagina = true;
    // Hands the address to the desktop, which starts the browser detached; the
    // answer says nothing about whether a browser really opened, so it is dropped.
    QDesktopServices::openUrl(url);
    aprendoPagina = false;
    qInstallMessageHandler(gestorePrecedente);
}

QFont caratteri(int punti)
{
    // "MS Sans Serif" is rarely installed outside Windows: any sans-serif face.
    QFont font(QStringLiteral("Sans Serif"), punti);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

} // namespace

Pannelli::Pannelli(QWidget* finestra)
    : QObject(finestra)
    , finestra_(finestra)
    , apritore_(apriInSilenzio)
{
    registraTesti();
}

void Pannelli::prepara()
{
    if (text4_)
        return;
    txtItaliano_ = creaPannello(testoItaliano(), puntiRegole);
    txtEnglish_ = creaPannello(testoInglese(), puntiRegole);
    text4_ = creaPannello(testoInfo(), puntiInfo);

    for (QPlainTextEdit* regole : {txtItaliano_, txtEnglish_}) {
        regole->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        regole->setObjectName(regole == txtEnglish_ ? QStringLiteral("TxtEnglish")
                                                    : QStringLiteral("TxtItaliano"));
    }
    text4_->setObjectName(QStringLiteral("Text4"));
    text4_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tavolozza = text4_->palette();
    tavolozza.setColor(QPalette::Base, coloreInformazioni);
    text4_->setPalette(tavolozza);

    disponi(mappa_);
}

QPlainTextEdit* Pannelli::creaPannello(const QByteArray& testo, int punti)
{
    auto* pannello = new QPlainTextEdit(finestra_);
    pannello->hide();
    pannello->setReadOnly(true);
    pannello->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pannello->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    pannello->setFont(caratteri(punti));
    pannello->setPlainText(QString::fromUtf8(testo));
    pannello->viewport()->installEventFilter(this);
    return pannello;
}

QByteArray Pannelli::testoInglese()
{
    registraTesti();
    return leggiRisorsa(QStringLiteral("TxtEnglish.txt"));
}
QByteArray Pannelli::testoItaliano()
{
    registraTesti();
    return leggiRisorsa(QStringLiteral("TxtItaliano.txt"));
}
QByteArray Pannelli::testoInfo()
{
    registraTesti();
    return leggiRisorsa(QStringLiteral("Text4.txt"));
}

QUrl Pannelli::paginaWeb()
{
    return QUrl(QStringLiteral("https://www.dorvinex.example/index.htm"));
}
QString Pannelli::didascaliaSito()
{
    return QStringLiteral("www.dorvinex.example");
}
QString Pannelli::suggerimentoSito()
{
    return QStringLiteral("Click to visit the site");
}
QString Pannelli::suggerimentoLogo()
{
    return QStringLiteral("The best italian Card Game");
}
QString Pannelli::dirittiCopyRight()
{
    return QStringLiteral("Copyright (C) 2026 Dorvinex - All rights reserved");
}

void Pannelli::disponi(const QTransform& unitaInPixel)
{
    mappa_ = unitaInPixel;
    if (!text4_)
        return;
    // The map is meant to be uniform; should it not be, the smaller factor
    // keeps the text inside its box.
    const double scala = std::min(std::abs(unitaInPixel.m11()), std::abs(unitaInPixel.m22()));
    const auto metti = [&](QPlainTextEdit* pannello, const QRect& posto, int punti) {
        pannello->setGeometry(unitaInPixel.mapRect(QRectF(posto)).toRect());
        QFont font = pannello->font();
        font.setPointSizeF(std::max(1.0, punti * scala));
        pannello->setFont(font);
    };
    metti(txtItaliano_, postoRegole, puntiRegole);
    metti(txtEnglish_, postoRegole, puntiRegole);
    metti(text4_, postoInfo, puntiInfo);
}

// Visibility is the panel's own flag (isHidden), not isVisible(): the panels
// must toggle the same way while the window itself is not on screen. A panel
// not made yet is hidden, and stays unmade until it is shown.

namespace {
void nascondi(QPlainTextEdit* pannello)
{
    if (pannello)
        pannello->hide();
}
} // namespace

void Pannelli::menu_rules_english_Click()
{
    prepara();
    txtEnglish_->setVisible(txtEnglish_->isHidden());
    txtEnglish_->raise();
}

void Pannelli::menu_rules_italiano_Click()
{
    prepara();
    txtItaliano_->setVisible(txtItaliano_->isHidden());
    txtItaliano_->raise();
}

void Pannelli::menu_about_Click()
{
    prepara();
    text4_->setVisible(text4_->isHidden());
}

void Pannelli::TxtEnglish_Click()
{
    nascondi(txtEnglish_);
}
void Pannelli::TxtItaliano_Click()
{
    nascondi(txtItaliano_);
}
void Pannelli::Text4_Click()
{
    nascondi(text4_);
}
void Pannelli::testo_Click()
{
    nascondi(text4_);
}

void Pannelli::carta_Click(int)
{
    // The information panel is small and out of the way: a card face leaves it.
    nascondi(txtEnglish_);
    nascondi(txtItaliano_);
}

void Pannelli::Logo_Click()
{
    nascondi(text4_);
    nascondi(txtItaliano_);
    nascondi(txtEnglish_);
    apriPagina();
}

void Pannelli::sito_Click()
{
    nascondi(text4_);
    apriPagina();
}

void Pannelli::nascondiTutti()
{
    nascondi(text4_);
    nascondi(txtEnglish_);
    nascondi(txtItaliano_);
}

void Pannelli::apriPagina()
{
    if (apritore_)
        apritore_(paginaWeb());
}

bool Pannelli::eventFilter(QObject* watched, QEvent* event)
{
    // A click is a left press and a left release on the same text area; the
    // scroll bars are outside the viewport and never get here.
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        premutoSu_ = mouse->button() == Qt::LeftButton ? watched : nullptr;
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const bool click = mouse->button() == Qt::LeftButton && premutoSu_ == watched;
        premutoSu_ = nullptr;
        if (click) {
            if (watched == txtEnglish_->viewport())
                TxtEnglish_Click();
            else if (watched == txtItaliano_->viewport())
                TxtItaliano_Click();
            else if (watched == text4_->viewport())
                Text4_Click();
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace trelva
