// Where the music control finds its instruments.
#pragma once

#include <QString>
#include <QStringList>

namespace music {

// A soundfont FluidSynth can load without decompressing it and without giving
// up half-way: a whole RIFF "sfbk" of version 2. SoundFont 3 files (Ogg-compressed
// samples) are refused even when a link or a name ending in .sf2 leads to one,
// and so is a file shorter than its RIFF header says.
bool plainSoundFont(const QString& path);

// In the order to try: every .sf2 in the song's folder by name, then `chosen`
// if it is not empty, else the system's (FluidR3, TimGM6mb, FluidSynth's own
// default, the Debian default).
QStringList soundfontCandidates(const QString& songFolder, const QStringList& chosen,
                                const QString& synthDefault);

} // namespace music
