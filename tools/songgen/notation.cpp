#include "arranger.h"
#include "songgen.h"

#include <cctype>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace songgen {
namespace {

[[noreturn]] void fail(int bar, const std::string& token, const std::string& why)
{
    std::ostringstream s;
    s << "bar " << bar << ", \"" << token << "\": " << why;
    throw std::runtime_error(s.str());
}

int pitchClass(char letter)
{
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        return -1;
    }
}

// Reads "C", "F#", "Bb" at pos; returns the pitch class or -1.
int readNoteName(const std::string& s, size_t& pos)
{
    if (pos >= s.size())
        return -1;
    int pc = pitchClass(s[pos]);
    if (pc < 0)
        return -1;
    ++pos;
    if (pos < s.size() && s[pos] == '#') {
        pc += 1;
        ++pos;
    } else if (pos < s.size() && s[pos] == 'b') {
        pc += 11;
        ++pos;
    }
    return pc % 12;
}

int baseLength(char c)
{
    constexpr int q = ticksPerQuarter;
    switch (c) {
    case 'w':
        return 4 * q;
    case 'h':
        return 2 * q;
    case 'q':
        return q;
    case 'e':
        return q / 2;
    case 's':
        return q / 4;
    case 't':
        return q / 8;
    default:
        return 0;
    }
}

// "q", "q.", "e3", "h+e": one or more tied lengths.
int readLength(const std::string& s, size_t& pos, int bar, const std::string& token)
{
    int total = 0;
    for (;;) {
        if (pos >= s.size() || baseLength(s[pos]) == 0)
            fail(bar, token, "expected a length w, h, q, e, s or t");
        int len = baseLength(s[pos++]);
        if (pos < s.size() && s[pos] == '.') {
            len += len / 2;
            ++pos;
        }
        if (pos < s.size() && s[pos] == '3') {
            len = len * 2 / 3;
            ++pos;
        }
        total += len;
        if (pos < s.size() && s[pos] == '+') {
            ++pos;
            continue;
        }
        return total;
    }
}

// Bar lines count as words of their own, spaced or not.
std::vector<std::string> words(std::string text)
{
    for (size_t i = text.find('|'); i != std::string::npos; i = text.find('|', i + 3))
        text.replace(i, 1, " | ");
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string w;
    while (in >> w)
        out.push_back(w);
    return out;
}

} // namespace

std::vector<Tone> parseMelody(const std::string& text, int barTicks, int* bars)
{
    std::vector<Tone> tones;
    int bar = 1;
    int inBar = 0;
    int tick = 0;
    for (const std::string& w : words(text)) {
        if (w == "|") {
            if (inBar != barTicks)
                fail(bar, w, "the bar holds " + std::to_string(inBar) + " ticks, not " + std::to_string(barTicks));
            ++bar;
            inBar = 0;
            continue;
        }
        size_t pos = 0;
        int key = -1;
        if (w[0] == 'R') {
            pos = 1;
        } else {
            const int pc = readNoteName(w, pos);
            if (pc < 0)
                fail(bar, w, "not a note name");
            if (pos >= w.size() || !std::isdigit(static_cast<unsigned char>(w[pos])))
                fail(bar, w, "the octave is missing");
            const int octave = w[pos++] - '0';
            key = 12 * (octave + 1) + pc;
        }
        const int len = readLength(w, pos, bar, w);
        if (pos != w.size())
            fail(bar, w, "unexpected characters at the end");
        if (key >= 0)
            tones.push_back({tick, len, key});
        tick += len;
        inBar += len;
        if (inBar > barTicks)
            fail(bar, w, "the note runs past the bar line");
    }
    if (inBar == 0 && bar > 1)
        --bar; // the text ended with a bar line
    else if (inBar != barTicks)
        fail(bar, "end", "the last bar is incomplete");
    if (bars)
        *bars = bar;
    return tones;
}

namespace {

// Chord symbol: root, quality, optional "/bass". Returns the intervals from the root.
std::vector<int> qualityIntervals(const std::string& q, int bar, const std::string& token)
{
    if (q.empty())
        return {0, 4, 7};
    if (q == "m")
        return {0, 3, 7};
    if (q == "7")
        return {0, 4, 7, 10};
    if (q == "m7")
        return {0, 3, 7, 10};
    if (q == "maj7")
        return {0, 4, 7, 11};
    if (q == "6")
        return {0, 4, 7, 9};
    if (q == "m6")
        return {0, 3, 7, 9};
    if (q == "dim")
        return {0, 3, 6};
    if (q == "dim7")
        return {0, 3, 6, 9};
    if (q == "m7b5")
        return {0, 3, 6, 10};
    if (q == "aug")
        return {0, 4, 8};
    fail(bar, token, "unknown chord quality \"" + q + "\"");
}

ChordSlot parseChordSymbol(const std::string& w, int bar)
{
    size_t pos = 0;
    const int root = readNoteName(w, pos);
    if (root < 0)
        fail(bar, w, "not a chord");
    const size_t slash = w.find('/', pos);
    const std::string quality = w.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    ChordSlot c{0, 0, root, {}, root};
    for (int i : qualityIntervals(quality, bar, w))
        c.classes.push_back((root + i) % 12);
    if (slash != std::string::npos) {
        size_t bpos = slash + 1;
        c.bass = readNoteName(w, bpos);
        if (c.bass < 0 || bpos != w.size())
            fail(bar, w, "bad bass note");
    }
    return c;
}

} // namespace

std::vector<ChordSlot> parseChords(const std::string& text, int barTicks, int* bars)
{
    std::vector<ChordSlot> slots;
    std::vector<std::string> barWords;
    int bar = 1;
    std::optional<ChordSlot> held;

    auto closeBar = [&](bool last) {
        if (barWords.empty()) {
            if (last && bar > 1)
                return; // text ended with a bar line
            fail(bar, "|", "a bar without chords");
        }
        const int n = int(barWords.size());
        if (barTicks % n != 0)
            fail(bar, barWords.front(), "the bar cannot be split evenly");
        for (int i = 0; i < n; ++i) {
            const std::string& w = barWords[size_t(i)];
            ChordSlot c;
            if (w == "-") {
                if (!held)
                    fail(bar, w, "nothing to hold");
                c = *held;
            } else {
                c = parseChordSymbol(w, bar);
            }
            c.tick = (bar - 1) * barTicks + i * (barTicks / n);
            c.length = barTicks / n;
            slots.push_back(c);
            held = c;
        }
        barWords.clear();
        if (!last)
            ++bar;
    };

    for (const std::string& w : words(text)) {
        if (w == "|")
            closeBar(false);
        else
            barWords.push_back(w);
    }
    closeBar(true);
    if (bars)
        *bars = slots.empty() ? 0 : slots.back().tick / barTicks + 1;
    return slots;
}

} // namespace songgen
