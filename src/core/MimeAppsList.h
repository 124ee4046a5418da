#pragma once

#include <QString>
#include <QStringList>

// Edits the text of a freedesktop mimeapps.list. Only the lines of the given types are
// touched; comments, blank lines, other sections and other programs' entries stay as they
// were, so a user's hand-made choices survive a registration.
namespace MimeAppsList {

// Makes desktopId the first choice of each type in [Default Applications], puts it first
// among the [Added Associations] and takes it out of [Removed Associations] (which would
// otherwise hide the association again). Missing sections are appended. Running it twice
// gives the same text as running it once.
QString associate(const QString &text, const QString &desktopId, const QStringList &mimeTypes);

// The desktop ids listed for a type in a section, in order; empty when there are none.
QStringList entries(const QString &text, const QString &section, const QString &mimeType);

} // namespace MimeAppsList
