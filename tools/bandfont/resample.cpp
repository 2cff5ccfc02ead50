#include "resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bandfont {
namespace {

// Half the filter's length, in frames of the lower rate, and its window's
// shape: some 90 dB down beyond the band.
constexpr int halfTaps = 32;
constexpr double kaiserBeta = 9.0;
// Steps of the filter table per input frame, read with straight-line interpolation.
constexpr int tableSteps = 512;

double besselI0(double x)
{
    double sum = 1, term = 1;
    for (int k = 1; k < 40; ++k) {
        term *= (x / (2 * k)) * (x / (2 * k));
        sum += term;
    }
    return sum;
}

// A low-pass at `cutoff` (of the input's half rate) reaching `width` input
// frames either side, tabulated from 0 outwards.
std::vector<double> lowPass(double cutoff, double width)
{
    const size_t n = size_t(std::ceil(width * tableSteps)) + 2;
    std::vector<double> table(n);
    const double norm = besselI0(kaiserBeta);
    for (size_t i = 0; i < n; ++i) {
        const double x = double(i) / tableSteps;
        const double r = x / width;
        if (r >= 1) {
            table[i] = 0;
            continue;
        }
        const double u = std::numbers::pi * cutoff * x;
        const double sinc = x == 0 ? 1 : std::sin(u) / u;
        table[i] = cutoff * sinc * besselI0(kaiserBeta * std::sqrt(1 - r * r)) / norm;
    }
    return table;
}

// A SoundFont keeps a sample's rate in whole hertz, and the synthesizer plays
// the sample at that rate: the loop's pitch is off by what the rounding took,
// and a held note drifts from the original's phase. Of the loop lengths from
// `fewest` frames to some 5 % more (never more than the source's), the one
// whose rate comes nearest a whole number.
uint64_t wholeLoop(uint32_t length, int rate, uint64_t fewest)
{
    const uint64_t most = std::min<uint64_t>(length, fewest + std::max<uint64_t>(4, fewest / 20));
    uint64_t best = fewest;
    double bestError = 1;
    for (uint64_t n = fewest; n <= most; ++n) {
        const double exact = double(rate) * double(n) / length;
        const double error = std::abs(exact - std::round(exact)) / exact;
        if (error < bestError) {
            best = n;
            bestError = error;
        }
    }
    return best;
}

} // namespace

int neededRate(double lowestSpeed, int outputRate)
{
    return int(std::ceil(outputRate / lowestSpeed));
}

Resampled resample(const std::vector<float>& frames, int rate, Loop loop, int target)
{
    if (target >= rate || frames.size() < 2)
        return {frames, rate, loop};
    double step = double(rate) / target; // input frames per output frame
    uint64_t loopFrames = 0;
    if (loop.valid()) {
        const uint32_t length = loop.end - loop.start;
        loopFrames = wholeLoop(length, rate, uint64_t(std::ceil(length / step)));
        step = double(length) / double(loopFrames);
    }
    const double width = halfTaps * step;
    const std::vector<double> h = lowPass(1 / step, width);
    const auto kernel = [&](double x) {
        const double at = std::abs(x) * tableSteps;
        const size_t i = size_t(at);
        if (i + 1 >= h.size())
            return 0.0;
        const double f = at - double(i);
        return h[i] + (h[i + 1] - h[i]) * f;
    };

    const auto n = int64_t(frames.size());
    const int64_t loopStart = loop.valid() ? int64_t(std::ceil(loop.start / step - 1e-9)) : 0;
    const int64_t loopEnd = loopStart + int64_t(loopFrames);
    const int64_t count = std::max<int64_t>(int64_t(double(n - 1) / step) + 1, loopEnd);
    Resampled out;
    out.frames.resize(size_t(count));
    out.rate = int(std::lround(rate / step));
    if (loop.valid())
        out.loop = {uint32_t(loopStart), uint32_t(loopEnd)};
    for (int64_t j = 0; j < count; ++j) {
        const double t = double(j) * step;
        const bool inLoop = loop.valid() && j >= loopStart && j < loopEnd;
        double sum = 0;
        for (auto k = int64_t(std::ceil(t - width)); k <= int64_t(std::floor(t + width)); ++k) {
            int64_t i = k;
            if (inLoop) { // the loop as the player hears it: over and over
                const int64_t length = loop.end - loop.start;
                i = loop.start + ((i - loop.start) % length + length) % length;
            }
            if (i >= 0 && i < n)
                sum += kernel(t - double(k)) * frames[size_t(i)];
        }
        out.frames[size_t(j)] = float(sum);
    }
    return out;
}

} // namespace bandfont
