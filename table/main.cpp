#include <QApplication>
#include <QCommandLineParser>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

#include "anticipo.h"
#include "audiooutput.h"
#include "form1.h"

namespace {

// The game's only options, --help and --version, which answer on the terminal.
struct Opzioni {
    QCommandLineParser parser;
    QCommandLineOption aiuto = parser.addHelpOption();
    QCommandLineOption versione = parser.addVersionOption();
    Opzioni()
    {
        parser.setApplicationDescription(QStringLiteral(
            "La Trelva, a solitaire with the 40-card Neapolitan deck: order the\n"
            "whole deck into four rows, one per suit, from the ace to the King."));
    }
};

// Answered before the window system is touched, so that they work with no
// display at all (a bare QCoreApplication, gone before the window's own, gives
// the help its program name). Returns true when there is nothing more to do.
bool risposto(Opzioni& opzioni, int& argc, char** argv)
{
    if (argc < 2)
        return false; // the usual start, kept as quick as it can be
    const QCoreApplication nucleo(argc, argv);
    // Options meant for the window system (-platform, -display, ...) are not
    // known yet: they are left to QApplication, and judged after it.
    opzioni.parser.parse(QCoreApplication::arguments());
    QString testo;
    if (opzioni.parser.isSet(opzioni.aiuto))
        testo = opzioni.parser.helpText();
    else if (opzioni.parser.isSet(opzioni.versione))
        testo = QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion() + u'\n';
    else
        return false;
    std::fputs(testo.toLocal8Bit().constData(), stdout);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    music::introduceToMixers("latrelva"); // before any thread starts
    QCoreApplication::setApplicationName(QStringLiteral("latrelva"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LATRELVA_VERSION));
    Opzioni opzioni;
    if (risposto(opzioni, argc, argv))
        return 0;

    QApplication app(argc, argv);
    opzioni.parser.process(app); // what is left is no option of ours: an error, exit 1
    // Held only so that both look-ups are joined before the program ends: they
    // are done within milliseconds, and what they found stays with fontconfig
    // and Qt's bus connection, not here.
    [[maybe_unused]] const trelva::Ricerche ricerche = trelva::anticipaLeRicerche();
    trelva::Form1 finestra({.cartella = QCoreApplication::applicationDirPath(),
                            .copie = QStandardPaths::writableLocation(QStandardPaths::CacheLocation)});
    // Start-up runs inside the event loop, so that quitting from any depth
    // unwinds back here.
    QTimer::singleShot(0, &finestra, &trelva::Form1::Form_Load);
    return app.exec();
}
