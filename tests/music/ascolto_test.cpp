// What a listener notices, measured from the songs' MIDI data: the mandolin and
// the accordion chosen by bank and still sounding where a soundfont lacks the
// bank, parts played rather than typed, expression on held notes, a form and
// an ending of each song's own, few literal repeats, and a calm tarantella.
#include "songgen.h"

#include <QTest>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

// The song as a list of timed messages in ticks: enough to judge the playing.
struct Partitura {
    struct Nota {
        int tick, channel, key, velocity;
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
    int division = 0, barTicks = 0, end = 0;
    double bpm = 0; // the opening tempo
    std::vector<Nota> notes;
    std::vector<Controllo> controls;
    std::vector<Sezione> sections;
    std::vector<Strumento> programs;
    int tempi = 0;
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
    double ms(int ticks) const { return ticks * 60000.0 / bpm / division; }
};

Partitura leggi(const std::vector<uint8_t>& b)
{
    Partitura p;
    auto big = [&](size_t at, int n) { uint32_t v = 0; for (int i = 0; i < n; ++i) v = v << 8 | b[at + size_t(i)]; return v; };
    p.division = int(big(12, 2));
    size_t at = 14;
    for (uint32_t t = 0, tracks = big(10, 2); t < tracks; ++t) {
        const size_t end = at + 8 + big(at + 4, 4);
        at += 8;
        int tick = 0, status = 0;
        int bank[16] = {};
        while (at < end) {
            uint32_t delta = 0;
            do
                delta = delta << 7 | (b[at] & 0x7F);
            while (b[at++] & 0x80);
            tick += int(delta);
            p.end = std::max(p.end, tick);
            if (b[at] == 0xFF) {
                const int type = b[at + 1];
                uint32_t len = 0;
                at += 2;
                do
                    len = len << 7 | (b[at] & 0x7F);
                while (b[at++] & 0x80);
                if (type == 0x06)
                    p.sections.push_back({tick, std::string(b.begin() + long(at), b.begin() + long(at + len))});
                if (type == 0x51) {
                    const double bpm = 60e6 / big(at, 3);
                    if (p.tempi++ == 0)
                        p.bpm = bpm;
                    p.slowest = std::min(p.slowest, bpm);
                    p.fastest = std::max(p.fastest, bpm);
                }
                if (type == 0x58)
                    p.barTicks = b[at] * 4 * p.division >> b[at + 1];
                at += len;
                continue;
            }
            if (b[at] & 0x80)
                status = b[at++];
            const int channel = status & 0x0F, kind = status & 0xF0;
            const int d1 = b[at++];
            const int d2 = kind == 0xC0 || kind == 0xD0 ? 0 : b[at++];
            if (kind == 0x90 && d2 > 0)
                p.notes.push_back({tick, channel, d1, d2});
            else if (kind == 0xB0) {
                p.controls.push_back({tick, channel, d1, d2});
                if (d1 == 0)
                    bank[channel] = d2;
            } else if (kind == 0xC0)
                p.programs.push_back({channel, bank[channel], d1});
        }
        at = end;
    }
    std::stable_sort(p.notes.begin(), p.notes.end(), [](auto& x, auto& y) { return x.tick < y.tick; });
    return p;
}

// The onsets a listener hears as one gesture each: a chord's strings and a
// tremolo's strokes count once.
std::vector<int> gesti(const Partitura& p, int channel)
{
    std::vector<int> out;
    std::map<int, int> lastOfKey;
    int last = -1000000;
    for (const auto& n : p.on(channel)) {
        const bool stroke = lastOfKey.count(n.key) && p.ms(n.tick - lastOfKey[n.key]) < 150;
        lastOfKey[n.key] = n.tick;
        if (!stroke && p.ms(n.tick - last) >= 50)
            out.push_back(last = n.tick);
    }
    return out;
}

// The bass line from `from` to `to`, relative to the song's last bass note:
// every note, or with `perBar` the first note of each bar.
std::vector<int> bassLine(const Partitura& p, int from, int to, bool perBar)
{
    const auto bass = p.on(p.channelOf(32));
    const int sixteenth = p.division / 4;
    std::vector<int> line;
    int lastBar = -1;
    for (const auto& n : bass) {
        // A note played a hair early still belongs to the bar it leads.
        const int written = (n.tick + sixteenth / 2) / sixteenth * sixteenth;
        if (written < from || written >= to || (perBar && written / p.barTicks == lastBar))
            continue;
        lastBar = written / p.barTicks;
        line.push_back(((n.key - bass.back().key) % 12 + 12) % 12);
    }
    return line;
}

// Share of four-bar spans that sound (almost) like an earlier one: the same
// keys at the same sixteenths, whatever the instrument.
double repeats(const Partitura& p)
{
    const int sixteenth = p.division / 4, bars = p.end / p.barTicks + 1;
    std::vector<std::set<std::pair<int, int>>> bar(size_t(bars) + 1);
    for (const auto& n : p.notes) {
        if (n.channel == 9)
            continue;
        const int slot = (n.tick + sixteenth / 2) / sixteenth * sixteenth;
        bar[size_t(slot / p.barTicks)].insert({n.key, slot % p.barTicks});
    }
    auto span = [&](int i) {
        std::set<std::pair<int, int>> s;
        for (int k = 0; k < 4; ++k)
            for (auto [key, at] : bar[size_t(i + k)])
                s.insert({key, at + k * p.barTicks});
        return s;
    };
    int repeated = 0, spans = 0;
    for (int i = 0; i + 4 <= bars; ++i, ++spans) {
        const auto a = span(i);
        for (int j = 0; j + 4 <= i; ++j) {
            const auto b = span(j);
            std::vector<std::pair<int, int>> common;
            std::set_intersection(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(common));
            if (common.size() * 10 >= (a.size() + b.size() - common.size()) * 8) {
                ++repeated;
                break;
            }
        }
    }
    return double(repeated) / spans;
}

void quiet(int, const char*, void*) { }

// RMS of half a second of one note on `bank`/`program`, rendered offline.
std::vector<float> suonaNota(const char* soundfont, int bank, int program)
{
    for (int level = 0; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, quiet, nullptr);
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.sample-rate", 44100);
    fluid_synth_t* synth = new_fluid_synth(settings);
    std::vector<float> out(2 * 22050);
    if (fluid_synth_sfload(synth, soundfont, 1) != FLUID_FAILED) {
        fluid_synth_cc(synth, 0, 0, bank);
        fluid_synth_program_change(synth, 0, program);
        fluid_synth_noteon(synth, 0, 67, 100);
        fluid_synth_write_float(synth, 22050, out.data(), 0, 2, out.data(), 1, 2);
    }
    delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

double rms(const std::vector<float>& v)
{
    double sum = 0;
    for (float x : v)
        sum += double(x) * x;
    return std::sqrt(sum / double(v.size()));
}

const char* const fluidR3Path = "/usr/share/sounds/sf2/FluidR3_GM.sf2";
const char* const timGM6mbPath = "/usr/share/sounds/sf2/TimGM6mb.sf2";

} // namespace

class AscoltoTest : public QObject {
    Q_OBJECT

    std::vector<songgen::SongFile> files_ = songgen::composeAll();
    std::vector<Partitura> songs_;

private slots:
    void initTestCase()
    {
        for (const auto& f : files_)
            songs_.push_back(leggi(f.bytes));
    }

    // A mandolin is bank 16 of program 25 and an Italian accordion bank 8 of
    // program 21; program 25 on bank 0 would be a steel-string guitar.
    void mandolinAndAccordionChosenByBank()
    {
        int accordions = 0;
        for (const Partitura& p : songs_) {
            bool mandolin = false;
            for (const auto& s : p.programs) {
                QVERIFY2(s.program != 25 || s.bank == 16, "program 25 without the mandolin's bank");
                QVERIFY2(s.program != 21 || s.bank == 8, "program 21 without the Italian accordion's bank");
                mandolin |= s.program == 25;
                accordions += s.program == 21;
            }
            QVERIFY(mandolin);
        }
        QVERIFY(accordions >= 3);
    }

    // FluidR3 has the variation banks: they sound unlike bank 0. TimGM6mb has
    // not: the same program on bank 0 plays instead, and is heard.
    void variationBanksFallBackToBankZero()
    {
        if (!QFile::exists(fluidR3Path) || !QFile::exists(timGM6mbPath))
            QSKIP("the Debian soundfonts are not installed");
        for (int program : {25, 21}) {
            const int bank = program == 25 ? 16 : 8;
            QVERIFY(suonaNota(fluidR3Path, bank, program) != suonaNota(fluidR3Path, 0, program));
            const auto fallback = suonaNota(timGM6mbPath, bank, program);
            QVERIFY2(rms(fallback) > 1e-3, qPrintable(QString::number(rms(fallback))));
            QVERIFY(fallback == suonaNota(timGM6mbPath, 0, program));
        }
    }

    // Every part leans around the beat by a few milliseconds, never by much;
    // velocities follow the phrase; expression swells, vibrato on bowed and
    // reed lines, and the tempo bends.
    void partsPlayedNotTyped()
    {
        for (size_t i = 0; i < songs_.size(); ++i) {
            const Partitura& p = songs_[i];
            const QString title = QString::fromStdString(files_[i].title);
            for (int channel = 0; channel < 5; ++channel) {
                const auto onsets = gesti(p, channel);
                if (onsets.empty())
                    continue;
                int exact = 0, close = 0;
                for (int t : onsets) {
                    const int sixteenth = p.division / 4;
                    const int off = std::abs((t + sixteenth / 2) % sixteenth - sixteenth / 2);
                    exact += off == 0;
                    close += p.ms(off) <= 35;
                }
                const QString where = title + QString(" channel %1").arg(channel);
                QVERIFY2(exact * 4 <= int(onsets.size()), qPrintable(where + " sits on the grid"));
                QVERIFY2(close * 10 >= int(onsets.size()) * 8, qPrintable(where + " strays from the beat"));
                std::set<int> velocities;
                for (const auto& n : p.on(channel))
                    velocities.insert(n.velocity);
                QVERIFY2(velocities.size() >= 10, qPrintable(where + ": few velocities"));
            }
            const double minutes = p.ms(p.end) / 60000.0;
            for (int lead : {0, 1}) {
                const auto swells = std::count_if(p.controls.begin(), p.controls.end(), [&](const auto& c) {
                    return c.channel == lead && c.number == 11;
                });
                QVERIFY2(swells >= 100 * minutes, qPrintable(title + ": no expression on a melody"));
            }
            for (int program : {40, 71}) {
                const int channel = p.channelOf(program);
                if (channel < 0 || channel > 1)
                    continue;
                QVERIFY2(std::any_of(p.controls.begin(), p.controls.end(), [&](const auto& c) {
                             return c.channel == channel && c.number == 1 && c.value >= 20;
                         }),
                         qPrintable(title + ": no vibrato"));
            }
            QVERIFY2(p.tempi >= 20 && p.slowest >= 0.55 * p.bpm && p.fastest <= 1.05 * p.bpm,
                     qPrintable(title + ": tempo"));
        }
    }

    // Each song opens and closes its own way: no two bass lines through the
    // intro, nor through the last four bars, agree, even transposed.
    void ownIntroAndEnding()
    {
        std::set<std::vector<int>> intros, codas;
        for (const Partitura& p : songs_) {
            QVERIFY(p.sections.size() >= 6);
            QCOMPARE(p.sections.front().name, std::string("intro"));
            QCOMPARE(p.sections.back().name, std::string("coda"));
            intros.insert(bassLine(p, 0, p.sections[1].tick, false));
            codas.insert(bassLine(p, p.end - 4 * p.barTicks, p.end, true));
        }
        QCOMPARE(intros.size(), songs_.size());
        QCOMPARE(codas.size(), songs_.size());
    }

    // A section comes back changed: another instrument, another texture.
    void fewLiteralRepeats()
    {
        for (size_t i = 0; i < songs_.size(); ++i)
            QVERIFY2(repeats(songs_[i]) <= 0.2, qPrintable(QString::fromStdString(files_[i].title) + QString(": %1").arg(repeats(songs_[i]))));
    }

    // Nothing hurries: no song is a wall of notes, and the tarantella's
    // tambourine plays in one strain only, never the same bar for long.
    void calmEnoughForPatience()
    {
        for (const Partitura& p : songs_)
            QVERIFY(p.notes.size() <= size_t(25 * p.ms(p.end) / 1000));
        const Partitura& tarantella = songs_.back();
        std::set<std::set<int>> bars;
        std::set<std::string> strains;
        const int sixteenth = tarantella.division / 4;
        for (const auto& n : tarantella.on(9)) {
            // A hit played a hair early still belongs to the bar it leads.
            const int written = (n.tick + sixteenth / 2) / sixteenth * sixteenth;
            const auto section = std::find_if(tarantella.sections.rbegin(), tarantella.sections.rend(),
                                              [&](const auto& s) { return s.tick <= written; });
            strains.insert(section->name);
        }
        QCOMPARE(strains, std::set<std::string>{"second strain"});
        std::map<int, std::set<int>> byBar;
        for (const auto& n : tarantella.on(9))
            byBar[n.tick / tarantella.barTicks].insert(n.tick % tarantella.barTicks / sixteenth);
        for (const auto& bar : byBar)
            bars.insert(bar.second);
        QVERIFY(bars.size() >= 3);
    }
};

QTEST_GUILESS_MAIN(AscoltoTest)
#include "ascolto_test.moc"
