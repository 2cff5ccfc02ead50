#include "sequenza.h"

#include "sintetizzatore.h"

#include <algorithm>

namespace musica {

bool Sequenza::finito()
{
    if (cursor_ < song_.lengthFrames)
        return false;
    stato_ = Stato::Finito;
    return true;
}

bool Sequenza::avanza(Sintetizzatore* synth, float* left, float* right, int frames)
{
    bool ended = false;
    int done = 0;
    while (done < frames) {
        if (stato_ != Stato::Suona) {
            if (synth)
                synth->write(left, right, done, frames - done);
            break;
        }
        const auto& events = song_.events;
        while (next_ < events.size() && events[next_].frame <= cursor_) {
            if (synth)
                synth->dispatch(events[next_]);
            ++next_;
        }
        if (finito()) {
            ended = true;
            continue;
        }
        uint64_t until = song_.lengthFrames;
        if (next_ < events.size())
            until = std::min<uint64_t>(until, events[next_].frame);
        const int chunk = int(std::min<uint64_t>(until - cursor_, uint64_t(frames - done)));
        if (synth)
            synth->write(left, right, done, chunk);
        cursor_ += uint64_t(chunk);
        done += chunk;
    }
    return ended;
}

bool Sequenza::avanzaMuta(uint64_t frames)
{
    if (stato_ != Stato::Suona)
        return false;
    cursor_ = std::min(song_.lengthFrames, cursor_ + frames);
    const auto& events = song_.events;
    next_ = size_t(std::upper_bound(events.begin(), events.end(), cursor_,
                                    [](uint64_t c, const TimedEvent& e) { return c < e.frame; })
                   - events.begin());
    return finito();
}

void Sequenza::play(Sintetizzatore* synth, std::optional<uint64_t> from)
{
    if (from) {
        seek(synth, std::min(*from, song_.lengthFrames));
        stato_ = Stato::Suona;
        return;
    }
    if (stato_ == Stato::Pausa && synth)
        synth->resume();
    // A song at its end ends again at once, and says so.
    stato_ = Stato::Suona;
}

bool Sequenza::pause(Sintetizzatore* synth)
{
    if (stato_ != Stato::Suona)
        return false;
    stato_ = Stato::Pausa;
    if (synth)
        synth->pause();
    return true;
}

void Sequenza::seek(Sintetizzatore* synth, uint64_t target)
{
    const auto& events = song_.events;
    size_t i = 0;
    if (synth)
        synth->reset(song_);
    for (; i < events.size() && events[i].frame < target; ++i) {
        const uint8_t kind = events[i].status & 0xF0;
        if (synth && kind != 0x80 && kind != 0x90)
            synth->dispatch(events[i]);
    }
    next_ = i;
    cursor_ = target;
}

} // namespace musica
