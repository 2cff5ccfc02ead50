#include "velocita.h"

#include "filevelocita.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace trelva {

namespace {
QString inCartella(const QString& cartella)
{
    return QDir(cartella).filePath(QStringLiteral("Speed.dvx"));
}
} // namespace

Velocita::Velocita(PostoRitmo posto, std::function<void(int)> impostaPassi, QObject* parent)
    : QObject(parent)
    , posto_(std::move(posto))
    , impostaPassi_(std::move(impostaPassi))
{
}

QString Velocita::titoloMenu()
{
    return QStringLiteral("&Play rate");
}

const QStringList& Velocita::didascalie()
{
    static const QStringList voci{QStringLiteral("Low"), QStringLiteral("Middle"),
                                  QStringLiteral("High")};
    return voci;
}

void Velocita::avvio()
{
    ritmo_ = 0;
    // Only a regular file is opened: a FIFO or a device under this name would
    // block the open or never end, and start-up must not wait on it.
    for (const QString& cartella : posto_.letture) {
        const QFileInfo info(inCartella(cartella));
        if (!info.isFile())
            continue;
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray inizio = file.read(filevelocita::byteDaLeggere);
            ritmo_ = filevelocita::leggiRitmo(std::string_view(inizio.constData(),
                                                               std::size_t(inizio.size())));
        }
        break;
    }
    if (!valido(ritmo_))
        return; // no check, passi stays unset
    spunta(ritmo_);
    imposta(ritmo_);
}

void Velocita::velocita_Click(int index)
{
    // The menu only has entries 1 to 3; anything else is not a choice.
    if (!valido(index))
        return;
    spunta(index);
    imposta(index);
    // a failure is not reported: the rate already holds
    scrivi(index);
}

void Velocita::spunta(int indice)
{
    spuntata_ = indice;
    emit spuntaCambiata(indice);
}

void Velocita::imposta(int indice)
{
    passi_ = ritmi[std::size_t(indice - 1)];
    if (impostaPassi_)
        impostaPassi_(passi_);
}

bool Velocita::scrivi(int indice) const
{
    if (posto_.scrittura.isEmpty())
        return false;
    // Through links to a regular file (configuration is often kept under
    // links) the file they lead to is updated. Anything else found under the
    // name, a device, a FIFO, a folder, a broken link, is never replaced.
    const QFileInfo trovato(inCartella(posto_.scrittura));
    if ((trovato.exists() || trovato.isSymLink()) && !trovato.isFile())
        return false;
    if (!QDir().mkpath(posto_.scrittura))
        return false;
    // Written beside and renamed over the old file, so a crash or a full disk
    // in the middle leaves the last stored rate instead of an empty file.
    QSaveFile file(trovato.filePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const std::string riga = filevelocita::rigaRitmo(indice);
    // write() only fills Qt's buffer, and commit() does not look at errors
    // that surface when that buffer reaches the disk: a short write there
    // would be renamed over the good file. Flushing first brings them out.
    if (file.write(riga.data(), qint64(riga.size())) != qint64(riga.size()) || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace trelva
