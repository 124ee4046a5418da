#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Which language file a choice of language leads to, and the file work it takes: the
// active file "Brivara.lng" in the program folder is what every start applies; picking a
// language copies "LANG/<name>.lng" over it, picking "Polish" deletes it.
namespace LanguageChoice {

inline constexpr const char *AtStart = "Start";
inline constexpr const char *Polish = "Polish";

QString activeFile(const QString &programFolder);
// The library file of a language: the program folder's own, else the one shipped with the
// program (`shippedFolder`), else the built-in copy (English only). Empty when none exists.
QString libraryFile(const QString &programFolder, const QString &shippedFolder, const QString &name);

struct Outcome
{
    // "Polish": the captions change only at the next start, which the user is told.
    bool restartNotice = false;
    // The lines to apply (the active file's, or the English template's); none: the
    // built-in Polish stays.
    std::optional<QStringList> lines;
};

// Carries out the file steps of a choice ("Start" at start-up, "Polish", or a language's
// name) and says what to apply. On a system whose language is Polish, no active file
// means the built-in Polish. Copying is atomic: the active file is either the old one or
// the whole new one. A failed copy leaves the old file, which is then applied.
Outcome choose(const QString &name, const QString &programFolder, const QString &shippedFolder,
               bool polishSystem);

} // namespace LanguageChoice
