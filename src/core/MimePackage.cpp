#include "core/MimePackage.h"

#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>

namespace MimePackage {
namespace {

const QString kNamespace = QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info");
const QString kPrefix = QStringLiteral("x-brivara-");

} // namespace

QString normalisedExtension(const QString &typed)
{
    QString ext = typed.trimmed();
    while (ext.startsWith(u'.'))
        ext.remove(0, 1);
    // Letters, digits and the few marks real extensions use; a dot only inside ("TAR.GZ").
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z0-9_+~-]+(\\.[A-Za-z0-9_+~-]+)*$"));
    if (!valid.match(ext).hasMatch())
        return {};
    return ext.toUpper();
}

QString ownTypeName(const QString &extension, bool audio)
{
    return (audio ? QStringLiteral("audio/") : QStringLiteral("video/")) + kPrefix
           + extension.toLower();
}

bool isOwnType(const QString &mimeType)
{
    const qsizetype slash = mimeType.indexOf(u'/');
    return slash > 0 && mimeType.mid(slash + 1).startsWith(kPrefix);
}

OwnType ownType(const QString &extension, bool audio)
{
    const QString upper = extension.toUpper();
    OwnType type;
    type.name = ownTypeName(extension, audio);
    type.comment = upper + (audio ? QStringLiteral(" audio file") : QStringLiteral(" video file"));
    type.globs << QStringLiteral("*.") + extension.toLower();
    if (upper != extension.toLower())
        type.globs << QStringLiteral("*.") + upper;
    return type;
}

QList<OwnType> shippedTypes()
{
    QList<OwnType> types;
    for (const char *video : {"DAT", "IFO", "M2V", "M2P"})
        types << ownType(QLatin1String(video), false);
    for (const char *audio : {"MPA", "CDA"})
        types << ownType(QLatin1String(audio), true);
    types << OwnType{QStringLiteral("application/") + kPrefix + QStringLiteral("playlist"),
                     QStringLiteral("Brivara playlist"),
                     {QStringLiteral("*.zdl"), QStringLiteral("*.ZDL")}};
    return types;
}

QString xml(const QList<OwnType> &types)
{
    QString out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeDefaultNamespace(kNamespace);
    w.writeStartElement(kNamespace, QStringLiteral("mime-info"));
    QSet<QString> written;
    for (const OwnType &type : types) {
        if (type.name.isEmpty() || written.contains(type.name))
            continue;
        written.insert(type.name);
        w.writeStartElement(kNamespace, QStringLiteral("mime-type"));
        w.writeAttribute(QStringLiteral("type"), type.name);
        if (!type.comment.isEmpty())
            w.writeTextElement(kNamespace, QStringLiteral("comment"), type.comment);
        for (const QString &glob : type.globs) {
            w.writeEmptyElement(kNamespace, QStringLiteral("glob"));
            w.writeAttribute(QStringLiteral("pattern"), glob);
        }
        w.writeEndElement();
    }
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

QList<OwnType> parse(const QString &text)
{
    QList<OwnType> types;
    QXmlStreamReader r(text);
    OwnType *current = nullptr;
    while (!r.atEnd()) {
        const auto token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const auto name = r.name();
            if (name == QStringLiteral("mime-type")) {
                types.append({r.attributes().value(QStringLiteral("type")).toString(), {}, {}});
                current = &types.last();
            } else if (current && name == QStringLiteral("glob")) {
                current->globs << r.attributes().value(QStringLiteral("pattern")).toString();
            } else if (current && name == QStringLiteral("comment")
                       && !r.attributes().hasAttribute(QStringLiteral("xml:lang"))) {
                current->comment = r.readElementText();
            }
        } else if (token == QXmlStreamReader::EndElement
                   && r.name() == QStringLiteral("mime-type")) {
            current = nullptr;
        }
    }
    types.removeIf([](const OwnType &t) { return t.name.isEmpty(); });
    return types;
}

QList<OwnType> merged(const QList<OwnType> &earlier, const QList<OwnType> &added)
{
    QList<OwnType> out = earlier;
    for (const OwnType &type : added) {
        auto it = std::find_if(out.begin(), out.end(),
                               [&](const OwnType &t) { return t.name == type.name; });
        if (it != out.end())
            *it = type;
        else
            out.append(type);
    }
    return out;
}

} // namespace MimePackage
