#include "support/E2ePlayer.h"

#include "platform/ControlClient.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QTest>

E2ePlayer::E2ePlayer(const QString &tag, const QString &root)
    : m_socket(QStringLiteral("brivara-%1-%2").arg(tag).arg(QCoreApplication::applicationPid()))
{
    environment = TestSupport::playerEnvironment(root, m_socket);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    // Past the first-run questions, which would otherwise wait in front of every test.
    const QString settings = root + QStringLiteral("/config/Zendor/Brivara.conf");
    if (!QFileInfo::exists(settings) && QDir().mkpath(QFileInfo(settings).path())) {
        QFile file(settings);
        if (file.open(QIODevice::WriteOnly))
            file.write("[General]\nFirst=false\n");
    }
}

E2ePlayer::~E2ePlayer()
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(5000);
    }
}

bool E2ePlayer::start(const QStringList &arguments, int timeoutMs)
{
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("BRIVARA_EXE"), arguments);
    if (!process.waitForStarted())
        return false;
    return QTest::qWaitFor([&] { return process.state() == QProcess::Running && !state().isEmpty(); }, timeoutMs);
}

bool E2ePlayer::quit(int timeoutMs)
{
    if (process.state() == QProcess::NotRunning)
        return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    ask({{"cmd", "quit"}});
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QJsonObject E2ePlayer::ask(const QJsonObject &request, int timeoutMs) const
{
    return ControlClient::send(m_socket, request, timeoutMs).object;
}

QJsonObject E2ePlayer::get(const QString &window, const QString &control) const
{
    return ask({{"cmd", "get"}, {"window", window}, {"control", control}});
}

bool E2ePlayer::set(const QString &window, const QString &control, const QJsonValue &value) const
{
    return ask({{"cmd", "set"}, {"window", window}, {"control", control}, {"value", value}}).value("ok").toBool();
}

bool E2ePlayer::click(const QString &window, const QString &control) const
{
    return ask({{"cmd", "click"}, {"window", window}, {"control", control}}).value("ok").toBool();
}

bool E2ePlayer::open(const QString &path) const
{
    return ask({{"cmd", "open"}, {"path", path}}).value("ok").toBool();
}

QJsonObject E2ePlayer::dialog() const
{
    return ask({{"cmd", "dialog"}}).value("dialog").toObject();
}

QString E2ePlayer::dialogText() const
{
    const QJsonObject d = dialog();
    return d.value("class").toString() == QLatin1String("QMessageBox") ? d.value("text").toString() : QString();
}

bool E2ePlayer::answerFileDialog(const QString &path, int timeoutMs) const
{
    if (!QTest::qWaitFor([&] { return dialog().value("class").toString() == QLatin1String("QFileDialog"); }, timeoutMs))
        return false;
    return ask({{"cmd", "answer"}, {"paths", QJsonArray{path}}}).value("ok").toBool();
}

QString E2ePlayer::answerDialog(const QString &button, int timeoutMs) const
{
    QString text;
    if (!QTest::qWaitFor([&] { return !(text = dialogText()).isEmpty(); }, timeoutMs))
        return {};
    ask({{"cmd", "answer"}, {"button", button}});
    return text;
}
