#pragma once

#include <QObject>
#include <QString>

// Keeps the desktop's screen saver away while the player runs. A desktop without the
// service is not an error: the player simply goes on.
class ScreenSaver
{
public:
    virtual ~ScreenSaver() = default;
    virtual void inhibit() = 0;
    virtual void release() = 0;
    virtual bool isInhibited() const = 0;
};

// org.freedesktop.ScreenSaver on the session bus.
class DBusScreenSaver : public QObject, public ScreenSaver
{
    Q_OBJECT
public:
    explicit DBusScreenSaver(QObject *parent = nullptr);
    ~DBusScreenSaver() override;

    void inhibit() override;
    void release() override;
    bool isInhibited() const override { return m_inhibited; }
    // Why the last inhibit did not take; empty when it did.
    QString lastError() const { return m_lastError; }

private:
    quint32 m_cookie = 0;
    bool m_inhibited = false;
    bool m_waiting = false;        // Inhibit sent, no answer yet
    bool m_releaseOnAnswer = false;
    QString m_lastError;
};
