// The yardstick: the barest Qt window, linked with Qt Widgets alone, that
// shows maximised and paints white.
#include <QPainter>
#include <QWidget>

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

int main(int argc, char** argv)
{
    if (argc > 1)
        tappe::partenza = std::atof(argv[1]);
    tappe::tappa("main");
    tappe::Applicazione app(argc, argv, [] { return dipinta; });
    tappe::tappa("QApplication");
    Bianca b;
    b.showMaximized();
    return app.exec();
}
