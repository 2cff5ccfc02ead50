#include "musica.h"

#include "mmc1.h"

#include <QDir>

namespace trelva {

Musica::Musica(music::MMC1& mmc, const QString& cartella, QObject* parent)
    : QObject(parent)
    , mmc_(mmc)
    , cartella_(cartella)
{
    connect(&mmc_, &music::MMC1::Done, this, &Musica::MMC1_Done);
}

const QStringList& Musica::canzoni()
{
    static const QStringList captions{
        QStringLiteral("No Music"),
        QStringLiteral("O' surdat nnammurat"),
        QStringLiteral("Ie te vurria vasa'"),
        QStringLiteral("E duje paravise"),
        QStringLiteral("Anema e core"),
        QStringLiteral("Guapparia"),
    };
    return captions;
}

QString Musica::percorso(int indice, const QString& estensione) const
{
    return QDir(cartella_).filePath(canzoni().at(indice) + estensione);
}

void Musica::avvio()
{
    mmc_.setNotify(true);
    mmc_.setFileName(percorso(1, QStringLiteral(".mid")));
    mmc_.setCommand(QStringLiteral("Open"));
    mmc_.setCommand(QStringLiteral("play"));
    spunta(1);
}

void Musica::canzoni_Click(int index)
{
    if (index < 0 || index >= canzoni().size())
        return;
    mmc_.setCommand(QStringLiteral("close"));
    if (index == 0) {
        spunta(0); // the device stays closed
        return;
    }
    spunta(index);
    mmc_.setFileName(percorso(index, QStringLiteral(".MID")));
    mmc_.setCommand(QStringLiteral("open"));
    mmc_.setFrom(0);
    mmc_.setCommand(QStringLiteral("play"));
}

// A song that has played to its end starts again from its beginning.
void Musica::MMC1_Done(int)
{
    if (mmc_.position() == mmc_.length()) {
        mmc_.setFrom(0);
        mmc_.setCommand(QStringLiteral("Play"));
    }
}

void Musica::spunta(int indice)
{
    spunta_ = indice;
    emit spuntaCambiata(indice);
}

} // namespace trelva
