#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>

class Messages;

// What the published version file means for this copy of the program. The file is plain
// text: line 1 the latest version number, the rest release notes for the user.
namespace UpdateCheck {

enum class Verdict {
    NotVersionFile, // empty, or line 1 is not a whole number: the page reports a failed fetch
    NothingNew,
    NewVersion,
};

struct Result
{
    Verdict verdict = Verdict::NotVersionFile;
    int publishedVersion = 0;
    QStringList lines; // the memo's lines; empty for NotVersionFile
};

// The body as text: a byte-order mark wins, then strict UTF-8, else Windows-1250 (the
// maker's files were written on Polish desktops).
QString decodeBody(const QByteArray &body);

// Splits at CRLF, LF or a lone CR; a final line break adds no empty line.
QStringList splitLines(const QString &text);

Result interpret(const QString &body, int ownVersion, const Messages &msg);
Result interpret(const QByteArray &body, int ownVersion, const Messages &msg);

// The maker's addresses, each replaceable through the environment so that a mirror or a
// test server can stand in: BRIVARA_UPDATE_URL, BRIVARA_DOWNLOAD_URL, BRIVARA_SUPPORT_MAIL.
struct Addresses
{
    QUrl versionFile;
    QUrl downloadPage;
    QUrl supportMail; // a mailto: address without subject

    static Addresses builtIn();
    static Addresses fromEnvironment();

    // The support address with the subject of an error report or of a suggestion; a
    // subject already in the configured address is kept.
    QUrl errorReportMail() const;
    QUrl suggestionMail() const;
};

} // namespace UpdateCheck
