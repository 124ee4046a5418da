#include "core/MimeAppsList.h"

#include <QList>

namespace MimeAppsList {
namespace {

const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");
const QString kRemoved = QStringLiteral("Removed Associations");

struct Line
{
    QString raw;     // as read, without the line break
    QString section; // the group the line belongs to ("" before the first header)
    bool header = false;
};

// "[Name]" -> "Name"; anything else -> null.
QString headerName(const QString &raw)
{
    const QString t = raw.trimmed();
    if (t.size() >= 2 && t.startsWith(u'[') && t.endsWith(u']'))
        return t.mid(1, t.size() - 2);
    return {};
}

// The key of a "key=value" line, trimmed; null for comments and other lines.
QString keyOf(const QString &raw)
{
    const QString t = raw.trimmed();
    if (t.isEmpty() || t.startsWith(u'#'))
        return {};
    const qsizetype eq = t.indexOf(u'=');
    if (eq <= 0)
        return {};
    return t.left(eq).trimmed();
}

QStringList valuesOf(const QString &raw)
{
    const QString t = raw.trimmed();
    QStringList out;
    for (const QString &part : t.mid(t.indexOf(u'=') + 1).split(u';')) {
        const QString id = part.trimmed();
        if (!id.isEmpty())
            out << id;
    }
    return out;
}

QString lineFor(const QString &mimeType, const QStringList &ids)
{
    // No blanks around '=': some readers (xdg-mime) match "type=" literally.
    return mimeType + u'=' + ids.join(u';') + u';';
}

struct Document
{
    QList<Line> lines;
    QString eol = QStringLiteral("\n");

    explicit Document(const QString &text)
    {
        if (text.contains(QStringLiteral("\r\n")))
            eol = QStringLiteral("\r\n");
        QStringList raw = text.split(u'\n');
        if (!raw.isEmpty() && raw.last().isEmpty())
            raw.removeLast(); // the final line break ends a line, it does not start one
        QString section;
        for (QString r : raw) {
            if (r.endsWith(u'\r'))
                r.chop(1);
            const QString name = headerName(r);
            const bool header = !name.isNull();
            if (header)
                section = name;
            lines.append({r, section, header});
        }
    }

    QString text() const
    {
        QString out;
        for (const Line &l : lines)
            out += l.raw + eol;
        return out;
    }

    // Where a new key of the section goes: after its last non-blank line (so blank lines
    // that separate it from the next section stay there); appends the section when missing.
    qsizetype insertionPoint(const QString &section)
    {
        qsizetype header = -1;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (lines[i].header && lines[i].section == section) {
                header = i;
                break;
            }
        }
        if (header < 0) {
            if (!lines.isEmpty() && !lines.last().raw.trimmed().isEmpty())
                lines.append({QString(), lines.last().section, false});
            lines.append({u'[' + section + u']', section, true});
            return lines.size();
        }
        qsizetype last = header;
        for (qsizetype i = header + 1; i < lines.size() && !lines[i].header; ++i) {
            if (!lines[i].raw.trimmed().isEmpty())
                last = i;
        }
        return last + 1;
    }

    // Puts id first in every line of the type in the section, adding a line when none.
    void putFirst(const QString &section, const QString &mimeType, const QString &id)
    {
        bool found = false;
        for (Line &l : lines) {
            if (l.header || l.section != section || keyOf(l.raw) != mimeType)
                continue;
            found = true;
            QStringList ids = valuesOf(l.raw);
            if (!ids.isEmpty() && ids.first() == id && ids.count(id) == 1)
                continue; // already right: keep the line exactly as the user wrote it
            ids.removeAll(id);
            ids.prepend(id);
            l.raw = lineFor(mimeType, ids);
        }
        if (!found) {
            const qsizetype at = insertionPoint(section);
            lines.insert(at, {lineFor(mimeType, {id}), section, false});
        }
    }

    void remove(const QString &section, const QString &mimeType, const QString &id)
    {
        for (qsizetype i = lines.size() - 1; i >= 0; --i) {
            Line &l = lines[i];
            if (l.header || l.section != section || keyOf(l.raw) != mimeType)
                continue;
            QStringList ids = valuesOf(l.raw);
            if (!ids.contains(id))
                continue;
            ids.removeAll(id);
            if (ids.isEmpty())
                lines.removeAt(i);
            else
                l.raw = lineFor(mimeType, ids);
        }
    }
};

} // namespace

QString associate(const QString &text, const QString &desktopId, const QStringList &mimeTypes)
{
    Document doc(text);
    for (const QString &type : mimeTypes) {
        if (type.isEmpty())
            continue;
        doc.putFirst(kDefaults, type, desktopId);
        doc.putFirst(kAdded, type, desktopId);
        doc.remove(kRemoved, type, desktopId);
    }
    return doc.text();
}

QStringList entries(const QString &text, const QString &section, const QString &mimeType)
{
    const Document doc(text);
    QStringList out;
    for (const Line &l : doc.lines) {
        if (!l.header && l.section == section && keyOf(l.raw) == mimeType)
            out << valuesOf(l.raw);
    }
    return out;
}

} // namespace MimeAppsList
