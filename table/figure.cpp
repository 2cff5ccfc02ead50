#include "figure.h"

#include <QFile>
#include <QPainter>
#include <algorithm>

#include "copie.h"

// The pictures live in a static library: make sure its resources are linked
// in. The initialiser has to be named outside any namespace.
static void caricaRisorse()
{
    Q_INIT_RESOURCE(art);
}

namespace trelva {

namespace {
QByteArray leggiArte(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}
} // namespace

Figure::Figure()
    : logo_{.arte = leggiArte(QStringLiteral(":/art/logo.svg"))}
    , testo_{.arte = leggiArte(QStringLiteral(":/art/testo.svg"))}
{
}

Figure::Risorse::Risorse()
{
    caricaRisorse();
}

const QPixmap& Figure::faccia(int carta, QSize pixel, qreal dpr)
{
    return rendi(carta, pixel, dpr);
}

const QPixmap& Figure::dorso(QSize pixel, qreal dpr)
{
    return rendi(0, pixel, dpr);
}

const QPixmap& Figure::rendi(int indice, QSize pixel, qreal dpr)
{
    auto& misure = pronte_[indice];
    for (const QPixmap& p : misure)
        if (p.size() == pixel && p.devicePixelRatio() == dpr)
            return p;
    // The sizes of another scale are of no more use: the oldest one goes.
    std::rotate(misure.rbegin(), misure.rbegin() + 1, misure.rend());
    QPixmap& pronta = misure.front();
    auto& vettore = vettori_[indice];
    if (!vettore)
        vettore = std::make_unique<QSvgRenderer>(
            indice == 0 ? QStringLiteral(":/art/dorso.svg")
                        : QStringLiteral(":/art/carta%1.svg").arg(indice, 2, 10, QLatin1Char('0')));
    pronta = aScala(disegnata(*vettore, pixel), dpr);
    ++rese_;
    return pronta;
}

const QPixmap& Figure::unaVolta(UnaVolta& figura, QSize pixel, qreal dpr)
{
    if (figura.pronta.size() == pixel && figura.pronta.devicePixelRatio() == dpr)
        return figura.pronta;
    QImage immagine = copie::leggi(copie_, figura.arte, pixel);
    if (immagine.isNull()) {
        QSvgRenderer vettore(figura.arte);
        immagine = disegnata(vettore, pixel);
        figura.daConservare = immagine;
    }
    figura.pronta = aScala(immagine, dpr);
    return figura.pronta;
}

void Figure::conservaTitolo()
{
    for (UnaVolta* figura : {&logo_, &testo_}) {
        if (figura->daConservare.isNull())
            continue;
        copie::conserva(copie_, figura->arte, figura->daConservare);
        figura->daConservare = QImage();
    }
}

QImage Figure::disegnata(QSvgRenderer& vettore, QSize pixel)
{
    QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    {
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        vettore.render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
    }
    return immagine;
}

QPixmap Figure::aScala(const QImage& immagine, qreal dpr)
{
    QPixmap pronta = QPixmap::fromImage(immagine);
    pronta.setDevicePixelRatio(dpr);
    return pronta;
}

} // namespace trelva
