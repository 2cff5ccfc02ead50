// A song rendered offline as a listener hears it: several synthesizers play
// the same events in step, each sounding only its own channels (the stems),
// and their sum is the mix. Loudness is K-weighted as broadcast meters do,
// in 100 ms bins; the mix's plain level is kept in 10 ms bins to find silences.
#pragma once

#include "loudness.h"
#include "smf.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string_view>
#include <vector>

namespace suono {

using loudness::KFilter;
using loudness::lufs;

struct Ascolto {
    // K-weighted mean square per 100 ms, one row per stem, then the mix, then
    // the mix without the first stem.
    std::vector<std::vector<double>> bins;
    // The mix's level per 10 ms in dBFS (the louder channel).
    std::vector<double> levelDb;
    size_t seam10 = 0; // the 10 ms bin where the song starts again
    double peak = 0; // the mix's largest sample

    static constexpr int binsPerSecond = 10;
    // Loudness of `row` over `count` bins from `from`.
    double loudness(size_t row, size_t from, size_t count) const
    {
        double sum = 0;
        for (size_t i = from; i < from + count; ++i)
            sum += bins[row][i];
        return lufs(sum / double(count));
    }
    // Integrated loudness, gated: 400 ms blocks every 100 ms, the silent ones
    // and those 10 LU below the rest left out.
    double integrated(size_t row, size_t songBins) const
    {
        std::vector<double> blocks;
        for (size_t i = 0; i + 4 <= songBins; ++i) {
            const double ms = (bins[row][i] + bins[row][i + 1] + bins[row][i + 2] + bins[row][i + 3]) / 4;
            if (lufs(ms) > -70)
                blocks.push_back(ms);
        }
        auto mean = [](const std::vector<double>& v) {
            double s = 0;
            for (double x : v)
                s += x;
            return v.empty() ? 0.0 : s / double(v.size());
        };
        const double gate = lufs(mean(blocks)) - 10;
        std::vector<double> kept;
        std::copy_if(blocks.begin(), blocks.end(), std::back_inserter(kept), [&](double b) { return lufs(b) > gate; });
        return lufs(mean(kept));
    }
};

inline void quiet(int, const char*, void*) { }

// One synthesizer per stem over the same soundfont, kept for several songs.
class Banda {
public:
    Banda(const char* soundfont, int rate, std::vector<std::set<int>> stems)
        : rate_(rate)
        , stems_(std::move(stems))
    {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, quiet, nullptr);
        settings_ = new_fluid_settings();
        fluid_settings_setnum(settings_, "synth.sample-rate", rate);
        fluid_settings_setnum(settings_, "synth.gain", 0.8);
        fluid_settings_setint(settings_, "synth.dynamic-sample-loading", 1);
        for (size_t i = 0; i < stems_.size(); ++i) {
            synths_.push_back(new_fluid_synth(settings_));
            ok_ = ok_ && fluid_synth_sfload(synths_.back(), soundfont, 1) != FLUID_FAILED;
        }
    }
    ~Banda()
    {
        for (fluid_synth_t* s : synths_)
            delete_fluid_synth(s);
        delete_fluid_settings(settings_);
    }
    Banda(const Banda&) = delete;
    Banda& operator=(const Banda&) = delete;
    bool ok() const { return ok_; }

    // The whole song, then, as the player starts it again, its first
    // `againSeconds` over the released tails of the end.
    Ascolto ascolta(const std::vector<uint8_t>& midi, double againSeconds)
    {
        const auto song = music::readSmf(std::string_view(reinterpret_cast<const char*>(midi.data()), midi.size()), rate_);
        Ascolto out;
        out.bins.assign(stems_.size() + 2, {});
        filters_.assign(2 * (stems_.size() + 2), KFilter(rate_));
        frames_ = 0;
        sum10_ = 0;
        for (fluid_synth_t* s : synths_)
            fluid_synth_system_reset(s);
        play(*song, song->lengthFrames, out);
        out.seam10 = out.levelDb.size();
        for (fluid_synth_t* s : synths_)
            startAgain(s, *song);
        play(*song, uint64_t(againSeconds * rate_), out);
        return out;
    }

private:
    // What the player does before it plays a song from its start: notes
    // released, not cut; the channels set back.
    static void startAgain(fluid_synth_t* s, const music::SongTimeline& song)
    {
        for (int ch = 0; ch < 16; ++ch)
            fluid_synth_cc(s, ch, 64, 0);
        fluid_synth_all_notes_off(s, -1);
        for (int ch = 0; ch < 16; ++ch) {
            for (auto [number, value] : {std::pair{121, 0}, {0, 0}, {32, 0}, {7, 100}, {10, 64}, {91, 0}, {93, 0}})
                fluid_synth_cc(s, ch, number, value);
            if (song.usesDefaultProgram[size_t(ch)])
                fluid_synth_program_change(s, ch, 0);
        }
    }

    void play(const music::SongTimeline& song, uint64_t until, Ascolto& out)
    {
        uint64_t cursor = 0;
        for (size_t e = 0;; ++e) {
            const uint64_t to = e < song.events.size() ? std::min<uint64_t>(song.events[e].frame, until) : until;
            while (cursor < to) {
                const int n = int(std::min<uint64_t>(to - cursor, block));
                render(n, out);
                cursor += uint64_t(n);
            }
            if (e >= song.events.size() || song.events[e].frame >= until)
                return;
            dispatch(song.events[e]);
        }
    }

    void dispatch(const music::TimedEvent& e)
    {
        const int ch = e.status & 0x0F, kind = e.status & 0xF0;
        for (size_t i = 0; i < synths_.size(); ++i) {
            fluid_synth_t* s = synths_[i];
            if (kind == 0x90 && e.data2 > 0 && !stems_[i].count(ch))
                continue;
            if (kind == 0x90 && e.data2 > 0)
                fluid_synth_noteon(s, ch, e.data1, e.data2);
            else if (kind == 0x80 || kind == 0x90)
                fluid_synth_noteoff(s, ch, e.data1);
            else if (kind == 0xB0)
                fluid_synth_cc(s, ch, e.data1, e.data2);
            else if (kind == 0xC0)
                fluid_synth_program_change(s, ch, e.data1);
            else if (kind == 0xE0)
                fluid_synth_pitch_bend(s, ch, e.data1 | e.data2 << 7);
        }
    }

    void render(int n, Ascolto& out)
    {
        const size_t stems = synths_.size();
        std::vector<std::array<float, 2 * block>> buffers(stems);
        for (size_t i = 0; i < stems; ++i)
            fluid_synth_write_float(synths_[i], n, buffers[i].data(), 0, 2, buffers[i].data(), 1, 2);
        const size_t per100 = size_t(rate_ / 10), per10 = size_t(rate_ / 100);
        for (int f = 0; f < n; ++f, ++frames_) {
            if (frames_ % per100 == 0)
                for (auto& row : out.bins)
                    row.push_back(0);
            double level = 0;
            for (size_t c = 0; c < 2; ++c) {
                // the stems, then the mix, then the mix without the first stem
                std::array<double, maxStems + 2> x{};
                for (size_t i = 0; i < stems; ++i) {
                    x[i] = buffers[i][2 * size_t(f) + c];
                    x[stems] += x[i];
                    x[stems + 1] += i ? x[i] : 0;
                }
                for (size_t i = 0; i < stems + 2; ++i) {
                    const double y = filters_[2 * i + c](x[i]);
                    out.bins[i].back() += y * y / double(per100);
                }
                level = std::max(level, x[stems] * x[stems]);
                out.peak = std::max(out.peak, std::abs(x[stems]));
            }
            sum10_ += level;
            if ((frames_ + 1) % per10 == 0) {
                out.levelDb.push_back(10 * std::log10(std::max(sum10_ / double(per10), 1e-20)));
                sum10_ = 0;
            }
        }
    }

    static constexpr int block = 64;
    static constexpr size_t maxStems = 6;
    int rate_;
    std::vector<std::set<int>> stems_;
    fluid_settings_t* settings_ = nullptr;
    std::vector<fluid_synth_t*> synths_;
    std::vector<KFilter> filters_;
    bool ok_ = true;
    uint64_t frames_ = 0;
    double sum10_ = 0;
};

} // namespace suono
