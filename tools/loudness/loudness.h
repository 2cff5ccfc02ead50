// Loudness as broadcast meters measure it (ITU-R BS.1770): the signal
// K-weighted, its mean square taken, and that in LUFS. The song tests and the
// soundfont comparison both judge by it.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace loudness {

// The K-weighting: a shelf for the head's presence, then a high-pass, as two
// biquads designed for any sample rate.
class KFilter {
public:
    explicit KFilter(double rate)
    {
        double k = std::tan(std::numbers::pi * 1681.974450955533 / rate);
        const double q = 0.7071752369554196, vh = std::pow(10.0, 3.999843853973347 / 20);
        const double vb = std::pow(vh, 0.4996667741545416);
        double a0 = 1 + k / q + k * k;
        shelf_ = {(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
                  2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0};
        k = std::tan(std::numbers::pi * 38.13547087602444 / rate);
        const double q2 = 0.5003270373238773;
        a0 = 1 + k / q2 + k * k;
        pass_ = {1, -2, 1, 2 * (k * k - 1) / a0, (1 - k / q2 + k * k) / a0};
    }
    double operator()(double x) { return stage(pass_, s2_, stage(shelf_, s1_, x)); }

private:
    using Biquad = std::array<double, 5>; // b0 b1 b2 a1 a2
    static double stage(const Biquad& c, std::array<double, 2>& s, double x)
    {
        const double y = c[0] * x + s[0];
        s[0] = c[1] * x - c[3] * y + s[1];
        s[1] = c[2] * x - c[4] * y;
        return y;
    }
    Biquad shelf_, pass_;
    std::array<double, 2> s1_{}, s2_{};
};

// The K-weighted mean square of all channels summed, in LUFS.
inline double lufs(double meanSquare)
{
    return -0.691 + 10 * std::log10(std::max(meanSquare, 1e-20));
}

} // namespace loudness
