#pragma once

// What the streaming threads of one pipeline share with the GUI thread. A synchronous bus
// handler takes every message where it is posted: the window handle and frame-step
// completion are dealt with at once, errors met while a file loads are recorded for the
// loader, and end of stream, errors and warnings travel on to the GUI thread as queued calls.

#include <QObject>
#include <QStringList>

#include <gst/gst.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class GstBusBridge : public std::enable_shared_from_this<GstBusBridge>
{
public:
    // Called in `context`'s thread; afterLoad tells whether the file had finished loading
    // when the message was posted.
    using Handler = std::function<void(GstMessage *message, bool afterLoad)>;

    // Takes over the pipeline's bus. The bridge lives as long as the bus or its owner needs it.
    static std::shared_ptr<GstBusBridge> install(GstElement *pipeline, QObject *context, Handler handler);
    // Stops all forwarding (also of calls already queued) and gives the bus back.
    void detach(GstElement *pipeline);

    // Native window the video sink draws into; 0 lets the sink open its own.
    void setWindow(guintptr id) { m_window = id; }

    // --- loading ------------------------------------------------------------------------
    void startLoading();
    void finishLoading() { m_afterLoad = true; }
    bool loadFailed() const { return m_failed; }
    QStringList loadErrors() const;
    // Path strings of the elements that posted those errors ("/playbin0/.../audiosink").
    QStringList loadErrorSources() const;
    // False when the errors mean that no choice of streams can help (unreadable file, unknown
    // format, nothing decodable).
    bool errorsRetryable() const;
    bool missingDecoder() const;
    struct Missing
    {
        QString description;
        QString detail; // the installer detail string
    };
    QList<Missing> missingDecoders() const;

    // --- frame stepping -----------------------------------------------------------------
    void expectStep();
    bool waitForStep(std::chrono::milliseconds timeout);

private:
    GstBusBridge() = default;
    static GstBusSyncReply sync(GstBus *bus, GstMessage *message, gpointer data);
    void onMessage(GstMessage *message);
    void recordLoadError(GstMessage *message);
    void forward(GstMessage *message);

    std::atomic<guintptr> m_window{0};
    std::atomic<bool> m_afterLoad{false};
    std::atomic<bool> m_failed{false};
    bool m_active = true;                 // GUI thread only

    mutable std::mutex m_mutex;
    QObject *m_context = nullptr;         // null once detached
    Handler m_handler;
    QStringList m_errors;
    QStringList m_errorSources;
    bool m_retryable = true;
    QList<Missing> m_missing;
    std::condition_variable m_stepCondition;
    bool m_stepDone = false;
};
