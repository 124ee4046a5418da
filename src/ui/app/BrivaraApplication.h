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

    // How an escaped error reaches the user; by default a modal error box.
    void setErrorReporter(std::function<void(const QString &)> reporter);

private:
    void report(const QString &message);

    std::function<void(const QString &)> m_reporter;
    bool m_reporting = false;
};
