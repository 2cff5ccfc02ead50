// Renders every picture of the deck onto one PNG for review: the forty faces
// in four rows of ten, then the back, the logo, the title and the icon.
// Usage: trelva-contactsheet OUTPUT.png SCALE [grey]
// The pictures are drawn from their vectors at the given scale, as a HiDPI
// screen would show them, never scaled up from a small bitmap. "grey" turns
// the sheet to greyscale, to check that the suits differ by shape alone.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

namespace {

constexpr int cardW = 68, cardH = 110, gap = 8, margin = 12;

bool draw(QPainter& painter, const QString& resource, QRectF box)
{
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return false;
    renderer.render(&painter, box);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    bool scaleOk = false;
    const double scale = args.size() >= 3 ? args[2].toDouble(&scaleOk) : 0;
    if (args.size() < 3 || !scaleOk || scale <= 0 || scale > 8) {
        std::fprintf(stderr, "usage: trelva-contactsheet OUTPUT.png SCALE [grey]\n");
        return 2;
    }
    const bool grey = args.size() >= 4 && args[3] == "grey";

    const int columns = 10;
    const int width = margin * 2 + columns * cardW + (columns - 1) * gap;
    const int height = margin * 2 + 5 * cardH + 4 * gap;
    QImage sheet(QSize(width, height) * scale, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(0x0f, 0x4d, 0x1f));

    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    bool ok = true;
    for (int card = 1; card <= 40; ++card) {
        const int column = (card - 1) % 10, row = (card - 1) / 10;
        const QRectF box(margin + column * (cardW + gap), margin + row * (cardH + gap), cardW, cardH);
        ok = draw(painter, QStringLiteral(":/art/carta%1.svg").arg(card, 2, 10, QLatin1Char('0')), box) && ok;
    }
    const double y = margin + 4 * (cardH + gap);
    double x = margin;
    ok = draw(painter, ":/art/dorso.svg", QRectF(x, y, cardW, cardH)) && ok;
    x += cardW + gap;
    // the title on white, as the title screen shows it
    const QRectF light(x, y, 309 + 2 * gap, cardH);
    painter.fillRect(light, Qt::white);
    ok = draw(painter, ":/art/testo.svg", QRectF(x + gap, y + (cardH - 90) / 2.0, 309, 90)) && ok;
    x += light.width() + gap;
    // the logo on white (title screen) and on the table's green
    painter.fillRect(QRectF(x, y, 120 + 2 * gap, 39 + 2 * gap), Qt::white);
    ok = draw(painter, ":/art/logo.svg", QRectF(x + gap, y + gap, 120, 39)) && ok;
    ok = draw(painter, ":/art/logo.svg", QRectF(x + gap, y + 39 + 3 * gap, 120, 39)) && ok;
    x += 120 + 3 * gap;
    // the icon at its usual sizes
    ok = draw(painter, ":/art/icona.svg", QRectF(x, y, 64, 64)) && ok;
    ok = draw(painter, ":/art/icona.svg", QRectF(x, y + 72, 32, 32)) && ok;
    ok = draw(painter, ":/art/icona.svg", QRectF(x + 40, y + 72, 16, 16)) && ok;
    painter.end();

    if (grey)
        sheet = sheet.convertToFormat(QImage::Format_Grayscale8);
    if (!sheet.save(args[1])) {
        std::fprintf(stderr, "trelva-contactsheet: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    if (!ok) {
        std::fprintf(stderr, "trelva-contactsheet: some pictures are missing or invalid\n");
        return 1;
    }
    return 0;
}
