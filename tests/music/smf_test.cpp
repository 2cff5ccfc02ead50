// The MIDI reader on files built byte by byte: what it must refuse, what it
// must read right, and the hostile files a music folder may hold.
#include "smf.h"
#include "smf_bytes.h"

#include <QFile>
#include <QTest>

#include <string>

namespace {

using namespace smfbytes;

std::optional<music::SongTimeline> leggi(const QByteArray& bytes, int rate = 1000)
{
    return music::readSmf(std::string_view(bytes.constData(), size_t(bytes.size())), rate);
}

// "frame:status:data1" for each event, to compare in one line.
QString events(const music::SongTimeline& song)
{
    QStringList out;
    for (const auto& e : song.events)
        out << QStringLiteral("%1:%2:%3").arg(e.frame).arg(e.status, 2, 16, QChar('0')).arg(e.data1);
    return out.join(' ');
}

} // namespace

class SmfTest : public QObject {
    Q_OBJECT

private slots:
    void refused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("running status opens a track") << smf(0, 480, {QByteArray("\x00\x3C\x40", 3) + oneNote + endOfTrack});
        QTest::newRow("running status after a meta event")
            << smf(0, 480, {oneNote + QByteArray("\x00\xFF\x01\x00\x00\x3C\x40", 7) + endOfTrack});
        QTest::newRow("variable-length number of five bytes")
            << smf(0, 480, {QByteArray("\x80\x80\x80\x80\x00\x90\x3C\x64", 8) + oneNote + endOfTrack});
        // The text claims two bytes more than its track holds; the two bytes
        // after the chunk would end the track for a reader that ran on.
        QTest::newRow("meta event past its track")
            << smf(0, 480, {oneNote + QByteArray("\x00\xFF\x01\x04"
                                                 "ab",
                                                 6)})
                + "cd" + endOfTrack;
        QTest::newRow("format 0 with two tracks") << smf(0, 480, {oneNote + endOfTrack, oneNote + endOfTrack});
        QTest::newRow("format 2") << smf(2, 480, {oneNote + endOfTrack});
        QTest::newRow("no End of Track") << smf(0, 480, {oneNote});
        QTest::newRow("one track of two missing") << smf(1, 480, {oneNote + endOfTrack}).replace(11, 1, "\x02");
        QTest::newRow("system common byte") << smf(0, 480, {oneNote + QByteArray("\x00\xF1\x10", 3) + endOfTrack});
        QTest::newRow("tempo of two bytes") << smf(0, 480, {QByteArray("\x00\xFF\x51\x02\x07\xA1", 6) + oneNote + endOfTrack});
        QTest::newRow("tempo 0") << smf(0, 480, {QByteArray("\x00\xFF\x51\x03\x00\x00\x00", 7) + oneNote + endOfTrack});
        QTest::newRow("division 0") << smf(0, 0, {oneNote + endOfTrack});
        QTest::newRow("no time at all") << smf(0, 480, {endOfTrack});
        // Slowest tempo, one tick to the quarter, longest delays: 16.7 s a tick.
        QByteArray slow("\x00\xFF\x51\x03\xFF\xFF\xFF", 7);
        for (int i = 0; i < 64; ++i)
            slow += varLen(0x0FFFFFFF) + QByteArray("\x90\x3C\x64", 3);
        QTest::newRow("longer than any song") << smf(0, 1, {slow + endOfTrack});
        QTest::newRow("end longer than any song")
            << smf(0, 1, {QByteArray("\x00\xFF\x51\x03\xFF\xFF\xFF", 7) + oneNote + varLen(0x0FFFFFFF) + endOfTrack.mid(1)});
    }

    void refused()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!leggi(bytes).has_value());
        QVERIFY(!leggi(bytes, 44100).has_value());
    }

    void readRight_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<qint64>("lengthMs");
        // One data byte each: the delta after it must not be taken for data.
        QTest::newRow("channel pressure, running")
            << smf(0, 480, {QByteArray("\x00\xD1\x40\x00\x30", 5) + oneNote + endOfTrack})
            << "0:d1:64 0:d1:48 0:90:60 500:80:60" << qint64(500);
        QTest::newRow("program change, running, the first never heard")
            << smf(0, 480, {QByteArray("\x00\xC2\x05\x00\x06", 5) + oneNote + endOfTrack})
            << "0:c2:6 0:90:60 500:80:60" << qint64(500);
        QTest::newRow("running status across a note off")
            << smf(0, 480, {QByteArray("\x00\x90\x3C\x64\x60\x3C\x00\x00\x3E\x64", 10) + varLen(384) + QByteArray("\x80\x3E\x00", 3) + endOfTrack})
            << "0:90:60 100:90:60 100:90:62 500:80:62" << qint64(500);
        // The tempo in the first track times the second; equal times keep file order.
        QTest::newRow("tracks merged along the tempo map")
            << smf(1, 480,
                   {QByteArray("\x00\xFF\x51\x03\x03\xD0\x90", 7) + varLen(480) + QByteArray("\xB0\x07\x50", 3)
                        + varLen(480) + QByteArray("\xFF\x51\x03\x07\xA1\x20", 6) + varLen(960) + endOfTrack.mid(1),
                    varLen(480) + QByteArray("\x91\x40\x64", 3) + varLen(960) + QByteArray("\x81\x40\x00", 3) + endOfTrack})
            << "250:b0:7 250:91:64 1000:81:64" << qint64(1500);
        // SMPTE: 25 frames of 40 ticks a second, tempo events change nothing.
        QTest::newRow("SMPTE time")
            << smf(0, 0xE728, {QByteArray("\x00\xFF\x51\x03\x00\x10\x00\x00\x90\x3C\x64", 11) + varLen(750) + QByteArray("\x80\x3C\x00", 3) + endOfTrack})
            << "0:90:60 750:80:60" << qint64(750);
        QTest::newRow("SMPTE 24 frames of 2 ticks")
            << smf(0, 0xE802, {note(24) + endOfTrack})
            << "0:90:60 500:80:60" << qint64(500);
        QTest::newRow("SMPTE 25 frames of 160 ticks, two tracks")
            << smf(1, 0xE7A0, {QByteArray("\x00\xFF\x51\x03\x00\x10\x00", 7) + varLen(4000) + endOfTrack.mid(1), note(2000) + endOfTrack})
            << "0:90:60 500:80:60" << qint64(1000);
        // 29 stands for 29.97 frames a second (drop-frame).
        QTest::newRow("SMPTE 29.97 frames of 100 ticks")
            << smf(0, 0xE364, {note(2997) + endOfTrack})
            << "0:90:60 1000:80:60" << qint64(1000);
        QTest::newRow("SMPTE 30 frames of 80 ticks")
            << smf(0, 0xE250, {note(1200) + endOfTrack})
            << "0:90:60 500:80:60" << qint64(500);
        QTest::newRow("variable-length number of four bytes")
            << smf(0, 480, {oneNote.left(4) + QByteArray("\x80\x80\x83\x60", 4) + oneNote.right(3) + endOfTrack})
            << "0:90:60 500:80:60" << qint64(500);
        QTest::newRow("program changes never heard are dropped")
            << smf(0, 480, {QByteArray("\x00\xC0\x05\x00\xC0\x06\x00\xC1\x07", 9) + oneNote + endOfTrack})
            << "0:c0:6 0:c1:7 0:90:60 500:80:60" << qint64(500);
        QTest::newRow("program change never heard, another channel's between")
            << smf(0, 480, {QByteArray("\x00\xC0\x05\x00\xC1\x07\x00\xC0\x06", 9) + oneNote + endOfTrack})
            << "0:c1:7 0:c0:6 0:90:60 500:80:60" << qint64(500);
        QTest::newRow("unknown chunk skipped")
            << smf(0, 480, {oneNote + endOfTrack}).insert(14, QByteArray("XTRA\x00\x00\x00\x02zz", 10))
            << "0:90:60 500:80:60" << qint64(500);
    }

    void readRight()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QFETCH(qint64, lengthMs);
        const auto song = leggi(bytes);
        QVERIFY(song.has_value());
        QCOMPARE(events(*song), expected);
        QCOMPARE(song->lengthMs, lengthMs);
        QCOMPARE(song->lengthFrames, uint64_t(lengthMs));
    }

    // Every preset the song selects is listed once, in the order first
    // selected, with the drum channel's in bank 128; a channel that plays
    // before any program change lists the default program.
    void presetsEachOnce()
    {
        const QByteArray on("\x00\x90\x3C\x64", 4);
        const QByteArray e = QByteArray("\x00\xB0\x00\x02\x00\xC0\x05", 7) + on + QByteArray("\x00\xC0\x07", 3) + on
            + QByteArray("\x00\xC0\x05", 3) + on + QByteArray("\x00\xC9\x10\x00\x93\x3C\x64", 7);
        const auto song = leggi(smf(0, 480, {e + oneNote + endOfTrack}));
        QVERIFY(song.has_value());
        const std::vector<std::pair<int, int>> presets{{2, 5}, {2, 7}, {128, 16}, {0, 0}};
        QVERIFY(song->presets == presets);
        QVERIFY(song->usesDefaultProgram[3] && !song->usesDefaultProgram[0]);
    }

    // 16,384 presets, each played once, are each listed once; a flood of
    // program changes with no note between them leaves only the last.
    void manyPresetsAndProgramChanges()
    {
        QByteArray e;
        for (int bank = 0; bank < 128; ++bank) {
            e += QByteArray("\x00\xB0\x00", 3) + char(bank);
            for (int program = 0; program < 128; ++program)
                e += QByteArray("\x00\xC0", 2) + char(program) + QByteArray("\x00\x90\x3C\x64", 4);
        }
        auto song = leggi(smf(0, 480, {e + oneNote + endOfTrack}));
        QVERIFY(song.has_value());
        QCOMPARE(song->presets.size(), size_t(16384));
        QCOMPARE(song->events.size(), size_t(128 * 257 + 2));

        QByteArray flood("\x00\xC0\x00", 3);
        for (int i = 1; i < 100000; ++i)
            flood += QByteArray(1, '\0') + char(i % 128);
        song = leggi(smf(0, 480, {flood + oneNote + endOfTrack}));
        QVERIFY(song.has_value());
        QCOMPARE(events(*song), QStringLiteral("0:c0:%1 0:90:60 500:80:60").arg(99999 % 128));
        QCOMPARE(sizeof(music::TimedEvent), size_t(8));
    }

    // A data byte with its top bit set, in a note or in a one-byte message,
    // reads as 127; the song keeps its notes and its length.
    void strayDataBytesAreClipped()
    {
        const auto song = leggi(smf(0, 480, {QByteArray("\x00\x90\xBC\xE4\x00\xD0\xC0", 7) + oneNote + endOfTrack}));
        QVERIFY(song.has_value());
        QCOMPARE(events(*song), QString("0:90:127 0:d0:127 0:90:60 500:80:60"));
        QCOMPARE(song->events[0].data2, uint8_t(127));
        QCOMPARE(song->lengthMs, qint64(500));
    }

    // The fuzzer's seeds: every format and both kinds of division, each read
    // (or, format 2, refused) as its length says; 0 for refused.
    void fuzzSeeds_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("lengthMs");
        const QList<std::pair<QString, qint64>> seeds{{"nota", 500}, {"smpte", 128}, {"tracce", 750}, {"tracce_smpte", 1000}, {"byte_alto", 500}, {"formato2", 0}, {"formato2_smpte", 0}};
        for (const auto& [name, ms] : seeds)
            QTest::newRow(qPrintable(name)) << name << ms;
    }

    void fuzzSeeds()
    {
        QFETCH(QString, name);
        QFETCH(qint64, lengthMs);
        QFile file(QStringLiteral(TRELVA_SOURCE_DIR "/tests/music/semi_smf/") + name);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const auto song = leggi(file.readAll());
        QCOMPARE(song ? song->lengthMs : 0, lengthMs);
    }
};

QTEST_GUILESS_MAIN(SmfTest)
#include "smf_test.moc"
