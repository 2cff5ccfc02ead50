#include "superficie.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <utility>

#include <QToolTip>

#include "tavolo.h"

namespace trelva {

namespace {
constexpr int msPerFotogramma = 16;
const QColor coloreRiquadri(0, 192, 0); // 0xC000
const QColor coloreShape(0, 64, 0);
const QColor coloreFuoco(255, 255, 0);

// A label's box: its text's width and line height and this much room round it.
constexpr qreal largoInPiuEtichetta = 8;
constexpr qreal altoInPiuEtichetta = 4;
// Device pixels added round a repainted area: antialiased edges bleed past a
// picture's own box by less than this.
constexpr int margineRidisegno = 2;
// The keyboard's ring: its bright band in window units, and never thinner
// than this many device pixels, so it shows on a small window too.
constexpr double spessoreAnello = 3;
constexpr int spessoreAnelloMinimo = 2;
// The title screen's frame: two rounded outlines, the inner one inset.
constexpr qreal pennaCornice = 3;
constexpr qreal raggioCorniceFuori = 18;
constexpr qreal raggioCorniceDentro = 12;
constexpr qreal rientroCorniceDentro = 8;

int pulsanteDi(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return tastoSinistro;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

QFont carattereEtichetteFine()
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(26);
    f.setBold(true);
    return f;
}
} // namespace

Superficie::Superficie(Tavolo& tavolo, QWidget* genitore)
    : QWidget(genitore)
    , tavolo_(tavolo)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus); // the arrows, Return, Space and Escape
    fotogramma_.setSingleShot(true);
    fotogramma_.setTimerType(Qt::PreciseTimer);
    connect(&fotogramma_, &QTimer::timeout, this, &Superficie::aggiornaCambiate);
    ultimoFotogramma_.start();
}

QFont Superficie::carattereSito()
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(13);
    return f;
}

QFont Superficie::carattereCopyRight()
{
    QFont f(QStringLiteral("Sans Serif"));
    f.setPixelSize(14);
    return f;
}

QRectF Superficie::postoEtichettaFine(const Immagine& etichetta, const QString& testo)
{
    return misuraEtichetta(testo, carattereEtichetteFine(), QPointF(etichetta.left, etichetta.top))
        .adjusted(0, 0, 16, 8);
}

int Superficie::xDispositivo(double x) const
{
    return int(std::lround((mappa_.m11() * x + mappa_.dx()) * devicePixelRatioF()));
}

int Superficie::yDispositivo(double y) const
{
    return int(std::lround((mappa_.m22() * y + mappa_.dy()) * devicePixelRatioF()));
}

QRect Superficie::inDispositivo(const QRectF& u) const
{
    return QRect(QPoint(xDispositivo(u.left()), yDispositivo(u.top())),
                 QPoint(xDispositivo(u.right()) - 1, yDispositivo(u.bottom()) - 1));
}

QRectF Superficie::misuraEtichetta(const QString& testo, const QFont& carattere, QPointF angolo)
{
    const QFontMetricsF m(carattere);
    return QRectF(angolo, QSizeF(std::ceil(m.horizontalAdvance(testo)) + largoInPiuEtichetta, std::ceil(m.height()) + altoInPiuEtichetta));
}

void Superficie::mostra(Schermata schermata)
{
    schermata_ = std::move(schermata);
    update();
}

void Superficie::richiediRidisegno()
{
    if (fotogramma_.isActive())
        return;
    const qint64 passati = ultimoFotogramma_.elapsed();
    if (passati >= msPerFotogramma)
        aggiornaCambiate();
    else
        fotogramma_.start(int(msPerFotogramma - passati));
}

Superficie::Istantanea Superficie::istantanea() const
{
    const Immagini& im = tavolo_.immagini;
    Istantanea foto;
    auto metti = [&](const Immagine& i) {
        foto.figure.push_back(i.visible ? QRectF(i.left, i.top, i.width, i.height) : QRectF());
    };
    for (int k = 1; k <= numeroCarte; ++k) {
        metti(im.carta[k]);
        metti(im.dorso[k]);
    }
    // The end labels are pictures of no size of their own: what changes on
    // the screen is the box their text fills.
    auto etichetta = [&](const Immagine& i, const QString& testo) {
        foto.figure.push_back(i.visible ? postoEtichettaFine(i, testo) : QRectF());
    };
    etichetta(im.lblSorry, testoSorry());
    etichetta(im.lblCongratulation, testoCongratulation());
    // A face brought to the front without moving still changes what shows.
    foto.ordine = im.facceDalFondo();
    return foto;
}

void Superficie::aggiornaCambiate()
{
    // Only what changed since the last frame is painted again: a moving card
    // repaints its old and its new place, not the whole table.
    Istantanea ora = istantanea();
    QRectF cambiato;
    if (ora.ordine != disegnata_.ordine) { // the stacking order changed: the whole table
        cambiato = QRectF(QPointF(0, 0), unita);
    } else {
        const std::vector<QRectF>& prima = disegnata_.figure;
        for (std::size_t i = 0; i < ora.figure.size(); ++i) {
            if (i < prima.size() && ora.figure[i] == prima[i])
                continue;
            cambiato |= ora.figure[i];
            if (i < prima.size())
                cambiato |= prima[i];
        }
    }
    disegnata_ = std::move(ora);
    emit tavoloCambiato();
    if (cambiato.isEmpty())
        return;
    update(mappa_.mapRect(cambiato).toAlignedRect().adjusted(-margineRidisegno, -margineRidisegno, margineRidisegno,
                                                             margineRidisegno));
}

void Superficie::resizeEvent(QResizeEvent*)
{
    const qreal scala = std::min(width() / unita.width(), height() / unita.height());
    mappa_ = QTransform::fromTranslate((width() - unita.width() * scala) / 2,
                                       (height() - unita.height() * scala) / 2)
                 .scale(scala, scala);
    emit mappaCambiata(mappa_);
}

void Superficie::paintEvent(QPaintEvent* e)
{
    esposta_ = mappa_.inverted().mapRect(QRectF(e->rect()));
    ++fotogrammi_;
    ultimoFotogramma_.restart();
    QPainter p(this);
    p.fillRect(rect(), schermata_.sfondo);
    disegnaRiquadri(p);
    p.setRenderHint(QPainter::Antialiasing);
    p.setTransform(mappa_);
    disegnaCarte(p);
    disegnaEtichette(p);
    disegnaFuoco(p);
    disegnaTitolo(p);
    p.end();
    emit dipinta();
}

void Superficie::disegnaRiquadri(QPainter& p)
{
    const Geometria& g = tavolo_.geometria;
    if (!g.misurata())
        return;
    // Thin solid lines, each one whole device pixel on the same grid as the
    // card edges: a line spread over two half-lit rows is no longer the frame green.
    for (const Segmento& s : g.Riquadri()) {
        const QPoint da(xDispositivo(s.da.x), yDispositivo(s.da.y));
        const QPoint a(xDispositivo(s.a.x), yDispositivo(s.a.y));
        // Like any line, it stops short of its last point; the vertical one
        // reaches the bottom line so the outline's corner closes.
        const QPoint fine = da.y() == a.y() ? QPoint(a.x() - 1, a.y()) : QPoint(da.x(), a.y());
        riempiPixel(p, QRect(da, fine), coloreRiquadri);
    }
}

void Superficie::disegnaCarte(QPainter& p)
{
    const Immagini& im = tavolo_.immagini;
    auto carta = [&](const Immagine& i, const std::function<const QPixmap&(QSize, qreal)>& figura) {
        if (i.visible)
            disegnaFigura(p, QRectF(i.left, i.top, i.width, i.height), figura);
    };
    if (im.dorsiCreati())
        for (int k = 1; k <= numeroCarte; ++k)
            carta(im.dorso[k], [&](QSize px, qreal dpr) -> const QPixmap& { return figure_.dorso(px, dpr); });
    for (int k : im.facceDalFondo())
        carta(im.carta[k], [&](QSize px, qreal dpr) -> const QPixmap& { return figure_.faccia(k, px, dpr); });
}

void Superficie::disegnaEtichette(QPainter& p)
{
    const Immagini& im = tavolo_.immagini;
    const QFont f = carattereEtichetteFine();
    p.setFont(f);
    auto etichetta = [&](const Immagine& i, const QString& testo, QColor fondo, QColor colore) {
        if (!i.visible)
            return;
        const QRectF r = postoEtichettaFine(i, testo);
        p.fillRect(r, fondo);
        p.setPen(colore);
        p.drawText(r, Qt::AlignCenter, testo);
    };
    etichetta(im.lblSorry, testoSorry(), Qt::red, Qt::white);
    etichetta(im.lblCongratulation, testoCongratulation(), Qt::yellow, QColor(0, 128, 0));
}

void Superficie::disegnaFuoco(QPainter& p)
{
    const Geometria& g = tavolo_.geometria;
    if (!fuoco_.visibile() || !g.misurata())
        return;
    // On the cards' own pixel grid, so the ring sits exactly on the place's
    // edges: a bright band and a dark one inside it, clear on any card.
    const QRect r = inDispositivo(Fuoco::riquadro(g, fuoco_.posto()));
    const int spesso
        = std::max(spessoreAnelloMinimo, int(std::lround(spessoreAnello * mappa_.m11() * devicePixelRatioF())));
    auto cornice = [&](const QRect& b, int t, const QColor& colore) {
        riempiPixel(p, QRect(b.left(), b.top(), b.width(), t), colore);
        riempiPixel(p, QRect(b.left(), b.bottom() - t + 1, b.width(), t), colore);
        riempiPixel(p, QRect(b.left(), b.top() + t, t, b.height() - 2 * t), colore);
        riempiPixel(p, QRect(b.right() - t + 1, b.top() + t, t, b.height() - 2 * t), colore);
    };
    p.save();
    p.resetTransform();
    p.setRenderHint(QPainter::Antialiasing, false);
    cornice(r, spesso, coloreFuoco);
    cornice(r.adjusted(spesso, spesso, -spesso, -spesso), std::max(1, spesso / 2), Qt::black);
    p.restore();
}

void Superficie::riempiPixel(QPainter& p, const QRect& dispositivo, const QColor& colore) const
{
    const qreal dpr = devicePixelRatioF();
    p.fillRect(QRectF(dispositivo.left() / dpr, dispositivo.top() / dpr, dispositivo.width() / dpr,
                      dispositivo.height() / dpr),
               colore);
}

void Superficie::ridisegnaFuoco()
{
    update(mappa_.mapRect(Fuoco::riquadro(tavolo_.geometria, fuoco_.posto()))
               .toAlignedRect()
               .adjusted(-margineRidisegno, -margineRidisegno, margineRidisegno, margineRidisegno));
}

void Superficie::fuocoAlMazzetto()
{
    ridisegnaFuoco();
    fuoco_.alMazzetto();
    ridisegnaFuoco();
    emit fuocoCambiato();
}

void Superficie::premi(Posto posto)
{
    const Punto c = tavolo_.geometria.centro(posto);
    premi(QPointF(c.x, c.y), tastoSinistro);
}

void Superficie::premi(QPointF unita, int pulsante)
{
    const Colpo colpo = tavolo_.premi(unita.x(), unita.y(), pulsante);
    if (colpo.cosa != Colpo::Cosa::Faccia)
        emit pannelliVia();
    else if (pulsante == tastoSinistro)
        emit cartaCliccata(colpo.carta);
}

void Superficie::keyPressEvent(QKeyEvent* e)
{
    // Alt and Ctrl keys belong to the menus; nothing on the table before it is dealt.
    const bool semplice = (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (!semplice || !tavolo_.immagini.dorsiCreati() || !tavolo_.geometria.misurata()) {
        QWidget::keyPressEvent(e);
        return;
    }
    const int tasto = e->key();
    if (tasto == Qt::Key_Escape) {
        emit pannelliVia();
    } else if (const auto v = Fuoco::versoDi(tasto)) {
        ridisegnaFuoco();
        fuoco_.muovi(*v);
        fuoco_.mostra(true);
        ridisegnaFuoco();
        emit fuocoCambiato();
    } else if (tasto == Qt::Key_Return || tasto == Qt::Key_Enter || tasto == Qt::Key_Space) {
        fuoco_.mostra(true);
        ridisegnaFuoco();
        // A held key is one press, as a held mouse button is.
        if (!e->isAutoRepeat())
            premi(fuoco_.posto());
    } else {
        QWidget::keyPressEvent(e);
    }
}

// Not the widget's own handlers: they repaint all of it, and the table shows
// no sign of having the keyboard beyond the ring.
void Superficie::focusInEvent(QFocusEvent*)
{
    // After the window system has told a screen reader that the table has
    // the keyboard, so that the place within it is told next, not lost.
    QTimer::singleShot(0, this, &Superficie::fuocoCambiato);
}

void Superficie::focusOutEvent(QFocusEvent*) { }

void Superficie::disegnaFigura(QPainter& p, const QRectF& posto,
                               const std::function<const QPixmap&(QSize, qreal)>& figura)
{
    if (!esposta_.intersects(posto))
        return;
    const qreal dpr = devicePixelRatioF();
    const QRect r = inDispositivo(posto);
    if (r.isEmpty())
        return;
    p.save();
    p.resetTransform();
    // Drawn 1:1 in device pixels: a scaled pixmap would blur, and so would
    // antialiasing at a position a rounding error off the pixel grid, which
    // left a repainted part a shade off the rest at a fractional scale.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawPixmap(QPointF(r.left() / dpr, r.top() / dpr), figura(r.size(), dpr));
    p.restore();
}

void Superficie::disegnaTitolo(QPainter& p)
{
    if (schermata_.Shape1.visible) {
        p.setPen(QPen(coloreShape, pennaCornice));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(schermata_.Shape1.posto, raggioCorniceFuori, raggioCorniceFuori);
        const qreal d = rientroCorniceDentro;
        p.drawRoundedRect(schermata_.Shape1.posto.adjusted(d, d, -d, -d), raggioCorniceDentro, raggioCorniceDentro);
    }
    if (schermata_.testo.visible)
        disegnaFigura(p, schermata_.testo.posto, [&](QSize px, qreal dpr) -> const QPixmap& { return figure_.testo(px, dpr); });
    if (schermata_.CopyRight.visible) {
        p.setFont(carattereCopyRight());
        p.setPen(Qt::black);
        p.drawText(schermata_.CopyRight.posto, Qt::AlignCenter, schermata_.testoCopyRight);
    }
    if (schermata_.sito.visible) {
        p.fillRect(schermata_.sito.posto, schermata_.sitoSfondo);
        p.setFont(carattereSito());
        p.setPen(schermata_.sitoTesto);
        p.drawText(schermata_.sito.posto, Qt::AlignCenter, schermata_.testoSito);
    }
    if (schermata_.Logo.visible)
        disegnaFigura(p, schermata_.Logo.posto, [&](QSize px, qreal dpr) -> const QPixmap& { return figure_.logo(px, dpr); });
}

const Controllo* Superficie::controlloIn(QPointF u) const
{
    for (const Controllo* c : {&schermata_.Logo, &schermata_.sito, &schermata_.testo, &schermata_.CopyRight})
        if (c->visible && c->posto.contains(u))
            return c;
    return nullptr;
}

bool Superficie::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        const auto* aiuto = static_cast<QHelpEvent*>(e);
        const Controllo* c = controlloIn(inUnita(aiuto->pos()));
        if (c && !c->suggerimento.isEmpty())
            QToolTip::showText(aiuto->globalPos(), c->suggerimento, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void Superficie::mousePressEvent(QMouseEvent* e)
{
    if (fuoco_.visibile()) { // the mouse is back: the table looks as it always did
        fuoco_.mostra(false);
        ridisegnaFuoco();
    }
    // A press a panel left unhandled (a right press in its text, say) comes on
    // to its parent: it still belongs to the panel, not to the table.
    if (childAt(e->position().toPoint()))
        return;
    const QPointF u = inUnita(e->position());
    const int pulsante = pulsanteDi(e->button());
    // The logo, the web label, the title and the notice take their own presses.
    if (const Controllo* c = controlloIn(u)) {
        premuto_ = pulsante == tastoSinistro ? c : nullptr;
        return;
    }
    premuto_ = nullptr;
    if (pulsante != 0)
        premi(u, pulsante);
}

void Superficie::mouseReleaseEvent(QMouseEvent* e)
{
    const Controllo* premuto = std::exchange(premuto_, nullptr);
    if (e->button() != Qt::LeftButton || !premuto || controlloIn(inUnita(e->position())) != premuto)
        return;
    if (premuto == &schermata_.Logo)
        emit logoCliccato();
    else if (premuto == &schermata_.sito)
        emit sitoCliccato();
    else if (premuto == &schermata_.testo)
        emit testoCliccato();
}

} // namespace trelva
