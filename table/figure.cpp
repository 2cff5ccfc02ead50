#include "figure.h"

#include <QPainter>
#include <algorithm>

// The pictures live in a static library: make sure its resources are linked in.
static void caricaRisorse()
{
    Q_INIT_RESOURCE(art);
}

Figure::Figure()
    : logo_(QStringLiteral(":/art/logo.svg"))
    , testo_(QStringLiteral(":/art/testo.svg"))
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
    pronta = renderizza(*vettore, pixel, dpr);
    ++rese_;
    return pronta;
}

const QPixmap& Figure::rendiUnaVolta(QSvgRenderer& vettore, QPixmap& pronta, QSize pixel, qreal dpr)
{
    if (pronta.size() != pixel || pronta.devicePixelRatio() != dpr)
        pronta = renderizza(vettore, pixel, dpr);
    return pronta;
}

QPixmap Figure::renderizza(QSvgRenderer& vettore, QSize pixel, qreal dpr)
{
    QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    {
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        vettore.render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
    }
    QPixmap pronta = QPixmap::fromImage(immagine);
    pronta.setDevicePixelRatio(dpr);
    return pronta;
}
