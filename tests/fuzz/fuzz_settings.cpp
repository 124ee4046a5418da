// Fuzz entry point of the settings file: every stored preference read with its type from a
// hand-edited file, then what held its type saved to a fresh file and read back unchanged.
#include "FuzzSupport.h"
#include "core/SettingsSchema.h"
#include "core/SettingsStore.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // New names each time: the settings class keeps files it has read, and a file rewritten
    // within the same millisecond at the same size would be taken for the one it knows.
    static quint64 run = 0;
    ++run;
    const QString path = Fuzz::scratchFile(Fuzz::bytesOf(data, size), QStringLiteral("Brivara-%1.conf").arg(run));
    const QString copy = Fuzz::scratchFile({}, QStringLiteral("Copy-%1.conf").arg(run));
    QList<std::pair<const SettingsSchema::Setting *, QVariant>> kept;
    {
        SettingsStore store(path);
        SettingsStore saved(copy);
        for (const SettingsSchema::Setting &setting : SettingsSchema::all()) {
            const SettingsStore::Read read = store.read(QString::fromLatin1(setting.name), setting.type);
            Fuzz::require(read.present || !read.valid);
            Fuzz::require(read.valid == read.value.isValid());
            if (!read.valid)
                continue;
            saved.write(QString::fromLatin1(setting.name), setting.type, read.value);
            kept.append({&setting, read.value});
        }
        for (int i = 1; i <= SettingsSchema::RecentMax; ++i)
            store.read(QStringLiteral("%1%2").arg(QLatin1String(SettingsSchema::RecentPrefix)).arg(i),
                       SettingsStore::Type::String);
        QString error;
        Fuzz::require(saved.sync(&error));
    }
    SettingsStore back(copy);
    for (const auto &[setting, value] : kept) {
        const SettingsStore::Read read = back.read(QString::fromLatin1(setting->name), setting->type);
        Fuzz::require(read.valid && read.value == value);
    }
    QFile::remove(path);
    QFile::remove(copy);
    return 0;
}
