#pragma once

#include <QColor>
#include <QElapsedTimer>
#include <QRectF>
#include <QTimer>
#include <QTransform>
#include <QWidget>
#include <functional>
#include <vector>

#include "immagini.h"

#include "figure.h"
#include "fuoco.h"
#include "schermate.h"

namespace trelva {

class Tavolo;

// The window's client area: a fixed 1280 x 1024 space of window units, scaled
// evenly to fit and centred, the margins in the background colour. It draws
// the table from the rules' pictures and hands presses, in window units, to
// the controls and the table.
class Superficie : public QWidget {
    Q_OBJECT
public:
    static constexpr QSizeF unita{1280, 1024};

    explicit Superficie(Tavolo& tavolo, QWidget* genitore = nullptr);

    // What shows besides the cards, as a screen of `schermate` lays it out.
    const Schermata& schermata() const { return schermata_; }
    void mostra(Schermata schermata);

    QTransform unitaInPixel() const { return mappa_; }
    QPointF inUnita(QPointF pixel) const { return mappa_.inverted().map(pixel); }

    // The one map from window units to whole device pixels that every card
    // edge and frame line is snapped with: a card's right edge is exactly its
    // neighbour's left edge, so no table green shows between them.
    int xDispositivo(double x) const;
    int yDispositivo(double y) const;
    QRect inDispositivo(const QRectF& unita) const;

    // Where an end label shows, in window units: it sizes to its text.
    static QRectF postoEtichettaFine(const Immagine& etichetta, const QString& testo);
    static QString testoSorry() { return QStringLiteral("SORRY"); }
    static QString testoCongratulation() { return QStringLiteral("CONGRATULATIONS !"); }

    // Labels size themselves to their text, as designed.
    static QRectF misuraEtichetta(const QString& testo, const QFont& carattere, QPointF angolo);
    static QFont carattereSito();
    static QFont carattereCopyRight();

    // Repaints no faster than the screen shows frames: a card move changes the
    // table every 2.5 ms, far more often than anyone could see.
    void richiediRidisegno();

    // The keyboard's place; a new game puts it back on the stock.
    const Fuoco& fuoco() const { return fuoco_; }
    void fuocoAlMazzetto();
    // A left press in the middle of a place, as Return or Space gives it.
    void premi(Posto posto);
    // Every press on the table, from the mouse, the keys or a screen reader:
    // the rules judge it, and what it landed on decides the panels.
    void premi(QPointF unita, int pulsante);
    const Tavolo& tavolo() const { return tavolo_; }

    int fotogrammi() const { return fotogrammi_; }
    int figureRese() const { return figure_.rese(); }
    // The title screen's pictures kept between starts in `cartella`.
    void usaCopie(const QString& cartella) { figure_.usaCopie(cartella); }
    void conservaTitolo() { figure_.conservaTitolo(); }

signals:
    void mappaCambiata(const QTransform& unitaInPixel);
    void logoCliccato();
    void sitoCliccato();
    void testoCliccato();
    // A frame has been painted and goes to the screen as this returns.
    void dipinta();
    // Once a frame, moved or not: the pictures now stand as the rules left them.
    void tavoloCambiato();
    void fuocoCambiato();
    // Escape, or a press on a back or the bare table: every panel goes.
    void pannelliVia();
    // A left press on a face, which is no play press.
    void cartaCliccata(int carta);

protected:
    bool event(QEvent*) override;
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;

private:
    void disegnaTitolo(QPainter& p);
    void disegnaFigura(QPainter& p, const QRectF& posto, const std::function<const QPixmap&(QSize, qreal)>& figura);
    void disegnaRiquadri(QPainter& p);
    void disegnaCarte(QPainter& p);
    void disegnaEtichette(QPainter& p);
    void disegnaFuoco(QPainter& p);
    void ridisegnaFuoco();
    // Fills whole device pixels, with the painter in the widget's own units.
    void riempiPixel(QPainter& p, const QRect& dispositivo, const QColor& colore) const;
    const Controllo* controlloIn(QPointF u) const;

    // Where every picture stood when last painted, to repaint only changes.
    struct Istantanea {
        std::vector<QRectF> figure; // faces and backs by card, then the end labels
        std::vector<int> ordine; // the faces from the bottom up
    };
    Istantanea istantanea() const;
    void aggiornaCambiate();

    Tavolo& tavolo_;
    Schermata schermata_;
    Figure figure_;
    QTransform mappa_;
    QTimer fotogramma_;
    QElapsedTimer ultimoFotogramma_;
    int fotogrammi_ = 0;
    Istantanea disegnata_;
    QRectF esposta_; // the part being painted, in window units
    const Controllo* premuto_ = nullptr; // a control acts on a whole click, press and release
    Fuoco fuoco_;
};

} // namespace trelva
