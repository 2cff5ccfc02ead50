// The play rate and its file Speed.dvx: what start-up makes of every kind of
// file it may find, what a choice writes, and that a failed write never costs
// the rate in force or the rate already stored; where the file is kept, and
// that nothing but a regular file is ever replaced.
#include "filevelocita.h"
#include "posto.h"
#include "velocita.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <csignal>
#include <cstdlib>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace trelva;

namespace {

// A Velocita on a fresh folder that records every step count it hands out and
// every check mark it asks for.
struct Banco {
    QTemporaryDir cartella;
    std::vector<int> passiDati, spunte;
    std::unique_ptr<Velocita> velocita;

    explicit Banco(const QString& dove = {}) { crea(dove.isEmpty() ? cartella.path() : dove); }
    void crea(const QString& dove)
    {
        crea(PostoRitmo::accanto(dove));
    }
    void crea(const PostoRitmo& posto)
    {
        velocita = std::make_unique<Velocita>(posto, [this](int p) { passiDati.push_back(p); });
        QObject::connect(velocita.get(), &Velocita::spuntaCambiata, [this](int s) { spunte.push_back(s); });
    }
    QString file() const { return cartella.filePath(QStringLiteral("Speed.dvx")); }
    bool scrivi(const QByteArray& byte) const
    {
        QFile f(file());
        return f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size();
    }
    QByteArray contenuto() const
    { // the first megabyte, enough for every file here
        QFile f(file());
        return QFileInfo(f).isFile() && f.open(QIODevice::ReadOnly) ? f.read(1 << 20) : "<none>";
    }
    QStringList voci() const
    {
        return QDir(cartella.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

// Whatever start-up finds under the name: what it reads and the entry it
// checks. It never waits, never reads through a whole file, never touches it.
TEST(Avvio, DaOgniFileAllaVoceSpuntata)
{
    const int limite = int(filevelocita::limiteLettura);
    const auto byte = [](const QByteArray& b) { return [b](Banco& banco) { return banco.scrivi(b); }; };
    const struct {
        std::function<bool(Banco&)> prepara;
        int ritmo, spuntata;
    } casi[] = {
        {[](Banco&) { return true; }, 0, 0}, // no file
        {byte(""), 0, 0},
        {byte("3"), 3, 3}, // no line end
        {byte("2\r\n3\r\n1\r\nLow\r\n"), 2, 2},
        {byte("2.6"), 3, 3},
        {byte("2.5"), 2, 2}, // half to even
        {byte("0"), 0, 0},
        {byte("4\r\n"), 4, 0},
        {byte("-1\r\n"), -1, 0},
        {byte("70000\r\n"), 0, 0},
        {byte("High\r\n"), 0, 0},
        {byte("\"2\"\r\n"), 0, 0},
        {byte(QByteArray("\x00\xff\xfe\x01\x02\x1a\x7f\x80garbage\x00\x03", 17)), 0, 0},
        // A number cut by the edge of the part that is read ("1" of "12") is
        // not trusted, and one that starts beyond it is not seen.
        {byte(QByteArray(limite - 1, ' ') + "12\r\n"), 0, 0},
        {byte(QByteArray(limite + 10, ' ') + "3\r\n"), 0, 0},
        // A gigabyte (sparse, so it costs no disk): only its start counts.
        {[](Banco& b) { return b.scrivi("2\r\n") && QFile::resize(b.file(), qint64(1) << 30); }, 2, 2},
        {[](Banco& b) { return QDir().mkdir(b.file()); }, 0, 0},
        // A FIFO nobody writes to blocks an open for reading for ever; /dev/zero never ends.
        {[](Banco& b) { return mkfifo(b.file().toLocal8Bit().constData(), 0644) == 0; }, 0, 0},
        {[](Banco& b) { return QFile::link(QStringLiteral("/dev/zero"), b.file()); }, 0, 0},
        // No permission to read, which root does not need: there, no file.
        {[](Banco& b) { return !geteuid() || (b.scrivi("2") && chmod(qPrintable(b.file()), 0) == 0); }, 0, 0},
    };
    for (std::size_t riga = 0; riga < std::size(casi); ++riga) {
        SCOPED_TRACE("row " + std::to_string(riga));
        Banco banco;
        ASSERT_TRUE(casi[riga].prepara(banco));
        const QStringList voci = banco.voci();
        const QByteArray contenuto = banco.contenuto();
        QElapsedTimer tempo;
        tempo.start();
        banco.velocita->avvio();
        EXPECT_LT(tempo.elapsed(), 250); // far less than reading a gigabyte takes
        // The entry checked (0: none) and its step count, or nothing at all.
        const int spuntata = casi[riga].spuntata, passi = spuntata ? Velocita::ritmi[spuntata - 1] : 0;
        EXPECT_EQ(banco.velocita->ritmo(), casi[riga].ritmo);
        EXPECT_EQ(banco.velocita->spuntata(), spuntata);
        EXPECT_EQ(banco.velocita->passi(), passi);
        EXPECT_EQ(banco.passiDati, std::vector<int>(spuntata ? 1 : 0, passi));
        EXPECT_EQ(banco.spunte, std::vector<int>(spuntata ? 1 : 0, spuntata));
        EXPECT_EQ(banco.voci(), voci);
        EXPECT_EQ(banco.contenuto(), contenuto);
    }
}

// A choice holds at once and rewrites the file, even for the entry already
// checked, through a file beside it that is never left behind.
TEST(Scelta, ScriveUnaRigaOTieneIlVecchioFile)
{
    Banco banco;
    banco.velocita->avvio();
    banco.velocita->velocita_Click(2);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    EXPECT_EQ(banco.voci(), QStringList{QStringLiteral("Speed.dvx")});
    ASSERT_TRUE(banco.scrivi("damaged by hand"));
    banco.velocita->velocita_Click(2);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    banco.velocita->velocita_Click(9); // no entry of the menu: ignored

    // A write that fails half-way, here because the process may not grow a
    // file beyond two bytes (as on a full disk), never replaces the stored
    // rate: the old file stays whole, no partial file is left, and the new
    // rate holds for the run all the same.
    rlimit prima{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &prima), 0);
    rlimit stretto = prima;
    stretto.rlim_cur = 2;
    const auto segnalePrima = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &stretto), 0);
    banco.velocita->velocita_Click(3);
    setrlimit(RLIMIT_FSIZE, &prima);
    std::signal(SIGXFSZ, segnalePrima);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 2 \r\n"));
    EXPECT_EQ(banco.voci(), QStringList{QStringLiteral("Speed.dvx")});
    EXPECT_EQ(banco.passiDati, (std::vector<int>{200, 200, 100}));
    EXPECT_EQ(banco.spunte, (std::vector<int>{2, 2, 3}));

    // With room again a choice is stored, and the next run starts from it.
    banco.velocita->velocita_Click(1);
    EXPECT_EQ(banco.contenuto(), QByteArray(" 1 \r\n"));
    banco.crea(banco.cartella.path());
    banco.velocita->avvio();
    EXPECT_EQ(banco.velocita->passi(), 360);
}

// A folder that cannot be written. Root may write into a read-only folder, so
// it is also stood in for by a path that is a regular file and by a folder
// that cannot be made because a regular file stands in its way.
TEST(ScritturaImpossibile, IlRitmoValeComunquePerLaPartita)
{
    QTemporaryDir base;
    const QString unFile = base.filePath(QStringLiteral("not-a-folder"));
    const QString solaLettura = base.filePath(QStringLiteral("read-only"));
    ASSERT_TRUE(QFile(unFile).open(QIODevice::WriteOnly) && QDir().mkdir(solaLettura) && QFile::setPermissions(solaLettura, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    for (const QString& cartella : {unFile, unFile + QStringLiteral("/latrelva"), solaLettura}) {
        if (cartella == solaLettura && geteuid() == 0)
            continue; // root writes there anyway
        SCOPED_TRACE(cartella.toStdString());
        Banco banco(cartella);
        banco.velocita->avvio();
        banco.velocita->velocita_Click(3);
        banco.velocita->velocita_Click(1);
        EXPECT_EQ(banco.passiDati, (std::vector<int>{100, 360}));
        EXPECT_EQ(banco.spunte, (std::vector<int>{3, 1}));
        EXPECT_TRUE(QDir(solaLettura).isEmpty() && QFileInfo(unFile).isFile());
    }
}

// Where the file is kept, from the program's folder and the environment. Only
// an absolute folder counts: a missing or relative HOME must never send the
// file somewhere relative to wherever the game happened to be started.
TEST(Posto, DaCartellaEAmbiente)
{
    using postoritmo::scegli;
    const QString p = QStringLiteral("/opt/game");
    const struct {
        bool accanto;
        const char *xdg, *home;
        QStringList letture;
        const char* scrittura;
    } casi[] = {
        {true, "/x/cfg", "/home/u", {p}, "/opt/game"},
        {false, "/x/cfg", "/home/u", {"/x/cfg/latrelva", p}, "/x/cfg/latrelva"},
        {false, "", "/home/u/", {"/home/u/.config/latrelva", p}, "/home/u/.config/latrelva"},
        {false, "cfg", "/home/u", {"/home/u/.config/latrelva", p}, "/home/u/.config/latrelva"},
        {false, "", "", {p}, ""}, // no HOME: the choice lasts for the run
        {false, "cfg", ".", {p}, ""},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(std::string(caso.xdg) + " | " + caso.home);
        const PostoRitmo posto = scegli(p, {caso.accanto, QString::fromUtf8(caso.xdg), QString::fromUtf8(caso.home)});
        EXPECT_EQ(posto.letture, caso.letture);
        EXPECT_EQ(posto.scrittura, QString::fromUtf8(caso.scrittura));
    }
}

// Which folders the system lets a copy keep its file in: one this user may
// write, unless it is an installed copy (its data folder where the install
// puts it), which never writes its own folder, not even run by root. Tests
// run as root, who may write anywhere, so a child that has become "nobody"
// asks about one folder it may write and one it may not.
TEST(Posto, CartellaScrivibileENonInstallata)
{
    QTemporaryDir base;
    const QDir qui(base.path());
    ASSERT_TRUE(qui.mkpath(QStringLiteral("portable")) && qui.mkpath(QStringLiteral("prefix/bin")));
    const QString programma = qui.filePath(QStringLiteral("prefix/bin"));
    ASSERT_TRUE(QDir(programma).mkpath(QStringLiteral(LATRELVA_DATADIR)));
    EXPECT_TRUE(postoritmo::ambiente(qui.filePath(QStringLiteral("portable"))).accanto);
    EXPECT_FALSE(postoritmo::ambiente(programma).accanto);

    const QByteArray home = qgetenv("HOME"), xdg = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "/x/cfg");
    const postoritmo::Ambiente senzaHome = postoritmo::ambiente(programma);
    qputenv("HOME", home);
    xdg.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", xdg);
    EXPECT_EQ(senzaHome.home, QString());
    EXPECT_EQ(senzaHome.xdgConfigHome, QStringLiteral("/x/cfg"));

    if (geteuid() != 0)
        GTEST_SKIP() << "the check as another user needs root";
    const QString aperta = qui.filePath(QStringLiteral("open")), chiusa = qui.filePath(QStringLiteral("closed"));
    ASSERT_TRUE(qui.mkdir(QStringLiteral("open")) && qui.mkdir(QStringLiteral("closed")));
    ASSERT_EQ(chmod(qPrintable(base.path()), 0755) | chmod(qPrintable(aperta), 0777) | chmod(qPrintable(chiusa), 0755), 0);
    const pid_t figlio = fork();
    ASSERT_GE(figlio, 0);
    if (figlio == 0) {
        const bool giusto = setuid(65534) == 0 && postoritmo::ambiente(aperta).accanto && !postoritmo::ambiente(chiusa).accanto;
        _exit(giusto ? 0 : 1);
    }
    int stato = 0;
    ASSERT_EQ(waitpid(figlio, &stato, 0), figlio);
    EXPECT_TRUE(WIFEXITED(stato) && WEXITSTATUS(stato) == 0);
}

// An installed copy: the user's file comes first when it is there as a
// regular file, the one beside the program otherwise; a choice goes to the
// user's folder, made when first needed, and never beside the program.
TEST(PostoUtente, LeggePrimaIlFileDellUtenteScriveSoloLi)
{
    const auto scrivi = [](const QString& percorso, const QByteArray& byte) {
        QFile f(percorso);
        return f.open(QIODevice::WriteOnly) && f.write(byte) == byte.size();
    };
    const struct {
        QByteArray utente;
        bool cartellaUtente;
        int letto;
    } casi[] = {
        {" 3 \r\n", false, 3}, // both files there: the user's
        {{}, false, 1}, // only the one beside the program
        // a folder under the name is not a file
        {{}, true, 1},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.letto);
        Banco banco; // its folder is the program's
        const QString utente = banco.cartella.filePath(QStringLiteral("home/.config/latrelva"));
        const QString fileUtente = utente + QStringLiteral("/Speed.dvx");
        ASSERT_TRUE(banco.scrivi(" 1 \r\n"));
        if (!caso.utente.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(utente) && scrivi(fileUtente, caso.utente));
        }
        if (caso.cartellaUtente) {
            ASSERT_TRUE(QDir().mkpath(fileUtente));
        }
        banco.crea(PostoRitmo{{utente, banco.cartella.path()}, utente});
        banco.velocita->avvio();
        EXPECT_EQ(banco.velocita->ritmo(), caso.letto);
        banco.velocita->velocita_Click(2);
        EXPECT_EQ(banco.contenuto(), QByteArray(" 1 \r\n"));
        EXPECT_EQ(banco.passiDati.back(), 200);
        if (caso.cartellaUtente) {
            EXPECT_TRUE(QFileInfo(fileUtente).isDir());
            continue;
        }
        QFile salvato(fileUtente);
        ASSERT_TRUE(salvato.open(QIODevice::ReadOnly));
        EXPECT_EQ(salvato.readAll(), QByteArray(" 2 \r\n"));
        banco.crea(PostoRitmo{{utente, banco.cartella.path()}, utente});
        banco.velocita->avvio();
        EXPECT_EQ(banco.velocita->passi(), 200);
    }

    // Nowhere to keep it (no HOME): the choice holds, nothing is written.
    Banco banco;
    banco.crea(PostoRitmo{{banco.cartella.path()}, {}});
    banco.velocita->velocita_Click(3);
    EXPECT_EQ(banco.passiDati, std::vector<int>{100});
    EXPECT_TRUE(banco.voci().isEmpty());
}

// Saving through a link to a regular file updates that file and keeps the
// link. Anything else under the name is left exactly as it is: a device (here
// a FIFO stands in, for a test must not risk a real device), a folder, a
// broken link. The choice still holds for the run.
TEST(Collegamenti, SoloUnFileRegolareVieneRiscritto)
{
    const auto fifo = [](const QString& p) { return mkfifo(qPrintable(p), 0644) == 0; };
    const auto cartella = [](const QString& p) { return QDir().mkdir(p); };
    const auto file = [](const QString& p) { QFile f(p); return f.open(QIODevice::WriteOnly) && f.write(" 1 \r\n") == 5; };
    const auto niente = [](const QString&) { return true; };
    const struct {
        std::function<bool(const QString&)> bersaglio;
        bool collegamento, riscritto;
    } casi[] = {
        {file, true, true},
        {fifo, true, false},
        {cartella, true, false},
        {niente, true, false},
        {fifo, false, false},
        {cartella, false, false},
    };
    for (std::size_t riga = 0; riga < std::size(casi); ++riga) {
        SCOPED_TRACE("row " + std::to_string(riga));
        Banco banco;
        const QString altrove = banco.cartella.filePath(QStringLiteral("elsewhere"));
        const QString bersaglio = casi[riga].collegamento ? altrove : banco.file();
        ASSERT_TRUE(casi[riga].bersaglio(bersaglio));
        if (casi[riga].collegamento) {
            ASSERT_TRUE(QFile::link(altrove, banco.file()));
        }
        const auto tipo = [](const QString& p) { struct stat s{}; return lstat(qPrintable(p), &s) == 0 ? s.st_mode & S_IFMT : 0u; };
        const auto tipoPrima = tipo(bersaglio);
        const QStringList voci = banco.voci();
        banco.velocita->velocita_Click(3);
        EXPECT_EQ(banco.passiDati, std::vector<int>{100});
        EXPECT_EQ(tipo(bersaglio), tipoPrima);
        EXPECT_EQ(banco.voci(), voci);
        if (casi[riga].collegamento) {
            EXPECT_EQ(QFileInfo(banco.file()).symLinkTarget(), altrove);
        }
        if (casi[riga].riscritto) {
            EXPECT_EQ(banco.contenuto(), QByteArray(" 3 \r\n"));
        }
    }
}

// Randomised reads, with a known answer where the fuzzer only knows "no crash":
// blanks, a number, an end, then any bytes at all, however many, read as that
// number, the same through the window that start-up reads, as is the line
// written for that number. Where clang is missing they are also the only
// randomised coverage of the reader.
TEST(LetturaCasuale, NumeroTraVuotiPoiRumore)
{
    using filevelocita::leggiRitmo;
    std::mt19937_64 caso(20260401);
    const auto tra = [&](int da, int a) { return std::uniform_int_distribution<int>(da, a)(caso); };
    for (int giro = 0; giro < 200000; ++giro) {
        // Half the values lie close to the ends of the 16-bit range.
        const int valore = tra(0, 1) ? tra(-99999, 99999) : tra(-9, 9) + (tra(0, 1) ? 32764 : -32764);
        std::string testo(std::size_t(tra(0, 40)), ' ');
        for (char& c : testo)
            c = " \t\r\n"[tra(0, 3)];
        if (valore < 0 || tra(0, 4) == 0)
            testo += valore < 0 ? '-' : '+';
        testo.append(std::size_t(tra(0, 3)), '0').append(std::to_string(std::abs(valore)));
        if (tra(0, 3) == 0)
            testo.append(1, '.').append(std::size_t(tra(0, 3)), '0');
        if (const int fine = tra(0, 5); fine < 5) {
            std::string coda(std::size_t(giro % 50 ? tra(0, 30) : tra(4000, 4200)), ' ');
            for (char& c : coda)
                c = char(tra(0, 255));
            testo += " \t\r\n,"[fine] + coda;
        }
        const int atteso = (valore >= -32768 && valore <= 32767) ? valore : 0;
        ASSERT_EQ(leggiRitmo(testo), atteso) << "input: " << testo;
        ASSERT_EQ(leggiRitmo(std::string_view(testo).substr(0, filevelocita::byteDaLeggere)), atteso);
        ASSERT_EQ(leggiRitmo(filevelocita::rigaRitmo(atteso)), atteso); // and the line written for it
    }
}

} // namespace
