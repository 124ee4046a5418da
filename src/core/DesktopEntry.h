#pragma once

#include <QString>
#include <QStringList>

// The freedesktop desktop entry that stands for the player in file managers and "open with"
// lists.
namespace DesktopEntry {

struct Fields
{
    QString name;
    QString executable; // absolute path
    QString icon;       // icon theme name, without extension
    QStringList categories;
    QStringList mimeTypes;
};

// One Exec argument: field-code percents doubled, quoted when the path holds a character
// the Exec rules reserve (a space among them), with the escapes a quoted argument needs.
// The result is what goes between the separators of the Exec value before the general
// escaping of string values.
QString execArgument(const QString &argument);

// The whole file text, "[Desktop Entry]" group only. Exec is the executable and "%f".
QString text(const Fields &fields);

// The MimeType list of the [Desktop Entry] group of an existing entry (empty when none),
// so a new registration can keep the types an earlier one claimed.
QStringList mimeTypes(const QString &entryText);

} // namespace DesktopEntry
