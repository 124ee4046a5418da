#pragma once

#include <QString>
#include <QStringList>

// Where skins are: the program folder's "SKINS" (the user's own, written by saving) and the
// shipped skins in the install's data folder, which are only read. A skin is a sub-folder
// named after it; the user's own folder wins over a shipped one of the same name.
namespace SkinFolders {

// The program folder's skins folder, where every save goes.
QString userRoot();
// The data folders' skins folders that exist: $BRIVARA_DATA_DIR when set, else
// "share/brivara" beside the executable (the build tree) and above it (an install).
QStringList shippedRoots();
// userRoot() first, then shippedRoots().
QStringList roots();

// The skin names in the roots: plain folders (not hidden ones), sorted case-insensitively,
// each name once.
QStringList list(const QStringList &roots);
// The folder of the named skin in the first root that holds it; empty when none does.
QString locate(const QString &name, const QStringList &roots);

// Saving a skin never leaves a half-written one in its place: the files are written into a
// hidden staging folder beside it (which starts as a copy of the skin's present files, so
// nothing of the user's is lost), and the two folders are then exchanged in one step.
// Empty with a message when the staging folder cannot be made.
QString stage(const QString &folder, QString *error);
bool commit(const QString &staged, const QString &folder, QString *error);

} // namespace SkinFolders
