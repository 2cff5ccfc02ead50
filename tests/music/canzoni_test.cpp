// The committed songs: readable Standard MIDI Files of the right length, every
// note ended, exactly what the generator writes from its note data, and copied
// beside the program by the build.
#include "arranger.h"
#include "musica_prova.h"
#include "smf.h"

#include <QTest>

#include <map>
#include <set>

using namespace trelva;
using namespace trelva::prova;

class CanzoniTest : public QObject {
    Q_OBJECT

private slots:
    void songsAreWholeOfTheirLengthAndReproducible()
    {
        const auto songs = songgen::composeAll();
        QCOMPARE(int(songs.size()), Musica::canzoni().size() - 1);
        for (size_t i = 0; i < songs.size(); ++i) {
            const QString title = QString::fromStdString(songs[i].title);
            QCOMPARE(title, Musica::canzoni().at(int(i) + 1));
            const QByteArray bytes = leggi(QStringLiteral(TRELVA_SOURCE_DIR "/assets/music/") + title + ".mid");
            const QByteArray made(reinterpret_cast<const char*>(songs[i].bytes.data()),
                                  qsizetype(songs[i].bytes.size()));
            QVERIFY2(made == bytes, qPrintable(title + " differs from what the generator writes"));
            QVERIFY2(leggi(QCoreApplication::applicationDirPath() + "/music/" + title + ".mid") == bytes,
                     qPrintable(title + " is not beside the program"));

            QVERIFY(bytes.startsWith(QByteArray("MThd\0\0\0\x06\0\x01", 10)));
            const auto song = music::readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), 44100);
            QVERIFY(song.has_value());
            QVERIFY2(song->lengthMs >= 140000 && song->lengthMs <= 215000, qPrintable(QString::number(song->lengthMs)));

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
    }

    // The note data is checked bar by bar; a slip names its place.
    void notationErrorsNameTheBar()
    {
        const std::pair<const char*, const char*> slips[]{
            {"C5q D5q E5q F5q | G5h A5q", "bar 2"}, {"C5h. D5h | E5w", "bar 1"}, // short, long
            {"C5x", "bar 1"},
            {"C5w | Dq D5h.", "bar 2"}}; // no length, no octave
        for (const auto& [melody, where] : slips) {
            try {
                songgen::parseMelody(melody, 4 * songgen::ticksPerQuarter, nullptr);
                QFAIL(melody);
            } catch (const std::runtime_error& e) {
                QVERIFY2(QString(e.what()).startsWith(where), e.what());
            }
        }
    }
};

QTEST_GUILESS_MAIN(CanzoniTest)
#include "canzoni_test.moc"
