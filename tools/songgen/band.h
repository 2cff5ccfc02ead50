// The players of one song and the tracks they write: what the melody line,
// the accompaniment and the conductor share while a song is arranged.
#pragma once

#include "arranger.h"
#include "feel.h"
#include "songgen.h"

#include <vector>

namespace songgen {

enum Part { ConductorPart,
            LeadAPart,
            LeadBPart,
            GuitarPart,
            PadPart,
            BassPart,
            TambourinePart,
            PartCount };

struct Band {
    explicit Band(const SongDef& s);

    // A note clipped to the song: nothing before its start, and everything
    // ended a breath before it begins again.
    void note(Part part, int at, int length, int key, int velocity);
    void controller(Part part, int at, int number, int value);
    // An expression (controller 11) curve from `from` to `to` and back to
    // `back` over `length` ticks, peaking at `peak` (0..1 of the length).
    void swell(Part part, int at, int length, int from, int to, int back, double peak);

    const Voice& voice(Part part) const;
    static int channel(Part part);

    const SongDef& song;
    const int bar;
    const int beat;
    Dice dice;
    Timing timing;
    int end = 0; // the loop point
    int lastSound = 0; // where every note must have ended
    // How much softer guitar, pad and bass strike under a picked lead, whose
    // notes fade where a bow or bellows would hold them.
    int hush = 0;
    std::vector<Track> tracks;
};

} // namespace songgen
