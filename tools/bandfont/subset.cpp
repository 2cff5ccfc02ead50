#include "subset.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

namespace bandfont {
namespace {

template <typename T>
std::vector<T*> items(GSList* list)
{
    std::vector<T*> out;
    for (GSList* p = list; p; p = p->next)
        out.push_back(static_cast<T*>(p->data));
    return out;
}

bool isSet(const IpatchSF2GenArray& a, int id)
{
    return IPATCH_SF2_GEN_ARRAY_TEST_FLAG(&a, id);
}

// A zone's value, else its global zone's, else the default.
int value(const IpatchSF2GenArray& zone, const IpatchSF2GenArray& global, int id, int fallback)
{
    if (isSet(zone, id))
        return zone.values[id].sword;
    if (isSet(global, id))
        return global.values[id].sword;
    return fallback;
}

Keys keyRange(const IpatchSF2GenArray& zone, const IpatchSF2GenArray& global)
{
    const IpatchSF2GenArray& a = isSet(zone, IPATCH_SF2_GEN_NOTE_RANGE) ? zone : global;
    int low = 0, high = 127;
    if (isSet(a, IPATCH_SF2_GEN_NOTE_RANGE)) {
        low = a.values[IPATCH_SF2_GEN_NOTE_RANGE].range.low;
        high = std::min<int>(a.values[IPATCH_SF2_GEN_NOTE_RANGE].range.high, 127);
    }
    Keys keys;
    for (int k = low; k <= high; ++k)
        keys.set(size_t(k));
    return keys;
}

int lowest(const Keys& keys)
{
    for (int k = 0; k < 128; ++k)
        if (keys.test(size_t(k)))
            return k;
    return 127;
}

// Cents the pitch can fall below the zone's own tuning while a note sounds:
// the LFOs swing both ways, the modulation envelope as its amount says.
int pitchSwing(const IpatchSF2GenArray& zone, const IpatchSF2GenArray& global)
{
    return std::abs(value(zone, global, IPATCH_SF2_GEN_MOD_LFO_TO_PITCH, 0))
        + std::abs(value(zone, global, IPATCH_SF2_GEN_VIB_LFO_TO_PITCH, 0))
        + std::max(0, -value(zone, global, IPATCH_SF2_GEN_MOD_ENV_TO_PITCH, 0));
}

// Cents a preset zone adds to every instrument zone below it, its swing taken off.
int presetCents(const IpatchSF2GenArray& zone, const IpatchSF2GenArray& global)
{
    return 100 * value(zone, global, IPATCH_SF2_GEN_COARSE_TUNE, 0)
        + value(zone, global, IPATCH_SF2_GEN_FINE_TUNE_OVERRIDE, 0) - pitchSwing(zone, global);
}

constexpr int offsetGenerators[] = {
    IPATCH_SF2_GEN_SAMPLE_START,
    IPATCH_SF2_GEN_SAMPLE_END,
    IPATCH_SF2_GEN_SAMPLE_LOOP_START,
    IPATCH_SF2_GEN_SAMPLE_LOOP_END,
    IPATCH_SF2_GEN_SAMPLE_COARSE_START,
    IPATCH_SF2_GEN_SAMPLE_COARSE_END,
    IPATCH_SF2_GEN_SAMPLE_COARSE_LOOP_START,
    IPATCH_SF2_GEN_SAMPLE_COARSE_LOOP_END,
};

// How an instrument is reached: the preset zone, the keys that arrive and its tuning.
struct Reach {
    IpatchSF2Zone* zone;
    Keys keys;
    int cents;
};

} // namespace

IpatchSF2Preset* findPreset(IpatchSF2* font, Preset wanted)
{
    const auto find = [&](int bank, int program) -> IpatchSF2Preset* {
        for (IpatchSF2Preset* p : items<IpatchSF2Preset>(font->presets))
            if (p->bank == bank && p->program == program)
                return p;
        return nullptr;
    };
    if (IpatchSF2Preset* exact = find(wanted.first, wanted.second))
        return exact;
    return wanted.first == 128 ? find(128, 0) : find(0, wanted.second);
}

std::map<IpatchSF2Sample*, SampleUse> cutDown(IpatchSF2* font, const std::map<Preset, Keys>& played, int margin)
{
    std::map<IpatchSF2Preset*, Keys> presets;
    for (const auto& [wanted, keys] : played)
        if (IpatchSF2Preset* p = findPreset(font, wanted))
            presets[p] |= widened(keys, margin);

    std::map<IpatchSF2Inst*, std::vector<Reach>> insts;
    for (IpatchSF2Preset* preset : items<IpatchSF2Preset>(font->presets)) {
        const auto wanted = presets.find(preset);
        if (wanted == presets.end()) {
            ipatch_item_remove(IPATCH_ITEM(preset));
            continue;
        }
        for (IpatchSF2Zone* zone : items<IpatchSF2Zone>(preset->zones)) {
            const Keys keys = wanted->second & keyRange(zone->genarray, preset->genarray);
            auto* inst = IPATCH_SF2_INST(ipatch_sf2_zone_peek_link_item(zone));
            if (keys.none() || !inst) {
                ipatch_item_remove(IPATCH_ITEM(zone));
                continue;
            }
            insts[inst].push_back({zone, keys, presetCents(zone->genarray, preset->genarray)});
        }
    }

    std::map<IpatchSF2Sample*, SampleUse> samples;
    for (IpatchSF2Inst* inst : items<IpatchSF2Inst>(font->insts)) {
        const auto reached = insts.find(inst);
        if (reached == insts.end()) {
            ipatch_item_remove(IPATCH_ITEM(inst));
            continue;
        }
        const IpatchSF2GenArray& global = inst->genarray;
        bool sounds = false;
        for (IpatchSF2Zone* zone : items<IpatchSF2Zone>(inst->zones)) {
            auto* sample = IPATCH_SF2_SAMPLE(ipatch_sf2_zone_peek_link_item(zone));
            const IpatchSF2GenArray& z = zone->genarray;
            const Keys range = keyRange(z, global);
            SampleUse use;
            for (const Reach& reach : reached->second) {
                const Keys keys = reach.keys & range;
                if (keys.none() || !sample)
                    continue;
                const int fixed = value(z, global, IPATCH_SF2_GEN_FIXED_NOTE, -1);
                const int key = fixed >= 0 && fixed < 128 ? fixed : lowest(keys);
                const int override = value(z, global, IPATCH_SF2_GEN_ROOT_NOTE_OVERRIDE, -1);
                const int root = override >= 0 && override < 128 ? override : sample->root_note;
                const double cents = (key - root) * value(z, global, IPATCH_SF2_GEN_SCALE_TUNE, 100)
                    + 100 * value(z, global, IPATCH_SF2_GEN_COARSE_TUNE, 0)
                    + value(z, global, IPATCH_SF2_GEN_FINE_TUNE_OVERRIDE, 0) + sample->fine_tune
                    - pitchSwing(z, global) + reach.cents;
                use.lowestSpeed = std::min(use.lowestSpeed, std::exp2(cents / 1200));
            }
            if (use.lowestSpeed > 1e8) {
                ipatch_item_remove(IPATCH_ITEM(zone));
                continue;
            }
            sounds = true;
            SampleUse& kept = samples[sample];
            kept.lowestSpeed = std::min(kept.lowestSpeed, use.lowestSpeed);
            for (int id : offsetGenerators)
                kept.offsets = kept.offsets || isSet(z, id) || isSet(global, id);
        }
        if (!sounds) { // a drum kit's pieces the songs never strike
            for (const Reach& reach : reached->second)
                ipatch_item_remove(IPATCH_ITEM(reach.zone));
            ipatch_item_remove(IPATCH_ITEM(inst));
        }
    }

    for (const auto& kept : samples) {
        IpatchSF2Sample* partner = ipatch_sf2_sample_peek_linked(kept.first);
        if (partner && !samples.contains(partner)) // its other half is never heard
            g_object_set(kept.first, "linked-sample", nullptr, "channel", IPATCH_SF2_SAMPLE_CHANNEL_MONO, nullptr);
    }
    for (IpatchSF2Sample* sample : items<IpatchSF2Sample>(font->samples))
        if (!samples.contains(sample))
            ipatch_item_remove(IPATCH_ITEM(sample));
    return samples;
}

} // namespace bandfont
