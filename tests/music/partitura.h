// A song's MIDI bytes read back as timed notes, controllers, tempi and
// sections: enough to judge the playing without a synthesizer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct Partitura {
    struct Nota {
        int tick, channel, key, velocity;
        int length = 0;
    };
    struct Controllo {
        int tick, channel, number, value;
    };
    struct Sezione {
        int tick;
        std::string name;
    };
    struct Strumento {
        int channel, bank, program;
    };
    struct Tempo {
        int tick;
        double bpm;
    };
    int division = 0, barTicks = 0, beatTicks = 0, end = 0;
    double bpm = 0; // the opening tempo
    std::vector<Nota> notes; // in order of onset
    std::vector<Controllo> controls;
    std::vector<Sezione> sections;
    std::vector<Strumento> programs;
    std::vector<Tempo> tempi;
    double slowest = 1e9, fastest = 0;

    std::vector<Nota> on(int channel) const
    {
        std::vector<Nota> out;
        std::copy_if(notes.begin(), notes.end(), std::back_inserter(out),
                     [&](const Nota& n) { return n.channel == channel; });
        return out;
    }
    int channelOf(int program) const
    {
        for (const Strumento& s : programs)
            if (s.program == program)
                return s.channel;
        return -1;
    }
    // Milliseconds at the opening tempo: the size of a player's lean.
    double ms(int ticks) const { return ticks * 60000.0 / bpm / division; }
    // The tempo in force at `tick`.
    double bpmAt(int tick) const
    {
        double at = bpm;
        for (const Tempo& t : tempi)
            if (t.tick <= tick)
                at = t.bpm;
        return at;
    }
    // The tick played `seconds` into the song.
    int tickAt(double seconds) const
    {
        double t = 0;
        for (size_t i = 0; i < tempi.size(); ++i) {
            const int to = i + 1 < tempi.size() ? tempi[i + 1].tick : end;
            const double span = (to - tempi[i].tick) * 60.0 / tempi[i].bpm / division;
            if (t + span > seconds)
                return tempi[i].tick + int((seconds - t) * tempi[i].bpm * division / 60.0);
            t += span;
        }
        return end;
    }
    // The section that holds `tick`.
    const Sezione& sectionAt(int tick) const
    {
        size_t i = 0;
        while (i + 1 < sections.size() && sections[i + 1].tick <= tick)
            ++i;
        return sections[i];
    }
};

inline Partitura leggi(const std::vector<uint8_t>& b)
{
    Partitura p;
    auto big = [&](size_t at, int n) {
        uint32_t v = 0;
        for (int i = 0; i < n; ++i)
            v = v << 8 | b[at + size_t(i)];
        return v;
    };
    auto varLen = [&](size_t& at) {
        uint32_t v = 0;
        do
            v = v << 7 | (b[at] & 0x7F);
        while (b[at++] & 0x80);
        return v;
    };
    p.division = int(big(12, 2));
    size_t at = 14;
    for (uint32_t t = 0, tracks = big(10, 2); t < tracks; ++t) {
        const size_t end = at + 8 + big(at + 4, 4);
        at += 8;
        int tick = 0, status = 0;
        int bank[16] = {};
        std::map<int, size_t> sounding; // channel * 128 + key: index in notes
        while (at < end) {
            tick += int(varLen(at));
            p.end = std::max(p.end, tick);
            if (b[at] == 0xFF) {
                const int type = b[at + 1];
                at += 2;
                const uint32_t len = varLen(at);
                if (type == 0x06)
                    p.sections.push_back({tick, std::string(b.begin() + long(at), b.begin() + long(at + len))});
                if (type == 0x51) {
                    const double bpm = 60e6 / big(at, 3);
                    if (p.tempi.empty())
                        p.bpm = bpm;
                    p.tempi.push_back({tick, bpm});
                    p.slowest = std::min(p.slowest, bpm);
                    p.fastest = std::max(p.fastest, bpm);
                }
                if (type == 0x58) {
                    p.barTicks = b[at] * 4 * p.division >> b[at + 1];
                    // compound time counts dotted quarters
                    p.beatTicks = b[at + 1] == 3 ? 3 * p.division / 2 : 4 * p.division >> b[at + 1];
                }
                at += len;
                continue;
            }
            if (b[at] & 0x80)
                status = b[at++];
            const int channel = status & 0x0F, kind = status & 0xF0;
            const int d1 = b[at++];
            const int d2 = kind == 0xC0 || kind == 0xD0 ? 0 : b[at++];
            const int id = channel * 128 + d1;
            if (kind == 0x90 && d2 > 0) {
                sounding[id] = p.notes.size();
                p.notes.push_back({tick, channel, d1, d2});
            } else if ((kind == 0x80 || kind == 0x90) && sounding.count(id)) {
                p.notes[sounding[id]].length = tick - p.notes[sounding[id]].tick;
                sounding.erase(id);
            } else if (kind == 0xB0) {
                p.controls.push_back({tick, channel, d1, d2});
                if (d1 == 0)
                    bank[channel] = d2;
            } else if (kind == 0xC0) {
                p.programs.push_back({channel, bank[channel], d1});
            }
        }
        at = end;
    }
    std::stable_sort(p.notes.begin(), p.notes.end(), [](auto& x, auto& y) { return x.tick < y.tick; });
    std::stable_sort(p.tempi.begin(), p.tempi.end(), [](auto& x, auto& y) { return x.tick < y.tick; });
    return p;
}
