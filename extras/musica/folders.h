// Where the songs are looked for.
#pragma once

#include <QString>
#include <QStringList>

namespace music {

// The "music" folder beside the program first (a portable copy, a build tree),
// then the one in the installed data folder, found from the program's folder.
QStringList musicFolders(const QString& program);

// The first of those that is a folder; the one beside the program when none is.
QString musicFolder(const QString& program);

} // namespace music
