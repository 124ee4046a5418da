// Fuzz entry point of "skin.all": read as a skin folder's file, then saved and read again.
// What a save writes must read back to itself: a second save gives the same bytes.
#include "FuzzSupport.h"
#include "core/SkinFile.h"

#include <cstdint>

namespace {

QByteArray saved(const QList<SkinFile::Section> &sections, const QString &name)
{
    const QString path = Fuzz::scratchFile({}, name);
    QString error;
    Fuzz::require(SkinFile::write(path, sections, &error));
    QFile file(path);
    Fuzz::require(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratchFile(Fuzz::bytesOf(data, size), QString::fromLatin1(SkinFile::FileName));
    QList<SkinFile::Section> sections;
    QString error;
    Fuzz::require(SkinFile::read(path, &sections, &error));
    for (const SkinFile::Section &section : sections)
        for (const SkinFile::Entry &entry : section.entries)
            Fuzz::require(entry.value.size() <= SkinFile::MaxValueLength);

    const QByteArray first = saved(sections, QStringLiteral("first.all"));
    QList<SkinFile::Section> again;
    Fuzz::require(SkinFile::read(Fuzz::scratchFile(first, QStringLiteral("first.all")), &again, &error));
    Fuzz::require(again.size() == sections.size());
    Fuzz::require(saved(again, QStringLiteral("second.all")) == first);
    return 0;
}
