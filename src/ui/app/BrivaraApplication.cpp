#include "ui/app/BrivaraApplication.h"

#include "core/Version.h"

#include <QMessageBox>
#include <exception>

BrivaraApplication::BrivaraApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(Brivara::ProgramName));
    setOrganizationName(QString::fromLatin1(Brivara::Organisation));
    setApplicationVersion(QString::fromLatin1(Brivara::VersionText));
    setQuitOnLastWindowClosed(false); // the control panel decides when the program ends
}

bool BrivaraApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QStringLiteral("Unknown error"));
    }
    return false;
}

void BrivaraApplication::setErrorReporter(std::function<void(const QString &)> reporter)
{
    m_reporter = std::move(reporter);
}

void BrivaraApplication::report(const QString &message)
{
    // An error inside the error box's own event handling must not stack boxes forever.
    if (m_reporting)
        return;
    m_reporting = true;
    if (m_reporter)
        m_reporter(message);
    else
        QMessageBox::critical(nullptr, QString::fromLatin1(Brivara::ProgramName), message);
    m_reporting = false;
}
