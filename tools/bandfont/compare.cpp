#include "compare.h"

#include "mmc1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <numbers>

namespace bandfont {
namespace {

using music::MMC1;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0, z2 = 0;
    double operator()(double x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two stages of BS.1770's K filter, designed for any rate.
std::vector<Biquad> kFilter(int rate)
{
    const double shelfK = std::tan(std::numbers::pi * 1681.974450955533 / rate);
    const double shelfQ = 0.7071752369554196;
    const double vh = std::pow(10.0, 3.999843853973347 / 20);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double s0 = 1 + shelfK / shelfQ + shelfK * shelfK;
    const double passK = std::tan(std::numbers::pi * 38.13547087602444 / rate);
    const double passQ = 0.5003270373238773;
    const double p0 = 1 + passK / passQ + passK * passK;
    return {
        {(vh + vb * shelfK / shelfQ + shelfK * shelfK) / s0, 2 * (shelfK * shelfK - vh) / s0,
         (vh - vb * shelfK / shelfQ + shelfK * shelfK) / s0, 2 * (shelfK * shelfK - 1) / s0,
         (1 - shelfK / shelfQ + shelfK * shelfK) / s0},
        {1, -2, 1, 2 * (passK * passK - 1) / p0, (1 - passK / passQ + passK * passK) / p0},
    };
}

double weightedPower(const std::vector<float>& channel, int rate)
{
    std::vector<Biquad> k = kFilter(rate);
    double sum = 0;
    for (float v : channel) {
        const double y = k[1](k[0](v));
        sum += y * y;
    }
    return channel.empty() ? 0 : sum / double(channel.size());
}

} // namespace

Rendering renderSong(const QString& song, const QString& soundfont, qint64 fromMs, qint64 ms)
{
    QTemporaryDir alone;
    const QString copy = alone.filePath(QFileInfo(song).fileName());
    QFile::copy(song, copy);
    MMC1::Options options;
    options.output = MMC1::Output::Offline;
    options.soundfonts = {soundfont};
    MMC1 mmc(options);
    mmc.setFileName(copy);
    mmc.setCommand("open");
    mmc.setFrom(fromMs);
    mmc.setCommand("play");
    mmc.waitForIdle();
    Rendering r;
    r.rate = mmc.sampleRate();
    const qint64 endMs = ms > 0 ? std::min(mmc.length(), fromMs + ms) : mmc.length();
    const size_t frames = size_t(std::max<qint64>(0, endMs - fromMs) * r.rate / 1000);
    r.left.resize(frames);
    r.right.resize(frames);
    constexpr size_t block = 4096;
    for (size_t at = 0; at < frames; at += block) {
        const int n = int(std::min(block, frames - at));
        mmc.render(r.left.data() + at, r.right.data() + at, n);
    }
    return r;
}

double loudness(const Rendering& r)
{
    const double power = weightedPower(r.left, r.rate) + weightedPower(r.right, r.rate);
    return power > 0 ? -0.691 + 10 * std::log10(power) : -HUGE_VAL;
}

double correlation(const Rendering& a, const Rendering& b)
{
    double sa = 0, sb = 0, sab = 0, ma = 0, mb = 0;
    size_t n = 0;
    for (const auto& [x, y] : {std::pair(&a.left, &b.left), std::pair(&a.right, &b.right)})
        for (size_t i = 0; i < std::min(x->size(), y->size()); ++i, ++n) {
            ma += (*x)[i];
            mb += (*y)[i];
        }
    if (n == 0)
        return 0;
    ma /= double(n);
    mb /= double(n);
    for (const auto& [x, y] : {std::pair(&a.left, &b.left), std::pair(&a.right, &b.right)})
        for (size_t i = 0; i < std::min(x->size(), y->size()); ++i) {
            const double u = (*x)[i] - ma, v = (*y)[i] - mb;
            sa += u * u;
            sb += v * v;
            sab += u * v;
        }
    return sa > 0 && sb > 0 ? sab / std::sqrt(sa * sb) : 0;
}

} // namespace bandfont
