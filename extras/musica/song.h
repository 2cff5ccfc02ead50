// Finding a song by the name the menu gives and reading it.
#pragma once

#include "smf.h"

#include <QString>

#include <optional>

namespace music {

// Larger files are not songs; the reader's memory stays a small multiple of this.
constexpr qint64 largestSongBytes = 16 * 1024 * 1024;

// The song as named, or, where letter case matters, the same name with the
// other spelling of its extension (".mid" for ".MID" and so on). Empty when
// there is none.
QString findSong(const QString& name);

// The song at `path` read for playing at `sampleRate`; nothing when it is
// missing, too large or damaged.
std::optional<SongTimeline> loadSong(const QString& path, int sampleRate);

} // namespace music
