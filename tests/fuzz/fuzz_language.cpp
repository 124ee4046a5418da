// Fuzz entry point of the language files: read as "LANG/<name>.lng" is, its entries parsed
// and the messages applied. Numbered tables only ever hold the numbers they have.
#include "FuzzSupport.h"
#include "core/LanguageFile.h"
#include "core/Messages.h"

#include <cstdint>

namespace {

void requireKeysWithin(const QMap<int, QString> &table, int first, int last)
{
    Fuzz::require(table.isEmpty() || (table.firstKey() >= first && table.lastKey() <= last));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto lines = LanguageFile::readLines(Fuzz::scratchFile(Fuzz::bytesOf(data, size), QStringLiteral("Fuzz.lng")));
    Fuzz::require(lines.has_value());
    const LanguageFile::Texts texts = LanguageFile::parse(*lines);
    requireKeysWithin(texts.messages, 0, Messages::Count - 1);
    requireKeysWithin(texts.menu, 1, LanguageFile::MenuItems);
    requireKeysWithin(texts.keys, 0, LanguageFile::KeyRows);
    Messages messages;
    for (auto it = texts.messages.cbegin(); it != texts.messages.cend(); ++it)
        Fuzz::require(messages.set(it.key(), it.value()) && messages.text(it.key()) == it.value());
    qsizetype addressed = 0;
    for (const auto window : {LanguageFile::Window::Panel, LanguageFile::Window::PlayList,
                              LanguageFile::Window::Filters, LanguageFile::Window::Setup})
        addressed += texts.componentsOf(window).size();
    Fuzz::require(addressed == texts.components.size());
    return 0;
}
