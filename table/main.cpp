#include <QApplication>
#include <QTimer>

#include "form1.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    Form1 finestra({QCoreApplication::applicationDirPath(), {}, {}, true});
    // Start-up runs inside the event loop, so that quitting from any depth
    // unwinds back here.
    QTimer::singleShot(0, &finestra, &Form1::Form_Load);
    return app.exec();
}
