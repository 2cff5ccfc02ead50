// The forty faces: each drawn, each different, and each in its place in
// card-number order (coins 1-10, cups 11-20, batons 21-30, swords 31-40),
// which is all the game relies on.
#include "pictures.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <queue>

using namespace arttest;

namespace {

enum Suit { Coins = 1, Cups, Batons, Swords };
int suitOf(int card) { return (card - 1) / 10 + 1; }
int valueOf(int card) { return (card - 1) % 10 + 1; }
const char *const suitNames[] = {"", "coins", "cups", "batons", "swords"};

// Where the corner index sits, in design units: the figure above the sign.
const QRectF figureBox(2.2, 2.5, 10.8, 10.2);
const QRectF signBox(2.2, 13.2, 10.8, 10.5);

// The faces are rendered once per scale and shared by all tests.
const QImage &face(int card, int scale)
{
    static std::array<std::array<QImage, 41>, 4> cache;
    QImage &image = cache[size_t(scale)][size_t(card)];
    if (image.isNull())
        image = renderCard(card, scale);
    return image;
}

struct Blob {
    QRect box;
    int pixels = 0;
};

// Separate drawn shapes in the picture area (outside the corner indices),
// found as 8-connected groups of ink pixels.
std::vector<Blob> blobs(const QImage &image, int scale)
{
    const int w = image.width(), h = image.height();
    auto inIndex = [&](int x, int y) {
        const QPointF p(double(x) / scale, double(y) / scale);
        return QRectF(0, 0, 15, 25).contains(p) || QRectF(cardW - 15, cardH - 25, 15, 25).contains(p);
    };
    auto edge = [&](int x, int y) {  // the card's own border line
        return x < 2 * scale || y < 2 * scale || x >= w - 2 * scale || y >= h - 2 * scale;
    };
    std::vector<char> seen(size_t(w * h), 0);
    std::vector<Blob> found;
    for (int y0 = 0; y0 < h; ++y0) {
        for (int x0 = 0; x0 < w; ++x0) {
            if (seen[size_t(y0 * w + x0)] || edge(x0, y0) || inIndex(x0, y0) || !isInk(image.pixel(x0, y0)))
                continue;
            Blob blob;
            std::queue<QPoint> todo;
            todo.push({x0, y0});
            seen[size_t(y0 * w + x0)] = 1;
            while (!todo.empty()) {
                const QPoint p = todo.front();
                todo.pop();
                blob.box |= QRect(p, QSize(1, 1));
                ++blob.pixels;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = p.x() + dx, y = p.y() + dy;
                        if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y * w + x)])
                            continue;
                        if (edge(x, y) || inIndex(x, y) || !isInk(image.pixel(x, y)))
                            continue;
                        seen[size_t(y * w + x)] = 1;
                        todo.push({x, y});
                    }
            }
            if (blob.pixels >= 30)
                found.push_back(blob);
        }
    }
    return found;
}

// Share of the ink that is blue-grey steel rather than gold, wood or cloth.
double steelShare(const QImage &image)
{
    qint64 ink = 0, steel = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (!isInk(p))
                continue;
            ++ink;
            steel += qBlue(p) - qRed(p) > 12;
        }
    return ink ? double(steel) / ink : 0;
}

// Reads a pip card the way a player does: separate round pips are coins,
// separate tall ones cups; long signs that run slanted or curved across the
// card are swords when they are steel and batons when they are wood. (Where
// batons and swords cross, a rim of stock parts them, so they cannot be told
// by touching.)
int readSuit(const QImage &image, int scale, int value)
{
    const std::vector<Blob> found = blobs(image, scale);
    int round = 0, tall = 0, longSlanted = 0;
    for (const Blob &b : found) {
        const double aspect = double(b.box.height()) / b.box.width();
        round += aspect > 0.85 && aspect < 1.15;
        tall += aspect > 1.3;
        longSlanted += b.box.height() > 0.6 * cardH * scale && b.box.width() > 0.25 * cardW * scale;
    }
    if (int(found.size()) == value && round == value)
        return Coins;
    if (int(found.size()) == value && tall == value)
        return Cups;
    if (longSlanted > 0)
        return steelShare(image) > 0.15 ? Swords : Batons;
    return 0;
}

double skinShare(const QImage &image)
{
    qint64 skin = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            skin += std::abs(qRed(p) - 0xf3) + std::abs(qGreen(p) - 0xd2) + std::abs(qBlue(p) - 0xb0) < 20;
        }
    return double(skin) / (image.width() * image.height());
}

} // namespace

TEST(ArtFaces, EveryFaceRendersAtDesignSizeAndAtThreeTimes)
{
    for (int card = 1; card <= 40; ++card) {
        SCOPED_TRACE(card);
        const QImage &small = face(card, 1);
        const QImage &large = face(card, 3);
        ASSERT_EQ(small.size(), QSize(cardW, cardH));
        ASSERT_EQ(large.size(), QSize(3 * cardW, 3 * cardH));
        EXPECT_GT(inkShare(small), 0.04);
        EXPECT_LT(inkShare(small), 0.7);
        // the card fills its rectangle except for the rounded corners
        EXPECT_EQ(qAlpha(small.pixel(34, 55)), 255);
        EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);
        // the HiDPI drawing is the same picture, only sharper
        const QImage reduced = large.scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(meanDifference(reduced, small), 12);
    }
}

TEST(ArtFaces, AllFortyAreDistinct)
{
    for (int a = 1; a <= 40; ++a)
        for (int b = a + 1; b <= 40; ++b)
            EXPECT_GT(meanDifference(face(a, 1), face(b, 1)), 2.0) << a << " and " << b;
}

TEST(ArtFaces, CornerFigureGivesTheValue)
{
    for (int value = 1; value <= 10; ++value) {
        const QImage reference = crop(face(value, 3), figureBox, 3);
        EXPECT_GT(inkShare(reference), 0.08) << value;
        for (int suit = 1; suit <= 4; ++suit) {
            const int card = (suit - 1) * 10 + value;
            SCOPED_TRACE(card);
            // the same figure in every suit, and again upside down at the other corner
            EXPECT_LE(maxDifference(crop(face(card, 3), figureBox, 3), reference), 8);
            const QImage other = cropTurned(face(card, 3), figureBox, 3);
            EXPECT_LT(meanDifference(other, reference), 3);
        }
        for (int other = 1; other < value; ++other)
            EXPECT_GT(meanDifference(crop(face(other, 3), figureBox, 3), reference), 10)
                << value << " looks like " << other;
    }
}

TEST(ArtFaces, CornerSignGivesTheSuitInBlocksOfTen)
{
    for (int suit = 1; suit <= 4; ++suit) {
        const QImage reference = crop(face((suit - 1) * 10 + 1, 3), signBox, 3);
        EXPECT_GT(inkShare(reference), 0.1) << suitNames[suit];
        for (int card = (suit - 1) * 10 + 1; card <= suit * 10; ++card) {
            SCOPED_TRACE(card);
            EXPECT_LE(maxDifference(crop(face(card, 3), signBox, 3), reference), 8);
            const QImage other = cropTurned(face(card, 3), signBox, 3);
            EXPECT_LT(meanDifference(other, reference), 3);
        }
        for (int other = 1; other < suit; ++other)
            EXPECT_GT(meanDifference(crop(face((other - 1) * 10 + 1, 3), signBox, 3), reference), 10)
                << suitNames[suit] << " looks like " << suitNames[other];
    }
}

TEST(ArtFaces, PipCardsShowTheirSuitAndTheirNumberOfPips)
{
    for (int card = 1; card <= 40; ++card) {
        const int value = valueOf(card);
        if (value < 2 || value > 7)
            continue;
        const int read = readSuit(face(card, 3), 3, value);
        EXPECT_EQ(read, suitOf(card)) << "card " << card << " reads as " << suitNames[read] << " with "
                                      << blobs(face(card, 3), 3).size() << " shapes";
    }
}

TEST(ArtFaces, AcesShowOneLargeSign)
{
    for (int suit = 1; suit <= 4; ++suit) {
        const int card = (suit - 1) * 10 + 1;
        const std::vector<Blob> found = blobs(face(card, 3), 3);
        ASSERT_FALSE(found.empty()) << card;
        const Blob *largest = &found[0];
        int total = 0;
        for (const Blob &b : found) {
            total += b.pixels;
            if (b.pixels > largest->pixels)
                largest = &b;
        }
        EXPECT_GT(double(largest->pixels) / total, 0.8) << card;
        EXPECT_GT(largest->box.height(), 3 * 45) << card;
    }
}

TEST(ArtFaces, CourtCardsShowFiguresAndPipCardsDoNot)
{
    for (int card = 1; card <= 40; ++card) {
        const double skin = skinShare(face(card, 1));
        // a few edge pixels of pale wood on cream can match a skin tone
        if (valueOf(card) >= 8)
            EXPECT_GT(skin, 0.002) << card;
        else
            EXPECT_LT(skin, 0.001) << card;
    }
}
