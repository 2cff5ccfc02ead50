// The yardsticks, linked with Qt Widgets alone: the barest Qt window, which
// shows maximised and paints white, and with "menu" the same white under a
// menu bar holding the game's six titles, the least a window like the game's
// can cost.
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <string>

#include "tappe.h"

namespace {
bool dipinta = false;

class Bianca : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter(this).fillRect(rect(), Qt::white);
        dipinta = true;
    }
};
} // namespace

// Arguments: the start time, then "menu" for the window with a menu bar.
int main(int argc, char** argv)
{
    if (argc > 1)
        tappe::partenza = std::atof(argv[1]);
    const bool conMenu = argc > 2 && std::string(argv[2]) == "menu";
    tappe::tappa("main");
    tappe::Applicazione app(argc, argv, [] { return dipinta; });
    tappe::tappa("QApplication");
    QMainWindow finestra;
    auto* bianca = new Bianca;
    bianca->setAttribute(Qt::WA_OpaquePaintEvent); // as the game's table
    finestra.setCentralWidget(bianca);
    if (conMenu)
        for (const char* titolo : {"&New Game", "&Rules", "&Music", "&Play Speed", "&Info", "&Quit"})
            finestra.menuBar()->addAction(QString::fromLatin1(titolo));
    finestra.showMaximized();
    return app.exec();
}
