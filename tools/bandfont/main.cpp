// trelva-bandfont SOURCE.sf2 OUTPUT.sf2 RATE SONG.mid...
//
// Writes the game's own soundfont: of SOURCE, only the presets the songs
// select and, within them, the zones and samples their notes reach, each
// sample at the lowest rate a synthesizer running at RATE still hears in full.
// A missing, cut-short or unreadable SOURCE writes nothing and fails with a
// message saying why.
#include "samples.h"
#include "song.h"
#include "soundfont.h"
#include "subset.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <vector>

namespace {

using namespace bandfont;

// Two keys either way: the default pitch-bend range.
constexpr int keyMargin = 2;

int fail(const QString& what)
{
    std::fprintf(stderr, "trelva-bandfont: %s\n", qPrintable(what));
    return 1;
}

QString reason(GError* err)
{
    const QString text = err ? QString::fromUtf8(err->message) : QStringLiteral("unknown error");
    g_clear_error(&err);
    return text;
}

void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) { }

int sizeOf(GSList* list)
{
    return int(g_slist_length(list));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 5)
        return fail("usage: trelva-bandfont SOURCE.sf2 OUTPUT.sf2 RATE SONG.mid...");
    const QString source = QFile::decodeName(argv[1]);
    const QString output = QFile::decodeName(argv[2]);
    const int rate = QByteArray(argv[3]).toInt();
    if (rate <= 0)
        return fail(QStringLiteral("the rate \"%1\" is not a number of hertz").arg(argv[3]));
    QFile::remove(output); // a failed run must not leave an older cut behind

    std::vector<music::SongTimeline> songs;
    for (int i = 4; i < argc; ++i) {
        auto song = music::loadSong(QFile::decodeName(argv[i]), rate);
        if (!song)
            return fail(QStringLiteral("%1: not a song that can be played").arg(argv[i]));
        songs.push_back(std::move(*song));
    }
    if (!QFileInfo(source).isFile())
        return fail(QStringLiteral("%1: no such soundfont").arg(source));
    if (!music::plainSoundFont(source))
        return fail(QStringLiteral("%1: not a whole SoundFont 2 file (cut short or damaged)").arg(source));

    ipatch_init();
    // The flaws libinstpatch forgives in a source font are no concern of the
    // build's: FluidR3 points every stereo half at the first sample, which
    // the reader reports for each (the cut keeps them as they are; FluidSynth
    // plays each half by its own zone).
    g_log_set_handler(nullptr, G_LOG_LEVEL_WARNING, quiet, nullptr);
    GError* err = nullptr;
    IpatchSF2File* in = ipatch_sf2_file_new();
    IpatchFileHandle* handle = ipatch_file_open(IPATCH_FILE(in), QFile::encodeName(source).constData(), "r", &err);
    IpatchSF2Reader* reader = handle ? ipatch_sf2_reader_new(handle) : nullptr;
    IpatchSF2* font = reader ? ipatch_sf2_reader_load(reader, &err) : nullptr;
    if (!font)
        return fail(QStringLiteral("%1: %2").arg(source, reason(err)));

    const std::map<Preset, Keys> played = playedKeys(songs);
    for (const auto& [wanted, keys] : played)
        if (!findPreset(font, wanted))
            return fail(QStringLiteral("%1: no preset for bank %2, program %3")
                            .arg(source)
                            .arg(wanted.first)
                            .arg(wanted.second));
    const auto samples = cutDown(font, played, keyMargin);
    const int lowered = lowerRates(samples, rate, &err);
    if (lowered < 0)
        return fail(QStringLiteral("%1: %2").arg(source, reason(err)));

    const QByteArray name = QFileInfo(source).fileName().toUtf8();
    ipatch_sf2_set_info(font, IPATCH_SF2_COMMENT,
                        QByteArray("The presets La Trelva's songs play, cut from " + name
                                   + " and resampled for a synthesizer at " + QByteArray::number(rate) + " Hz.")
                            .constData());

    const QByteArray part = QFile::encodeName(output + ".part");
    IpatchSF2File* out = ipatch_sf2_file_new();
    IpatchFileHandle* outHandle = ipatch_file_open(IPATCH_FILE(out), part.constData(), "w", &err);
    IpatchSF2Writer* writer = outHandle ? ipatch_sf2_writer_new(outHandle, font) : nullptr;
    const bool saved = writer && ipatch_sf2_writer_save(writer, &err);
    if (outHandle)
        ipatch_file_close(outHandle);
    if (!saved || !QFile::rename(QFile::decodeName(part), output)) {
        QFile::remove(QFile::decodeName(part));
        return fail(QStringLiteral("%1: %2").arg(output, saved ? QStringLiteral("cannot be written") : reason(err)));
    }
    std::printf("%s: %d presets, %d instruments, %d samples (%d at a lower rate), %.1f MiB\n",
                qPrintable(QFileInfo(output).fileName()), sizeOf(font->presets), sizeOf(font->insts),
                sizeOf(font->samples), lowered, QFileInfo(output).size() / 1048576.0);
    return 0;
}
