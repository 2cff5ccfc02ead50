#include "faces.h"

#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace art {

QString resourceOf(int card)
{
    return card ? QStringLiteral(":/art/carta%1.svg").arg(card, 2, 10, QLatin1Char('0')) : ":/art/dorso.svg";
}

QImage render(const QString& resource, QSizeF size, double scale)
{
    QSvgRenderer renderer(resource);
    QImage image((size * scale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

const QImage& face(int card, int scale)
{
    static std::array<std::array<QImage, 41>, 4> cache;
    QImage& image = cache[size_t(scale)][size_t(card)];
    if (image.isNull())
        image = render(resourceOf(card), QSizeF(cardW, cardH), scale);
    return image;
}

QImage crop(const QImage& image, QRectF r, int scale)
{
    return image.copy(QRect(QPoint(qRound(r.left() * scale), qRound(r.top() * scale)),
                            QPoint(qRound(r.right() * scale) - 1, qRound(r.bottom() * scale) - 1)));
}

int distance(QRgb p, int r, int g, int b)
{
    return std::abs(qRed(p) - r) + std::abs(qGreen(p) - g) + std::abs(qBlue(p) - b);
}

bool isInk(QRgb p)
{
    return qAlpha(p) >= 200 && distance(p, 247, 239, 217) > 40;
}

double inkShare(const QImage& image)
{
    return share(image, isInk);
}

std::vector<Shape> groups(int w, int h, const std::function<bool(int, int)>& in, size_t least)
{
    std::vector<char> seen(size_t(w * h), 0);
    std::vector<Shape> found;
    for (int start = 0; start < w * h; ++start) {
        if (seen[size_t(start)] || !in(start % w, start / w))
            continue;
        Shape shape;
        std::vector<int> todo{start};
        seen[size_t(start)] = 1;
        while (!todo.empty()) {
            const int x = todo.back() % w, y = todo.back() / w;
            todo.pop_back();
            shape.box |= QRect(x, y, 1, 1);
            shape.pixels.push_back({x, y});
            for (int ny = std::max(0, y - 1); ny <= std::min(h - 1, y + 1); ++ny)
                for (int nx = std::max(0, x - 1); nx <= std::min(w - 1, x + 1); ++nx)
                    if (!seen[size_t(ny * w + nx)] && in(nx, ny)) {
                        seen[size_t(ny * w + nx)] = 1;
                        todo.push_back(ny * w + nx);
                    }
        }
        if (shape.pixels.size() >= least)
            found.push_back(std::move(shape));
    }
    return found;
}

std::vector<Shape> shapes(const QImage& image, int scale)
{
    const int w = image.width(), h = image.height();
    return groups(
        w, h, [&](int x, int y) {
            const QPointF p(double(x) / scale, double(y) / scale);
            return x >= 2 * scale && y >= 2 * scale && x < w - 2 * scale && y < h - 2 * scale
                && !indexBox.contains(p) && isInk(image.pixel(x, y));
        },
        30);
}

} // namespace art
