// The broad pen's filled outline against what it stands for: the same centre
// lines drawn many times along the nib with a round line. Drawn large, the
// two must ink the same pixels; a hole left by the fill rule, an end rounded
// on the wrong side or a missing flat of the nib shows up as pixels deep inside
// one that the other leaves bare. (Edge pixels are let be: the many passes
// darken their own smoothed edges where they overlap.)
#include "broadpen.h"

#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

using namespace cardart;

constexpr int width = 240, height = 110, scale = 3;

QImage draw(const Path& path, const Style& style)
{
    Svg svg(width, height);
    svg.path(path, style);
    QSvgRenderer renderer(QByteArray::fromStdString(svg.finish()));
    QImage image(QSize(width, height) * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return image.convertToFormat(QImage::Format_Alpha8);
}

// Fully inked here and all round.
bool deepIn(const QImage& image, int x, int y)
{
    for (int j = y - 1; j <= y + 1; ++j)
        for (int i = x - 1; i <= x + 1; ++i)
            if (image.constScanLine(j)[i] != 255)
                return false;
    return true;
}

} // namespace

TEST(BroadPen, FillsWhatTheNibCoversAlongEveryKindOfLine)
{
    // every glyph shape: straight strokes, corners, tight and open curves and
    // closed loops
    Lettering style;
    style.size = 30;
    style.slant = 0.16;
    const std::vector<std::pair<std::string, Pt>> lines{
        {"La Trelva", {12, 8}}, {"Dorvinex", {130, 8}}, {"0123456789", {12, 62}}};
    for (const Pt nib : {polar(2.6, 52), polar(3.4, -35), polar(1.5, 90)}) {
        for (const double radius : {0.95, 2.15}) {
            SCOPED_TRACE(testing::Message() << nib.x << "," << nib.y << " r " << radius);
            Path outlines, passes;
            for (const auto& [text, at] : lines) {
                outlines.append(broadPen(strokes(text, at, style), nib, radius));
                for (int i = -12; i <= 12; ++i)
                    passes.append(letters(text, at + nib * (i / 12.0), style));
            }
            const QImage filled = draw(outlines, fill("#000"));
            const QImage stroked = draw(passes, stroke("#000", 2 * radius));
            int inked = 0, holes = 0, spills = 0;
            for (int y = 1; y + 1 < filled.height(); ++y) {
                for (int x = 1; x + 1 < filled.width(); ++x) {
                    inked += deepIn(stroked, x, y);
                    holes += deepIn(stroked, x, y) && filled.constScanLine(y)[x] == 0;
                    spills += deepIn(filled, x, y) && stroked.constScanLine(y)[x] == 0;
                }
            }
            EXPECT_GT(inked, 10000);
            EXPECT_EQ(holes, 0);
            EXPECT_EQ(spills, 0);
        }
    }
}
