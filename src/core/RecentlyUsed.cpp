#include "core/RecentlyUsed.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace RecentlyUsed {
namespace {

const QString BookmarkNs = QStringLiteral("http://www.freedesktop.org/standards/desktop-bookmarks");
const QString MimeNs = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString MetadataOwner = QStringLiteral("http://freedesktop.org");

QString stamp(const QDateTime &when) { return when.toUTC().toString(Qt::ISODateWithMs); }

void writeApplication(QXmlStreamWriter &w, const Entry &e, int count)
{
    w.writeEmptyElement(BookmarkNs, QStringLiteral("application"));
    w.writeAttribute(QStringLiteral("name"), e.appName);
    w.writeAttribute(QStringLiteral("exec"), e.appExec);
    w.writeAttribute(QStringLiteral("modified"), stamp(e.when));
    w.writeAttribute(QStringLiteral("count"), QString::number(count));
}

void writeApplications(QXmlStreamWriter &w, const Entry &e)
{
    w.writeStartElement(BookmarkNs, QStringLiteral("applications"));
    writeApplication(w, e, 1);
    w.writeEndElement();
}

void writeInfo(QXmlStreamWriter &w, const Entry &e)
{
    w.writeStartElement(QStringLiteral("info"));
    w.writeStartElement(QStringLiteral("metadata"));
    w.writeAttribute(QStringLiteral("owner"), MetadataOwner);
    w.writeEmptyElement(MimeNs, QStringLiteral("mime-type"));
    w.writeAttribute(QStringLiteral("type"), e.mimeType);
    writeApplications(w, e);
    w.writeEndElement();
    w.writeEndElement();
}

void writeBookmark(QXmlStreamWriter &w, const Entry &e, const QString &href)
{
    w.writeCharacters(QStringLiteral("  "));
    w.writeStartElement(QStringLiteral("bookmark"));
    w.writeAttribute(QStringLiteral("href"), href);
    w.writeAttribute(QStringLiteral("added"), stamp(e.when));
    w.writeAttribute(QStringLiteral("modified"), stamp(e.when));
    w.writeAttribute(QStringLiteral("visited"), stamp(e.when));
    writeInfo(w, e);
    w.writeEndElement();
    w.writeCharacters(QStringLiteral("\n"));
}

QXmlStreamAttributes withTimes(const QXmlStreamAttributes &old, const Entry &e)
{
    QXmlStreamAttributes out;
    for (const QXmlStreamAttribute &a : old)
        if (a.name() != QLatin1String("modified") && a.name() != QLatin1String("visited"))
            out.append(a);
    out.append(QStringLiteral("modified"), stamp(e.when));
    out.append(QStringLiteral("visited"), stamp(e.when));
    return out;
}

} // namespace

std::optional<QByteArray> withEntry(const QByteArray &existing, const Entry &entry)
{
    const QUrl url = QUrl::fromLocalFile(entry.path);
    const QString href = QString::fromLatin1(url.toEncoded());
    QByteArray out;
    QXmlStreamWriter w(&out);

    if (existing.trimmed().isEmpty()) {
        w.writeStartDocument();
        w.writeCharacters(QStringLiteral("\n"));
        w.writeStartElement(QStringLiteral("xbel"));
        w.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
        w.writeNamespace(BookmarkNs, QStringLiteral("bookmark"));
        w.writeNamespace(MimeNs, QStringLiteral("mime"));
        w.writeCharacters(QStringLiteral("\n"));
        writeBookmark(w, entry, href);
        w.writeEndElement();
        w.writeEndDocument();
        return out;
    }

    QXmlStreamReader r(existing);
    int depth = 0;
    bool sawRoot = false, listed = false;
    // Inside the bookmark of our file: where we are, and what of ours it already has.
    bool inOurs = false, inOurMetadata = false, sawApplications = false, appDone = false;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::Invalid)
            break;
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (depth == 1) {
                if (r.name() != QLatin1String("xbel") || !r.namespaceUri().isEmpty())
                    return std::nullopt;
                sawRoot = true;
            }
            if (depth == 2 && r.name() == QLatin1String("bookmark")
                && QUrl::fromEncoded(r.attributes().value(QLatin1String("href")).toLatin1()) == url && !listed) {
                inOurs = listed = true;
                w.writeStartElement(QStringLiteral("bookmark"));
                w.writeAttributes(withTimes(r.attributes(), entry));
                continue;
            }
            if (inOurs && r.name() == QLatin1String("metadata")
                && r.attributes().value(QLatin1String("owner")) == MetadataOwner)
                inOurMetadata = true;
            if (inOurs && r.namespaceUri() == BookmarkNs && r.name() == QLatin1String("applications"))
                sawApplications = true;
            if (inOurs && !appDone && r.namespaceUri() == BookmarkNs && r.name() == QLatin1String("application")
                && r.attributes().value(QLatin1String("name")) == entry.appName) {
                appDone = true;
                const int count = r.attributes().value(QLatin1String("count")).toInt();
                w.writeStartElement(BookmarkNs, QStringLiteral("application"));
                w.writeAttribute(QStringLiteral("name"), entry.appName);
                w.writeAttribute(QStringLiteral("exec"), entry.appExec);
                w.writeAttribute(QStringLiteral("modified"), stamp(entry.when));
                w.writeAttribute(QStringLiteral("count"), QString::number(qMax(0, count) + 1));
                continue;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (inOurs && !appDone && r.namespaceUri() == BookmarkNs && r.name() == QLatin1String("applications")) {
                writeApplication(w, entry, 1);
                appDone = true;
            } else if (inOurMetadata && r.name() == QLatin1String("metadata")) {
                if (!sawApplications) {
                    writeApplications(w, entry);
                    appDone = true;
                }
                inOurMetadata = false;
            } else if (inOurs && depth == 2) {
                if (!appDone)
                    writeInfo(w, entry);
                inOurs = false;
            } else if (depth == 1 && !listed) {
                writeBookmark(w, entry, href);
                listed = true;
            }
            --depth;
        }
        w.writeCurrentToken(r);
    }
    if (r.hasError() || !sawRoot || depth != 0)
        return std::nullopt;
    return out;
}

bool add(const QString &xbelPath, const Entry &entry, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QByteArray existing;
    QFile in(xbelPath);
    if (in.exists()) {
        if (!in.open(QIODevice::ReadOnly))
            return fail(QStringLiteral("%1: %2").arg(xbelPath, in.errorString()));
        existing = in.readAll();
        in.close();
    }
    const std::optional<QByteArray> text = withEntry(existing, entry);
    if (!text)
        return fail(QStringLiteral("%1 is not a bookmark file; left as it is").arg(xbelPath));
    QDir().mkpath(QFileInfo(xbelPath).absolutePath());
    QSaveFile out(xbelPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(*text) != text->size() || !out.commit())
        return fail(QStringLiteral("%1: %2").arg(xbelPath, out.errorString()));
    return true;
}

QString defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/recently-used.xbel");
}

} // namespace RecentlyUsed
