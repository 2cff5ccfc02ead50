// The control offline, where a song stands and what its channels hold: a
// start position and the notes at it, a pause and the pedals held across it,
// the last frame before the end, and a pitch bend's two bytes.
#include "musica_prova.h"
#include "smf_bytes.h"

#include <QSignalSpy>
#include <QTest>

using namespace trelva::prova;

namespace {

struct Nota {
    int fromMs, forMs, key;
};

// An organ that sounds for as long as a key or the pedal holds it, at one
// tick a millisecond; `pedalMs` presses the sustain pedal there for good.
QByteArray organo(int lengthMs, const QList<Nota>& notes, int pedalMs = -1)
{
    songgen::Track conductor("test"), voice("voice");
    conductor.tempo(0, 125.0);
    voice.program(0, 0, 19);
    if (pedalMs >= 0)
        voice.controller(pedalMs, 0, 64, 127);
    for (const Nota& n : notes)
        voice.note(n.fromMs, n.forMs, 0, n.key, 100);
    const auto bytes = songgen::writeSmf({conductor, voice}, lengthMs);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

std::vector<float> campioni(MMC1& mmc, double seconds)
{
    const int frames = int(seconds * mmc.sampleRate());
    std::vector<float> both(2 * size_t(frames));
    mmc.render(both.data(), both.data() + frames, frames);
    return both;
}

} // namespace

class PlayingTest : public QObject {
    Q_OBJECT

private:
    Cartella brani_;

private slots:
    void initTestCase()
    {
        QVERIFY(brani_.pronta());
        QVERIFY(scrivi(brani_.file("tenuta.mid"), organo(4000, {{0, 3000, 60}})));
        QVERIFY(scrivi(brani_.file("alsecondo.mid"), organo(3000, {{1000, 400, 60}})));
    }

    // A start position plays what starts there, not what started before it.
    void aStartPositionPlaysTheNotesAtIt()
    {
        MMC1 mmc(offlineOptions);
        mmc.setFileName(brani_.file("alsecondo.mid"));
        mmc.setCommand("open");
        mmc.setFrom(1000);
        mmc.setCommand("play");
        QVERIFY(suona(mmc, 0.3).rms > soundingRms);

        mmc.setFileName(brani_.file("tenuta.mid"));
        mmc.setCommand("open");
        mmc.setFrom(1500);
        mmc.setCommand("play");
        QVERIFY(suona(mmc, 0.5).peak < silentPeak);
        QCOMPARE(mmc.position(), 2000);
    }

    // "play" without a start position goes on from where the song stands:
    // a start given before is used once, and one given with nothing open or
    // before a close is forgotten.
    void aStartPositionIsUsedOnce()
    {
        MMC1 mmc(offlineOptions);
        avvia(mmc, brani_.file("continua.mid"));
        mmc.setFrom(1000);
        mmc.setCommand("play");
        suona(mmc, 1.0);
        mmc.setCommand("pause");
        mmc.setCommand("play");
        suona(mmc, 0.5);
        QCOMPARE(mmc.position(), 2500);

        mmc.setCommand("close");
        mmc.setFrom(5000);
        mmc.setCommand("play");
        avvia(mmc, brani_.file("continua.mid"));
        suona(mmc, 0.5);
        QCOMPARE(mmc.position(), 500);

        mmc.setFrom(5000);
        mmc.setCommand("close");
        avvia(mmc, brani_.file("continua.mid"));
        suona(mmc, 0.5);
        QCOMPARE(mmc.position(), 500);
    }

    // A resume puts the pedal back down as the pause found it: a note struck
    // after it rings on past its release.
    void thePedalOutlastsAPause()
    {
        QVERIFY(scrivi(brani_.file("pedale.mid"), organo(4000, {{0, 200, 60}, {2000, 100, 64}}, 0)));
        QVERIFY(scrivi(brani_.file("senza.mid"), organo(4000, {{0, 200, 60}, {2000, 100, 64}})));
        MMC1 mmc(offlineOptions);
        avvia(mmc, brani_.file("senza.mid"));
        suona(mmc, 2.5);
        const double released = suona(mmc, 0.5).rms; // only the echo is left

        avvia(mmc, brani_.file("pedale.mid"));
        suona(mmc, 1.0);
        mmc.setCommand("pause");
        suona(mmc, 0.5);
        mmc.setCommand("play");
        suona(mmc, 1.5);
        const double held = suona(mmc, 0.5).rms;
        QVERIFY2(held > 5 * released, qPrintable(QStringLiteral("%1 %2").arg(held).arg(released)));
    }

    // Until its last frame has played, a song stands short of its length, so
    // that its owner does not take it for ended and play it again too soon.
    void thePositionReachesTheLengthAtTheEnd()
    {
        QVERIFY(scrivi(brani_.file("breve.mid"), canzone(2000)));
        MMC1 mmc(offlineOptions);
        QSignalSpy done(&mmc, &MMC1::Done);
        avvia(mmc, brani_.file("breve.mid"));
        mmc.waitForIdle();
        mmc.setNotify(true);
        suona(mmc, 2.0);
        consegna();
        QCOMPARE(done.count(), 0);
        QCOMPARE(mmc.position(), 1999);
        suona(mmc, 0.01);
        consegna();
        QCOMPARE(done.count(), 1);
        QCOMPARE(mmc.position(), mmc.length());
    }

    // Pitch bend is its low seven bits, then its high seven: 0x00 0x40 is the
    // centre, which sounds as no bend at all; 0x00 0x50 is half a semitone up.
    void pitchBendLowByteFirst()
    {
        using namespace smfbytes;
        const auto render = [&](const QByteArray& before) {
            if (!scrivi(brani_.file("piega.mid"), smf(0, 480, {before + note(480) + endOfTrack})))
                return std::vector<float>();
            MMC1 mmc(offlineOptions);
            avvia(mmc, brani_.file("piega.mid"));
            return campioni(mmc, 0.4);
        };
        const auto plain = render({});
        const auto centre = render(QByteArray("\x00\xE0\x00\x40", 4));
        const auto up = render(QByteArray("\x00\xE0\x00\x50", 4));
        QVERIFY(!plain.empty());
        QVERIFY(plain == centre);
        QVERIFY(plain != up);
    }
};

QTEST_GUILESS_MAIN(PlayingTest)
#include "playing_test.moc"
