// Figures of the window at work: start-up to the first title frame and to the
// dealt table, CPU while the title waits and while the game waits for a
// press, a card move at each play rate (with the card pictures it had to
// render: a card snapped to whole pixels takes a few sizes, each rendered
// once), and memory with a game dealt.
// Run it under a real display server (xvfb-run) for honest paint costs.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include "form1.h"
#include "superficie.h"

using namespace trelva;

namespace {
double cpuSecondi()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// Seconds since this process was started, from the kernel's own records.
double dallAvvio()
{
    std::ifstream stat("/proc/self/stat");
    std::string riga;
    std::getline(stat, riga);
    std::istringstream campi(riga.substr(riga.rfind(')') + 2));
    std::string campo;
    for (int i = 3; i <= 22; ++i)
        campi >> campo; // field 22: start time in clock ticks after boot
    double uptime = 0;
    std::ifstream("/proc/uptime") >> uptime;
    return uptime - std::stod(campo) / double(sysconf(_SC_CLK_TCK));
}

long rssKiB()
{
    std::ifstream status("/proc/self/status");
    std::string chiave;
    long valore = 0;
    while (status >> chiave)
        if (chiave == "VmRSS:") {
            status >> valore;
            return valore;
        }
    return 0;
}

class PrimoFotogramma : public QObject {
public:
    double quando = -1;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && quando < 0)
            quando = dallAvvio();
        return false;
    }
};

// Runs `fare` from the event loop once `pronto` holds, checking every 5 ms.
void quando(std::function<bool()> pronto, std::function<void()> fare)
{
    auto* t = new QTimer;
    t->setInterval(5);
    QObject::connect(t, &QTimer::timeout, [t, pronto, fare] {
        if (!pronto())
            return;
        t->deleteLater();
        t->stop();
        fare();
    });
    t->start();
}
} // namespace

int main(int argc, char** argv)
{
    const double attesaInattiva = argc > 1 ? std::atof(argv[1]) : 20.0;
    QApplication app(argc, argv);
    Form1 finestra({.cartella = QCoreApplication::applicationDirPath(), .suonoVero = false});
    PrimoFotogramma primo;
    finestra.superficie().installEventFilter(&primo);
    trelva::Tavolo& tavolo = finestra.tavolo();

    double cpuTitolo = 0, inizioTitolo = 0;
    quando([&] { return primo.quando >= 0; }, [&] {
        std::printf("first title frame: %.0f ms after process start\n", primo.quando * 1000);
        // The quiet part of the pause: the title has been painted.
        QTimer::singleShot(1000, [&] {
            cpuTitolo = cpuSecondi();
            inizioTitolo = dallAvvio();
        }); });
    quando([&] { return tavolo.partitaInCorso(); }, [&] {
        const double ora = dallAvvio();
        std::printf("dealt table: %.0f ms after process start\n", ora * 1000);
        std::printf("title pause: %.2f %% of one core\n",
                    100 * (cpuSecondi() - cpuTitolo) / (ora - inizioTitolo));
        std::printf("resident memory with a game dealt: %ld MiB\n", rssKiB() / 1024);

        const double cpu0 = cpuSecondi();
        QElapsedTimer t;
        t.start();
        QTimer::singleShot(int(attesaInattiva * 1000), [&, cpu0, t] {
            std::printf("waiting for a press: %.2f %% of one core over %.0f s\n",
                        100 * (cpuSecondi() - cpu0) / (t.nsecsElapsed() / 1e9), attesaInattiva);
            const char* nomi[] = {"Low", "Middle", "High"};
            const int ritmi[] = {360, 200, 100};
            for (int i = 0; i < 3; ++i) {
                tavolo.passi = ritmi[i];
                tavolo.immagini.carta[1].visible = true;
                const int f0 = finestra.superficie().fotogrammi();
                const int r0 = finestra.superficie().figureRese();
                const double c0 = cpuSecondi();
                QElapsedTimer m;
                m.start();
                const trelva::Punto da = tavolo.geometria.mazzetto(), a = tavolo.geometria.temporaneo();
                tavolo.muovicarta(1, trelva::arrotonda(da.x), trelva::arrotonda(a.x), trelva::arrotonda(da.y),
                                  trelva::arrotonda(a.y));
                const double s = m.nsecsElapsed() / 1e9;
                std::printf("move at %-6s (%d steps): %.3f s, %d frames, %.1f %% of one core, "
                            "%d card pictures rendered\n",
                            nomi[i], ritmi[i], s, finestra.superficie().fotogrammi() - f0,
                            100 * (cpuSecondi() - c0) / s, finestra.superficie().figureRese() - r0);
            }
            finestra.close();
        }); });
    QTimer::singleShot(0, &finestra, &Form1::Form_Load);
    return app.exec();
}
