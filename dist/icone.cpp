// Draws the game's SVG icon at the PNG sizes of the hicolor icon theme, at
// build time, so that the PNGs can never drift from the picture.
//   trelva-icone <icon.svg> <output folder> <size>...
// writes <output folder>/<size>x<size>/apps/latrelva.png for every size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fputs("usage: trelva-icone <icon.svg> <output folder> <size>...\n", stderr);
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "trelva-icone: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir uscita(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const int lato = QByteArray(argv[i]).toInt();
        if (lato <= 0) {
            std::fprintf(stderr, "trelva-icone: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
        immagine.fill(Qt::transparent);
        QPainter pittore(&immagine);
        pittore.setRenderHint(QPainter::Antialiasing);
        svg.render(&pittore);
        pittore.end();
        const QString cartella = QStringLiteral("%1x%1/apps").arg(lato);
        if (!uscita.mkpath(cartella) || !immagine.save(uscita.filePath(cartella + QStringLiteral("/latrelva.png")))) {
            std::fprintf(stderr, "trelva-icone: cannot write the %d pixel icon\n", lato);
            return 1;
        }
    }
    return 0;
}
