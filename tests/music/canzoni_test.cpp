// The committed songs: readable Standard MIDI Files of the right length, every
// note ended, and exactly what the generator writes from its note data.
#include "aiuto.h"
#include "arranger.h"
#include "musica.h"
#include "smf.h"
#include "songgen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTest>

#include <map>
#include <set>

namespace {

QByteArray committed(const QString& caption)
{
    QFile f(QStringLiteral(TRELVA_SOURCE_DIR "/assets/music/") + caption + ".mid");
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class CanzoniTest : public QObject {
    Q_OBJECT

private slots:
    void songsAreWholeAndOfTheirLength_data()
    {
        aiuto::righeCanzoni();
    }

    void songsAreWholeAndOfTheirLength()
    {
        QFETCH(QString, caption);
        const QByteArray bytes = committed(caption);
        QVERIFY(!bytes.isEmpty());
        QVERIFY(bytes.startsWith(QByteArray("MThd\0\0\0\x06\0\x01", 10)));

        const auto song = musica::readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), 44100);
        QVERIFY(song.has_value());
        QVERIFY2(song->lengthMs >= 90000 && song->lengthMs <= 180000, qPrintable(QString::number(song->lengthMs)));

        // Every note that starts also stops, before the song loops, and no key
        // is struck again while it still sounds (its note-off would cut the new note).
        std::map<int, int> sounding;
        std::set<int> channels;
        for (const auto& e : song->events) {
            const int kind = e.status & 0xF0;
            const int id = (e.status & 0x0F) * 128 + e.data1;
            if (kind == 0x90 && e.data2 > 0) {
                QVERIFY2(++sounding[id] == 1, qPrintable(QString("key %1 struck while sounding").arg(id)));
                channels.insert(e.status & 0x0F);
            } else if (kind == 0x80 || kind == 0x90) {
                QVERIFY2(--sounding[id] >= 0, "a note stopped that never started");
            }
            QVERIFY(e.frame <= song->lengthFrames);
        }
        for (const auto& [id, count] : sounding)
            QVERIFY2(count == 0, qPrintable(QString("note %1 left hanging").arg(id)));
        // Melody, second voice, guitar, chords and bass all have their say.
        QVERIFY(channels.size() >= 5);
    }

    void generatorReproducesTheCommittedFiles()
    {
        const auto songs = songgen::composeAll();
        QCOMPARE(int(songs.size()), Musica::canzoni().size() - 1);
        for (size_t i = 0; i < songs.size(); ++i) {
            const QString title = QString::fromStdString(songs[i].title);
            QCOMPARE(title, Musica::canzoni().at(int(i) + 1));
            const QByteArray made(reinterpret_cast<const char*>(songs[i].bytes.data()), qsizetype(songs[i].bytes.size()));
            QVERIFY2(made == committed(title), qPrintable(title + " differs from what the generator writes"));
        }
    }

    // The build copies the songs into "music" beside the programs it makes.
    void songsAreBesideTheProgram()
    {
        const QString folder = QCoreApplication::applicationDirPath() + "/music/";
        for (int i = 1; i < Musica::canzoni().size(); ++i) {
            QFile f(folder + Musica::canzoni().at(i) + ".mid");
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
            QCOMPARE(f.readAll(), committed(Musica::canzoni().at(i)));
        }
    }

    void songsDifferInKeyAndTempo()
    {
        std::set<std::pair<int, bool>> keys;
        std::set<double> tempos;
        for (const auto& def : songgen::songBook()) {
            keys.insert({def.keySharps, def.keyMinor});
            tempos.insert(def.quarterBpm);
        }
        QCOMPARE(int(keys.size()), 5);
        QCOMPARE(int(tempos.size()), 5);
    }

    // The note data is checked bar by bar; a slip names its place.
    void notationErrorsNameTheBar_data()
    {
        QTest::addColumn<QString>("melody");
        QTest::addColumn<QString>("where");
        QTest::newRow("short bar") << "C5q D5q E5q F5q | G5h A5q" << "bar 2";
        QTest::newRow("long bar") << "C5h. D5h | E5w" << "bar 1";
        QTest::newRow("unknown length") << "C5x" << "bar 1";
        QTest::newRow("no octave") << "C5w | Dq D5h." << "bar 2";
    }

    void notationErrorsNameTheBar()
    {
        QFETCH(QString, melody);
        QFETCH(QString, where);
        try {
            songgen::parseMelody(melody.toStdString(), 4 * songgen::kTicksPerQuarter, nullptr);
            QFAIL("accepted");
        } catch (const std::runtime_error& e) {
            QVERIFY2(QString(e.what()).startsWith(where), e.what());
        }
    }

    void notationReadsLengthsAndPitches()
    {
        int bars = 0;
        const auto tones = songgen::parseMelody("Bb4e. C#5s Rq F#5h+e E5e3 E5e3 E5e3 | C6w+q+e", 2640, &bars);
        QCOMPARE(bars, 2);
        const std::vector<std::tuple<int, int, int>> expected{
            {0, 360, 70}, {360, 120, 73}, {960, 1200, 78}, {2160, 160, 76}, {2320, 160, 76}, {2480, 160, 76}};
        // "Rq" leaves a gap, "E5e3" is a third of a quarter, "+" ties.
        QCOMPARE(int(tones.size()), 7);
        for (size_t i = 0; i < expected.size(); ++i) {
            QCOMPARE(tones[i].tick, std::get<0>(expected[i]));
            QCOMPARE(tones[i].length, std::get<1>(expected[i]));
            QCOMPARE(tones[i].key, std::get<2>(expected[i]));
        }
        QCOMPARE(tones[6].key, 84);
        QCOMPARE(tones[6].length, 2640);

        const auto chords = songgen::parseChords("Dm | Eb/G - A7 -", 1920, &bars);
        QCOMPARE(bars, 2);
        QCOMPARE(int(chords.size()), 5);
        QCOMPARE(chords[1].bass, 7);                                   // G under E flat
        QCOMPARE(chords[2].root, chords[1].root);                      // "-" holds it
        QCOMPARE(chords[3].classes, (std::vector<int>{9, 1, 4, 7}));   // A C# E G
        QCOMPARE(chords[4].tick, 1920 + 3 * 480);
    }
};

QTEST_GUILESS_MAIN(CanzoniTest)
#include "canzoni_test.moc"
