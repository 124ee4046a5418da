// Fuzz entry point of the key binding file: read as the program folder's file, applied over
// the built-in table, saved and read back into a fresh table, which must come out the same.
#include "FuzzSupport.h"
#include "core/KeyTable.h"
#include "core/TextFile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QStringList lines;
    Fuzz::require(TextFile::readLines(Fuzz::scratchFile(Fuzz::bytesOf(data, size), QStringLiteral("BrivaraKey.zdr")), &lines));
    KeyBindings keys;
    const int taken = keys.applyLines(lines);
    Fuzz::require(taken >= 0 && taken <= KeyTable::Rows && keys.entries().size() == KeyTable::Rows);

    const QString saved = Fuzz::scratchFile({}, QStringLiteral("saved.zdr"));
    Fuzz::require(TextFile::writeLines(saved, keys.toLines()));
    QStringList back;
    Fuzz::require(TextFile::readLines(saved, &back));
    KeyBindings reloaded;
    Fuzz::require(reloaded.applyLines(back) == KeyTable::Rows);
    for (int row = 1; row <= KeyTable::Rows; ++row)
        Fuzz::require(reloaded.entry(row).code == keys.entry(row).code
                      && reloaded.entry(row).description == keys.entry(row).description);
    return 0;
}
