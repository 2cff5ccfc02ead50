// Where an open song stands and what it does: its events go to the
// synthesizer at their frames while it plays. Without a synthesizer it only
// keeps time, for a song that plays on while no output hears it.
#pragma once

#include "smf.h"

#include <optional>

namespace music {

class Synth;

class Sequence {
public:
    enum class State { Stopped,
                       Playing,
                       Paused,
                       Finished };

    explicit Sequence(SongTimeline song)
        : song_(std::move(song))
    {
    }

    const SongTimeline& song() const { return song_; }
    State state() const { return state_; }
    uint64_t cursor() const { return cursor_; }

    // The next `frames` of sound into left and right, the song's time moved
    // on by as much as it plays. True when it reached its end.
    bool advance(Synth& synth, float* left, float* right, int frames);
    // Only the time: for a song nobody hears.
    bool advanceSilently(uint64_t frames);

    // From `from` when given (notes before it are released), else on from
    // where it stands.
    void play(Synth* synth, std::optional<uint64_t> from);
    // True when it was playing.
    bool pause(Synth* synth);
    // A new synthesizer takes over: the channels as the song has set them by now.
    void adopt(Synth& synth) { seek(&synth, cursor_); }

private:
    void seek(Synth* synth, uint64_t target);
    bool reachedEnd();

    SongTimeline song_;
    State state_ = State::Stopped;
    uint64_t cursor_ = 0;
    size_t next_ = 0;
};

} // namespace music
