#include "schermate.h"

#include "pannelli.h"
#include "superficie.h"

namespace trelva {

namespace schermate {

namespace {
constexpr double largoarea = Superficie::unita.width();
constexpr double altoarea = Superficie::unita.height();
const QColor verdeTavolo(0, 64, 0);

constexpr QSizeF misuraLogo{120, 39};
constexpr QSizeF misuraTesto{309, 90};
constexpr QSizeF misuraShape1{841, 600};
// Below this outer width there is no room for the logo.
constexpr double twipsPerPollice = 1440;
constexpr double twipsMinimiPerLogo = 12360;

// The title screen: the logo at the top, the web address under it, the title
// picture a third of the way down, the notice below it.
constexpr double logoSulTitoloSopra = 5;
constexpr double sitoSottoIlLogo = 4;
constexpr double copyRightSottoIlTesto = 80;
// The table: the logo in the top-right corner, the web address under it.
constexpr double logoSulTavoloDaDestra = 25;
constexpr double logoSulTavoloSopra = 10;

double centrato(double largo)
{
    return (largoarea - largo) / 2;
}
} // namespace

Schermata inBianco()
{
    Schermata s;
    s.sfondo = Qt::white;
    return s;
}

Schermata titolo(double larghezza, double dpi)
{
    Schermata s = inBianco();
    // The web address and its notice belong to the web link's module.
    s.Logo.suggerimento = Pannelli::suggerimentoLogo();
    s.sito.suggerimento = Pannelli::suggerimentoSito();
    s.testoSito = Pannelli::didascaliaSito();
    s.testoCopyRight = Pannelli::dirittiCopyRight();

    s.Logo.posto = QRectF(QPointF(centrato(misuraLogo.width()), logoSulTitoloSopra), misuraLogo);
    s.Logo.visible = larghezza * twipsPerPollice / dpi >= twipsMinimiPerLogo;
    s.sito.posto = Superficie::misuraEtichetta(s.testoSito, Superficie::carattereSito(), QPointF());
    s.sito.posto.moveTo(centrato(s.sito.posto.width()), s.Logo.posto.bottom() + sitoSottoIlLogo);
    s.sitoSfondo = Qt::white;
    s.sitoTesto = Qt::blue;
    s.testo.posto = QRectF(QPointF(centrato(misuraTesto.width()), (altoarea - misuraTesto.height()) / 3), misuraTesto);
    s.Shape1.posto = QRectF(QPointF(centrato(misuraShape1.width()), (altoarea - misuraShape1.height()) / 2), misuraShape1);
    s.CopyRight.posto = Superficie::misuraEtichetta(s.testoCopyRight, Superficie::carattereCopyRight(), QPointF());
    s.CopyRight.posto.moveTo(centrato(s.CopyRight.posto.width()), s.testo.posto.bottom() + copyRightSottoIlTesto);
    s.testo.visible = s.sito.visible = s.Shape1.visible = s.CopyRight.visible = true;
    return s;
}

Schermata tavolo(Schermata s)
{
    s.sfondo = verdeTavolo;
    s.testo.visible = s.CopyRight.visible = s.Shape1.visible = false;
    s.Logo.posto.moveTo(largoarea - misuraLogo.width() - logoSulTavoloDaDestra, logoSulTavoloSopra);
    s.sitoSfondo = verdeTavolo;
    s.sitoTesto = Qt::white;
    s.sito.posto.moveTo(s.Logo.posto.left() - (s.sito.posto.width() - s.Logo.posto.width()) / 2,
                        s.Logo.posto.bottom() + sitoSottoIlLogo);
    return s;
}

} // namespace schermate

} // namespace trelva
