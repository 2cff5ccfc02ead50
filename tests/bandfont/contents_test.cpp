// The game's soundfont as built, read back with libinstpatch: every preset the
// songs select, sounding every layer FluidR3 sounds for the keys they strike;
// and the game, built or installed, taking it before any other.
#include "folders.h"
#include "song.h"
#include "soundfont.h"
#include "subset.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace bandfont;

namespace {

const QString fluidR3 = QStringLiteral("/usr/share/sounds/sf2/FluidR3_GM.sf2");

QString builtFont()
{
    return QCoreApplication::applicationDirPath() + "/music/latrelva.sf2";
}

struct Unref {
    void operator()(gpointer p) const { g_object_unref(p); }
};
using Font = std::unique_ptr<IpatchSF2, Unref>;

void quiet(const gchar*, GLogLevelFlags, const gchar*, gpointer) { }

Font load(const QString& path)
{
    ipatch_init();
    g_log_set_handler(nullptr, G_LOG_LEVEL_WARNING, quiet, nullptr); // FluidR3's own flaws
    IpatchSF2File* file = ipatch_sf2_file_new();
    IpatchFileHandle* handle = ipatch_file_open(IPATCH_FILE(file), QFile::encodeName(path).constData(), "r", nullptr);
    g_object_unref(file);
    if (!handle)
        return nullptr;
    IpatchSF2Reader* reader = ipatch_sf2_reader_new(handle);
    Font font(ipatch_sf2_reader_load(reader, nullptr));
    g_object_unref(reader);
    return font;
}

bool covers(IpatchSF2Zone* zone, const IpatchSF2GenArray& global, int key)
{
    const IpatchSF2GenArray& a = IPATCH_SF2_GEN_ARRAY_TEST_FLAG(&zone->genarray, IPATCH_SF2_GEN_NOTE_RANGE)
        ? zone->genarray
        : global;
    if (!IPATCH_SF2_GEN_ARRAY_TEST_FLAG(&a, IPATCH_SF2_GEN_NOTE_RANGE))
        return true;
    const auto range = a.values[IPATCH_SF2_GEN_NOTE_RANGE].range;
    return key >= range.low && key <= range.high;
}

// The sample names a key of a preset sounds, one for each layer.
QStringList layers(IpatchSF2Preset* preset, int key)
{
    QStringList names;
    for (GSList* p = preset->zones; p; p = p->next) {
        auto* pzone = static_cast<IpatchSF2Zone*>(p->data);
        auto* inst = IPATCH_SF2_INST(ipatch_sf2_zone_peek_link_item(pzone));
        if (!inst || !covers(pzone, preset->genarray, key))
            continue;
        for (GSList* i = inst->zones; i; i = i->next) {
            auto* izone = static_cast<IpatchSF2Zone*>(i->data);
            auto* sample = IPATCH_SF2_SAMPLE(ipatch_sf2_zone_peek_link_item(izone));
            if (sample && covers(izone, inst->genarray, key))
                names << QString::fromUtf8(sample->name);
        }
    }
    return names;
}

std::vector<music::SongTimeline> songs()
{
    std::vector<music::SongTimeline> all;
    const QDir folder(QCoreApplication::applicationDirPath() + "/music");
    for (const QString& name : folder.entryList({"*.mid"}, QDir::Files))
        if (auto song = music::loadSong(folder.filePath(name), 22050))
            all.push_back(std::move(*song));
    return all;
}

} // namespace

class Contents : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        if (!QFile::exists(builtFont()))
            QSKIP("the game's soundfont was not built (no FluidR3 on this machine)");
    }

    void everyPresetTheSongsSelect()
    {
        const Font cut = load(builtFont());
        const Font whole = load(fluidR3);
        QVERIFY(cut && whole);
        const auto all = songs();
        QCOMPARE(all.size(), size_t(5));
        for (const music::SongTimeline& song : all)
            for (const Preset& wanted : song.presets) {
                IpatchSF2Preset* ours = findPreset(cut.get(), wanted);
                IpatchSF2Preset* theirs = findPreset(whole.get(), wanted);
                QVERIFY2(ours && theirs, qPrintable(QString("bank %1 program %2").arg(wanted.first).arg(wanted.second)));
                QCOMPARE(ours->bank, theirs->bank);
                QCOMPARE(ours->program, theirs->program);
                QCOMPARE(QString(ours->name), QString(theirs->name));
            }
    }

    void everyLayerOfEveryKeyStruck()
    {
        const Font cut = load(builtFont());
        const Font whole = load(fluidR3);
        QVERIFY(cut && whole);
        int struck = 0;
        for (const auto& [wanted, keys] : playedKeys(songs()))
            for (int key = 0; key < 128; ++key)
                if (keys.test(size_t(key))) {
                    const QStringList ours = layers(findPreset(cut.get(), wanted), key);
                    QVERIFY(!ours.isEmpty());
                    QCOMPARE(ours, layers(findPreset(whole.get(), wanted), key));
                    ++struck;
                }
        QVERIFY(struck > 40);
    }

    // The music folder the build tree plays from, and the one an installed
    // copy finds from its program: the game's soundfont comes first in both.
    void takenBeforeAnyOther()
    {
        const QStringList candidates
            = music::soundfontCandidates(music::musicFolder(QCoreApplication::applicationDirPath()), {}, {});
        QCOMPARE(candidates.value(0), builtFont());
        QVERIFY(music::plainSoundFont(candidates.value(0)));

        // The soundfont's own install rule, run alone: a whole install would
        // also rewrite the build tree's install manifest.
        QTemporaryDir prefix;
        QProcess install;
        install.start(TRELVA_CMAKE, {"-DCMAKE_INSTALL_PREFIX=" + prefix.path(), "-P", TRELVA_INSTALL_SCRIPT});
        QVERIFY(install.waitForFinished(60000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
        const QString first = music::soundfontCandidates(music::musicFolder(prefix.filePath("bin")), {}, {}).value(0);
        QCOMPARE(first, prefix.filePath("share/latrelva/music/latrelva.sf2"));
        QVERIFY(music::plainSoundFont(first));
    }
};

QTEST_GUILESS_MAIN(Contents)
#include "contents_test.moc"
