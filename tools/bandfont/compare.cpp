#include "compare.h"

#include "loudness.h"
#include "mmc1.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace bandfont {
namespace {

using music::MMC1;

double weightedPower(const std::vector<float>& channel, int rate)
{
    loudness::KFilter k(rate);
    double sum = 0;
    for (float v : channel) {
        const double y = k(v);
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
    return power > 0 ? loudness::lufs(power) : -HUGE_VAL;
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
