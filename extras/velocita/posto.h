// Where Speed.dvx is read and written. A copy whose own folder it may keep
// (a portable copy, a build tree) keeps it there; an installed copy, or one in
// a folder this user may not write, keeps it in the user's configuration
// folder instead and never writes its own folder.
#pragma once

#include <QString>
#include <QStringList>

namespace trelva {

struct PostoRitmo {
    // Folders looked in at start-up, in order: the first that holds Speed.dvx
    // as a regular file is read, and only that one.
    QStringList letture;
    // The folder a choice is saved in, created when first needed. Empty: there
    // is nowhere to keep it, so a choice lasts for the run only.
    QString scrittura;

    // The file beside the program, nothing else.
    static PostoRitmo accanto(const QString& cartella) { return {{cartella}, cartella}; }
};

namespace postoritmo {

// What the choice rests on: gathered from the system by ambiente(), given by
// hand in tests (which run as root, who may write anywhere).
struct Ambiente {
    bool accanto = false; // the program's own folder may keep the file
    QString xdgConfigHome; // $XDG_CONFIG_HOME
    // $HOME
    QString home;
};

// The user's folder is $XDG_CONFIG_HOME/latrelva, else ~/.config/latrelva; a
// relative or empty value counts as unset, as the XDG rules say, so a missing
// HOME never turns into a folder relative to wherever the game was started.
PostoRitmo scegli(const QString& programma, const Ambiente& ambiente);

// The program's folder may keep the file when this user may write it (the
// access() answer) and it is not an installed copy, known by the installed
// data folder found where the install puts it relative to the program.
Ambiente ambiente(const QString& programma);

inline PostoRitmo delProgramma(const QString& programma)
{
    return scegli(programma, ambiente(programma));
}

} // namespace postoritmo

} // namespace trelva
