#include "samples.h"

#include "resample.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace bandfont {
namespace {

constexpr int floatMono = int(IPATCH_SAMPLE_FLOAT) | int(IPATCH_SAMPLE_MONO) | int(IPATCH_SAMPLE_ENDIAN_HOST);
constexpr int pcm16Mono
    = int(IPATCH_SAMPLE_16BIT) | int(IPATCH_SAMPLE_MONO) | int(IPATCH_SAMPLE_SIGNED) | int(IPATCH_SAMPLE_ENDIAN_HOST);
// Below this share of its rate a sample keeps what it has: too little to win.
constexpr double worthLowering = 0.9;

void replace(IpatchSF2Sample* sample, const Resampled& r)
{
    const size_t n = r.frames.size();
    auto* pcm = static_cast<gint16*>(g_malloc(n * sizeof(gint16)));
    for (size_t i = 0; i < n; ++i)
        pcm[i] = gint16(std::lround(std::clamp(r.frames[i] * 32768.0f, -32768.0f, 32767.0f)));
    IpatchSample* store = ipatch_sample_store_ram_new(pcm, TRUE);
    g_object_set(store, "sample-size", guint(n), "sample-format", pcm16Mono, "sample-rate", r.rate, nullptr);
    IpatchSampleData* data = ipatch_sample_data_new();
    ipatch_sample_data_add(data, IPATCH_SAMPLE_STORE(store));
    g_object_unref(store);
    ipatch_sf2_sample_set_data(sample, data);
    g_object_unref(data);
    g_object_set(sample, "sample-rate", r.rate, "loop-start", guint(r.loop.start), "loop-end", guint(r.loop.end),
                 nullptr);
}

} // namespace

int lowerRates(const std::map<IpatchSF2Sample*, SampleUse>& samples, int outputRate, GError** err)
{
    int lowered = 0;
    for (const auto& [sample, use] : samples) {
        const int target = neededRate(use.lowestSpeed, outputRate);
        if (use.offsets || target >= worthLowering * sample->rate)
            continue;
        const guint size = ipatch_sample_get_size(IPATCH_SAMPLE(sample), nullptr);
        std::vector<float> frames(size);
        if (!ipatch_sample_read_transform(IPATCH_SAMPLE(sample), 0, size, frames.data(), floatMono,
                                          IPATCH_SAMPLE_UNITY_CHANNEL_MAP, err))
            return -1;
        replace(sample, resample(frames, sample->rate, {sample->loop_start, sample->loop_end}, target));
        ++lowered;
    }
    return lowered;
}

} // namespace bandfont
