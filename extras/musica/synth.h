// One FluidSynth synthesizer with its soundfont, made for one song and
// deleted with it: the soundfont's memory is held only while a song can play.
#pragma once

#include "smf.h"

#include <QStringList>

#include <array>
#include <memory>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

namespace music {
namespace libraries {
struct FluidSynth;
}

class Synth {
public:
    static constexpr int songChannels = 16;

    // The first of `soundfonts` that loads, with the song's presets read in;
    // null when none does. Quiet: nothing reaches the terminal.
    static std::unique_ptr<Synth> create(const QStringList& soundfonts, int sampleRate,
                                         const SongTimeline& song);
    ~Synth();
    Synth(const Synth&) = delete;
    Synth& operator=(const Synth&) = delete;

    // FluidSynth's default setting, another place soundfonts are looked for.
    static QString defaultSoundFont();

    void write(float* left, float* right, int offset, int frames);
    void dispatch(const TimedEvent& e);

    // The song's channels as they are before its first event, every note released.
    void reset(const SongTimeline& song);
    // Pause: the sounding notes die away; the sustain pedals come back on resume().
    void pause();
    void resume();

private:
    explicit Synth(const libraries::FluidSynth& fs)
        : fs_(fs)
    {
    }
    void holdPresets(const SongTimeline& song);

    const libraries::FluidSynth& fs_;
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    int sfont_ = -1;
    std::array<int, songChannels> pedal_{};
};

} // namespace music
