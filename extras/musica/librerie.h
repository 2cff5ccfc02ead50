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

namespace musica::librerie {

// clang-format off
#define TRELVA_FUNZIONI_FLUIDSYNTH(F) \
    F(new_fluid_settings) F(delete_fluid_settings) F(fluid_settings_setint) \
    F(fluid_settings_setnum) F(fluid_settings_dupstr) F(fluid_free) F(fluid_set_log_function) \
    F(new_fluid_synth) F(delete_fluid_synth) F(fluid_synth_set_interp_method) F(fluid_synth_sfload) \
    F(fluid_synth_program_select) F(fluid_synth_program_change) F(fluid_synth_write_float) \
    F(fluid_synth_noteon) F(fluid_synth_noteoff) F(fluid_synth_key_pressure) F(fluid_synth_cc) \
    F(fluid_synth_get_cc) F(fluid_synth_channel_pressure) F(fluid_synth_pitch_bend) \
    F(fluid_synth_all_notes_off)

// pa_usec_to_bytes lives in libpulse, which libpulse-simple brings with it.
#define TRELVA_FUNZIONI_PULSE(F) \
    F(pa_simple_new) F(pa_simple_free) F(pa_simple_write) F(pa_simple_flush) F(pa_usec_to_bytes)

#define TRELVA_FUNZIONI_ALSA(F) \
    F(snd_lib_error_set_handler) F(snd_pcm_open) F(snd_pcm_set_params) F(snd_pcm_writei) \
    F(snd_pcm_recover) F(snd_pcm_drop) F(snd_pcm_prepare) F(snd_pcm_close)

#define TRELVA_PUNTATORE(nome) decltype(&::nome) nome = nullptr;
#define TRELVA_CERCA(nome) && (nome = reinterpret_cast<decltype(nome)>(simbolo(libreria, #nome)))
// clang-format on

// Looks a function up in an opened library; null when it is not there.
void* simbolo(void* libreria, const char* nome);

struct FluidSynth {
    TRELVA_FUNZIONI_FLUIDSYNTH(TRELVA_PUNTATORE)
    bool trova(void* libreria) { return true TRELVA_FUNZIONI_FLUIDSYNTH(TRELVA_CERCA); }
};

struct Pulse {
    TRELVA_FUNZIONI_PULSE(TRELVA_PUNTATORE)
    bool trova(void* libreria) { return true TRELVA_FUNZIONI_PULSE(TRELVA_CERCA); }
};

#if TRELVA_HAVE_ALSA
struct Alsa {
    TRELVA_FUNZIONI_ALSA(TRELVA_PUNTATORE)
    bool trova(void* libreria) { return true TRELVA_FUNZIONI_ALSA(TRELVA_CERCA); }
};
#endif

#undef TRELVA_PUNTATORE
#undef TRELVA_CERCA

// Each is opened once, on first use from any thread; null when the library
// or one of its functions is missing, and the music then stays silent.
const FluidSynth* fluidsynth();
const Pulse* pulse();
#if TRELVA_HAVE_ALSA
const Alsa* alsa();
#endif

} // namespace musica::librerie
