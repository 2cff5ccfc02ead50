#include "smf.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace musica {
namespace {

class Reader {
public:
    Reader(std::string_view bytes) : data_(bytes) {}

    bool has(size_t n) const { return data_.size() - pos_ >= n; }
    size_t pos() const { return pos_; }
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

struct RawEvent {
    uint64_t tick;
    uint8_t status, data1, data2;
};

struct TempoChange {
    uint64_t tick;
    uint32_t microsPerQuarter;
};

int dataBytes(uint8_t status)
{
    const uint8_t kind = status & 0xF0;
    return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

// One "MTrk" chunk; its end tick goes to *endTick. False when damaged.
bool readTrack(std::string_view chunk, std::vector<RawEvent>& events,
               std::vector<TempoChange>& tempos, uint64_t* endTick)
{
    Reader r(chunk);
    uint64_t tick = 0;
    uint8_t running = 0;
    while (r.has(1)) {
        const auto delta = r.varLen();
        if (!delta || !r.has(1))
            return false;
        tick += *delta;
        uint8_t status = r.peek();
        if (status < 0x80) {
            if (!running)
                return false;
            status = running;   // running status: the byte is data
        } else {
            r.skip(1);
        }

        if (status == 0xFF) {
            if (!r.has(1))
                return false;
            const uint8_t type = r.byte();
            const auto len = r.varLen();
            if (!len || !r.has(*len))
                return false;
            const auto body = r.take(*len);
            if (type == 0x2F) {
                *endTick = tick;
                return true;   // anything after End of Track is ignored
            }
            if (type == 0x51) {
                if (body.size() != 3)
                    return false;
                const uint32_t us = (uint32_t(uint8_t(body[0])) << 16) | (uint32_t(uint8_t(body[1])) << 8)
                                    | uint8_t(body[2]);
                if (us == 0)
                    return false;
                tempos.push_back({tick, us});
            }
            running = 0;
            continue;
        }
        if (status == 0xF0 || status == 0xF7) {
            const auto len = r.varLen();
            if (!len || !r.has(*len))
                return false;
            r.skip(*len);
            running = 0;
            continue;
        }
        if (status >= 0xF0)
            return false;   // system common and real-time bytes have no place in a file

        const int n = dataBytes(status);
        if (!r.has(size_t(n)))
            return false;
        const uint8_t d1 = r.byte();
        const uint8_t d2 = n == 2 ? r.byte() : 0;
        if (d1 & 0x80 || d2 & 0x80)
            return false;
        running = status;
        events.push_back({tick, status, d1, d2});
    }
    return false;   // the chunk ended without End of Track
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
    const uint32_t tracks = *r.big(2);
    const uint32_t division = *r.big(2);
    r.skip(*headerLen - 6);
    if (format > 1 || tracks == 0 || division == 0)
        return std::nullopt;
    if (format == 0 && tracks != 1)
        return std::nullopt;

    // Seconds per tick are fixed for SMPTE time; metrical time follows the tempo map.
    double smpteSecondsPerTick = 0;
    if (division & 0x8000) {
        const int fps = -int(int8_t(division >> 8));
        const int perFrame = int(division & 0xFF);
        if (fps <= 0 || perFrame == 0)
            return std::nullopt;
        smpteSecondsPerTick = 1.0 / ((fps == 29 ? 29.97 : fps) * perFrame);
    }

    std::vector<RawEvent> raw;
    std::vector<TempoChange> tempos;
    uint64_t endTick = 0;
    uint32_t found = 0;
    while (found < tracks) {
        if (!r.has(8))
            return std::nullopt;   // fewer tracks than the header promises: truncated
        const auto id = r.take(4);
        const uint32_t len = *r.big(4);
        if (!r.has(len))
            return std::nullopt;
        const auto chunk = r.take(len);
        if (id != "MTrk")
            continue;   // unknown chunks are to be skipped
        uint64_t trackEnd = 0;
        std::vector<RawEvent> events;
        if (!readTrack(chunk, events, tempos, &trackEnd))
            return std::nullopt;
        raw.insert(raw.end(), events.begin(), events.end());
        endTick = std::max(endTick, trackEnd);
        ++found;
    }
    if (endTick == 0)
        return std::nullopt;

    // Tracks were appended in file order; a stable sort keeps that order for equal ticks.
    std::stable_sort(raw.begin(), raw.end(), [](const RawEvent& a, const RawEvent& b) { return a.tick < b.tick; });
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });

    // Microseconds at a tick, walking the tempo map alongside the sorted events.
    const double quarter = double(division);
    size_t nextTempo = 0;
    uint64_t segmentTick = 0;
    double segmentMicros = 0;
    double microsPerTick = 500000.0 / quarter;
    auto microsAt = [&](uint64_t tick) {
        if (smpteSecondsPerTick > 0)
            return double(tick) * smpteSecondsPerTick * 1e6;
        while (nextTempo < tempos.size() && tempos[nextTempo].tick <= tick) {
            segmentMicros += double(tempos[nextTempo].tick - segmentTick) * microsPerTick;
            segmentTick = tempos[nextTempo].tick;
            microsPerTick = tempos[nextTempo].microsPerQuarter / quarter;
            ++nextTempo;
        }
        return segmentMicros + double(tick - segmentTick) * microsPerTick;
    };
    auto frameAt = [&](double micros) { return uint64_t(std::llround(micros * sampleRate / 1e6)); };

    SongTimeline song;
    song.events.reserve(raw.size());
    std::array<int, 16> bank{};
    std::array<bool, 16> programmed{};
    auto remember = [&](int b, int p) {
        const std::pair<int, int> preset{b, p};
        if (std::find(song.presets.begin(), song.presets.end(), preset) == song.presets.end())
            song.presets.push_back(preset);
    };
    for (const RawEvent& e : raw) {
        song.events.push_back({frameAt(microsAt(e.tick)), e.status, e.data1, e.data2});
        const int channel = e.status & 0x0F;
        const uint8_t kind = e.status & 0xF0;
        if (kind == 0xB0 && e.data1 == 0)
            bank[size_t(channel)] = e.data2;
        if (kind == 0xC0) {
            programmed[size_t(channel)] = true;
            remember(channel == 9 ? 128 : bank[size_t(channel)], e.data1);
        }
        if (kind == 0x90 && e.data2 > 0 && !programmed[size_t(channel)]
            && !song.usesDefaultProgram[size_t(channel)]) {
            song.usesDefaultProgram[size_t(channel)] = true;
            remember(channel == 9 ? 128 : 0, 0);
        }
    }
    const double endMicros = microsAt(endTick);
    song.lengthFrames = frameAt(endMicros);
    song.lengthMs = int64_t(endMicros / 1000.0);
    if (song.lengthFrames == 0 || song.lengthMs == 0)
        return std::nullopt;
    return song;
}

} // namespace musica
