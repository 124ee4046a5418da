#include "engine/SystemCdDrive.h"

#include <QDir>
#include <QFileInfo>

#include <cdio/cdio.h>
#include <cmath>
#include <cdio/cdtext.h>
#include <cdio/logging.h>

namespace {

// A frame's start in nanoseconds, rounded up, so that reading it back gives the same frame.
qint64 frameToNs(qint64 frame) { return (frame * 1000000000 + 74) / 75; }
qint64 nsToFrame(qint64 ns) { return ns * 75 / 1000000000; }

struct Handle
{
    CdIo_t *p = nullptr;
    explicit Handle(const QString &drive)
    {
        // libcdio reports a missing disc or image on stderr; the player says it itself.
        static const bool quiet = [] {
            cdio_loglevel_default = CDIO_LOG_ERROR;
            return true;
        }();
        Q_UNUSED(quiet);
        p = cdio_open(drive.toLocal8Bit().constData(), DRIVER_UNKNOWN);
    }
    ~Handle()
    {
        if (p)
            cdio_destroy(p);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    bool hasTracks() const { return p && cdio_get_num_tracks(p) != CDIO_INVALID_TRACK && cdio_get_num_tracks(p) > 0; }
};

} // namespace

SystemCdDrive::SystemCdDrive() = default;
SystemCdDrive::~SystemCdDrive() { unload(); }

bool SystemCdDrive::load(const QString &drive)
{
    unload();
    const QFileInfo info(drive);
    m_image = info.isFile() || drive.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive);
    // The sound source needs the image by its absolute path.
    m_drive = m_image ? info.absoluteFilePath() : drive;
    m_trayOpen = false;
    return readDisc();
}

bool SystemCdDrive::readDisc()
{
    m_tracks.clear();
    m_discFrames = 0;
    m_imageData.clear();
    if (m_drive.isEmpty() || (m_image && !QFileInfo::exists(m_drive)))
        return false;
    const Handle h(m_drive);
    if (!h.hasTracks())
        return false;
    const track_t first = cdio_get_first_track_num(h.p);
    const track_t count = cdio_get_num_tracks(h.p);
    const lsn_t leadout = cdio_get_track_lsn(h.p, CDIO_CDROM_LEADOUT_TRACK);
    cdtext_t *text = cdio_get_cdtext(h.p);
    for (track_t t = first; t < first + count; ++t) {
        const lsn_t start = cdio_get_track_lsn(h.p, t);
        const lsn_t end = t + 1 < first + count ? cdio_get_track_lsn(h.p, track_t(t + 1)) : leadout;
        Track track;
        track.number = t;
        track.frames = qMax<qint64>(0, end - start);
        if (text)
            if (const char *title = cdtext_get_const(text, CDTEXT_FIELD_TITLE, t))
                track.title = QString::fromUtf8(title).trimmed();
        m_tracks << track;
    }
    m_discFrames = qMax<qint64>(0, leadout - cdio_get_track_lsn(h.p, first));
    if (m_image)
        if (const char *source = cdio_get_arg(h.p, "source"))
            m_imageData = QString::fromLocal8Bit(source);
    return true;
}

void SystemCdDrive::unload()
{
    m_playback.stop();
    m_track = 0;
    m_resumeFrame = 0;
    m_tracks.clear();
    m_discFrames = 0;
}

bool SystemCdDrive::discReadable() const
{
    if (m_drive.isEmpty() || m_trayOpen)
        return false;
    if (m_image) {
        // The data file is named relative to the .cue's folder.
        if (!QFileInfo::exists(m_drive))
            return false;
        if (m_imageData.isEmpty())
            return true;
        const QFileInfo data(m_imageData);
        return data.isAbsolute() ? data.exists() : QFileInfo::exists(QFileInfo(m_drive).dir().filePath(m_imageData));
    }
    return Handle(m_drive).hasTracks();
}

bool SystemCdDrive::mediaPresent()
{
    const bool present = discReadable();
    // A disc taken out stops sounding, as in any drive.
    if (!present)
        m_playback.stop();
    return present;
}

qint64 SystemCdDrive::trackFrames(int track) const
{
    for (const Track &t : m_tracks)
        if (t.number == track)
            return t.frames;
    return 0;
}

bool SystemCdDrive::play(int track, qint64 fromFrame)
{
    if (trackFrames(track) <= 0 || !discReadable())
        return false;
    m_track = track;
    m_resumeFrame = fromFrame;
    return m_playback.play(m_drive, track, frameToNs(fromFrame));
}

void SystemCdDrive::pause()
{
    if (!m_playback.active())
        return;
    m_resumeFrame = position();
    m_playback.pause();
}

void SystemCdDrive::resume()
{
    if (m_track == 0)
        return;
    if (m_playback.ended())
        play(m_track, 0);
    else if (m_playback.active())
        m_playback.resume();
    else
        play(m_track, m_resumeFrame);
}

void SystemCdDrive::stop()
{
    m_playback.stop();
    m_resumeFrame = 0;
}

CdDrive::Mode SystemCdDrive::mode()
{
    if (m_tracks.isEmpty())
        return Mode::NotReady;
    return m_playback.playing() ? Mode::Playing : Mode::Stopped;
}

qint64 SystemCdDrive::position()
{
    if (m_playback.ended())
        return trackFrames(m_track);
    if (!m_playback.active())
        return m_resumeFrame;
    return qMin(trackFrames(m_track), nsToFrame(m_playback.positionNs()));
}

void SystemCdDrive::setVolume(int hundredthsDb)
{
    m_playback.setVolume(hundredthsDb <= -10000 ? 0.0 : std::pow(10.0, hundredthsDb / 2000.0));
}

bool SystemCdDrive::setTrayOpen(bool open)
{
    if (m_drive.isEmpty())
        return false;
    if (m_image) {
        m_trayOpen = open;
        if (open)
            m_playback.stop();
        return true;
    }
    cdio_drive_read_cap_t read = 0;
    cdio_drive_write_cap_t write = 0;
    cdio_drive_misc_cap_t misc = 0;
    {
        const Handle h(m_drive);
        if (!h.p)
            return false;
        cdio_get_drive_cap(h.p, &read, &write, &misc);
    }
    if (open) {
        if (!(misc & CDIO_DRIVE_CAP_MISC_EJECT))
            return false;
        m_playback.stop(); // the drive must be free to eject
        return cdio_eject_media_drive(m_drive.toLocal8Bit().constData()) == DRIVER_OP_SUCCESS;
    }
    if (!(misc & CDIO_DRIVE_CAP_MISC_CLOSE_TRAY))
        return false;
    driver_id_t driver = DRIVER_DEVICE;
    return cdio_close_tray(m_drive.toLocal8Bit().constData(), &driver) == DRIVER_OP_SUCCESS;
}
