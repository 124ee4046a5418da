#include "core/LanguageChoice.h"

#include "core/LanguageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace LanguageChoice {

namespace {

bool copyAtomically(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly) || source.size() > LanguageFile::MaxBytes)
        return false;
    const QByteArray bytes = source.read(LanguageFile::MaxBytes + 1);
    if (bytes.size() > LanguageFile::MaxBytes)
        return false;
    QSaveFile target(to);
    return target.open(QIODevice::WriteOnly) && target.write(bytes) == bytes.size() && target.commit();
}

} // namespace

QString activeFile(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("Brivara.lng"));
}

QString libraryFile(const QString &programFolder, const QString &shippedFolder, const QString &name)
{
    // A name is a file name inside LANG, never a path out of it.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name.startsWith(QLatin1Char('.')))
        return {};
    const QString relative = QStringLiteral("LANG/") + name + QStringLiteral(".lng");
    for (const QString &folder : {programFolder, shippedFolder, QStringLiteral(":")}) {
        if (folder.isEmpty())
            continue;
        const QString path = QDir(folder).filePath(relative);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

Outcome choose(const QString &name, const QString &programFolder, const QString &shippedFolder,
               bool polishSystem)
{
    Outcome outcome;
    const QString active = activeFile(programFolder);
    if (name == QLatin1String(Polish)) {
        outcome.restartNotice = true;
        QFile::remove(active);
        return outcome;
    }
    if (name != QLatin1String(AtStart)) {
        const QString library = libraryFile(programFolder, shippedFolder, name);
        if (!library.isEmpty() && QFileInfo(library).canonicalFilePath() != QFileInfo(active).canonicalFilePath())
            copyAtomically(library, active);
    }
    const bool haveActive = QFileInfo::exists(active);
    if (polishSystem && !haveActive)
        return outcome;
    // An active file that cannot be read as a language file counts as none.
    outcome.lines = haveActive ? LanguageFile::readLines(active) : std::nullopt;
    if (!outcome.lines)
        outcome.lines = LanguageFile::englishTemplate();
    return outcome;
}

} // namespace LanguageChoice
