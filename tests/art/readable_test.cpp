// What a player reads at real size and what sets one court apart from
// another: corner figures whose digits do not run together, pip signs that
// stand clear of each other, court figures with silhouettes of their own,
// horses that stand out from the stock, and suit grounds that differ in grey.
#include "faces.h"

#include <QColor>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

using namespace art;

int cardOf(int suit, int value)
{
    return (suit - 1) * 10 + value;
}

// Dark groups of the corner figure at real size, left to right, as their
// bounding boxes; light and dark split at the grey a reader's eye does.
std::vector<QRect> digitShapes(const QImage& figure)
{
    std::vector<QRect> found;
    for (const Shape& s : groups(
             figure.width(), figure.height(), [&](int x, int y) { return qGray(figure.pixel(x, y)) < 128; }, 4))
        found.push_back(s.box);
    std::sort(found.begin(), found.end(), [](QRect a, QRect b) { return a.left() < b.left(); });
    return found;
}

// A column of `figure` between x0 and x1 (inclusive) that the eye sees as
// paper from top to bottom: the gap that keeps two digits apart.
bool clearColumn(const QImage& figure, int x0, int x1)
{
    for (int x = x0; x <= x1; ++x) {
        bool clear = true;
        for (int y = 0; y < figure.height(); ++y)
            clear = clear && qGray(figure.pixel(x, y)) >= 150;
        if (clear)
            return true;
    }
    return false;
}

// The longest run of paper down the middle of a digit's box: an open counter.
int counter(const QImage& figure, QRect digit)
{
    int best = 0;
    for (int x = digit.center().x() - 1; x <= digit.center().x() + 1; ++x) {
        int run = 0;
        for (int y = digit.top() + 1; y < digit.bottom(); ++y) {
            run = qGray(figure.pixel(x, y)) >= 150 ? run + 1 : 0;
            best = std::max(best, run);
        }
    }
    return best;
}

} // namespace

// Each digit of the corner figure a shape of its own at 68 x 110, the 10's
// two with paper between them and the 0 open in the middle.
TEST(ArtIndex, DigitsStandApartAtRealSize)
{
    for (int card = 1; card <= 40; ++card) {
        SCOPED_TRACE(card);
        const int value = (card - 1) % 10 + 1;
        const QImage figure = crop(face(card, 1), QRectF(1, 1, 15, 13.5), 1);
        const std::vector<QRect> digits = digitShapes(figure);
        ASSERT_EQ(digits.size(), value == 10 ? 2U : 1U);
        EXPECT_GE(digits.front().height(), 9);
        if (value != 10)
            continue;
        EXPECT_TRUE(clearColumn(figure, digits[0].right() + 1, digits[1].left() - 1))
            << "the 1 ends at " << digits[0].right() << ", the 0 starts at " << digits[1].left();
        EXPECT_GE(counter(figure, digits[1]), 3);
    }
}

namespace {

// The narrowest paper between two shapes, in pixels at real size.
double gap(const Shape& a, const Shape& b, int scale)
{
    const auto edge = [](const Shape& s) {
        std::vector<QPoint> rim;
        const QRect box = s.box.adjusted(-1, -1, 1, 1);
        std::vector<char> in(size_t(box.width() * box.height()), 0);
        for (QPoint p : s.pixels)
            in[size_t((p.y() - box.top()) * box.width() + p.x() - box.left())] = 1;
        const auto at = [&](int x, int y) { return in[size_t((y - box.top()) * box.width() + x - box.left())] != 0; };
        for (QPoint p : s.pixels)
            if (!at(p.x() - 1, p.y()) || !at(p.x() + 1, p.y()) || !at(p.x(), p.y() - 1) || !at(p.x(), p.y() + 1))
                rim.push_back(p);
        return rim;
    };
    const std::vector<QPoint> ra = edge(a), rb = edge(b);
    double nearest = 1e9;
    for (QPoint p : ra)
        for (QPoint q : rb)
            nearest = std::min(nearest, std::hypot(double(p.x() - q.x()), double(p.y() - q.y())));
    return (nearest - 1) / scale;
}

} // namespace

// No two signs of a pip card come within 2 pixels of each other at real size
// (the three of batons, whose cudgels meet at a mask by tradition, aside).
TEST(ArtPips, SignsStandClearOfEachOther)
{
    for (int suit = Coins; suit <= Swords; ++suit)
        for (int value = 2; value <= 7; ++value) {
            if (suit == Batons && value == 3)
                continue;
            const int card = cardOf(suit, value);
            const std::vector<Shape> found = shapes(face(card, 3), 3);
            ASSERT_EQ(int(found.size()), value) << card;
            double nearest = 1e9;
            for (size_t i = 0; i < found.size(); ++i)
                for (size_t j = i + 1; j < found.size(); ++j)
                    nearest = std::min(nearest, gap(found[i], found[j], 3));
            EXPECT_GT(nearest, 2.0) << "card " << card;
        }
}

namespace {

constexpr int silhouetteScale = 2;
// The suit's ground, under every figure: the same bar on all twelve, taken
// from just above its outline so that the stock between the feet stays open.
constexpr double groundTop = 97.4;

bool isStock(QRgb p)
{
    return qAlpha(p) >= 200 && distance(p, 247, 239, 217) <= 40;
}

// A court's figure as one filled outline at twice the design size: all that
// the stock seen from the card's edge does not reach, the ground and the
// corner index left out. Stock shut inside the figure, a white horse or a
// gap under an arm closed off, belongs to it.
struct Silhouette {
    int w = 0, h = 0;
    std::vector<char> in;
    bool at(int x, int y) const { return in[size_t(y * w + x)] != 0; }
};

bool outside(int x, int y, int w)
{
    const int s = silhouetteScale;
    const QPointF p(double(x) / s, double(y) / s);
    return x < 2 * s || y < 2 * s || x >= w - 2 * s || p.y() >= groundTop || indexBox.contains(p);
}

Silhouette silhouette(const QImage& image)
{
    const int w = image.width(), h = image.height();
    std::vector<char> open(size_t(w * h), 0);
    std::vector<int> todo;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (outside(x, y, w)) {
                open[size_t(y * w + x)] = 1;
                todo.push_back(y * w + x);
            }
    while (!todo.empty()) {
        const int x = todo.back() % w, y = todo.back() / w;
        todo.pop_back();
        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
            const int nx = x + d.x(), ny = y + d.y();
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || open[size_t(ny * w + nx)] || !isStock(image.pixel(nx, ny)))
                continue;
            open[size_t(ny * w + nx)] = 1;
            todo.push_back(ny * w + nx);
        }
    }
    Silhouette s{w, h, std::vector<char>(size_t(w * h), 0)};
    for (int i = 0; i < w * h; ++i)
        s.in[size_t(i)] = !open[size_t(i)];
    return s;
}

// Intersection over union of two figures, the second one mirrored if asked;
// the mirror too leaves the index corner out.
double overlap(const Silhouette& a, const Silhouette& b, bool mirrored)
{
    int both = 0, either = 0;
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x) {
            const bool p = a.at(x, y);
            const bool q = b.at(mirrored ? b.w - 1 - x : x, y) && !outside(x, y, a.w);
            both += p && q;
            either += p || q;
        }
    return either ? double(both) / either : 1;
}

} // namespace

// The four knaves, the four knights, the four Kings: within each rank no
// figure is another one moved, recoloured or mirrored. Their outlines at
// twice the design size overlap by at most 0.65 (intersection over union).
TEST(ArtCourts, FiguresOfOneRankHaveOutlinesOfTheirOwn)
{
    for (int value = 8; value <= 10; ++value) {
        std::array<Silhouette, 5> figure;
        for (int suit = Coins; suit <= Swords; ++suit)
            figure[size_t(suit)] = silhouette(face(cardOf(suit, value), silhouetteScale));
        for (int a = Coins; a <= Swords; ++a)
            for (int b = a + 1; b <= Swords; ++b)
                for (const bool mirrored : {false, true})
                    EXPECT_LE(overlap(figure[size_t(a)], figure[size_t(b)], mirrored), 0.65)
                        << "cards " << cardOf(a, value) << " and " << cardOf(b, value) << (mirrored ? " mirrored" : "");
    }
}

// A horse in the colour of the card would be an outline with nothing in it:
// inside each knight's figure, little of the stock's cream shows (a white
// horse leaves about a fifth of the figure cream, a coloured one a tenth at
// most: the light between reins and neck, a pale blaze).
TEST(ArtCourts, HorsesStandOutFromTheStock)
{
    for (int suit = Coins; suit <= Swords; ++suit) {
        const QImage& image = face(cardOf(suit, 9), silhouetteScale);
        const Silhouette figure = silhouette(image);
        int inside = 0, cream = 0;
        for (int y = 0; y < figure.h; ++y)
            for (int x = 0; x < figure.w; ++x)
                if (figure.at(x, y)) {
                    ++inside;
                    cream += isStock(image.pixel(x, y));
                }
        EXPECT_LT(double(cream) / inside, 0.12) << "card " << cardOf(suit, 9);
    }
}

namespace {

// The grey of a court's ground, below the feet in the middle of the bar: as
// the greyscale sheet shows it (`sheet`, from linear light) or as a luma
// conversion does (most printers and image tools).
int groundGrey(int card, bool sheet)
{
    const QImage& image = face(card, 1);
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    std::vector<int> row;
    for (int x = 24; x < 44; ++x)
        row.push_back(qGray(sheet ? grey.pixel(x, 102) : image.pixel(x, 102)));
    std::nth_element(row.begin(), row.begin() + row.size() / 2, row.end());
    return row[row.size() / 2];
}

} // namespace

// The four grounds tell the suits apart without their hues: at least 20
// grey levels between any two, and one grey for each suit's three courts.
TEST(ArtCourts, GroundsDifferInGrey)
{
    for (const bool sheet : {true, false}) {
        std::array<int, 5> grey{};
        for (int suit = Coins; suit <= Swords; ++suit) {
            grey[size_t(suit)] = groundGrey(cardOf(suit, 10), sheet);
            for (int value = 8; value <= 9; ++value)
                EXPECT_NEAR(groundGrey(cardOf(suit, value), sheet), grey[size_t(suit)], 3) << cardOf(suit, value);
        }
        for (int a = Coins; a <= Swords; ++a)
            for (int b = a + 1; b <= Swords; ++b)
                EXPECT_GE(std::abs(grey[size_t(a)] - grey[size_t(b)]), 20)
                    << "suits " << a << " and " << b << ": " << grey[size_t(a)] << " and " << grey[size_t(b)]
                    << (sheet ? " on the sheet" : " in luma");
    }
}
