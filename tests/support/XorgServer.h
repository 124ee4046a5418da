#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// An X server of the test's own with the dummy video driver, which (unlike Xvfb) changes
// display modes and drives several outputs. It runs on a free display number with a
// configuration written here, and is ended by the destructor. It never touches $DISPLAY.
class XorgServer
{
public:
    XorgServer() = default;
    ~XorgServer() { stop(); }
    XorgServer(const XorgServer &) = delete;
    XorgServer &operator=(const XorgServer &) = delete;

    // Whether Xorg and the dummy driver are installed at all.
    static bool installed();
    // `outputs` lit outputs of 1024 x 768 side by side. False (and why) when it did not start.
    bool start(int outputs, QString *why);
    void stop();
    QString display() const { return m_display; }
    // `xrandr` against this server; its output.
    QString xrandr(const QStringList &arguments = {}) const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_display;
};
