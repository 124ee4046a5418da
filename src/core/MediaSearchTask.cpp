#include "core/MediaSearchTask.h"

namespace {
// A batch goes out when it is this big or this old, whichever comes first: big enough that
// the interface is not flooded, soon enough that the count moves while the disk is read.
constexpr qsizetype BatchSize = 256;
constexpr qint64 BatchMs = 40;
} // namespace

MediaSearchTask::MediaSearchTask(QObject *parent) : QObject(parent)
{
    qRegisterMetaType<QList<MediaSearchTask::Found>>();
}

MediaSearchTask::~MediaSearchTask()
{
    stop();
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool MediaSearchTask::start(const QString &folder, const MediaSearch::Options &options, const QString &missingText)
{
    if (m_thread)
        return false;
    m_stop.store(false);
    m_thread = QThread::create([this, folder, options, missingText] {
        QList<Found> batch;
        QElapsedTimer sinceLast;
        sinceLast.start();
        MediaSearch::run(folder, options, m_stop, [&](const QString &path) {
            Found f;
            f.row = PlaylistEntry::fromDisk(path, missingText, &f.sizeMiB);
            batch.append(std::move(f));
            if (batch.size() >= BatchSize || sinceLast.elapsed() >= BatchMs)
                flush(batch, sinceLast);
        });
        flush(batch, sinceLast);
    });
    // Queued to this object's thread, so it comes after every batch the walk sent.
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished();
    }, Qt::QueuedConnection);
    m_thread->start();
    return true;
}

void MediaSearchTask::flush(QList<Found> &batch, QElapsedTimer &sinceLast)
{
    if (!batch.isEmpty())
        emit found(batch); // queued: emitted on the walking thread, received in ours
    batch.clear();
    sinceLast.restart();
}

void MediaSearchTask::wait()
{
    if (m_thread)
        m_thread->wait();
}
