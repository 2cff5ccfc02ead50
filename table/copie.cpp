#include "copie.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>

#include <cstring>

namespace trelva {

namespace copie {
namespace {

// Premultiplied 32-bit pixels in this machine's byte order, row after row,
// after a header that says so.
constexpr char intestazione[8] = {'T', 'R', 'E', 'L', 'V', 'A', Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? 'L' : 'B', '1'};
constexpr qsizetype lunghezzaIntestazione = sizeof(intestazione) + 2 * sizeof(quint32);

QString percorso(const QString& cartella, const QByteArray& vettore, QSize pixel)
{
    const QByteArray impronta = QCryptographicHash::hash(vettore, QCryptographicHash::Sha256).toHex().left(32);
    return QDir(cartella).filePath(QStringLiteral("%1-%2x%3.argb")
                                       .arg(QString::fromLatin1(impronta))
                                       .arg(pixel.width())
                                       .arg(pixel.height()));
}

} // namespace

QImage leggi(const QString& cartella, const QByteArray& vettore, QSize pixel)
{
    if (cartella.isEmpty() || pixel.isEmpty())
        return {};
    QFile file(percorso(cartella, vettore, pixel));
    const qsizetype lunghezza = lunghezzaIntestazione + qsizetype(pixel.width()) * pixel.height() * 4;
    if (!file.open(QIODevice::ReadOnly) || file.size() != lunghezza)
        return {};
    const QByteArray byte = file.readAll();
    if (byte.size() != lunghezza || std::memcmp(byte.constData(), intestazione, sizeof(intestazione)) != 0)
        return {};
    const uchar* dimensioni = reinterpret_cast<const uchar*>(byte.constData()) + sizeof(intestazione);
    if (qFromLittleEndian<quint32>(dimensioni) != quint32(pixel.width())
        || qFromLittleEndian<quint32>(dimensioni + 4) != quint32(pixel.height()))
        return {};
    QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
    const char* righe = byte.constData() + lunghezzaIntestazione;
    for (int y = 0; y < pixel.height(); ++y)
        std::memcpy(immagine.scanLine(y), righe + qsizetype(y) * pixel.width() * 4, size_t(pixel.width()) * 4);
    return immagine;
}

void conserva(const QString& cartella, const QByteArray& vettore, const QImage& immagine)
{
    if (cartella.isEmpty() || immagine.isNull() || !QDir().mkpath(cartella))
        return;
    const QImage pixel = immagine.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // Written whole or not at all: another copy of the game may be reading it.
    QSaveFile file(percorso(cartella, vettore, pixel.size()));
    if (!file.open(QIODevice::WriteOnly))
        return;
    uchar dimensioni[2 * sizeof(quint32)];
    qToLittleEndian<quint32>(quint32(pixel.width()), dimensioni);
    qToLittleEndian<quint32>(quint32(pixel.height()), dimensioni + 4);
    file.write(intestazione, sizeof(intestazione));
    file.write(reinterpret_cast<const char*>(dimensioni), sizeof(dimensioni));
    for (int y = 0; y < pixel.height(); ++y)
        file.write(reinterpret_cast<const char*>(pixel.constScanLine(y)), qsizetype(pixel.width()) * 4);
    file.commit();
}

} // namespace copie

} // namespace trelva
