#include "core/DesktopEntry.h"

namespace DesktopEntry {
namespace {

// The general escapes of a string value; applied after the Exec quoting, so a backslash
// inside a quoted argument ends up as four.
QString escapeString(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        default: out += c;
        }
    }
    return out;
}

QString listValue(const QStringList &items)
{
    QString out;
    for (const QString &item : items) {
        QString escaped = escapeString(item);
        escaped.replace(u';', QStringLiteral("\\;"));
        out += escaped + u';';
    }
    return out;
}

} // namespace

QString execArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString arg = argument;
    arg.replace(u'%', QStringLiteral("%%"));
    bool needsQuotes = arg.isEmpty();
    for (const QChar c : arg) {
        if (reserved.contains(c)) {
            needsQuotes = true;
            break;
        }
    }
    if (!needsQuotes)
        return arg;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    return quoted + u'"';
}

QString text(const Fields &fields)
{
    QString out = QStringLiteral("[Desktop Entry]\n");
    out += QStringLiteral("Type=Application\n");
    out += QStringLiteral("Name=") + escapeString(fields.name) + u'\n';
    out += QStringLiteral("Exec=") + escapeString(execArgument(fields.executable))
           + QStringLiteral(" %f\n");
    if (!fields.icon.isEmpty())
        out += QStringLiteral("Icon=") + escapeString(fields.icon) + u'\n';
    out += QStringLiteral("Terminal=false\n");
    if (!fields.categories.isEmpty())
        out += QStringLiteral("Categories=") + listValue(fields.categories) + u'\n';
    if (!fields.mimeTypes.isEmpty())
        out += QStringLiteral("MimeType=") + listValue(fields.mimeTypes) + u'\n';
    return out;
}

QStringList mimeTypes(const QString &entryText)
{
    bool inMain = false;
    for (QString line : entryText.split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            inMain = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        if (!inMain)
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0 || line.left(eq).trimmed() != QStringLiteral("MimeType"))
            continue;
        QStringList out;
        for (const QString &part : line.mid(eq + 1).split(u';')) {
            const QString type = part.trimmed();
            if (!type.isEmpty())
                out << type;
        }
        return out;
    }
    return {};
}

} // namespace DesktopEntry
