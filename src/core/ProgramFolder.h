#pragma once

#include <QString>

// Where the files that live "beside the program" go: the key binding file, language
// files and skins. $BRIVARA_HOME when set; else the executable's folder when it can be
// written and is not an installation; else the user's data folder for the program
// (~/.local/share/Zendor/Brivara).
namespace ProgramFolder {

// An installation keeps its shipped data in ../share/brivara of the executable's folder;
// a build tree or an unpacked copy keeps it beside the executable.
bool isInstalled(const QString &executableFolder);

QString path();
QString keyBindingFile(); // "BrivaraKey.zdr" in it
// Where the files shipped with the program (SKINS, LANG) may lie, in order:
// $BRIVARA_DATA_DIR when set; else share/brivara beside the executable (a build) or next to
// its folder (an installation).
QStringList dataFolders();
// The first of them that holds a LANG folder; empty when none does.
QString shippedData();

} // namespace ProgramFolder
