#pragma once

#include <QString>

// Where the files that live "beside the program" go: the key binding file, language
// files and skins. $BRIVARA_HOME when set; else the executable's folder when it can be
// written; else the user's data folder for the program.
namespace ProgramFolder {

QString path();
QString keyBindingFile(); // "BrivaraKey.zdr" in it
// Where the files shipped with the program (SKINS, LANG) may lie, in order:
// $BRIVARA_DATA_DIR when set; else share/brivara beside the executable (a build) or next to
// its folder (an installation).
QStringList dataFolders();
// The first of them that holds a LANG folder; empty when none does.
QString shippedData();

} // namespace ProgramFolder
