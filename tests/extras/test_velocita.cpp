// The play rate and its file Speed.dvx: what start-up makes of every kind of
// file it may find, what a choice writes, and that a failed write never costs
// the rate in force or the rate already stored.
#include "filevelocita.h"
#include "velocita.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <vector>

namespace {

// A Velocita on a fresh folder that records every step count it hands out and
// every check mark it asks for.
struct Banco {
    QTemporaryDir cartella;
    std::vector<int> passiDati;
    std::vector<int> spunte;
    std::unique_ptr<Velocita> velocita;

    explicit Banco(std::optional<QString> altraCartella = std::nullopt) {
        crea(altraCartella.value_or(cartella.path()));
    }
    void crea(const QString& dove) {
        velocita = std::make_unique<Velocita>(dove, [this](int p) { passiDati.push_back(p); });
        QObject::connect(velocita.get(), &Velocita::spuntaCambiata,
                         [this](int i) { spunte.push_back(i); });
    }
    QString file() const { return cartella.filePath(QStringLiteral("Speed.dvx")); }
    void scrivi(const QByteArray& byte) const {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(byte), byte.size());
    }
    QByteArray contenuto() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QStringList voci() const {
        return QDir(cartella.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

struct CasoFile {
    const char* nome;
    QByteArray byte;
    int ritmo;      // what the reader makes of the first item
    int spuntata;   // the entry checked afterwards, 0 for none
};

void PrintTo(const CasoFile& c, std::ostream* os) { *os << c.nome; }

class FileDiAvvio : public testing::TestWithParam<CasoFile> {};

TEST_P(FileDiAvvio, DaiByteAllaVoceSpuntata) {
    const CasoFile& caso = GetParam();
    Banco banco;
    banco.scrivi(caso.byte);
    banco.velocita->avvio();

    EXPECT_EQ(banco.velocita->ritmo(), caso.ritmo);
    EXPECT_EQ(banco.velocita->spuntata(), caso.spuntata);
    if (caso.spuntata == 0) {
        EXPECT_EQ(banco.velocita->passi(), 0);
        EXPECT_TRUE(banco.passiDati.empty());
        EXPECT_TRUE(banco.spunte.empty());
    } else {
        const int attesi = Velocita::ritmi[std::size_t(caso.spuntata - 1)];
        EXPECT_EQ(banco.velocita->passi(), attesi);
        EXPECT_EQ(banco.passiDati, std::vector<int>{attesi});
        EXPECT_EQ(banco.spunte, std::vector<int>{caso.spuntata});
    }
    // Reading never rewrites or tidies the file.
    EXPECT_EQ(banco.contenuto(), caso.byte);
}

const QByteArray spazzatura("\x00\xff\xfe\x01\x02\x1a\x7f\x80garbage\x00\x03", 17);

INSTANTIATE_TEST_SUITE_P(
    Tabella, FileDiAvvio,
    testing::Values(
        CasoFile{"vuoto", "", 0, 0},
        CasoFile{"come_scritto", " 2 \r\n", 2, 2},
        CasoFile{"tre_senza_fine_riga", "3", 3, 3},
        CasoFile{"due_poi_altre_righe", "2\r\n3\r\n1\r\nLow\r\n", 2, 2},
        CasoFile{"righe_e_vuoti_prima", "\r\n\n \t \r\n  1\r\n", 1, 1},
        CasoFile{"virgola_chiude", "1,3", 1, 1},
        CasoFile{"vuoto_chiude", "3 2", 3, 3},
        CasoFile{"frazione_arrotondata", "2.6", 3, 3},
        CasoFile{"zero", "0", 0, 0},
        CasoFile{"quattro", "4\r\n", 4, 0},
        CasoFile{"meno_uno", "-1\r\n", -1, 0},
        CasoFile{"oltre_16_bit", "32768", 0, 0},
        CasoFile{"settantamila", "70000\r\n", 0, 0},
        CasoFile{"lettere", "High\r\n", 0, 0},
        CasoFile{"tra_virgolette", "\"2\"\r\n", 0, 0},
        CasoFile{"solo_vuoti", "  \r\n\r\n\t", 0, 0},
        CasoFile{"binario", spazzatura, 0, 0}),
    [](const testing::TestParamInfo<CasoFile>& info) { return std::string(info.param.nome); });

TEST(FileDiAvvioSpeciale, NessunFileNessunaSpuntaENessunFileCreato) {
    Banco banco;
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->spuntata(), 0);
    EXPECT_EQ(banco.velocita->passi(), 0);
    EXPECT_TRUE(banco.passiDati.empty());
    EXPECT_TRUE(banco.voci().isEmpty());
}

TEST(FileDiAvvioSpeciale, CartellaAlPostoDelFile) {
    Banco banco;
    ASSERT_TRUE(QDir(banco.cartella.path()).mkdir(QStringLiteral("Speed.dvx")));
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->spuntata(), 0);
    EXPECT_EQ(banco.velocita->passi(), 0);
    EXPECT_TRUE(QFileInfo(banco.file()).isDir());
}

// A FIFO nobody writes to blocks an open for reading for ever, and a device
// such as /dev/zero never ends: start-up must not wait on either.
TEST(FileDiAvvioSpeciale, FifoEDispositivoNonFermanoLAvvio) {
    Banco fifo;
    ASSERT_EQ(mkfifo(fifo.file().toLocal8Bit().constData(), 0644), 0);
    fifo.velocita->avvio();
    EXPECT_EQ(fifo.velocita->spuntata(), 0);

    Banco zero;
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zero.file()));
    zero.velocita->avvio();
    EXPECT_EQ(zero.velocita->spuntata(), 0);
}

// A gigabyte file (sparse, so the test costs no disk): only its start counts.
TEST(FileDiAvvioSpeciale, FileDaUnGigabyte) {
    const qint64 giga = qint64(1) << 30;

    Banco buono;
    buono.scrivi(" 2 \r\n");
    ASSERT_TRUE(QFile::resize(buono.file(), giga));
    buono.velocita->avvio();
    EXPECT_EQ(buono.velocita->spuntata(), 2);

    // The number starts beyond the part that is read: as good as no number.
    Banco lontano;
    lontano.scrivi(QByteArray(int(filevelocita::limiteLettura) + 10, ' ') + "3\r\n");
    ASSERT_TRUE(QFile::resize(lontano.file(), giga));
    lontano.velocita->avvio();
    EXPECT_EQ(lontano.velocita->spuntata(), 0);
}

// A number cut by the edge of the part that is read is not trusted ("1" of "12").
TEST(FileDiAvvioSpeciale, NumeroTagliatoDalLimiteDellaLettura) {
    Banco banco;
    banco.scrivi(QByteArray(int(filevelocita::limiteLettura) - 1, ' ') + "12\r\n");
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->ritmo(), 0);
}

TEST(FileDiAvvioSpeciale, FileSenzaPermessoDiLettura) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: file permissions do not stop reads";
    Banco banco;
    banco.scrivi(" 2 \r\n");
    ASSERT_TRUE(QFile::setPermissions(banco.file(), QFileDevice::WriteOwner));
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->spuntata(), 0);
    EXPECT_EQ(banco.velocita->passi(), 0);
}

TEST(Scelta, MiddleScriveEsattamenteUnaRigaEOgniSceltaRiscrive) {
    Banco banco;
    banco.velocita->avvio();
    banco.velocita->velocita_Click(2);
    EXPECT_EQ(banco.velocita->spuntata(), 2);
    EXPECT_EQ(banco.velocita->passi(), 200);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    // The save went through a file beside it that must not be left behind.
    EXPECT_EQ(banco.voci(), QStringList{QStringLiteral("Speed.dvx")});

    // Choosing the checked entry again still rewrites the file.
    banco.scrivi("damaged by hand");
    banco.velocita->velocita_Click(2);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    banco.velocita->velocita_Click(1);
    banco.velocita->velocita_Click(9);  // not an entry of the menu: ignored
    EXPECT_EQ(banco.passiDati, (std::vector<int>{200, 200, 360}));
    EXPECT_EQ(banco.spunte, (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(banco.contenuto(), QByteArray(" 1 \r\n"));

    // And the next run starts from it.
    banco.crea(banco.cartella.path());
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->passi(), 360);
}

// A program folder that cannot be written. Tests run as root, where a
// read-only folder still accepts files, so the unwritable folder is simulated
// by a path that is a regular file and by one that does not exist; a real
// read-only folder is tried as well when not root.
TEST(ScritturaImpossibile, IlRitmoValeComunquePerLaPartita) {
    QTemporaryDir base;
    const QString unFile = base.filePath(QStringLiteral("not-a-folder"));
    {
        QFile f(unFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const QString inesistente = base.filePath(QStringLiteral("missing/folder"));
    QStringList cartelle{unFile, inesistente};
    if (geteuid() != 0) {
        const QString solaLettura = base.filePath(QStringLiteral("read-only"));
        ASSERT_TRUE(QDir(base.path()).mkdir(QStringLiteral("read-only")));
        ASSERT_TRUE(QFile::setPermissions(solaLettura, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        cartelle << solaLettura;
    }
    for (const QString& cartella : cartelle) {
        SCOPED_TRACE(cartella.toStdString());
        Banco banco(cartella);
        banco.velocita->avvio();
        banco.velocita->velocita_Click(3);
        EXPECT_EQ(banco.velocita->spuntata(), 3);
        EXPECT_EQ(banco.velocita->passi(), 100);
        EXPECT_EQ(banco.passiDati, std::vector<int>{100});
        banco.velocita->velocita_Click(1);
        EXPECT_EQ(banco.velocita->passi(), 360);
    }
    EXPECT_FALSE(QFileInfo::exists(inesistente));
    EXPECT_TRUE(QFileInfo(unFile).isFile());
}

// A write that fails half-way, here because the process may not grow a file
// beyond two bytes (as on a full disk), must never get as far as replacing
// the stored rate: the old file stays whole and no partial file is left.
TEST(ScritturaImpossibile, ScritturaInterrottaLasciaIlVecchioFile) {
    Banco banco;
    banco.scrivi(" 2 \r\n");
    banco.velocita->avvio();

    rlimit prima{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &prima), 0);
    const auto segnalePrima = std::signal(SIGXFSZ, SIG_IGN);
    rlimit stretto = prima;
    stretto.rlim_cur = 2;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &stretto), 0);
    banco.velocita->velocita_Click(3);
    setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnalePrima);

    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    EXPECT_EQ(banco.voci(), QStringList{QStringLiteral("Speed.dvx")});
    EXPECT_EQ(banco.velocita->spuntata(), 3);
    EXPECT_EQ(banco.velocita->passi(), 100);

    // With room again the same choice is stored.
    banco.velocita->velocita_Click(3);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 3 \r\n"));
}

}  // namespace
