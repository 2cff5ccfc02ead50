#include "figure.h"

#include <QPainter>

// The pictures live in a static library: make sure its resources are linked in.
static void caricaRisorse()
{
    Q_INIT_RESOURCE(art);
}

Figure::Figure()
    : logo_(QStringLiteral(":/art/logo.svg")),
      testo_(QStringLiteral(":/art/testo.svg"))
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
    QPixmap& pronta = pronte_[indice];
    if (pronta.size() == pixel && pronta.devicePixelRatio() == dpr)
        return pronta;
    auto& vettore = vettori_[indice];
    if (!vettore)
        vettore = std::make_unique<QSvgRenderer>(
            indice == 0 ? QStringLiteral(":/art/dorso.svg")
                        : QStringLiteral(":/art/carta%1.svg").arg(indice, 2, 10, QLatin1Char('0')));
    QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    {
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        vettore->render(&p, QRectF(QPointF(0, 0), QSizeF(pixel)));
    }
    pronta = QPixmap::fromImage(immagine);
    pronta.setDevicePixelRatio(dpr);
    return pronta;
}
