#include "smf.h"

#include <algorithm>
#include <bitset>
#include <climits>
#include <cmath>
#include <cstdint>
#include <queue>

namespace music {
namespace {

class Reader {
public:
    explicit Reader(std::string_view bytes = {})
        : data_(bytes)
    {
    }

    bool has(size_t n) const { return data_.size() - pos_ >= n; }
    void skip(size_t n) { pos_ += n; }
    uint8_t byte() { return uint8_t(data_[pos_++]); }
    uint8_t peek() const { return uint8_t(data_[pos_]); }

    std::optional<uint32_t> big(int width)
    {
        if (!has(size_t(width)))
            return std::nullopt;
        uint32_t v = 0;
        for (int i = 0; i < width; ++i)
            v = (v << 8) | byte();
        return v;
    }

    // Variable-length quantity: at most four bytes.
    std::optional<uint32_t> varLen()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            if (!has(1))
                return std::nullopt;
            const uint8_t b = byte();
            v = (v << 7) | (b & 0x7F);
            if (!(b & 0x80))
                return v;
        }
        return std::nullopt;
    }

    std::string_view take(size_t n)
    {
        const auto s = data_.substr(pos_, n);
        pos_ += n;
        return s;
    }

private:
    std::string_view data_;
    size_t pos_ = 0;
};

int dataBytes(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// What one event of a track turned out to be.
struct Event {
    enum Kind { Channel,
                Tempo,
                End,
                Other,
                Bad } kind
        = Bad;
    uint8_t status = 0, data1 = 0, data2 = 0;
    uint32_t microsPerQuarter = 0;
};

// One "MTrk" chunk, read an event at a time: the tick of the next event is
// known before its body is read, so that the tracks can be merged in time order.
struct Track {
    Reader r;
    size_t index = 0; // place in the file: breaks ties between tracks
    uint64_t tick = 0; // of the event whose body comes next
    uint8_t running = 0;

    // Reads the next delta time; false when the track ends without End of Track.
    bool advance()
    {
        const auto delta = r.varLen();
        if (!delta || !r.has(1))
            return false;
        tick += *delta;
        return true;
    }

    Event body()
    {
        Event e;
        uint8_t status = r.peek();
        if (status < 0x80) {
            if (!running)
                return e; // data with no status to run on
            status = running;
        } else {
            r.skip(1);
        }
        if (status == 0xFF) {
            running = 0;
            if (!r.has(1))
                return e;
            const uint8_t type = r.byte();
            const auto len = r.varLen();
            if (!len || !r.has(*len))
                return e;
            const auto data = r.take(*len);
            if (type == 0x2F) {
                e.kind = Event::End;
            } else if (type == 0x51) {
                if (data.size() != 3)
                    return e;
                e.microsPerQuarter = (uint32_t(uint8_t(data[0])) << 16) | (uint32_t(uint8_t(data[1])) << 8)
                    | uint8_t(data[2]);
                e.kind = e.microsPerQuarter ? Event::Tempo : Event::Bad;
            } else {
                e.kind = Event::Other;
            }
            return e;
        }
        if (status == 0xF0 || status == 0xF7) {
            running = 0;
            const auto len = r.varLen();
            if (!len || !r.has(*len))
                return e;
            r.skip(*len);
            e.kind = Event::Other;
            return e;
        }
        if (status >= 0xF0)
            return e; // system common and real-time bytes have no place in a file
        const int n = dataBytes(status);
        if (!r.has(size_t(n)))
            return e;
        // A data byte with its top bit set is a writer's slip that lenient
        // readers take as 127: one bad byte must not silence a whole song.
        const auto data = [&] { return std::min<uint8_t>(r.byte(), 0x7F); };
        e.status = status;
        e.data1 = data();
        e.data2 = n == 2 ? data() : 0;
        running = status;
        e.kind = Event::Channel;
        return e;
    }
};

// Ticks to microseconds along the tempo map, which is met in time order.
class Clock {
public:
    Clock(uint32_t division)
    {
        if (division & 0x8000) {
            const int fps = -int(int8_t(division >> 8));
            const int perFrame = int(division & 0xFF);
            if (fps > 0 && perFrame > 0)
                microsPerTick_ = 1e6 / ((fps == 29 ? 29.97 : fps) * perFrame);
            smpte_ = true;
        } else {
            quarter_ = double(division);
            microsPerTick_ = 500000.0 / quarter_;
        }
    }

    bool valid() const { return microsPerTick_ > 0; }

    double micros(uint64_t tick) const { return segmentMicros_ + double(tick - segmentTick_) * microsPerTick_; }

    // Fixed seconds per tick in SMPTE time: tempo events change nothing there.
    void tempo(uint64_t tick, uint32_t microsPerQuarter)
    {
        if (smpte_)
            return;
        segmentMicros_ = micros(tick);
        segmentTick_ = tick;
        microsPerTick_ = microsPerQuarter / quarter_;
    }

private:
    bool smpte_ = false;
    double quarter_ = 0;
    double microsPerTick_ = 0;
    uint64_t segmentTick_ = 0;
    double segmentMicros_ = 0;
};

// Each (bank, program) once, in the order the song first selects it.
class Presets {
public:
    explicit Presets(SongTimeline& song)
        : song_(song)
    {
    }

    void note(int channel, const TimedEvent& e)
    {
        const uint8_t kind = e.status & 0xF0;
        if (kind == 0xB0 && e.data1 == 0)
            bank_[size_t(channel)] = e.data2;
        if (kind == 0xC0) {
            programmed_[size_t(channel)] = true;
            remember(channel == 9 ? 128 : bank_[size_t(channel)], e.data1);
        }
        if (kind == 0x90 && e.data2 > 0 && !programmed_[size_t(channel)]
            && !song_.usesDefaultProgram[size_t(channel)]) {
            song_.usesDefaultProgram[size_t(channel)] = true;
            remember(channel == 9 ? 128 : 0, 0);
        }
    }

private:
    void remember(int bank, int program)
    {
        const size_t bit = size_t(bank) * 128 + size_t(program);
        if (!seen_.test(bit)) {
            seen_.set(bit);
            song_.presets.emplace_back(bank, program);
        }
    }

    SongTimeline& song_;
    std::array<int, 16> bank_{};
    std::array<bool, 16> programmed_{};
    // banks 0..127 and 128 for drums
    std::bitset<129 * 128> seen_;
};

constexpr size_t noIndex = SIZE_MAX;

// A program change that another replaces before its channel plays a note is
// never heard; with dynamic sample loading each one would still read its
// instrument from disk. It is marked (status 0) for removal. `pending` holds,
// for each channel, the index of its last program change not yet heard.
void dropSuperseded(std::vector<TimedEvent>& events, uint8_t status, std::array<size_t, 16>& pending)
{
    size_t& last = pending[size_t(status & 0x0F)];
    switch (status & 0xF0) {
    case 0xC0:
        if (last != noIndex && last + 1 == events.size())
            events.pop_back(); // the usual flood: nothing in between, nothing kept
        else if (last != noIndex)
            events[last].status = 0;
        last = events.size();
        break;
    case 0x90:
        last = noIndex;
        break;
    }
}

} // namespace

std::optional<SongTimeline> readSmf(std::string_view bytes, int sampleRate)
{
    if (sampleRate <= 0)
        return std::nullopt;
    Reader r(bytes);
    if (!r.has(8) || r.take(4) != "MThd")
        return std::nullopt;
    const auto headerLen = r.big(4);
    if (!headerLen || *headerLen < 6 || !r.has(*headerLen))
        return std::nullopt;
    const uint32_t format = *r.big(2);
    const uint32_t count = *r.big(2);
    const uint32_t division = *r.big(2);
    r.skip(*headerLen - 6);
    if (format > 1 || count == 0 || division == 0 || (format == 0 && count != 1))
        return std::nullopt;
    Clock clock(division);
    if (!clock.valid())
        return std::nullopt;

    std::vector<Track> tracks;
    tracks.reserve(count);
    while (tracks.size() < count) {
        if (!r.has(8))
            return std::nullopt; // fewer tracks than the header promises: truncated
        const auto id = r.take(4);
        const uint32_t len = *r.big(4);
        if (!r.has(len))
            return std::nullopt;
        const auto chunk = r.take(len);
        if (id != "MTrk")
            continue; // unknown chunks are to be skipped
        Track t{Reader(chunk), tracks.size()};
        if (!t.advance())
            return std::nullopt;
        tracks.push_back(t);
    }

    // The track whose next event comes first, the earlier track on a tie:
    // the order a stable sort of all events by tick would give.
    auto later = [&](size_t a, size_t b) {
        return tracks[a].tick != tracks[b].tick ? tracks[a].tick > tracks[b].tick : a > b;
    };
    std::priority_queue<size_t, std::vector<size_t>, decltype(later)> next(later);
    for (size_t i = 0; i < tracks.size(); ++i)
        next.push(i);

    const double framesPerMicro = sampleRate / 1e6;
    const double longest = double(longestSongMs) * 1000.0;
    SongTimeline song;
    // At least two bytes a channel message in the file: no growth copies.
    song.events.reserve(bytes.size() / 2);
    std::array<size_t, 16> pending;
    pending.fill(noIndex);
    uint64_t endTick = 0;
    while (!next.empty()) {
        Track& t = tracks[next.top()];
        next.pop();
        const Event e = t.body();
        if (e.kind == Event::Bad)
            return std::nullopt;
        if (e.kind == Event::End) {
            endTick = std::max(endTick, t.tick);
            // anything after End of Track is ignored
            continue;
        }
        if (e.kind == Event::Tempo)
            clock.tempo(t.tick, e.microsPerQuarter);
        if (e.kind == Event::Channel) {
            const double micros = clock.micros(t.tick);
            const double frame = std::round(micros * framesPerMicro);
            if (micros > longest || frame > double(UINT32_MAX))
                return std::nullopt;
            dropSuperseded(song.events, e.status, pending);
            song.events.push_back({uint32_t(frame), e.status, e.data1, e.data2});
        }
        if (!t.advance())
            return std::nullopt; // the chunk ended without End of Track
        next.push(t.index);
    }

    const double endMicros = clock.micros(endTick);
    if (endTick == 0 || endMicros > longest)
        return std::nullopt;
    song.lengthFrames = uint64_t(std::llround(endMicros * framesPerMicro));
    song.lengthMs = std::llround(endMicros / 1000.0); // 29.97 frames a second are never exact
    if (song.lengthFrames == 0 || song.lengthMs == 0 || song.lengthFrames > UINT32_MAX)
        return std::nullopt;
    std::erase_if(song.events, [](const TimedEvent& e) { return e.status == 0; });
    if (song.events.size() < song.events.capacity() / 2)
        song.events.shrink_to_fit(); // what was reserved for the worst case goes back
    Presets presets(song);
    for (const TimedEvent& e : song.events)
        presets.note(e.status & 0x0F, e);
    return song;
}

} // namespace music
