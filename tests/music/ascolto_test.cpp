// What a listener notices, measured from the songs' MIDI data: the mandolin and
// the accordion chosen by bank and still sounding where a soundfont lacks the
// bank, parts played rather than typed, expression on held notes, a form and
// an ending of each song's own, few literal repeats, tremolo on long notes,
// outer voices that move freely, variety from pass to pass, harmonic turns of
// each song's own and a tarantella at its pace; and, rendered with both
// Debian soundfonts, a tune that leads the band, a repeat that follows on as a
// da capo, and five songs about equally loud.
#include "arranger.h"
#include "harmony.h"
#include "misure.h"
#include "partitura.h"
#include "songgen.h"
#include "suono.h"

#include <QTest>

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

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

// RMS of half a second of one note on `bank`/`program`, rendered offline.
std::vector<float> suonaNota(const char* soundfont, int bank, int program)
{
    for (int level = 0; level < LAST_LOG_LEVEL; ++level)
        fluid_set_log_function(level, suono::quiet, nullptr);
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
    std::map<const char*, std::vector<suono::Ascolto>> heard_;

    QString title(size_t song) const { return QString::fromStdString(files_[song].title); }

private slots:
    void initTestCase()
    {
        for (const auto& f : files_)
            songs_.push_back(leggi(f.bytes));
        // The tune, the guitar, the pad, the bass and tambourine, each
        // rendered on its own, over the songs and into their repeat.
        for (const char* font : {fluidR3Path, timGM6mbPath}) {
            if (!QFile::exists(font))
                continue;
            suono::Banda band(font, 22050, {{0, 1}, {2}, {3}, {4, 9}});
            QVERIFY(band.ok());
            auto& heard = heard_[font == fluidR3Path ? "FluidR3" : "TimGM6mb"];
            for (const auto& f : files_)
                heard.push_back(band.ascolta(f.bytes, 3));
        }
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
            QVERIFY2(p.tempi.size() >= 20 && p.slowest >= 0.55 * p.bpm && p.fastest <= 1.05 * p.bpm,
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

    // The mandolin tremolos its long notes and picks the rest: a tremolo on
    // every note is a buzz.
    void tremoloOnlyOnLongNotes()
    {
        QStringList faults;
        for (size_t i = 0; i < songs_.size(); ++i) {
            const Partitura& p = songs_[i];
            for (int channel : {0, 1}) {
                const auto notes = misure::suoni(p, channel);
                const auto runs = std::count_if(notes.begin(), notes.end(), misure::tremolo);
                double shortest = 1e9;
                for (const auto& n : notes)
                    if (misure::tremolo(n))
                        shortest = std::min(shortest, p.ms(n.length));
                const QString where = title(i) + QString(" channel %1").arg(channel);
                qInfo("%s: %lld of %zu notes tremolo, shortest %.0f ms", qPrintable(where), (long long)runs,
                      notes.size(), runs ? shortest : 0.0);
                if (runs * 10 > 4 * int(notes.size()))
                    faults << where + ": too much tremolo";
                if (shortest < 600)
                    faults << where + ": a short note tremoloed";
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // The tune keeps its own room: no fifths or octaves between it and the
    // bass on two beats in a row, and the pad's chords under it.
    void tuneHasItsOwnRoom()
    {
        QStringList faults;
        for (size_t i = 0; i < songs_.size(); ++i) {
            const Partitura& p = songs_[i];
            const auto tune = misure::melodia(p);
            const std::pair<const char*, std::vector<int>> checks[]{
                {"parallel fifths or octaves", misure::parallels(p, tune)},
                {"pad notes at or above the tune", misure::padOverTune(p, tune)}};
            for (const auto& [what, ticks] : checks) {
                QStringList bars;
                for (int tick : ticks)
                    bars << QString::number(tick / p.barTicks + 1);
                qInfo("%s: %lld %s", qPrintable(title(i)), (long long)bars.size(), what);
                if (!bars.isEmpty())
                    faults << title(i) + ": " + what + " in bars " + bars.join(", ");
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // Passes differ as players make them differ: the bass walks in several
    // rhythms, the tune seldom plays a bar exactly as before and has pickups,
    // triplets and syncopations; the tempo gives where each phrase asks, not
    // on a fixed count of bars.
    void variedFromPassToPass()
    {
        QStringList faults;
        for (size_t i = 0; i < songs_.size(); ++i) {
            const Partitura& p = songs_[i];
            const auto tune = misure::melodia(p);
            const int rhythms = misure::bassRhythms(p);
            const double literal = misure::literalBars(p, tune);
            int triplets = 0, offbeat = 0;
            for (const auto& s : tune) {
                const int grain = p.division / 12, at = (s.tick + grain / 2) / grain * grain % p.beatTicks;
                // a beat split against the metre: triplets in simple time, sixteenths in compound
                triplets += p.beatTicks != p.division ? at % (p.division / 4) == 0 && at % (p.division / 2) != 0
                                                      : at % (p.division / 3) == 0 && at % (p.division / 2) != 0;
                // a note struck off the beat and held across the next one
                offbeat += at != 0 && at + s.length > p.beatTicks + p.division / 4;
            }
            const auto rits = misure::ritardandi(p);
            std::set<int> places, gaps;
            std::set<long> depths;
            for (size_t r = 0; r < rits.size(); ++r) {
                places.insert(rits[r].tick % p.barTicks / (p.division / 4));
                depths.insert(std::lround(rits[r].depth * 1000));
                if (r)
                    gaps.insert((rits[r].tick - rits[r - 1].tick + p.beatTicks / 2) / p.beatTicks);
            }
            qInfo("%s: %d bass rhythms, %.0f %% literal bars, %d triplets, %d syncopations, %zu ritardandi "
                  "(%zu places in the bar, %zu gaps, %zu depths)",
                  qPrintable(title(i)), rhythms, 100 * literal, triplets, offbeat, rits.size(), places.size(),
                  gaps.size(), depths.size());
            if (rhythms < 4)
                faults << title(i) + ": the bass";
            if (literal > 0.3)
                faults << title(i) + ": literal repeats";
            if (triplets < 2 || offbeat < 2)
                faults << title(i) + ": rhythm";
            if (places.size() < 3 || gaps.size() < 4 || depths.size() < 4)
                faults << title(i) + ": rubato";
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // The tarantella runs at its dance's pace, a dotted quarter of 120 to 140
    // for most of the song.
    void tarantellaAtItsPace()
    {
        const Partitura& p = songs_.back();
        double inPace = 0, total = 0;
        for (const auto& [bpm, seconds] : misure::secondsAtTempo(p)) {
            total += seconds;
            inPace += bpm / 1.5 >= 120 && bpm / 1.5 <= 140 ? seconds : 0;
        }
        qInfo("Guapparia: opening dotted quarter %.0f, %.0f %% of the time at 120-140", p.bpm / 1.5,
              100 * inPace / total);
        QVERIFY(inPace >= 0.8 * total);
    }

    // Every song approaches the dominants of its verse its own way: no two
    // take the same chord into one at the same bar.
    void ownHarmonicTurns()
    {
        std::map<std::vector<int>, QString> seen;
        for (const songgen::SongDef& def : songgen::songBook()) {
            const songgen::Section& verse = *def.passes[1].section;
            const int bar = def.numerator * 4 * songgen::ticksPerQuarter / def.denominator;
            const auto chords = songgen::parseChords(verse.chords, bar, nullptr);
            const int tonic = songgen::parseKey(verse.key).tonic;
            for (size_t c = 1; c < chords.size(); ++c) {
                const auto& before = chords[c - 1];
                // the tonic's own step to the dominant is no turn
                const int from = songgen::mod12(before.root - tonic);
                if (songgen::mod12(chords[c].root - tonic) != 7 || from == 7 || from == 0)
                    continue;
                std::vector<int> turn{chords[c].tick / bar, songgen::mod12(before.bass - tonic)};
                for (int pc : before.classes)
                    turn.push_back(songgen::mod12(pc - tonic));
                const QString song(def.title);
                QVERIFY2(!seen.count(turn), qPrintable(song + " turns as " + seen[turn] + " does, in bar " + QString::number(turn[0] + 1)));
                seen[turn] = song;
            }
        }
    }

    // The tune leads the band by 4 LU or more in every 3 seconds, whichever
    // soundfont plays; the guitar is the band's clearest voice.
    void tuneLeadsTheBand()
    {
        QStringList faults;
        for (const auto& [font, heard] : heard_) {
            for (size_t i = 0; i < heard.size(); ++i) {
                const auto& h = heard[i];
                const size_t bins = h.seam10 / 10, window = 3 * suono::Ascolto::binsPerSecond;
                double least = 1e9, worstAt = 0;
                int behind = 0, windows = 0;
                for (size_t at = 0; at + window <= bins; at += window / 6, ++windows) {
                    const double lead = h.loudness(0, at, window) - h.loudness(5, at, window);
                    if (lead < least)
                        worstAt = double(at) / suono::Ascolto::binsPerSecond;
                    least = std::min(least, lead);
                    behind += lead < 0;
                }
                const double tune = h.integrated(0, bins), guitar = h.integrated(1, bins), pad = h.integrated(2, bins),
                             bass = h.integrated(3, bins);
                qInfo("%s, %s: tune %.1f, guitar %.1f, pad %.1f, bass %.1f LUFS; the tune leads by %.1f LU at "
                      "least (from %.1f s), behind in %.0f %% of 3 s windows",
                      qPrintable(title(i)), font, tune, guitar, pad, bass, least, worstAt, 100.0 * behind / windows);
                if (least < 4)
                    faults << title(i) + " " + font;
                if (guitar <= pad || guitar <= bass || guitar < tune - 16)
                    faults << title(i) + " " + font + ": the guitar";
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // The end leads back into the opening as a da capo: no silence longer
    // than a breath, and the opening no louder than the end by much.
    void repeatIsADaCapo()
    {
        QStringList faults;
        for (const auto& [font, heard] : heard_) {
            for (size_t i = 0; i < heard.size(); ++i) {
                const auto& h = heard[i];
                int run = 0, longest = 0;
                for (size_t b = h.seam10 - 300; b < h.levelDb.size(); ++b) {
                    run = h.levelDb[b] < -40 ? run + 1 : 0;
                    longest = std::max(longest, run);
                }
                auto level = [&](size_t from, size_t to) {
                    double sum = 0;
                    for (size_t b = from; b < to; ++b)
                        sum += std::pow(10, h.levelDb[b] / 10);
                    return 10 * std::log10(sum / double(to - from));
                };
                const double end = level(h.seam10 - 100, h.seam10), again = level(h.seam10, h.seam10 + 100);
                qInfo("%s, %s: %d ms below -40 dBFS at the repeat; the last second %.1f dBFS, the first %.1f",
                      qPrintable(title(i)), font, 10 * longest, end, again);
                if (longest > 30)
                    faults << title(i) + " " + font + ": silence";
                if (std::abs(again - end) > 6)
                    faults << title(i) + " " + font + ": level";
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // The five songs sound about as loud as each other with either soundfont,
    // and none comes near clipping.
    void evenLoudness()
    {
        QStringList faults;
        for (const auto& [font, heard] : heard_) {
            double low = 0, high = -100;
            for (size_t i = 0; i < heard.size(); ++i) {
                const double l = heard[i].integrated(4, heard[i].seam10 / 10);
                const double peak = 20 * std::log10(heard[i].peak);
                qInfo("%s, %s: %.1f LUFS, peak %.1f dBFS", qPrintable(title(i)), font, l, peak);
                if (peak > -1)
                    faults << title(i) + " " + font + ": clips";
                low = std::min(low, l);
                high = std::max(high, l);
            }
            if (high - low > 3)
                faults << QString("%1: %2 LU apart").arg(font).arg(high - low);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }
};

QTEST_GUILESS_MAIN(AscoltoTest)
#include "ascolto_test.moc"
