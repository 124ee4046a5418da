#pragma once

#include "core/MediaSearch.h"
#include "core/PlaylistEntry.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QThread>
#include <atomic>
#include <optional>

// The search run off the interface thread: the disk is walked (and every file found looked
// at for its size) on a thread of its own, and what it finds arrives in batches in the
// thread that started it, so the window stays usable and its "STOP" works at any moment.
class MediaSearchTask : public QObject
{
    Q_OBJECT
public:
    struct Found
    {
        PlaylistEntry::Row row;
        std::optional<double> sizeMiB;
    };

    explicit MediaSearchTask(QObject *parent = nullptr);
    ~MediaSearchTask() override;

    // Starts a walk of `folder` unless one is running. `missingText` is the size cell of a
    // file gone before it could be measured.
    bool start(const QString &folder, const MediaSearch::Options &options, const QString &missingText);
    // The folder being scanned still finishes; no further folder is entered.
    void stop() { m_stop.store(true); }
    bool running() const { return m_thread != nullptr; }
    // Waits for the walk to end (its last batches are still delivered by the event loop).
    void wait();

signals:
    void found(const QList<MediaSearchTask::Found> &batch);
    void finished();

private:
    void flush(QList<Found> &batch, QElapsedTimer &sinceLast);

    std::atomic<bool> m_stop{false};
    QThread *m_thread = nullptr;
};
