// The rate lowering: pitch, level, start and loop kept, nothing above the new
// band let through; and what the songs are read to play.
#include "resample.h"
#include "usage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace bandfont;

namespace {

std::vector<float> sine(double hz, int rate, size_t frames, double phase = 0)
{
    std::vector<float> out(frames);
    for (size_t i = 0; i < frames; ++i)
        out[i] = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / rate + phase));
    return out;
}

// The largest difference from `expected` over frames [from, to).
double worst(const std::vector<float>& got, const std::vector<float>& expected, size_t from, size_t to)
{
    double w = 0;
    for (size_t i = from; i < to; ++i)
        w = std::max(w, double(std::abs(got[i] - expected[i])));
    return w;
}

// What a player hears: the frames up to the loop's end, then the loop again and again.
std::vector<float> played(const Resampled& r, size_t frames)
{
    std::vector<float> out;
    for (size_t i = 0; out.size() < frames; ++i)
        out.push_back(r.frames[i < r.loop.end ? i : r.loop.start + (i - r.loop.start) % (r.loop.end - r.loop.start)]);
    return out;
}

} // namespace

TEST(Resample, KeepsPitchLevelAndStart)
{
    const auto in = sine(1000, 44100, 44100);
    const Resampled out = resample(in, 44100, {}, 22050);
    EXPECT_EQ(out.rate, 22050);
    ASSERT_EQ(out.frames.size(), 22050u);
    // Away from the ends, where the filter runs out of sound, it is the same sine.
    EXPECT_LT(worst(out.frames, sine(1000, 22050, 22050), 100, 21950), 1e-3);
}

TEST(Resample, TakesOutWhatTheNewRateCannotHold)
{
    const Resampled out = resample(sine(15000, 44100, 44100), 44100, {}, 22050);
    EXPECT_LT(worst(out.frames, std::vector<float>(out.frames.size()), 100, out.frames.size() - 100), 1e-3);
}

// A loop of 1025 frames holding 10 whole cycles: half of it is no whole
// number of frames, and 513 of them would put the rate halfway between two
// whole hertz, so the loop is given a few more frames, the rate moving up a
// little, to where it is nearly a whole number. Played as the
// synthesizer plays it, at the rate the file states, the loop keeps its pitch
// over and over, with no click where it turns.
TEST(Resample, LoopStaysWholeAndInTune)
{
    const double hz = 44100.0 * 10 / 1025;
    const Loop loop{3075, 4100};
    const auto in = sine(hz, 44100, 6000);
    const Resampled out = resample(in, 44100, loop, 22050);
    const uint32_t length = out.loop.end - out.loop.start;
    EXPECT_GE(length, 513u);
    EXPECT_LE(length, 540u);
    const double exactRate = 44100.0 * length / 1025;
    EXPECT_LT(std::abs(out.rate - exactRate) / exactRate, 2e-6); // a thousandth of a cent
    std::vector<float> expected(40000);
    for (size_t i = 0; i < expected.size(); ++i)
        expected[i] = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / out.rate));
    EXPECT_LT(worst(played(out, expected.size()), expected, 100, expected.size()), 5e-3);
}

TEST(Resample, NeverRaisesTheRate)
{
    const auto in = sine(440, 22050, 1000);
    const Resampled out = resample(in, 22050, {10, 500}, 44100);
    EXPECT_EQ(out.rate, 22050);
    EXPECT_EQ(out.frames, in);
    EXPECT_EQ(out.loop.end, 500u);
}

TEST(Resample, RateNeededByTheSlowestPlay)
{
    EXPECT_EQ(neededRate(1.0, 22050), 22050);
    EXPECT_EQ(neededRate(0.5, 22050), 44100); // an octave down: the whole band of a 44.1 kHz sample is heard
    EXPECT_EQ(neededRate(2.0, 22050), 11025);
}

// Bank selects wait for the program change; channel 10 is the drum kit; a
// channel that plays before choosing plays program 0; a silent note is no note.
TEST(Usage, PresetsAndKeysAsTheSynthesizerSeesThem)
{
    music::SongTimeline song;
    song.events = {
        {0, 0x90, 50, 90}, // channel 1, before any program change
        {0, 0xB1, 0, 16},
        {0, 0x91, 60, 90}, // bank chosen, program not yet
        {1, 0xC1, 25, 0},
        {1, 0x91, 62, 80},
        {2, 0x91, 64, 0},
        {3, 0x99, 36, 100}, // drums
        {4, 0xC2, 40, 0}, // selected, never struck
    };
    const auto played = playedKeys({song});
    ASSERT_EQ(played.size(), 4u);
    EXPECT_TRUE(played.at({0, 0}).test(50) && played.at({0, 0}).test(60));
    EXPECT_EQ(played.at({0, 0}).count(), 2u);
    EXPECT_TRUE(played.at({16, 25}).test(62));
    EXPECT_EQ(played.at({16, 25}).count(), 1u);
    EXPECT_TRUE(played.at({128, 0}).test(36));
    EXPECT_TRUE(played.at({0, 40}).none());

    Keys k;
    k.set(0).set(60);
    const Keys w = widened(k, 2);
    EXPECT_EQ(w.count(), 3u + 5u);
    EXPECT_TRUE(w.test(2) && w.test(58) && w.test(62) && !w.test(63));
}
