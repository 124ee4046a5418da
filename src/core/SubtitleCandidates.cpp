#include "core/SubtitleCandidates.h"

#include <QDir>
#include <QFileInfo>

namespace SubtitleCandidates {

QStringList masks() { return {"*.txt", "*.sub", "*.srt", "*.ssa", "*.smi", "*.ass", "*.vtt"}; }

namespace {
QString baseTxt(const QString &medium)
{
    const QString name = QFileInfo(medium).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return (dot < 0 ? name : name.left(dot)) + QStringLiteral(".txt");
}
} // namespace

Result choose(const Input &in)
{
    Result r;
    r.current = in.current;
    const QString currentName = QFileInfo(in.current).fileName().toUpper();
    bool single = false;
    for (const QStringList &files : in.localByMask) {
        for (const QString &file : files)
            r.items.prepend({file, QDir(in.localDir).filePath(file), file.toUpper() == currentName});
        if (files.size() == 1)
            single = true;
    }

    bool foundInFolder = false;
    const QString wanted = baseTxt(in.medium).toUpper();
    for (const QString &file : in.folderTxt) {
        const bool checked = file.toUpper() == wanted;
        if (checked)
            foundInFolder = true;
        if (in.allToMenu || checked)
            r.items.prepend({QStringLiteral("<D> ") + file, QDir(in.folder).filePath(file), checked});
    }
    if (foundInFolder)
        single = false;
    if (single && r.current.isEmpty() && !r.items.isEmpty())
        r.current = r.items.first().path;

    // The menu also holds its two fixed items: one candidate that is already the file in
    // use needs no menu at all.
    const int menuSize = int(r.items.size()) + 2;
    if (menuSize == 3 && !r.current.isEmpty()) {
        r.items.clear();
    } else if (menuSize > 2) {
        r.dropDown = true;
    }

    if (r.current.isEmpty()) {
        if (!foundInFolder)
            return r; // nothing to load
        r.current = QDir(in.folder).filePath(baseTxt(in.medium));
    }
    r.load = true;
    return r;
}

} // namespace SubtitleCandidates
