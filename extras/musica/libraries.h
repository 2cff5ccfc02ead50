// The sound libraries, opened by name the first time the music needs them
// rather than linked to the program: FluidSynth and PulseAudio bring some
// forty libraries of their own, and loading them all before main() cost the
// first frame some 10 ms, for music that starts seconds later.
#pragma once

#include <fluidsynth.h>
#include <pulse/simple.h>
#if TRELVA_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace music::libraries {

// clang-format off
#define TRELVA_FLUIDSYNTH_FUNCTIONS(F) \
    F(new_fluid_settings) F(delete_fluid_settings) F(fluid_settings_setint) \
    F(fluid_settings_setnum) F(fluid_settings_dupstr) F(fluid_free) F(fluid_set_log_function) \
    F(new_fluid_synth) F(delete_fluid_synth) F(fluid_synth_set_interp_method) F(fluid_synth_sfload) \
    F(fluid_synth_program_select) F(fluid_synth_program_change) F(fluid_synth_write_float) \
    F(fluid_synth_noteon) F(fluid_synth_noteoff) F(fluid_synth_key_pressure) F(fluid_synth_cc) \
    F(fluid_synth_get_cc) F(fluid_synth_channel_pressure) F(fluid_synth_pitch_bend) \
    F(fluid_synth_all_notes_off)

// pa_usec_to_bytes lives in libpulse, which libpulse-simple brings with it.
#define TRELVA_PULSE_FUNCTIONS(F) \
    F(pa_simple_new) F(pa_simple_free) F(pa_simple_write) F(pa_simple_flush) F(pa_usec_to_bytes)

#define TRELVA_ALSA_FUNCTIONS(F) \
    F(snd_lib_error_set_handler) F(snd_pcm_open) F(snd_pcm_set_params) F(snd_pcm_writei) \
    F(snd_pcm_recover) F(snd_pcm_drop) F(snd_pcm_prepare) F(snd_pcm_close)

#define TRELVA_POINTER(name) decltype(&::name) name = nullptr;
#define TRELVA_FIND(name) && (name = reinterpret_cast<decltype(name)>(symbol(library, #name)))
// clang-format on

// Looks a function up in an opened library; null when it is not there.
void* symbol(void* library, const char* name);

struct FluidSynth {
    TRELVA_FLUIDSYNTH_FUNCTIONS(TRELVA_POINTER)
    bool find(void* library) { return true TRELVA_FLUIDSYNTH_FUNCTIONS(TRELVA_FIND); }
};

struct Pulse {
    TRELVA_PULSE_FUNCTIONS(TRELVA_POINTER)
    bool find(void* library) { return true TRELVA_PULSE_FUNCTIONS(TRELVA_FIND); }
};

#if TRELVA_HAVE_ALSA
struct Alsa {
    TRELVA_ALSA_FUNCTIONS(TRELVA_POINTER)
    bool find(void* library) { return true TRELVA_ALSA_FUNCTIONS(TRELVA_FIND); }
};
#endif

#undef TRELVA_POINTER
#undef TRELVA_FIND

// Each is opened once, on first use from any thread; null when the library
// or one of its functions is missing, and the music then stays silent.
const FluidSynth* fluidsynth();
const Pulse* pulse();
#if TRELVA_HAVE_ALSA
const Alsa* alsa();
#endif

} // namespace music::libraries
