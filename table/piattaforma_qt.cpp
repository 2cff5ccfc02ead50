#include "piattaforma_qt.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <chrono>
#include <utility>

#include "superficie.h"

namespace trelva {

void PiattaformaQt::collega(Superficie* superficie)
{
    superficie_ = superficie;
}

void PiattaformaQt::esegui(QEventLoop& ciclo)
{
    // A wait may begin inside the delivery of a posted event (New Game is a
    // queued call; so is start-up). Events posted before it, such as the
    // window's pending repaint, are then looked at again only once something
    // new is posted: without this wake a new deal stayed unpainted until the
    // player's next click.
    if (QAbstractEventDispatcher* smistatore = QAbstractEventDispatcher::instance())
        smistatore->wakeUp();
    QEventLoop* prima = std::exchange(ciclo_, &ciclo);
    ciclo.exec();
    ciclo_ = prima;
}

void PiattaformaQt::attendi()
{
    if (!svegliata_ && !chiusa_) {
        QEventLoop ciclo;
        esegui(ciclo);
    }
    svegliata_ = false;
}

void PiattaformaQt::cediPasso(int passo)
{
    if (passo == 1)
        mossa_.start();
    const qint64 mancano = passo * nsPerPasso - mossa_.nsecsElapsed();
    if (mancano > 0)
        dormi(int((mancano + 999'999) / 1'000'000));
    else if (!chiusa_)
        // behind schedule: still let events run once
        QCoreApplication::processEvents();
}

void PiattaformaQt::dormi(int ms)
{
    if (chiusa_)
        return;
    QEventLoop ciclo;
    QTimer sveglia;
    sveglia.setTimerType(Qt::PreciseTimer);
    sveglia.setSingleShot(true);
    QObject::connect(&sveglia, &QTimer::timeout, &ciclo, &QEventLoop::quit);
    sveglia.start(ms);
    esegui(ciclo);
}

void PiattaformaQt::sveglia()
{
    svegliata_ = true;
    interrompiSonno();
}

void PiattaformaQt::interrompiSonno()
{
    if (ciclo_)
        ciclo_->quit();
}

void PiattaformaQt::chiudi()
{
    chiusa_ = true;
    sveglia();
}

std::uint64_t PiattaformaQt::seme()
{
    // Nanoseconds, so two quick new games never share a deal.
    return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()) ^ std::uint64_t(std::chrono::system_clock::now().time_since_epoch().count());
}

void PiattaformaQt::ridisegna()
{
    superficie_->richiediRidisegno();
}

} // namespace trelva
