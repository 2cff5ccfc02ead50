// A song as the game plays it through one soundfont, and two such renderings
// side by side: how loud each is and how alike they are.
#pragma once

#include <QString>

#include <vector>

namespace bandfont {

// Both channels, left then right.
struct Rendering {
    std::vector<float> left, right;
    int rate = 0;
};

// `song` played by the music control offline with `soundfont` alone (none of
// the soundfonts beside the song), from `fromMs` for `ms`, or to its end when
// `ms` is 0.
Rendering renderSong(const QString& song, const QString& soundfont, qint64 fromMs = 0, qint64 ms = 0);

// K-weighted loudness, ungated (ITU-R BS.1770), in LUFS.
double loudness(const Rendering& r);

// Pearson's correlation of the two, frame by frame over both channels.
double correlation(const Rendering& a, const Rendering& b);

} // namespace bandfont
