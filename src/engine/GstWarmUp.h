#pragma once

#include <QString>
#include <QStringList>

#include <thread>

// Loads GStreamer, and the plugins a film to be opened at start is likely to need, on a
// thread of its own while the windows are being built, so that the first picture does not
// wait for both one after the other. The engine later finds the plugins loaded; a film that
// needs others loads them as it always does. Nothing here touches Qt.
class GstWarmUp
{
public:
    // An empty path warms up GStreamer and the output elements only.
    explicit GstWarmUp(const QString &path);
    // Waits for the thread: the work is short, and GStreamer must not be half-way through
    // loading a plugin when the process ends.
    ~GstWarmUp();

    GstWarmUp(const GstWarmUp &) = delete;
    GstWarmUp &operator=(const GstWarmUp &) = delete;

    // What the thread does (run here on the caller's thread by tests): initialises
    // GStreamer, loads the elements every pipeline uses and the demuxer that the file's
    // first bytes call for. Returns the names of the features it loaded.
    static QStringList run(const QString &path);

private:
    std::thread m_thread;
};
