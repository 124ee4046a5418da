#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>

// The line protocol of the control socket: one JSON object per line in each direction.
// Parsing turns a line into a typed request (or a reason it is not one), so the code that
// acts on requests never looks at raw JSON fields.

enum class ControlCommand { State, Get, Set, Click, Dialog, Answer, Key, Open, Screenshot, Quit };

struct ControlRequest
{
    ControlCommand command = ControlCommand::State;
    QString window;      // get, set, click
    QString control;     // get (empty: the window itself), set, click
    QJsonValue value;    // set
    QString button;      // answer: press the button with this text
    QStringList paths;   // answer: accept a file dialog with these files
    bool cancel = false; // answer: cancel the dialog
    int row = 0;         // key: key-table row
    QString path;        // open (empty: only bring the player to the front); screenshot (empty:
                         // let the program choose)
    bool overwrite = false; // screenshot: an existing file at `path` may be replaced
};

struct ControlParseResult
{
    std::optional<ControlRequest> request;
    QString error; // set when request is empty
};

namespace ControlProtocol {

// A request line longer than this (without its newline) is refused unread.
inline constexpr qsizetype MaxLineBytes = 1024 * 1024;
// The key table has this many rows; remote keys address them 1-based.
inline constexpr int KeyRows = 42;

// Parses one line (its trailing "\n" or "\r\n" already removed or not).
ControlParseResult parseRequest(QByteArrayView line);

QString commandName(ControlCommand command);

// {"ok":true, ...fields}
QJsonObject okReply(const QJsonObject &fields = {});
// {"ok":false,"error":message}
QJsonObject errorReply(const QString &message);
// Compact single-line JSON with its terminating newline.
QByteArray toLine(const QJsonObject &object);
// Reads a reply line as a client sees it; empty when the line is not a JSON object.
std::optional<QJsonObject> parseReply(QByteArrayView line);

// Requests the command line and the second instance send.
QJsonObject keyRequest(int row);
QJsonObject openRequest(const QString &path);

} // namespace ControlProtocol
