#include "synth.h"

#include "libraries.h"

#include <QFile>

#include <glib.h>
#include <malloc.h>

#include <algorithm>
#include <mutex>

namespace music {
namespace {

// Channels 16..31 never play: each holds one of the song's presets selected,
// so that with dynamic sample loading the samples are read from disk when the
// song is opened, on the control's worker, and not by a program change in the
// middle of the output's blocks.
constexpr int holderChannels = 16;
// FluidSynth's default gain of 0.2 leaves our songs some 18 dB below full
// scale; this brings their loudest peaks to about -3 dB.
constexpr double synthGain = 0.8;

void quietFluid(int, const char*, void*) { }
void quietGlib(const gchar*, GLogLevelFlags, const gchar*, gpointer) { }

// Nothing may reach the terminal: FluidSynth logs every level to stderr by
// default, and when a soundfont fails it hands the file to libinstpatch,
// whose glib assertions print "CRITICAL" lines.
void silenceLibraries(const libraries::FluidSynth& fs)
{
    static std::once_flag once;
    std::call_once(once, [&] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fs.fluid_set_log_function(level, quietFluid, nullptr);
        g_log_set_default_handler(quietGlib, nullptr);
    });
}

} // namespace

QString Synth::defaultSoundFont()
{
    const libraries::FluidSynth* fs = libraries::fluidsynth();
    if (!fs)
        return {};
    silenceLibraries(*fs);
    fluid_settings_t* settings = fs->new_fluid_settings();
    if (!settings)
        return {};
    QString path;
    char* value = nullptr;
    if (fs->fluid_settings_dupstr(settings, "synth.default-soundfont", &value) == FLUID_OK && value) {
        path = QString::fromLocal8Bit(value);
        fs->fluid_free(value);
    }
    fs->delete_fluid_settings(settings);
    return path;
}

std::unique_ptr<Synth> Synth::create(const QStringList& soundfonts, int sampleRate,
                                     const SongTimeline& song)
{
    const libraries::FluidSynth* fs = libraries::fluidsynth();
    if (!fs)
        return nullptr;
    silenceLibraries(*fs);
    std::unique_ptr<Synth> s(new Synth(*fs));
    s->settings_ = fs->new_fluid_settings();
    if (!s->settings_)
        return nullptr;
    fs->fluid_settings_setnum(s->settings_, "synth.sample-rate", sampleRate);
    fs->fluid_settings_setint(s->settings_, "synth.midi-channels", songChannels + holderChannels);
    fs->fluid_settings_setint(s->settings_, "synth.dynamic-sample-loading", 1);
    fs->fluid_settings_setnum(s->settings_, "synth.gain", synthGain);
    fs->fluid_settings_setint(s->settings_, "synth.cpu-cores", 1);
    s->synth_ = fs->new_fluid_synth(s->settings_);
    if (!s->synth_)
        return nullptr;
    // Background music on a laptop: straight-line interpolation costs a
    // fraction of the default's and is not heard under the game.
    fs->fluid_synth_set_interp_method(s->synth_, -1, FLUID_INTERP_LINEAR);
    for (const QString& path : soundfonts) {
        // No preset reset: nothing is selected, so nothing is loaded, until the song asks.
        const int id = fs->fluid_synth_sfload(s->synth_, QFile::encodeName(path).constData(), 0);
        if (id != FLUID_FAILED) {
            s->sfont_ = id;
            s->holdPresets(song);
            s->reset(song);
            return s;
        }
    }
    return nullptr;
}

Synth::~Synth()
{
    if (synth_)
        fs_.delete_fluid_synth(synth_);
    if (settings_)
        fs_.delete_fluid_settings(settings_);
    // The soundfont's samples were many small blocks: hand the pages back.
    malloc_trim(0);
}

void Synth::holdPresets(const SongTimeline& song)
{
    const size_t n = std::min<size_t>(song.presets.size(), holderChannels);
    for (size_t i = 0; i < n; ++i) {
        const auto [bank, program] = song.presets[i];
        const int holder = songChannels + int(i);
        if (fs_.fluid_synth_program_select(synth_, holder, sfont_, bank, program) != FLUID_OK && bank != 128)
            fs_.fluid_synth_program_select(synth_, holder, sfont_, 0, program);
    }
}

void Synth::write(float* left, float* right, int offset, int frames)
{
    fs_.fluid_synth_write_float(synth_, frames, left, offset, 1, right, offset, 1);
}

void Synth::dispatch(const TimedEvent& e)
{
    const int ch = e.status & 0x0F;
    switch (e.status & 0xF0) {
    case 0x80:
        fs_.fluid_synth_noteoff(synth_, ch, e.data1);
        break;
    case 0x90:
        if (e.data2 == 0)
            fs_.fluid_synth_noteoff(synth_, ch, e.data1);
        else
            fs_.fluid_synth_noteon(synth_, ch, e.data1, e.data2);
        break;
    case 0xA0:
        fs_.fluid_synth_key_pressure(synth_, ch, e.data1, e.data2);
        break;
    case 0xB0:
        fs_.fluid_synth_cc(synth_, ch, e.data1, e.data2);
        break;
    case 0xC0:
        fs_.fluid_synth_program_change(synth_, ch, e.data1);
        break;
    case 0xD0:
        fs_.fluid_synth_channel_pressure(synth_, ch, e.data1);
        break;
    case 0xE0:
        fs_.fluid_synth_pitch_bend(synth_, ch, e.data1 | (e.data2 << 7));
        break;
    }
}

// Notes from before are released, not cut, so that the last chord of a song
// that starts again rings out over its opening.
void Synth::reset(const SongTimeline& song)
{
    for (int ch = 0; ch < songChannels; ++ch)
        fs_.fluid_synth_cc(synth_, ch, 64, 0);
    fs_.fluid_synth_all_notes_off(synth_, -1);
    for (int ch = 0; ch < songChannels; ++ch) {
        fs_.fluid_synth_cc(synth_, ch, 121, 0);
        fs_.fluid_synth_cc(synth_, ch, 0, 0);
        fs_.fluid_synth_cc(synth_, ch, 32, 0);
        fs_.fluid_synth_cc(synth_, ch, 7, 100);
        fs_.fluid_synth_cc(synth_, ch, 10, 64);
        fs_.fluid_synth_cc(synth_, ch, 91, 0);
        fs_.fluid_synth_cc(synth_, ch, 93, 0);
        if (song.usesDefaultProgram[size_t(ch)])
            fs_.fluid_synth_program_change(synth_, ch, 0);
    }
}

void Synth::pause()
{
    for (int ch = 0; ch < songChannels; ++ch) {
        int value = 0;
        fs_.fluid_synth_get_cc(synth_, ch, 64, &value);
        pedal_[size_t(ch)] = value;
        fs_.fluid_synth_cc(synth_, ch, 64, 0);
    }
    fs_.fluid_synth_all_notes_off(synth_, -1);
}

void Synth::resume()
{
    for (int ch = 0; ch < songChannels; ++ch)
        fs_.fluid_synth_cc(synth_, ch, 64, pedal_[size_t(ch)]);
}

} // namespace music
