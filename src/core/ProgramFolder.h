#pragma once

#include <QString>

// Where the files that live "beside the program" go: the key binding file, language
// files and skins. $BRIVARA_HOME when set; else the executable's folder when it can be
// written; else the user's data folder for the program.
namespace ProgramFolder {

QString path();
QString keyBindingFile(); // "BrivaraKey.zdr" in it
// Where the files shipped with the program (LANG, ...) lie: beside the executable in a
// build, in share/brivara of an installation. Empty when neither holds them.
QString shippedData();

} // namespace ProgramFolder
