// From process start to the first title frame, beside the barest Qt window
// (trelva-bench-nudo, built beside this program), both started afresh several
// times in the same run. Prints the median of each step and the ratio of the
// two first frames. Run it under a real display server (xvfb-run) for honest figures.
#include <QDir>
#include <QElapsedTimer>
#include <QIcon>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "anticipo.h"
#include "form1.h"
#include "pannelli.h"
#include "superficie.h"
#include "tappe.h"

using namespace trelva;

namespace {
using tappe::tappa;

// Steps that are not the first frame: the first resize and the first paint.
class Passi : public QObject {
public:
    explicit Passi(Superficie& s)
        : s_(s)
    {
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize && !ridimensionata_) {
            ridimensionata_ = true;
            tappa("first-resize");
        }
        if (e->type() == QEvent::Paint && !dipinta_) {
            dipinta_ = true;
            tappa(s_.schermata().testo.visible ? "first-paint(title)" : "first-paint(blank)");
        }
        return false;
    }

private:
    Superficie& s_;
    bool dipinta_ = false;
    bool ridimensionata_ = false;
};

// The title screen's pictures are kept between starts in this folder, the
// bench's own: clearing it never touches a player's.
QString copie()
{
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
}

// `misura`: the first title frame ends the process. Otherwise the start only
// leaves its title pictures kept for the next ones, and ends a little later.
int gioco(int argc, char** argv, bool misura)
{
    tappa("main");
    bool titoloDipinto = false;
    tappe::Applicazione app(argc, argv, [&] { return misura && titoloDipinto; });
    const trelva::Ricerche ricerche = trelva::anticipaLeRicerche();
    tappa("QApplication");
    Form1 f({.cartella = QCoreApplication::applicationDirPath(), .copie = copie()});
    tappa("window-built");
    Passi passi(f.superficie());
    f.superficie().installEventFilter(&passi);
    QObject::connect(&f.superficie(), &Superficie::dipinta, [&] {
        if (!titoloDipinto && f.superficie().schermata().testo.visible && !misura)
            QTimer::singleShot(500, [] { std::_Exit(0); });
        titoloDipinto |= f.superficie().schermata().testo.visible;
    });
    QTimer::singleShot(0, &f, [&] {
        tappa("start-up-begins");
        f.Form_Load();
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
    constexpr int quanti = 4;
    std::vector<std::string> ordine[quanti];
    const char* modi[quanti] = {"game, a first start (nothing kept)", "bare", "bare with a menu bar", "game"};
    const QString nudo = QCoreApplication::applicationDirPath() + QStringLiteral("/trelva-bench-nudo");
    const QString gioco = QCoreApplication::applicationFilePath();
    for (int i = 0; i < volte; ++i)
        for (int m = 0; m < quanti; ++m) {
            QProcess figlio;
            if (m == 0)
                QDir(copie()).removeRecursively();
            if (m == 1) { // the next starts find the title pictures kept
                QProcess prima;
                prima.start(gioco, {QStringLiteral("prime"), QString::number(tappe::msMonotono(), 'f', 3)});
                prima.waitForFinished(20000);
            }
            const QString adesso = QString::number(tappe::msMonotono(), 'f', 3);
            if (m == 1)
                figlio.start(nudo, {adesso});
            else if (m == 2)
                figlio.start(nudo, {adesso, QStringLiteral("menu")});
            else
                figlio.start(gioco, {QStringLiteral("game"), adesso});
            figlio.waitForFinished(20000);
            std::istringstream righe(figlio.readAllStandardOutput().toStdString());
            std::string nome;
            double ms = 0;
            while (righe >> nome >> ms) {
                if (std::find(ordine[m].begin(), ordine[m].end(), nome) == ordine[m].end())
                    ordine[m].push_back(nome);
                tappe[modi[m]][nome].push_back(ms);
            }
        }
    std::printf("medians of %d starts, milliseconds after process start:\n", volte);
    for (int m = 0; m < quanti; ++m) {
        std::printf("%s Qt window:\n", modi[m]);
        // A child that failed would leave its slow starts out of the median.
        if (const size_t mancano = volte - tappe[modi[m]]["first-frame"].size())
            std::printf("  (%zu of %d starts showed no first frame)\n", mancano, volte);
        for (const std::string& nome : ordine[m])
            std::printf("  %-20s %7.1f\n", nome.c_str(), mediana(tappe[modi[m]][nome]));
    }
    const double nuda = mediana(tappe["bare"]["first-frame"]);
    auto rapporto = [&](const char* modo) { return nuda > 0 ? mediana(tappe[modo]["first-frame"]) / nuda : 0.0; };
    std::printf("first frame / bare window's first frame: with a menu bar %.2f, the game's title %.2f "
                "(on a first start %.2f)\n",
                rapporto("bare with a menu bar"), rapporto("game"), rapporto(modi[0]));
    pezzi();
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    const std::string modo = argc > 2 ? argv[1] : "";
    if (modo == "game" || modo == "prime") {
        tappe::partenza = std::atof(argv[2]);
        return gioco(argc, argv, modo == "game");
    }
    return confronta(argc, argv, argc > 1 ? std::max(1, std::atoi(argv[1])) : 9);
}
