#include "pictures.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

#include <gtest/gtest.h>

#include <cstdlib>

namespace arttest {

namespace {

// The pictures are drawn with a QPainter, which wants a GUI application
// (offscreen is enough: no display is needed).
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "trelva-art-tests";
        static char *argv[] = {name, nullptr};
        app_ = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QGuiApplication *app_ = nullptr;
};

[[maybe_unused]] auto *const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

QString faceResource(int card)
{
    return QStringLiteral(":/art/carta%1.svg").arg(card, 2, 10, QLatin1Char('0'));
}

QImage render(const QString &resource, QSizeF size, double scale)
{
    QImage image((size * scale).toSize(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        return {};
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

QImage renderCard(int card, double scale)
{
    return render(faceResource(card), QSizeF(cardW, cardH), scale);
}

static QRect pixelRect(QRectF designRect, double scale)
{
    const int left = qRound(designRect.left() * scale), right = qRound(designRect.right() * scale);
    const int top = qRound(designRect.top() * scale), bottom = qRound(designRect.bottom() * scale);
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QImage crop(const QImage &image, QRectF designRect, double scale)
{
    return image.copy(pixelRect(designRect, scale));
}

QImage cropTurned(const QImage &image, QRectF designRect, double scale)
{
    const QRect r = pixelRect(designRect, scale);
    const QRect turned(image.width() - 1 - r.right(), image.height() - 1 - r.bottom(), r.width(), r.height());
    return image.copy(turned).mirrored(true, true);
}

static int channelDiff(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

int maxDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 255;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            worst = std::max(worst, channelDiff(a.pixel(x, y), b.pixel(x, y)));
    return worst;
}

double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.isNull())
        return 255;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += channelDiff(a.pixel(x, y), b.pixel(x, y));
    return sum / (a.width() * a.height());
}

bool isInk(QRgb pixel)
{
    // the card stock is a warm cream, about (247, 239, 217)
    if (qAlpha(pixel) < 200)
        return false;
    const int d = std::abs(qRed(pixel) - 247) + std::abs(qGreen(pixel) - 239) + std::abs(qBlue(pixel) - 217);
    return d > 40;
}

double inkShare(const QImage &image)
{
    if (image.isNull())
        return 0;
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ink += isInk(image.pixel(x, y));
    return double(ink) / (image.width() * image.height());
}

} // namespace arttest
