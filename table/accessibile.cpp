#include "accessibile.h"

#include <QAccessibleWidget>
#include <array>

#include "carte.h"
#include "descrizione.h"
#include "superficie.h"
#include "tavolo.h"

namespace trelva {

namespace accessibile {

int indiceDi(Posto p)
{
    return p.riga == rigaMazzetto ? mazzetto : (p.riga - 1) * colonneTavolo + p.colonna - 1;
}

namespace {

Posto postoDi(int indice)
{
    if (indice == mazzetto)
        return Fuoco::mazzetto;
    return {indice / colonneTavolo + 1, indice % colonneTavolo + 1};
}

class TavoloAccessibile final : public QAccessibleWidget {
public:
    explicit TavoloAccessibile(Superficie* s);
    ~TavoloAccessibile() override;

    Superficie* superficie() const { return static_cast<Superficie*>(widget()); }
    QString nome(int indice) const;

    QString text(QAccessible::Text t) const override;
    int childCount() const override { return voci + QAccessibleWidget::childCount(); }
    QAccessibleInterface* child(int indice) const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    void avvisa(int indice, QAccessible::Event evento) const;
    void fuocoMosso();
    void tavoloCambiato();

    mutable std::array<QAccessible::Id, voci> id_{};
    QString mano_, fine_, fuoco_;
    int postoFuoco_ = 0;
    QMetaObject::Connection segueFuoco_, segueTavolo_;
};

// A place, the card in hand or the end of the game: drawn on the table, so
// with no widget of its own.
class Voce final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    Voce(TavoloAccessibile* tavolo, int indice)
        : tavolo_(tavolo)
        , indice_(indice)
    {
    }

    bool isValid() const override { return tavolo_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return tavolo_->window(); }
    QAccessibleInterface* parent() const override { return tavolo_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override { }

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? tavolo_->nome(indice_) : QString();
    }

    QAccessible::Role role() const override
    {
        // A notification is spoken when it shows: the new card in hand, the end.
        return indice_ <= mazzetto ? QAccessible::Button : QAccessible::Notification;
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        Superficie* sup = tavolo_->superficie();
        if (indice_ <= mazzetto) {
            s.focusable = true;
            s.focused = sup->hasFocus() && accessibile::indiceDi(sup->fuoco().posto()) == indice_;
        }
        s.invisible = tavolo_->nome(indice_).isEmpty();
        return s;
    }

    QRect rect() const override
    {
        Superficie* sup = tavolo_->superficie();
        const Tavolo& t = sup->tavolo();
        QRectF unita;
        if (indice_ <= mazzetto)
            unita = Fuoco::riquadro(t.geometria, postoDi(indice_));
        else if (indice_ == mano)
            unita = QRectF(t.geometria.temporaneo().x, t.geometria.temporaneo().y, t.geometria.larghezza,
                           t.geometria.altezza);
        else
            unita = Superficie::postoEtichettaFine(t.immagini.lblSorry, tavolo_->nome(indice_));
        const QRect r = sup->unitaInPixel().mapRect(unita).toAlignedRect();
        return QRect(sup->mapToGlobal(r.topLeft()), r.size());
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::ActionInterface && indice_ <= mazzetto)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& azione) override
    {
        if (azione == pressAction())
            tavolo_->superficie()->premi(postoDi(indice_));
    }

private:
    TavoloAccessibile* tavolo_;
    int indice_;
};

TavoloAccessibile::TavoloAccessibile(Superficie* s)
    : QAccessibleWidget(s, QAccessible::Pane)
{
    segueFuoco_ = QObject::connect(s, &Superficie::fuocoCambiato, s, [this] { fuocoMosso(); });
    segueTavolo_ = QObject::connect(s, &Superficie::tavoloCambiato, s, [this] { tavoloCambiato(); });
    postoFuoco_ = indiceDi(s->fuoco().posto());
    fuoco_ = nome(postoFuoco_);
    mano_ = nome(mano);
    fine_ = nome(fine);
}

TavoloAccessibile::~TavoloAccessibile()
{
    QObject::disconnect(segueFuoco_);
    QObject::disconnect(segueTavolo_);
    for (QAccessible::Id id : id_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
}

QString TavoloAccessibile::nome(int indice) const
{
    const Tavolo& t = superficie()->tavolo();
    if (indice <= mazzetto)
        return QString::fromStdString(descriviPosto(t, postoDi(indice)));
    if (indice == mano)
        return QString::fromStdString(descriviInMano(t));
    switch (t.esito()) {
    case Esito::Sorry:
        return Superficie::testoSorry();
    case Esito::Congratulation:
        return Superficie::testoCongratulation();
    case Esito::Nessuno:
        break;
    }
    return {};
}

QString TavoloAccessibile::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? QStringLiteral("Table") : QAccessibleWidget::text(t);
}

QAccessibleInterface* TavoloAccessibile::child(int indice) const
{
    if (indice < 0)
        return nullptr;
    if (indice >= voci)
        return QAccessibleWidget::child(indice - voci);
    if (!id_[indice])
        id_[indice] = QAccessible::registerAccessibleInterface(
            new Voce(const_cast<TavoloAccessibile*>(this), indice));
    return QAccessible::accessibleInterface(id_[indice]);
}

int TavoloAccessibile::indexOfChild(const QAccessibleInterface* figlio) const
{
    for (int i = 0; i < voci; ++i)
        if (id_[i] && QAccessible::accessibleInterface(id_[i]) == figlio)
            return i;
    const int widget = QAccessibleWidget::indexOfChild(figlio);
    return widget < 0 ? -1 : voci + widget;
}

QAccessibleInterface* TavoloAccessibile::focusChild() const
{
    if (!superficie()->hasFocus())
        return QAccessibleWidget::focusChild();
    return child(indiceDi(superficie()->fuoco().posto()));
}

QAccessibleInterface* TavoloAccessibile::childAt(int x, int y) const
{
    if (QAccessibleInterface* pannello = QAccessibleWidget::childAt(x, y))
        return pannello;
    for (int i = 0; i <= mazzetto; ++i)
        if (child(i)->rect().contains(x, y))
            return child(i);
    return nullptr;
}

void TavoloAccessibile::avvisa(int indice, QAccessible::Event evento) const
{
    QAccessibleEvent e(superficie(), evento);
    e.setChild(indice);
    QAccessible::updateAccessibility(&e);
}

void TavoloAccessibile::fuocoMosso()
{
    postoFuoco_ = indiceDi(superficie()->fuoco().posto());
    fuoco_ = nome(postoFuoco_);
    if (superficie()->hasFocus())
        avvisa(postoFuoco_, QAccessible::Focus);
}

void TavoloAccessibile::tavoloCambiato()
{
    // A sliding card passes over places it does not stay on: only where the
    // cards come to rest is told.
    if (superficie()->tavolo().passo() != 0)
        return;
    const QString fuocoOra = nome(postoFuoco_);
    if (fuocoOra != fuoco_) {
        fuoco_ = fuocoOra;
        avvisa(postoFuoco_, QAccessible::NameChanged);
    }
    // Shown again with every new card, so that it is said again.
    const QString manoOra = nome(mano);
    if (manoOra != mano_) {
        mano_ = manoOra;
        avvisa(mano, QAccessible::NameChanged);
        if (cartaInMano(superficie()->tavolo()))
            avvisa(mano, QAccessible::ObjectShow);
    }
    const QString fineOra = nome(fine);
    if (fineOra != fine_) {
        fine_ = fineOra;
        avvisa(fine, fine_.isEmpty() ? QAccessible::ObjectHide : QAccessible::ObjectShow);
    }
}

QAccessibleInterface* fabbrica(const QString& classe, QObject* oggetto)
{
    // Asked once per class up the hierarchy: answer for the surface's own.
    if (classe == QLatin1String(Superficie::staticMetaObject.className()))
        if (auto* s = qobject_cast<Superficie*>(oggetto))
            return new TavoloAccessibile(s);
    return nullptr;
}

} // namespace

void installa()
{
    static const bool fatto = [] {
        QAccessible::installFactory(fabbrica);
        return true;
    }();
    (void)fatto;
}

} // namespace accessibile

} // namespace trelva
