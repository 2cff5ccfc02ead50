// From process start to the first title frame, beside a bare Qt window that
// only paints white, both started afresh several times in the same run.
// Prints the median of each step and the ratio of the two first frames.
// Run it under a real display server (xvfb-run) for honest figures.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPainter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "form1.h"
#include "pannelli.h"
#include "superficie.h"

namespace {
double msMonotono()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// The parent's clock reading just before it started this process: the
// kernel's own start time is kept in 10 ms ticks, too coarse here.
double partenza = 0;

double msDallAvvio()
{
    return msMonotono() - partenza;
}

// Each child prints "step milliseconds" lines, the last one the first frame.
void tappa(const char* nome, double ms)
{
    std::printf("%s %.2f\n", nome, ms);
    std::fflush(stdout);
}

class Bianca : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        tappa("first-frame", msDallAvvio());
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
};

int nudo(int argc, char** argv)
{
    tappa("main", msDallAvvio());
    QApplication app(argc, argv);
    tappa("QApplication", msDallAvvio());
    Bianca b;
    b.showMaximized();
    return app.exec();
}

// Watches the table for its first frame with the title on it.
class Titolo : public QObject {
public:
    explicit Titolo(Superficie& s)
        : s_(s)
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize && !ridimensionata_) {
            ridimensionata_ = true;
            tappa("first-resize", msDallAvvio());
        }
        if (e->type() == QEvent::Paint && !dipinta_) {
            dipinta_ = true;
            tappa(s_.testo.visible ? "first-paint(title)" : "first-paint(blank)", msDallAvvio());
        }
        if (e->type() == QEvent::Paint && s_.testo.visible && !visto_) {
            visto_ = true;
            // After the paint handler: the frame goes to the screen as it returns.
            QTimer::singleShot(0, &s_, [] {
                tappa("first-frame", msDallAvvio());
                // nothing after the first frame is measured here
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    Superficie& s_;
    bool visto_ = false;
    bool dipinta_ = false;
    bool ridimensionata_ = false;
};

int gioco(int argc, char** argv)
{
    tappa("main", msDallAvvio());
    QApplication app(argc, argv);
    tappa("QApplication", msDallAvvio());
    Form1 finestra({.cartella = QCoreApplication::applicationDirPath()});
    tappa("window-built", msDallAvvio());
    Titolo titolo(finestra.superficie());
    finestra.superficie().installEventFilter(&titolo);
    QTimer::singleShot(0, &finestra, [&] {
        tappa("start-up-begins", msDallAvvio());
        finestra.Form_Load();
    });
    return app.exec();
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Costs of the pieces a first frame may need, each on its own, in this process.
void pezzi()
{
    auto misura = [](const char* nome, auto&& fare) {
        QElapsedTimer t;
        t.start();
        fare();
        std::printf("  %-40s %7.2f ms\n", nome, t.nsecsElapsed() / 1e6);
    };
    std::printf("pieces, measured alone after the application exists, in this order:\n");
    auto testo = [](const QFont& f) {
        QImage i(400, 40, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&i);
        p.setFont(f);
        p.drawText(i.rect(), Qt::AlignCenter, QStringLiteral("Copyright (C) 2026 Dorvinex"));
    };
    misura("first text drawn (the web label's face)", [&] { testo(Superficie::carattereSito()); });
    misura("text in the notice's face", [&] { testo(Superficie::carattereCopyRight()); });
    misura("the panels (three text boxes)", [] {
        QWidget w;
        Pannelli p(&w);
    });
    auto rendi = [](const char* figura, QSize misura) {
        QSvgRenderer svg(QString::fromLatin1(figura));
        QImage i(misura, QImage::Format_ARGB32_Premultiplied);
        i.fill(Qt::transparent);
        QPainter p(&i);
        p.setRenderHint(QPainter::Antialiasing);
        svg.render(&p);
    };
    misura("title picture: parse and render", [&] { rendi(":/art/testo.svg", {309, 90}); });
    misura("logo: parse and render", [&] { rendi(":/art/logo.svg", {120, 39}); });
    misura("window icon from its SVG (one size)", [] {
        QIcon(QStringLiteral(":/art/icona.svg")).pixmap(32, 32);
    });
    misura("one card face: parse and render", [] {
        QSvgRenderer svg(QStringLiteral(":/art/carta01.svg"));
        QImage i(68, 110, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&i);
        svg.render(&p);
    });
}

int confronta(int argc, char** argv, int volte)
{
    QApplication app(argc, argv);
    std::map<std::string, std::map<std::string, std::vector<double>>> tappe; // mode -> step -> ms
    std::vector<std::string> ordine[2];
    const char* modi[] = {"bare", "game"};
    for (int i = 0; i < volte; ++i)
        for (int m = 0; m < 2; ++m) {
            QProcess figlio;
            figlio.start(QCoreApplication::applicationFilePath(),
                         {QString::fromLatin1(modi[m]), QString::number(msMonotono(), 'f', 3)});
            figlio.waitForFinished(20000);
            std::istringstream righe(figlio.readAllStandardOutput().toStdString());
            std::string nome;
            double ms = 0;
            while (righe >> nome >> ms) {
                if (i == 0)
                    ordine[m].push_back(nome);
                tappe[modi[m]][nome].push_back(ms);
            }
        }
    std::printf("medians of %d starts, milliseconds after process start:\n", volte);
    for (int m = 0; m < 2; ++m) {
        std::printf("%s Qt window:\n", modi[m]);
        for (const std::string& nome : ordine[m])
            std::printf("  %-20s %7.1f\n", nome.c_str(), mediana(tappe[modi[m]][nome]));
    }
    const double nuda = mediana(tappe["bare"]["first-frame"]);
    const double nostra = mediana(tappe["game"]["first-frame"]);
    std::printf("first title frame / bare window's first frame: %.2f\n", nuda > 0 ? nostra / nuda : 0.0);
    pezzi();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string modo = argc > 1 ? argv[1] : "";
    if (argc > 2)
        partenza = std::atof(argv[2]);
    if (modo == "bare")
        return nudo(argc, argv);
    if (modo == "game")
        return gioco(argc, argv);
    return confronta(argc, argv, argc > 1 ? std::max(1, std::atoi(argv[1])) : 9);
}
