#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The player's own shared-mime-info package: types for the extensions the system's MIME
// database does not know (DAT, IFO, M2V ...), so that they can be associated at all.
namespace MimePackage {

struct OwnType
{
    QString name;    // "video/x-brivara-dat"
    QString comment; // shown by file managers
    QStringList globs;
};

// "avi", " .Avi " -> "AVI"; null for text that cannot be a file extension (blanks,
// slashes, glob characters ...), which is refused rather than written into shared files.
QString normalisedExtension(const QString &typed);

// The type the player declares for an extension ("DAT", video) -> "video/x-brivara-dat".
QString ownTypeName(const QString &extension, bool audio);
bool isOwnType(const QString &mimeType);

// A type for an extension, its glob in lower and upper case.
OwnType ownType(const QString &extension, bool audio);

// What the installed package declares: the extensions the player offers to associate that
// the system's database lacks, and the program's own playlist files.
QList<OwnType> shippedTypes();

// The package file. Types keep their order; a type named twice is written once (the first).
QString xml(const QList<OwnType> &types);
// The types of an earlier package (unreadable text gives what was read before the fault).
QList<OwnType> parse(const QString &xml);

// The earlier types followed by the new ones; a new type replaces an earlier one of the
// same name in place, so registering again never drops what an earlier run declared.
QList<OwnType> merged(const QList<OwnType> &earlier, const QList<OwnType> &added);

} // namespace MimePackage
