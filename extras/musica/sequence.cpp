#include "sequence.h"

#include "synth.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdint>

namespace music {
namespace {

// A block's share of work on the song's events. A song that asks for more at
// one moment (a flood of program changes, each reading an instrument from
// disk) falls behind instead of holding the output for seconds.
constexpr auto seekBudget = std::chrono::milliseconds(30);

} // namespace

bool Sequence::reachedEnd()
{
    if (cursor_ < song_.lengthFrames)
        return false;
    state_ = State::Finished;
    return true;
}

bool Sequence::advance(Synth& synth, float* left, float* right, int frames)
{
    const auto deadline = std::chrono::steady_clock::now() + seekBudget;
    bool ended = false;
    int done = 0;
    while (done < frames) {
        if (state_ != State::Playing) {
            synth.write(left, right, done, frames - done);
            break;
        }
        const auto& events = song_.events;
        bool behind = false;
        for (size_t n = 1; next_ < events.size() && events[next_].frame <= cursor_; ++n) {
            synth.dispatch(events[next_++]);
            if (n % 8 == 0 && std::chrono::steady_clock::now() > deadline) {
                behind = true;
                break;
            }
        }
        if (behind) {
            synth.write(left, right, done, frames - done);
            break;
        }
        if (reachedEnd()) {
            ended = true;
            continue;
        }
        uint64_t until = song_.lengthFrames;
        if (next_ < events.size())
            until = std::min<uint64_t>(until, events[next_].frame);
        const int chunk = int(std::min<uint64_t>(until - cursor_, uint64_t(frames - done)));
        synth.write(left, right, done, chunk);
        cursor_ += uint64_t(chunk);
        done += chunk;
    }
    return ended;
}

bool Sequence::advanceSilently(uint64_t frames)
{
    if (state_ != State::Playing)
        return false;
    cursor_ = std::min(song_.lengthFrames, cursor_ + frames);
    const auto& events = song_.events;
    next_ = size_t(std::upper_bound(events.begin(), events.end(), cursor_,
                                    [](uint64_t c, const TimedEvent& e) { return c < e.frame; })
                   - events.begin());
    return reachedEnd();
}

void Sequence::play(Synth* synth, std::optional<uint64_t> from)
{
    if (from) {
        seek(synth, std::min(*from, song_.lengthFrames));
        state_ = State::Playing;
        return;
    }
    if (state_ == State::Paused && synth)
        synth->resume();
    // A song at its end ends again at once, and says so.
    state_ = State::Playing;
}

bool Sequence::pause(Synth* synth)
{
    if (state_ != State::Playing)
        return false;
    state_ = State::Paused;
    if (synth)
        synth->pause();
    return true;
}

// The channels as the song has set them by `target`: every setting in order,
// but of the program changes only each channel's last, which alone is heard
// and which alone reads an instrument from disk.
void Sequence::seek(Synth* synth, uint64_t target)
{
    const auto& events = song_.events;
    size_t end = 0;
    std::array<size_t, 16> program;
    program.fill(SIZE_MAX);
    for (; end < events.size() && events[end].frame < target; ++end)
        if ((events[end].status & 0xF0) == 0xC0)
            program[events[end].status & 0x0F] = end;
    if (synth) {
        synth->reset(song_);
        for (size_t i = 0; i < end; ++i) {
            const uint8_t kind = events[i].status & 0xF0;
            if (kind != 0x80 && kind != 0x90 && (kind != 0xC0 || program[events[i].status & 0x0F] == i))
                synth->dispatch(events[i]);
        }
    }
    next_ = end;
    cursor_ = target;
}

} // namespace music
