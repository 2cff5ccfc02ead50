#include "arranger.h"
#include "accompaniment.h"
#include "band.h"
#include "harmony.h"
#include "songgen.h"
#include "variation.h"

#include <algorithm>
#include <stdexcept>

namespace songgen {
namespace {

// Expression at rest, with room above it for a swell. Expression scales
// loudness steeply, so resting well below the top would cost several dB.
constexpr int expressionLevel = 118;

// A section's notes and chords, read once.
struct Score {
    std::vector<Tone> melody;
    std::vector<Tone> counter;
    std::vector<ChordSlot> chords;
    int bars = 0;
};

Score read(const SongDef& song, const Section& s, int barTicks)
{
    Score score;
    int counterBars = 0;
    try {
        score.melody = parseMelody(s.melody, barTicks, &score.bars);
        int chordBars = 0;
        score.chords = parseChords(s.chords, barTicks, &chordBars);
        if (chordBars != score.bars)
            throw std::runtime_error(std::to_string(score.bars) + " bars of melody but " + std::to_string(chordBars)
                                     + " of chords");
        if (!s.counter.empty()) {
            score.counter = parseMelody(s.counter, barTicks, &counterBars);
            if (counterBars != score.bars)
                throw std::runtime_error(std::to_string(counterBars) + " bars of countermelody");
        }
    } catch (const std::exception& e) {
        throw std::runtime_error(std::string(song.title) + ", " + s.name + ": " + e.what());
    }
    return score;
}

class Arranger {
public:
    explicit Arranger(const SongDef& song)
        : song_(song)
        , band_(song)
        , accompaniment_(band_)
        , variation_(band_.bar, band_.beat, song.denominator == 8, band_.dice)
    {
    }

    std::vector<uint8_t> run()
    {
        std::vector<Score> scores;
        for (const Pass& p : song_.passes) {
            scores.push_back(read(song_, *p.section, band_.bar));
            band_.end += scores.back().bars * band_.bar;
        }
        finalBar_ = band_.end - band_.bar;
        // The last bar leads into the first, as a da capo: everything may sound to the end.
        band_.lastSound = band_.end;
        opening_ = {scores.front().melody.front().key, scores.front().chords.front(),
                    song_.passes.front().lead == 0 ? LeadAPart : LeadBPart};

        Track& conductor = band_.tracks[ConductorPart];
        conductor.text(0, 0x01, "Original composition for La Trelva");
        conductor.timeSignature(0, song_.numerator, song_.denominator);
        conductor.keySignature(0, song_.keySharps, song_.keyMinor);
        for (Part p : {LeadAPart, LeadBPart, GuitarPart, PadPart, BassPart})
            setUp(p, band_.voice(p));

        int start = 0;
        for (size_t i = 0; i < song_.passes.size(); ++i) {
            const bool last = i + 1 == song_.passes.size();
            const Score* next = last ? nullptr : &scores[i + 1];
            pass(song_.passes[i], scores[i], next, start, last);
            start += scores[i].bars * band_.bar;
        }
        ending();

        std::vector<Track> tracks = band_.tracks;
        const bool tambourine = std::any_of(song_.passes.begin(), song_.passes.end(),
                                            [](const Pass& p) { return p.tambourine; });
        if (tambourine) {
            band_.controller(TambourinePart, 0, 7, 58);
            band_.controller(TambourinePart, 0, 10, 84);
            band_.controller(TambourinePart, 0, 91, 40);
            tracks = band_.tracks;
        } else {
            tracks.pop_back();
        }
        return writeSmf(tracks, band_.end);
    }

private:
    void setUp(Part part, const Voice& v)
    {
        // Bank first: a soundfont without the bank falls back to bank 0 of the
        // same program, which is the nearest General MIDI instrument.
        band_.controller(part, 0, 0, v.bank);
        band_.tracks[size_t(part)].program(0, Band::channel(part), v.program);
        band_.controller(part, 0, 7, v.volume);
        band_.controller(part, 0, 10, v.pan);
        band_.controller(part, 0, 91, v.reverb);
        band_.controller(part, 0, 93, v.chorus);
        // The song may have ended faded or with vibrato on; it starts again clean.
        band_.controller(part, 0, 11, expressionLevel);
        band_.controller(part, 0, 1, 0);
    }

    double seconds(int ticks) const { return ticks * 60.0 / song_.quarterBpm / ticksPerQuarter; }

    // An appoggiatura from the scale step above leans into each long note that closes a phrase.
    std::vector<Phrased> ornament(const std::vector<Phrased>& notes, const Scale& scale) const
    {
        std::vector<Phrased> out;
        const int longEnough = song_.metre == Metre::Tarantella ? band_.beat : 2 * band_.beat;
        for (const Phrased& n : notes) {
            const int upper = scale.stepFrom(n.tone.key, +1);
            if (!n.phraseEnd || n.tone.length < longEnough || upper == n.tone.key
                || (!out.empty() && out.back().tone.key == upper)) {
                out.push_back(n);
                continue;
            }
            const int lean = std::min(band_.beat, n.tone.length / 3);
            out.push_back({{n.tone.tick, lean, upper}, n.velocity + 5, false});
            out.push_back({{n.tone.tick + lean, n.tone.length - lean, n.tone.key}, n.velocity - 3, true});
        }
        return out;
    }

    // A singing line with its phrasing, expression and vibrato.
    void line(Part part, const std::vector<Tone>& tones, int start, int level, bool ornaments, const Scale& scale)
    {
        const Voice& v = band_.voice(part);
        // The singer's line stands well above the band it leads.
        std::vector<Phrased> notes = phrase(tones, band_.bar, band_.beat, level + 10,
                                            song_.metre != Metre::Waltz, band_.dice);
        if (ornaments)
            notes = ornament(notes, scale);
        // The phrase's loudness rides on expression as well as velocity.
        const int base = std::clamp(expressionLevel - 4 + (level - 82) * 2, 100, 124);
        bool phraseStart = true;
        for (const Phrased& n : notes) {
            // A player takes a little time before a phrase's last note.
            const int at = start + n.tone.tick + band_.timing.offset(v.feel, n.phraseEnd ? v.feel.spreadMs : 0);
            const int end = start + n.tone.tick + n.tone.length + band_.timing.offset(v.feel);
            const int length = end - at;
            if (phraseStart)
                band_.controller(part, at, 11, base);
            phraseStart = n.phraseEnd;
            const double held = seconds(n.tone.length);
            // The last bar's dynamics belong to the ending.
            if (held >= 0.45 && at < finalBar_)
                band_.swell(part, at, length, base - 6, base + 8 + band_.dice.spread(4), base, 0.55);
            // Long notes and a phrase's held close are tremoloed; the rest is picked.
            if (v.sustain == Sustain::Plucked && (held >= 0.9 || (n.phraseEnd && held >= 0.7))) {
                tremolo(part, at, length, n.tone.key, n.velocity, held);
                continue;
            }
            if ((v.sustain == Sustain::Bowed || v.sustain == Sustain::Reed) && held >= 0.45)
                vibrato(part, at, length, v.sustain == Sustain::Bowed ? 44 : 22);
            // A picked note is struck harder: it has only its attack to carry it.
            const bool picked = v.sustain == Sustain::Plucked;
            band_.note(part, at, length - (picked ? length / 10 : 8), n.tone.key,
                       picked ? std::min(127, n.velocity + 14) : n.velocity);
        }
    }

    // Mandolin tremolo: about twelve strokes a second, down-strokes a little
    // stronger, swelling towards the middle of the note.
    void tremolo(Part part, int at, int length, int key, int velocity, double held)
    {
        const int strokes = std::max(2, int(held / 0.085 + 0.5));
        const int step = length / strokes;
        for (int i = 0; i < strokes; ++i) {
            const int len = i + 1 == strokes ? length - i * step : step;
            const int middle = 8 - 16 * std::abs(2 * i + 1 - strokes) / (2 * strokes);
            const int vel = velocity - (i % 2 ? 14 : 4) + middle + band_.dice.spread(2);
            band_.note(part, at + i * step + band_.dice.spread(3), len - 3, key, vel);
        }
    }

    // Vibrato grows in once the note has settled and stops with it.
    void vibrato(Part part, int at, int length, int depth)
    {
        const int from = band_.timing.ticks(150), to = std::min(band_.timing.ticks(450), length * 2 / 3);
        for (int i = 1; i <= 4; ++i)
            band_.controller(part, at + from + (to - from) * i / 4, 1, depth * i / 4 + band_.dice.spread(2));
        band_.controller(part, at + length, 1, 0);
    }

    void pass(const Pass& p, const Score& score, const Score* next, int start, bool last)
    {
        const Section& s = *p.section;
        const Scale scale = parseKey(s.key);
        const int length = score.bars * band_.bar;
        band_.tracks[ConductorPart].text(start, 0x06, s.name);
        std::vector<Tone> tune = variation_.play(score.melody, scale, p.ornaments);
        const std::vector<Tone> pickup = last ? leadBack(tune, length, scale) : std::vector<Tone>{};
        accompaniment_.hear(tune, start);
        accompaniment_.hear(pickup, start);
        rubato(tune, start, score.bars, last);

        const Part lead = p.lead == 0 ? LeadAPart : LeadBPart;
        const Part other = p.lead == 0 ? LeadBPart : LeadAPart;
        band_.hush = band_.voice(lead).sustain == Sustain::Plucked ? 10 : 0;
        line(lead, tune, start, p.level, p.ornaments, scale);
        // The opening's own voice takes the pickup into it.
        line(opening_.part, pickup, start, song_.passes.front().level, false, scale);
        if (p.second == Second::Duet) {
            std::vector<Tone> below;
            for (const Tone& n : tune) {
                const int key = harmonyBelow(n.key, chordAt(score.chords, n.tick), scale);
                // Where the tune turns about a note, the second voice holds.
                if (!below.empty() && below.back().key == key && below.back().tick + below.back().length == n.tick)
                    below.back().length += n.length;
                else
                    below.push_back({n.tick, n.length, key});
            }
            accompaniment_.hear(below, start);
            line(other, below, start, p.level - 12, false, scale);
        } else if (p.second == Second::Counter) {
            if (score.counter.empty())
                throw std::runtime_error(std::string(song_.title) + ", " + s.name + ": no countermelody");
            accompaniment_.hear(score.counter, start);
            line(other, score.counter, start, p.level - 8, false, scale);
        }

        // The bass and the fills look one chord ahead, into the next section.
        std::vector<ChordSlot> chords = score.chords;
        if (next) {
            ChordSlot after = next->chords.front();
            after.tick = length;
            chords.push_back(after);
        }
        for (int b = 0; b < score.bars; ++b) {
            const int local = b * band_.bar, at = start + local;
            if (last && b + 1 == score.bars)
                break; // the ending plays the last bar
            const bool lastBar = b + 1 == score.bars;
            if (p.fill && lastBar && next) {
                accompaniment_.guitarBar(p.guitar, chords, local, at, band_.bar / 2);
                accompaniment_.guitarRun(chords, scale, local, at);
                accompaniment_.bassBar(Bass::Walking, chords, scale, local, at);
            } else {
                accompaniment_.guitarBar(p.guitar, chords, local, at, band_.bar);
                accompaniment_.bassBar(p.bass, chords, scale, local, at);
            }
            if (p.tambourine)
                accompaniment_.tambourineBar(at, b % 4 == 3);
        }
        if (p.pad != Pad::Off)
            accompaniment_.pad(p.pad, chords, start, last ? length - band_.bar : length, p.level - 32);
        if (last)
            finalChord_ = {chordAt(score.chords, length - band_.bar), p.pad != Pad::Off};
    }

    // The pickup that leads the last bar back into the song's first note:
    // steps up to it, filling what a light ending leaves after its first beat,
    // or else the bar's last two eighths. The tune's last note makes room.
    struct Pickup {
        int unit;
        int count;
    };
    Pickup pickup() const
    {
        const bool light = song_.ending == Ending::Button;
        if (song_.denominator == 8)
            return {band_.beat / 3, light ? 3 : 2};
        return light ? Pickup{band_.beat, band_.bar / band_.beat - 1} : Pickup{band_.beat / 2, 2};
    }

    std::vector<Tone> leadBack(std::vector<Tone>& tune, int length, const Scale& scale) const
    {
        const Pickup p = pickup();
        const int at = length - p.count * p.unit;
        Tone& close = tune.back();
        if (close.tick + close.length > at)
            close.length = std::max(p.unit, at - close.tick);
        std::vector<Tone> steps(size_t(p.count));
        int key = opening_.key;
        for (int i = p.count - 1; i >= 0; --i) {
            key = scale.stepFrom(key, -1);
            steps[size_t(i)] = {at + i * p.unit, p.unit, key};
        }
        return steps;
    }

    // Time bends with each phrase: a little forward as it rises, eased into
    // its last note the more the longer it ran, and held at a section's close.
    void rubato(const std::vector<Tone>& tune, int start, int bars, bool last)
    {
        Track& conductor = band_.tracks[ConductorPart];
        const double base = song_.quarterBpm, r = song_.rubato;
        conductor.tempo(start, base);
        const int beats = band_.bar / band_.beat;
        const int closing = start + (bars - 1) * band_.bar;
        // The last section's closing bars belong to the ending.
        const int free = last ? closing - band_.bar : closing;
        const auto ends = phraseEnds(tune, band_.beat);
        size_t first = 0;
        for (size_t e : ends) {
            const Tone& from = tune[first];
            const Tone& close = tune[e];
            first = e + 1;
            const int span = close.tick + close.length - from.tick;
            if (start + close.tick >= free || span < band_.bar)
                continue;
            const double phraseBars = double(span) / band_.bar;
            const int rise = start + from.tick + (span / 3) / band_.beat * band_.beat;
            if (phraseBars >= 2 && rise > start)
                conductor.tempo(rise, base * (1 + r * (0.01 + 0.004 * band_.dice.spread(2))));
            const double depth = r * (0.012 + 0.008 * std::min(phraseBars, 4.0) + 0.004 * band_.dice.spread(2));
            // from the note before the last, wherever it falls
            const int before = e > 0 && tune[e - 1].tick >= from.tick ? tune[e - 1].tick : close.tick - band_.beat;
            const int ease = std::max({start + before, start + close.tick - band_.bar, rise + band_.beat});
            conductor.tempo(ease, base * (1 - depth / 2));
            conductor.tempo(start + close.tick, base * (1 - depth));
            conductor.tempo(start + close.tick + std::min(close.length, band_.beat), base);
        }
        if (last) {
            // The ending's own broadening over the last two bars.
            const double depth = song_.ending == Ending::Button ? 0.06 : song_.ending == Ending::Fade ? 0.2
                                                                                                      : 0.3;
            for (int k = 0; k < 2 * beats; ++k)
                conductor.tempo(closing - band_.bar + k * band_.beat,
                                base * (1 - depth * (k + 1) / (2 * beats)));
            return;
        }
        for (int k = 0; k < beats; ++k)
            conductor.tempo(closing + k * band_.beat, base * (1 - r * 0.035 * (k + 1)));
    }

    void ending()
    {
        // The chord holds until the tune steps back into the opening; a light
        // ending lets it go on its first beat.
        const Pickup p = pickup();
        const int hold = song_.ending == Ending::Button ? band_.beat * 2 / 3 : band_.bar - p.count * p.unit;
        accompaniment_.finalChord(finalChord_.chord, finalBar_, hold, finalChord_.pad);
        accompaniment_.leadIn(opening_.chord, finalBar_ + band_.bar - 2 * p.unit, p.unit);
        if (song_.ending == Ending::Button)
            return;
        // A fade softens more than a fermata, but both stay to lead on.
        const int to = song_.ending == Ending::Fade ? 84 : 100;
        for (Part p : {LeadAPart, LeadBPart, GuitarPart, PadPart, BassPart})
            band_.swell(p, finalBar_ + band_.beat / 2, hold - band_.beat / 2, expressionLevel, expressionLevel, to, 0.0);
    }

    struct Closing {
        ChordSlot chord;
        bool pad = false;
    };
    struct Opening {
        int key = 0;
        ChordSlot chord;
        Part part = LeadAPart;
    };

    const SongDef& song_;
    Band band_;
    Accompaniment accompaniment_;
    Variation variation_;
    int finalBar_ = 0;
    Closing finalChord_;
    Opening opening_;
};

} // namespace

std::vector<uint8_t> arrange(const SongDef& song)
{
    return Arranger(song).run();
}

std::vector<SongFile> composeAll()
{
    std::vector<SongFile> out;
    for (const SongDef& def : songBook())
        out.push_back({def.title, arrange(def)});
    return out;
}

} // namespace songgen
