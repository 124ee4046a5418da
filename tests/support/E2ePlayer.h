#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The real brivara program of an end-to-end test, with its own control socket and folders
// under `root` (TestSupport::playerEnvironment), driven through the socket.
class E2ePlayer
{
public:
    // `tag` names the socket; `root` holds the player's folders.
    E2ePlayer(const QString &tag, const QString &root);
    ~E2ePlayer();

    QProcessEnvironment environment; // changed by a test before start()
    QProcess process;

    // Starts the program and waits until its socket answers.
    bool start(const QStringList &arguments = {}, int timeoutMs = 20000);
    // Asks it to quit; true when it ended with status 0 in time (it is killed otherwise).
    bool quit(int timeoutMs = 15000);

    QString socket() const { return m_socket; }
    QJsonObject ask(const QJsonObject &request, int timeoutMs = 10000) const;
    QJsonObject state() const { return ask({{"cmd", "state"}}).value("state").toObject(); }
    QString currentFile() const { return state().value("currentFile").toString(); }
    int playState() const { return state().value("playState").toInt(); }
    QJsonObject get(const QString &window, const QString &control) const;
    bool set(const QString &window, const QString &control, const QJsonValue &value) const;
    bool click(const QString &window, const QString &control) const;
    bool open(const QString &path) const;
    // The modal dialog that is open ("class", "text", "buttons", ...), empty when none is.
    QJsonObject dialog() const;
    // The text of the message box that is open, "" when none is.
    QString dialogText() const;
    // Waits for a message box and presses its button `button`; its text, or "" when none came.
    QString answerDialog(const QString &button = QStringLiteral("OK"), int timeoutMs = 10000) const;
    // Accepts the file dialog that opens with `path`.
    bool answerFileDialog(const QString &path, int timeoutMs = 10000) const;

private:
    QString m_socket;
};
