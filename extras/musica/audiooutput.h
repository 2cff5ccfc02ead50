// Where the music's sound goes: the system's sound server or device, fed in
// large blocks by a thread of the control's own.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace music {

// Background music needs no low latency: large blocks into a buffer of a few
// of them let the feeding thread sleep most of the time. Their sum bounds how
// late a pause or a close is heard.
constexpr int blockMs = 150;
constexpr int bufferMs = 450;

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Interleaved stereo frames. Blocks until the output has taken them all;
    // false once the output is gone for good (the sound server went away).
    virtual bool write(const int16_t* frames, int count) = 0;
    // Drops what was written and is not yet heard.
    virtual void drop() = 0;
};

// Opens an output for 16-bit stereo at `sampleRate` and names it in `name`;
// null when there is none. May block as long as the sound server does.
using OpenOutput = std::function<std::unique_ptr<AudioOutput>(int sampleRate, QString* name)>;

// Tells desktop sound mixers who is playing: a game (so that a role policy
// can apply), by the application's name, id and icon. Sound servers read this
// from the environment when a stream opens, so call it before any thread starts;
// what the user set there already wins.
void introduceToMixers(const char* applicationId);

// The system's: PulseAudio (PipeWire's too), else ALSA's default device.
std::unique_ptr<AudioOutput> systemOutput(int sampleRate, QString* name);

} // namespace music
