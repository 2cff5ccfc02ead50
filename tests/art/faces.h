// The card pictures as the table loads them from the resources, rendered for
// the art tests, and the ways those tests look at them: ink against the
// stock, the separate shapes a player sees.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <vector>

namespace art {

constexpr int cardW = 68, cardH = 110;
enum Suit { Coins = 1,
            Cups,
            Batons,
            Swords };

// Card 1..40, or the back as card 0.
QString resourceOf(int card);
QImage render(const QString& resource, QSizeF size, double scale);
// Card 0..40 at 1, 2 or 3 times its design size, rendered once and shared.
const QImage& face(int card, int scale);
// The part of `image` covering a rectangle given in design units.
QImage crop(const QImage& image, QRectF r, int scale);

int distance(QRgb p, int r, int g, int b);
// Drawing: opaque and clearly unlike the warm cream of the card stock.
bool isInk(QRgb p);

template <typename Test>
double share(const QImage& image, Test test)
{
    qint64 n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixel(x, y));
    return image.isNull() ? 0 : double(n) / (image.width() * image.height());
}
double inkShare(const QImage& image);

// The index stands in the top-left corner only, in design units.
const QRectF indexBox(0, 0, 15, 25);

struct Shape {
    QRect box;
    std::vector<QPoint> pixels;
};

// The 8-connected groups of the pixels of a w x h picture for which `in`
// holds, of `least` pixels or more.
std::vector<Shape> groups(int w, int h, const std::function<bool(int, int)>& in, size_t least);

// The separate drawn shapes of a face, inside its border line and away from
// the corner index: 8-connected groups of 30 ink pixels or more.
std::vector<Shape> shapes(const QImage& image, int scale);

} // namespace art
