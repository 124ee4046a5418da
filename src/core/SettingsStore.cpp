#include "core/SettingsStore.h"

#include "core/Version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace {

// The text format stores any type as "@Variant(" + serialised bytes, which it decodes when
// the file is read: a hand-made value there can claim gigabytes and end the program before
// a single setting is checked. This program never writes one, so such a value is turned into
// the plain text it looks like ("@@" is the format's escaped "@"), which then fails its type
// check and is reported like any other value of the wrong type.
void neutraliseSerialisedValues(const QString &fileName)
{
    constexpr qint64 MaxBytes = 16LL * 1024 * 1024;
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > MaxBytes)
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QByteArray bytes = file.read(info.size() + 1);
    if (!bytes.contains("@Variant("))
        return;
    QList<QByteArray> lines = bytes.split('\n');
    bool changed = false;
    for (QByteArray &line : lines) {
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        qsizetype at = eq + 1;
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t'))
            ++at;
        if (line.mid(at).startsWith("@Variant(")) {
            line.insert(at, '@');
            changed = true;
        }
    }
    if (!changed)
        return;
    QSaveFile out(fileName);
    const QByteArray text = lines.join('\n');
    if (out.open(QIODevice::WriteOnly) && out.write(text) == text.size())
        out.commit();
}

} // namespace

SettingsStore::SettingsStore(const QString &fileName)
{
    neutraliseSerialisedValues(fileName);
    m_settings = std::make_unique<QSettings>(fileName, QSettings::IniFormat);
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::defaultFileName()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/%1/%2.conf").arg(QLatin1String(Brivara::Organisation),
                                                QLatin1String(Brivara::ProgramName));
}

QString SettingsStore::fileName() const { return m_settings->fileName(); }

bool SettingsStore::exists(const QString &name) const { return m_settings->contains(name); }

SettingsStore::Read SettingsStore::read(const QString &name, Type type) const
{
    if (!m_settings->contains(name))
        return {};
    return convert(m_settings->value(name), type);
}

SettingsStore::Read SettingsStore::convert(const QVariant &raw, Type type)
{
    Read r;
    r.present = true;
    // The text format splits unquoted commas into lists; as text they are one value.
    const QString text = raw.typeId() == QMetaType::QStringList ? raw.toStringList().join(", ")
                                                                 : raw.toString();
    const QString t = text.trimmed();
    bool ok = false;
    switch (type) {
    case Type::String:
        r.valid = true;
        r.value = text;
        break;
    case Type::Integer: {
        const int v = t.toInt(&ok);
        r.valid = ok;
        r.value = v;
        break;
    }
    case Type::Boolean: {
        if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
            r.valid = true;
            r.value = true;
        } else if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
            r.valid = true;
            r.value = false;
        } else {
            const int v = t.toInt(&ok); // any non-zero number is true
            r.valid = ok;
            r.value = ok && v != 0;
        }
        break;
    }
    case Type::Float: {
        const double v = t.toDouble(&ok);
        r.valid = ok && qIsFinite(v);
        r.value = v;
        break;
    }
    case Type::FontStyle: {
        const int v = t.toInt(&ok);
        r.valid = ok && v >= 0 && v <= 255; // one byte
        r.value = v & 0xF;
        break;
    }
    }
    if (!r.valid)
        r.value = QVariant();
    return r;
}

void SettingsStore::write(const QString &name, Type type, const QVariant &value)
{
    switch (type) {
    case Type::String:
        m_settings->setValue(name, value.toString());
        break;
    case Type::Integer:
        m_settings->setValue(name, value.toInt());
        break;
    case Type::Boolean:
        m_settings->setValue(name, value.toBool());
        break;
    case Type::Float:
        m_settings->setValue(name, value.toDouble());
        break;
    case Type::FontStyle:
        m_settings->setValue(name, value.toInt() & 0xFF);
        break;
    }
}

void SettingsStore::remove(const QString &name) { m_settings->remove(name); }

bool SettingsStore::sync(QString *error)
{
    QDir().mkpath(QFileInfo(m_settings->fileName()).absolutePath());
    m_settings->sync();
    if (m_settings->status() == QSettings::NoError)
        return true;
    if (error)
        *error = QStringLiteral("Cannot write the settings file %1").arg(m_settings->fileName());
    return false;
}

bool SettingsStore::clear(QString *error)
{
    m_settings->clear();
    m_settings->sync();
    QFile file(m_settings->fileName());
    if (file.exists() && !file.remove()) {
        if (error)
            *error = QStringLiteral("Cannot delete the settings file %1: %2")
                         .arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}
