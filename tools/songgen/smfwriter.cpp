#include "songgen.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace songgen {
namespace {

void putVarLen(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t bytes[5];
    int n = 0;
    do {
        bytes[n++] = value & 0x7F;
        value >>= 7;
    } while (value != 0);
    while (n > 1)
        out.push_back(bytes[--n] | 0x80);
    out.push_back(bytes[0]);
}

void putBig(std::vector<uint8_t>& out, uint32_t value, int width)
{
    for (int i = width - 1; i >= 0; --i)
        out.push_back(uint8_t(value >> (8 * i)));
}

uint8_t clamp7(int v)
{
    return uint8_t(std::clamp(v, 0, 127));
}

} // namespace

Track::Track(std::string name)
    : name_(std::move(name))
{
    if (!name_.empty())
        text(0, 0x03, name_);
}

void Track::add(std::vector<Event>& to, int tick, int rank, std::vector<uint8_t> bytes)
{
    if (tick < 0)
        throw std::runtime_error("event before the start of the song");
    to.push_back({tick, rank, int(to.size()), std::move(bytes)});
}

void Track::add(int tick, int rank, std::vector<uint8_t> bytes)
{
    add(events_, tick, rank, std::move(bytes));
}

void Track::note(int tick, int length, int channel, int key, int velocity)
{
    if (length > 0)
        notes_.push_back({tick, length, channel, key, velocity});
}

void Track::controller(int tick, int channel, int number, int value)
{
    add(tick, 1, {uint8_t(0xB0 | channel), clamp7(number), clamp7(value)});
}

void Track::program(int tick, int channel, int number)
{
    add(tick, 1, {uint8_t(0xC0 | channel), clamp7(number)});
}

void Track::tempo(int tick, double quartersPerMinute)
{
    const auto micros = uint32_t(std::lround(60'000'000.0 / quartersPerMinute));
    add(tick, 0, {0xFF, 0x51, 0x03, uint8_t(micros >> 16), uint8_t(micros >> 8), uint8_t(micros)});
}

void Track::timeSignature(int tick, int numerator, int denominator)
{
    uint8_t power = 0;
    while ((1 << power) < denominator)
        ++power;
    // MIDI clocks per metronome click: a quarter, or a dotted quarter in compound time.
    const uint8_t clocks = (denominator == 8 && numerator % 3 == 0) ? 36 : 24;
    add(tick, 0, {0xFF, 0x58, 0x04, uint8_t(numerator), power, clocks, 8});
}

void Track::keySignature(int tick, int sharps, bool minor)
{
    add(tick, 0, {0xFF, 0x59, 0x02, uint8_t(int8_t(sharps)), uint8_t(minor ? 1 : 0)});
}

void Track::text(int tick, uint8_t metaType, const std::string& text)
{
    std::vector<uint8_t> bytes{0xFF, metaType};
    putVarLen(bytes, uint32_t(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    add(tick, 0, std::move(bytes));
}

std::vector<uint8_t> Track::chunk(int endTick) const
{
    std::vector<Event> sorted = events_;
    std::vector<Note> notes = notes_;
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
        if (a.channel != b.channel)
            return a.channel < b.channel;
        if (a.key != b.key)
            return a.key < b.key;
        return a.tick < b.tick;
    });
    for (size_t i = 0; i < notes.size(); ++i) {
        Note n = notes[i];
        if (i + 1 < notes.size() && notes[i + 1].channel == n.channel && notes[i + 1].key == n.key)
            n.length = std::min(n.length, notes[i + 1].tick - n.tick);
        if (n.length <= 0)
            continue; // struck twice at once: one note is enough
        add(sorted, n.tick, 3, {uint8_t(0x90 | n.channel), clamp7(n.key), uint8_t(std::clamp(n.velocity, 1, 127))});
        add(sorted, n.tick + n.length, 2, {uint8_t(0x80 | n.channel), clamp7(n.key), 64});
    }
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.rank != b.rank)
            return a.rank < b.rank;
        return a.serial < b.serial;
    });

    std::vector<uint8_t> body;
    int now = 0;
    for (const Event& e : sorted) {
        putVarLen(body, uint32_t(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    putVarLen(body, uint32_t(std::max(0, endTick - now)));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});

    std::vector<uint8_t> out{'M', 'T', 'r', 'k'};
    putBig(out, uint32_t(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<uint8_t> writeSmf(const std::vector<Track>& tracks, int endTick)
{
    std::vector<uint8_t> out{'M', 'T', 'h', 'd', 0, 0, 0, 6};
    putBig(out, 1, 2);
    putBig(out, uint32_t(tracks.size()), 2);
    putBig(out, ticksPerQuarter, 2);
    for (const Track& t : tracks) {
        const auto c = t.chunk(endTick);
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

} // namespace songgen
