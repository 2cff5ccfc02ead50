// The card art as the table loads it from the resources: every picture draws
// without complaint, the back looks the same either way up, and the forty
// faces are distinct and each in its place in card-number order (coins 1-10,
// cups 11-20, batons 21-30, swords 31-40), which is all the game relies on;
// and what a player checks at real size: a bold index, pips that can be
// counted, and twelve courts that cannot be mistaken for one another.
#include "faces.h"

#include <QFile>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace {

using namespace art;

struct Difference {
    int most = 255;
    double mean = 255;
};

// Per channel, between two images of one size.
Difference difference(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return {};
    Difference d{0, 0};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int c = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            d.most = std::max(d.most, c);
            d.mean += c;
        }
    d.mean /= a.width() * a.height();
    return d;
}

// Reads a pip card the way a player does: it counts the separate signs (none
// may touch another), and takes round ones for coins; of the tall ones, blue-grey
// steel marks swords, the red bands of the goblets cups, and plain wood batons.
// Returns the suit, or 0 when the count is not the value.
int readSuit(const QImage& image, int value)
{
    const std::vector<Shape> found = shapes(image, 3);
    if (int(found.size()) != value)
        return 0;
    int round = 0;
    for (const Shape& s : found) {
        const double aspect = double(s.box.height()) / s.box.width();
        round += aspect > 0.85 && aspect < 1.15;
    }
    if (round == value)
        return Coins;
    const double ink = inkShare(image);
    const double steel = share(image, [](QRgb p) { return isInk(p) && qBlue(p) - qRed(p) > 12; });
    const double red = share(image, [](QRgb p) { return isInk(p) && qRed(p) - qGreen(p) > 90; });
    if (steel / ink > 0.15)
        return Swords;
    return red / ink > 0.08 ? Cups : Batons;
}

QStringList warnings;
void collect(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings.append(message);
}

} // namespace

// Each picture at its design size, drawn at three times that size.
TEST(ArtResources, EveryPictureLoadsAndDrawsWithoutWarnings)
{
    QList<std::pair<QString, QSize>> pictures{
        {":/art/logo.svg", {120, 39}}, {":/art/testo.svg", {309, 90}}, {":/art/icona.svg", {64, 64}}};
    for (int card = 0; card <= 40; ++card)
        pictures.append({resourceOf(card), {cardW, cardH}});
    // Qt SVG draws SVG Tiny; anything outside this set it drops silently or
    // draws unlike a browser. Text is avoided too, fonts differing between
    // machines: letters and figures are drawn as paths.
    const QSet<QString> allowed{"svg", "defs", "g", "path", "rect", "circle", "ellipse",
                                "linearGradient", "radialGradient", "stop"};
    for (const auto& [resource, size] : pictures) {
        SCOPED_TRACE(resource.toStdString());
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        QSvgRenderer renderer(resource);
        const QImage large = render(resource, size, 3);
        qInstallMessageHandler(previous);
        EXPECT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));
        EXPECT_EQ(renderer.defaultSize(), size);
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
        EXPECT_GT(share(large, [](QRgb p) { return qAlpha(p) > 128; }), 0.15);

        QFile file(resource);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QSet<QString> ids, references;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            EXPECT_TRUE(allowed.contains(xml.name().toString())) << xml.name().toString().toStdString();
            ids.insert(xml.attributes().value("id").toString());
            for (const char* paint : {"fill", "stroke"})
                if (const QString value = xml.attributes().value(paint).toString(); value.startsWith("url(#"))
                    references.insert(value.mid(5, value.size() - 6));
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        // a paint server referred to but not defined draws nothing
        for (const QString& reference : references)
            EXPECT_TRUE(ids.contains(reference)) << reference.toStdString();
    }
}

TEST(ArtBack, LooksTheSameEitherWayUp)
{
    for (int scale : {1, 3}) {
        EXPECT_LT(difference(face(0, scale), face(0, scale).mirrored(true, true)).mean, 1.0) << scale;
        // a pattern, not a plain colour
        EXPECT_GT(inkShare(face(0, scale)), 0.6);
    }
}

TEST(ArtFaces, EveryFaceRendersAtDesignSizeAndAtThreeTimes)
{
    for (int card = 1; card <= 40; ++card) {
        SCOPED_TRACE(card);
        const QImage& small = face(card, 1);
        ASSERT_EQ(small.size(), QSize(cardW, cardH));
        ASSERT_EQ(face(card, 3).size(), QSize(3 * cardW, 3 * cardH));
        EXPECT_GT(inkShare(small), 0.04);
        EXPECT_LT(inkShare(small), 0.7);
        // the card fills its rectangle except for the rounded corners
        EXPECT_EQ(qAlpha(small.pixel(34, 55)), 255);
        EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);
        // the HiDPI drawing is the same picture, only sharper
        const QImage reduced = face(card, 3).scaled(small.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        EXPECT_LT(difference(reduced, small).mean, 12);
    }
}

// The back is card 0 here: it must not pass for a face either.
TEST(ArtFaces, AllFortyAndTheBackAreDistinct)
{
    for (int a = 0; a <= 40; ++a)
        for (int b = a + 1; b <= 40; ++b)
            EXPECT_GT(difference(face(a, 1), face(b, 1)).mean, a == 0 ? 20 : 2) << a << " and " << b;
}

// The cards cardOf(group, 1..members) show one corner part in `box`, and no
// two groups' parts look alike.
template <typename CardOf>
void expectCornerGroups(QRectF box, int groups, int members, double ink, CardOf cardOf)
{
    for (int group = 1; group <= groups; ++group) {
        const QImage reference = crop(face(cardOf(group, 1), 3), box, 3);
        EXPECT_GT(inkShare(reference), ink) << group;
        for (int member = 1; member <= members; ++member) {
            SCOPED_TRACE(cardOf(group, member));
            const QImage& card = face(cardOf(group, member), 3);
            EXPECT_LE(difference(crop(card, box, 3), reference).most, 8);
        }
        for (int other = 1; other < group; ++other)
            EXPECT_GT(difference(crop(face(cardOf(other, 1), 3), box, 3), reference).mean, 10)
                << "group " << group << " looks like " << other;
    }
}

// The corner index: a figure for the value, the same in all four suits, above
// a sign for the suit, the same throughout each block of ten.
TEST(ArtFaces, CornerIndexGivesValueAndSuitInCardNumberOrder)
{
    expectCornerGroups(QRectF(1.5, 1.5, 13, 13), 10, 4, 0.12,
                       [](int value, int suit) { return (suit - 1) * 10 + value; });
    expectCornerGroups(QRectF(2.5, 15.5, 11, 10), 4, 10, 0.1,
                       [](int suit, int value) { return (suit - 1) * 10 + value; });
}

// The figures as a player sees them on the table, at real size: tall enough
// to read at a glance and drawn in solid strokes, not hairlines. A stroke
// shows as a run of near-black pixels; a hairline only greys its pixels.
TEST(ArtFaces, CornerFiguresAreTallAndBoldAtRealSize)
{
    for (int card = 1; card <= 40; ++card) {
        SCOPED_TRACE(card);
        const QImage figure = crop(face(card, 1), QRectF(1, 1, 15, 14.5), 1);
        QRect box;
        int dark = 0;
        for (int y = 0; y < figure.height(); ++y)
            for (int x = 0; x < figure.width(); ++x)
                if (qGray(figure.pixel(x, y)) < 100) {
                    box |= QRect(x, y, 1, 1);
                    ++dark;
                }
        EXPECT_GE(box.height(), 10);
        EXPECT_GE(double(dark) / box.height(), 2.0);
    }
}

// Pips show the suit and the number; an ace one large sign; the court cards
// (8-10) figures with faces and hands, which no pip card has.
TEST(ArtFaces, PictureMatchesTheCard)
{
    for (int card = 1; card <= 40; ++card) {
        SCOPED_TRACE(card);
        const int suit = (card - 1) / 10 + 1, value = (card - 1) % 10 + 1;
        if (value >= 2 && value <= 7) {
            // the three of batons meet at a mask, as tradition draws them: one shape
            const int read = readSuit(face(card, 3), card == 23 ? 1 : value);
            EXPECT_EQ(read, suit) << "reads as suit " << read << " from " << shapes(face(card, 3), 3).size() << " shapes";
        } else if (value == 1) {
            const std::vector<Shape> found = shapes(face(card, 3), 3);
            ASSERT_FALSE(found.empty());
            const auto bigger = [](const Shape& a, const Shape& b) { return a.pixels.size() < b.pixels.size(); };
            const Shape& largest = *std::max_element(found.begin(), found.end(), bigger);
            size_t total = 0;
            for (const Shape& s : found)
                total += s.pixels.size();
            EXPECT_GT(double(largest.pixels.size()) / total, 0.8);
            EXPECT_GT(largest.box.height(), 3 * 45);
        }
        // a few edge pixels of pale wood on cream can match a skin tone
        const double skin = share(face(card, 3), [](QRgb p) { return distance(p, 0xf3, 0xd2, 0xb0) < 20; });
        if (value >= 8)
            EXPECT_GT(skin, 0.002);
        else
            EXPECT_LT(skin, 0.001);
    }
}

namespace {

// Mean difference of grey level per pixel, at real size.
double greyDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

// Which of the four suit colours a pixel shows, if any: 1 yellow-gold, 2 red,
// 3 green, 4 blue, matching the suit numbers; 0 for the rest (stock, skin,
// wood, steel, black).
int suitColour(QRgb p)
{
    const QColor c = QColor::fromRgb(p);
    if (qAlpha(p) < 200 || c.hsvSaturation() < 100 || c.value() < 60)
        return 0;
    const int h = c.hsvHue();
    if (h >= 42 && h <= 62)
        return Coins;
    if (h <= 12 || h >= 340)
        return Cups;
    if (h >= 90 && h <= 165)
        return Batons;
    if (h >= 195 && h <= 250)
        return Swords;
    return 0;
}

} // namespace

// The twelve court cards are twelve different people: no two, even in grey,
// are near-copies at real size; and each is dressed in its suit's colour,
// which outweighs the other three suits' colours on the card.
TEST(ArtCourts, EveryCourtIsItsOwnFigureInItsSuitsColour)
{
    std::vector<int> courts;
    for (int suit = 1; suit <= 4; ++suit)
        for (int value = 8; value <= 10; ++value)
            courts.push_back((suit - 1) * 10 + value);
    for (size_t i = 0; i < courts.size(); ++i)
        for (size_t j = i + 1; j < courts.size(); ++j)
            EXPECT_GT(greyDifference(face(courts[i], 1), face(courts[j], 1)), 16)
                << courts[i] << " and " << courts[j];
    for (int card : courts) {
        std::array<int, 5> count{};
        const QImage& image = face(card, 1);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++count[size_t(suitColour(image.pixel(x, y)))];
        const int suit = (card - 1) / 10 + 1;
        for (int other = 1; other <= 4; ++other) {
            if (other != suit) {
                EXPECT_GT(count[size_t(suit)], 1.5 * count[size_t(other)])
                    << "card " << card << " shows more of suit colour " << other;
            }
        }
    }
}
