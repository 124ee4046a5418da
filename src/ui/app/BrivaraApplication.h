#pragma once

#include <QApplication>
#include <functional>

// Whatever escapes an event handler is shown to the user and the program goes on, instead
// of Qt ending the process on an exception that leaves the event loop.
class BrivaraApplication : public QApplication
{
    Q_OBJECT
public:
    BrivaraApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // A property of the application, true once the display has gone away while the program
    // ends: nothing can be shown any more, so what would be a message goes to the log.
    static constexpr const char *DisplayGoneProperty = "brivaraDisplayGone";

    // How an escaped error reaches the user; by default a modal error box.
    void setErrorReporter(std::function<void(const QString &)> reporter);

private:
    void report(const QString &message);

    std::function<void(const QString &)> m_reporter;
    bool m_reporting = false;
};
