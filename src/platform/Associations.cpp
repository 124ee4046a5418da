#include "platform/Associations.h"

#include "core/DesktopEntry.h"
#include "core/MimeAppsList.h"
#include "core/MimePackage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QtDebug>

namespace {

constexpr int MimeUpdateTimeoutMs = 60000;

QString failedToSet(const QString &what)
{
    return QStringLiteral("Failed to set data for '%1'").arg(what);
}

// The XDG base directories must be absolute; a relative one is ignored, as the base
// directory rules say.
QString baseDirectory(const char *variable, const QString &fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    QString home = qEnvironmentVariable("HOME");
    if (home.isEmpty())
        home = QDir::homePath();
    return QDir::cleanPath(home + u'/' + fallbackUnderHome);
}

// Readers of these files never see a half-written one: the new text replaces the old in
// one rename.
bool writeAtomically(const QString &path, const QByteArray &data)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        qWarning("associations: cannot create the folder of %s", qPrintable(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        qWarning("associations: cannot write %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        qWarning("associations: cannot write %s: %s", qPrintable(path),
                 qPrintable(file.errorString()));
        return false;
    }
    return true;
}

// A missing file reads as empty; one that exists but cannot be read is an error, so that
// it is never replaced by a file that lost its contents.
bool readExisting(const QString &path, QString *text)
{
    text->clear();
    if (!QFileInfo::exists(path))
        return true;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *text = QString::fromUtf8(file.readAll());
    return true;
}

void addUnique(QStringList &list, const QStringList &items)
{
    for (const QString &item : items) {
        if (!list.contains(item))
            list << item;
    }
}

struct Planned
{
    QString extension;
    QStringList types;
    bool own = false; // the type is one the player declares
};

QList<Planned> plan(const AssociationRequest &request, AssociationResult &result)
{
    QStringList audio;
    for (const QString &ext : request.audioExtensions)
        audio << MimePackage::normalisedExtension(ext);
    const QMimeDatabase db;
    QList<Planned> out;
    QStringList seen;
    for (const QString &typed : request.extensions) {
        const QString ext = MimePackage::normalisedExtension(typed);
        if (ext.isEmpty()) {
            result.failed << typed;
            continue;
        }
        if (seen.contains(ext))
            continue;
        seen << ext;
        Planned p{ext, {}, false};
        for (const QMimeType &type : db.mimeTypesForFileName(QStringLiteral("x.") + ext.toLower())) {
            // Our own type from an earlier run counts as unknown: it is declared again below.
            if (!MimePackage::isOwnType(type.name()))
                p.types << type.name();
        }
        if (p.types.isEmpty()) {
            p.own = true;
            p.types << MimePackage::ownTypeName(ext, audio.contains(ext));
        }
        out << p;
    }
    return out;
}

// Declares the types the system lacks and rebuilds the user's MIME cache. A failure costs
// only those extensions.
void installOwnTypes(const AssociationPaths &paths, QList<Planned> &planned,
                     AssociationResult &result)
{
    QList<MimePackage::OwnType> added;
    for (const Planned &p : planned) {
        if (p.own)
            added << MimePackage::ownType(p.extension,
                                          p.types.first().startsWith(QStringLiteral("audio/")));
    }
    if (added.isEmpty())
        return;

    QString earlier;
    bool written = readExisting(paths.mimePackage(), &earlier);
    if (written) {
        const QString xml = MimePackage::xml(MimePackage::merged(MimePackage::parse(earlier), added));
        written = writeAtomically(paths.mimePackage(), xml.toUtf8());
    }
    if (!written) {
        for (qsizetype i = planned.size() - 1; i >= 0; --i) {
            if (planned[i].own) {
                result.failed << planned[i].extension;
                planned.removeAt(i);
            }
        }
        result.warnings << failedToSet(paths.mimePackage());
        return;
    }

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty()) {
        result.warnings << QStringLiteral(
            "update-mime-database was not found: the new file types are known after the next "
            "update of the MIME database");
        return;
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(tool, {paths.mimeDirectory()});
    const bool finished = process.waitForFinished(MimeUpdateTimeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished();
    }
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        result.warnings << QStringLiteral("update-mime-database failed: %1")
                               .arg(QString::fromLocal8Bit(process.readAll()).trimmed());
    }
}

} // namespace

AssociationPaths AssociationPaths::current()
{
    return {baseDirectory("XDG_DATA_HOME", QStringLiteral(".local/share")),
            baseDirectory("XDG_CONFIG_HOME", QStringLiteral(".config"))};
}

QString AssociationPaths::desktopEntry() const
{
    return dataHome + QStringLiteral("/applications/") + QLatin1String(Associations::DesktopId);
}

QString AssociationPaths::icon(int size, int index) const
{
    return dataHome + QStringLiteral("/icons/hicolor/%1x%1/apps/").arg(size)
           + Associations::iconName(index) + QStringLiteral(".png");
}

QString AssociationPaths::mimeDirectory() const { return dataHome + QStringLiteral("/mime"); }

QString AssociationPaths::mimePackage() const
{
    return mimeDirectory() + QStringLiteral("/packages/brivara.xml");
}

QString AssociationPaths::mimeAppsList() const
{
    return configHome + QStringLiteral("/mimeapps.list");
}

QString Associations::iconName(int index) { return QStringLiteral("brivara-%1").arg(index); }

AssociationResult registerAssociations(const AssociationRequest &request)
{
    AssociationResult result;
    const AssociationPaths paths = AssociationPaths::current();
    const QString desktopId = QLatin1String(Associations::DesktopId);
    const QString audioCd = QLatin1String(Associations::AudioCdType);

    if (request.executable.isEmpty() || !QDir::isAbsolutePath(request.executable)) {
        result.error = failedToSet(QStringLiteral("Exec"));
        return result;
    }

    QList<Planned> planned = plan(request, result);
    QStringList types;
    for (const Planned &p : planned)
        addUnique(types, p.types);

    // The entry keeps the types earlier registrations gave it: their defaults still name it.
    QString earlierEntry;
    readExisting(paths.desktopEntry(), &earlierEntry);
    QStringList entryTypes = DesktopEntry::mimeTypes(earlierEntry);
    addUnique(entryTypes, types);
    addUnique(entryTypes, {audioCd});
    DesktopEntry::Fields fields;
    fields.name = QStringLiteral("Brivara");
    fields.executable = request.executable;
    fields.icon = Associations::iconName(request.iconIndex);
    fields.categories = {QStringLiteral("AudioVideo"), QStringLiteral("Player"),
                         QStringLiteral("Video"), QStringLiteral("Audio")};
    fields.mimeTypes = entryTypes;
    if (!writeAtomically(paths.desktopEntry(), DesktopEntry::text(fields).toUtf8())) {
        result.error = failedToSet(paths.desktopEntry());
        return result;
    }

    for (const AssociationIcon &icon : request.icons) {
        const QString path = paths.icon(icon.size, request.iconIndex);
        if (icon.size <= 0 || icon.png.isEmpty() || !writeAtomically(path, icon.png)) {
            result.error = failedToSet(path);
            return result;
        }
    }

    installOwnTypes(paths, planned, result);

    // Each extension's types, then the audio CD handler. An existing list that cannot be
    // read is left alone rather than replaced by one that lost the user's other choices.
    types.clear();
    for (const Planned &p : planned)
        addUnique(types, p.types);
    QString list;
    bool listed = readExisting(paths.mimeAppsList(), &list);
    if (listed) {
        list = MimeAppsList::associate(list, desktopId, types + QStringList{audioCd});
        listed = writeAtomically(paths.mimeAppsList(), list.toUtf8());
    }
    if (!listed) {
        // The list is where every extension points at the player: without it nothing is
        // associated, so this ends the registration like a failed entry does.
        for (const Planned &p : planned)
            result.failed << p.extension;
        result.error = failedToSet(paths.mimeAppsList());
        return result;
    }
    result.registeredMimeTypes = types;
    for (const Planned &p : planned) {
        if (p.own)
            addUnique(result.ownMimeTypes, p.types);
    }
    result.ok = true;
    return result;
}
