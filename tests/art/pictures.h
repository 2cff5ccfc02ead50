// Helpers for looking at the pictures the way the table shows them: loaded
// from the resources and drawn from their vectors at a given scale.
#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

namespace arttest {

inline constexpr int cardW = 68;
inline constexpr int cardH = 110;

QString faceResource(int card);
// Renders a resource to an image of `size` design pixels times `scale`.
QImage render(const QString &resource, QSizeF size, double scale);
QImage renderCard(int card, double scale);

// The part of `image` covering a rectangle given in design units.
QImage crop(const QImage &image, QRectF designRect, double scale);
// The same rectangle taken from the card turned upside down.
QImage cropTurned(const QImage &image, QRectF designRect, double scale);

// The largest per-channel difference between two images of one size.
int maxDifference(const QImage &a, const QImage &b);
// The mean per-channel difference.
double meanDifference(const QImage &a, const QImage &b);

// Pixels that carry drawing: opaque and clearly unlike the card stock.
bool isInk(QRgb pixel);
double inkShare(const QImage &image);

} // namespace arttest
