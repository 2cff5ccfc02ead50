// The generated pictures as resources: present under the names the table
// uses, sized as designed, and drawable by Qt SVG without complaint.
#include "pictures.h"

#include <QFile>
#include <QSet>
#include <QSvgRenderer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace arttest;

namespace {

struct Picture {
    QString resource;
    QSize size;
};

QList<Picture> allPictures()
{
    QList<Picture> list;
    for (int card = 1; card <= 40; ++card)
        list.append({faceResource(card), QSize(cardW, cardH)});
    list.append({":/art/dorso.svg", QSize(cardW, cardH)});
    list.append({":/art/logo.svg", QSize(120, 39)});
    list.append({":/art/testo.svg", QSize(309, 90)});
    list.append({":/art/icona.svg", QSize(64, 64)});
    return list;
}

QStringList warnings;

void collect(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings.append(message);
}

} // namespace

TEST(ArtResources, EveryPictureLoadsAndDrawsWithoutWarnings)
{
    for (const Picture &picture : allPictures()) {
        SCOPED_TRACE(picture.resource.toStdString());
        ASSERT_TRUE(QFile::exists(picture.resource));
        warnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        QSvgRenderer renderer(picture.resource);
        const QImage image = render(picture.resource, picture.size, 3);
        qInstallMessageHandler(previous);
        EXPECT_TRUE(renderer.isValid());
        EXPECT_EQ(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(picture.size)));
        EXPECT_EQ(renderer.defaultSize(), picture.size);
        EXPECT_FALSE(image.isNull());
        EXPECT_TRUE(warnings.isEmpty()) << warnings.join("\n").toStdString();
    }
}

// Qt SVG draws SVG Tiny; anything outside this set it drops silently or
// draws differently from a browser. Text is avoided too: fonts differ from
// machine to machine, so letters and figures are drawn as paths.
TEST(ArtResources, UseOnlyElementsThatQtSvgDrawsAlike)
{
    const QSet<QString> allowed{"svg", "defs", "g", "path", "rect", "circle", "ellipse",
                                "linearGradient", "radialGradient", "stop"};
    for (const Picture &picture : allPictures()) {
        SCOPED_TRACE(picture.resource.toStdString());
        QFile file(picture.resource);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QSet<QString> ids, references;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            EXPECT_TRUE(allowed.contains(xml.name().toString())) << xml.name().toString().toStdString();
            const auto attributes = xml.attributes();
            if (attributes.hasAttribute("id"))
                ids.insert(attributes.value("id").toString());
            for (const char *paint : {"fill", "stroke"}) {
                const QString value = attributes.value(paint).toString();
                if (value.startsWith("url(#"))
                    references.insert(value.mid(5, value.size() - 6));
            }
        }
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        // a paint server that is referred to but not defined draws nothing
        for (const QString &reference : references)
            EXPECT_TRUE(ids.contains(reference)) << reference.toStdString();
    }
}

TEST(ArtBack, LooksTheSameEitherWayUp)
{
    for (double scale : {1.0, 3.0}) {
        const QImage back = render(":/art/dorso.svg", QSizeF(cardW, cardH), scale);
        ASSERT_FALSE(back.isNull());
        const QImage turned = back.mirrored(true, true);
        EXPECT_LT(meanDifference(back, turned), 1.0) << "scale " << scale;
        // a pattern, not a plain colour
        EXPECT_GT(inkShare(back), 0.6);
    }
}

TEST(ArtBack, DiffersFromEveryFace)
{
    const QImage back = render(":/art/dorso.svg", QSizeF(cardW, cardH), 1);
    for (int card = 1; card <= 40; ++card)
        EXPECT_GT(meanDifference(back, renderCard(card, 1)), 20) << card;
}

TEST(ArtExtras, LogoTitleAndIconShowSomething)
{
    struct Case { QString resource; QSizeF size; };
    for (const Case &c : {Case{":/art/logo.svg", {120, 39}}, Case{":/art/testo.svg", {309, 90}},
                          Case{":/art/icona.svg", {64, 64}}, Case{":/art/icona.svg", {16, 16}}}) {
        for (double scale : {1.0, 3.0}) {
            SCOPED_TRACE(c.resource.toStdString() + " at " + std::to_string(scale));
            const QImage image = render(c.resource, c.size, scale);
            ASSERT_FALSE(image.isNull());
            qint64 drawn = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    drawn += qAlpha(image.pixel(x, y)) > 128;
            EXPECT_GT(double(drawn) / (image.width() * image.height()), 0.15);
        }
    }
}
