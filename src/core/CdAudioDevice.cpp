#include "core/CdAudioDevice.h"

#include "core/CdTime.h"

#include <QStringList>

CdAudioDevice::CdAudioDevice(std::unique_ptr<CdDrive> drive) : m_drive(std::move(drive)) {}

CdAudioDevice::~CdAudioDevice()
{
    if (m_open && m_drive)
        m_drive->unload();
}

const CdDrive::Track *CdAudioDevice::track(const QString &number) const
{
    bool ok = false;
    const int n = number.toInt(&ok);
    if (!ok)
        return nullptr;
    for (const CdDrive::Track &t : m_tracks)
        if (t.number == n)
            return &t;
    return nullptr;
}

QString CdAudioDevice::send(const QString &command)
{
    const QStringList words = command.simplified().toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!m_drive || words.size() < 2)
        return {};
    if (words == QStringList{"open", "cdaudio", "alias", "cd"}) {
        // Opening again reads the disc again: it may have changed while the alias was open.
        m_drive->load(m_driveName);
        m_tracks = m_drive->tracks();
        m_open = true;
        m_discLost = false;
        return {};
    }
    if (words.size() == 5 && words.first() == QLatin1String("setaudio") && words.at(1) == QLatin1String("cd")
        && words.at(2) == QLatin1String("volume") && words.at(3) == QLatin1String("to")) {
        // The output is turned whether or not a disc is open: the next one plays at it.
        bool ok = false;
        const int volume = words.at(4).toInt(&ok);
        if (ok)
            m_drive->setVolume(qBound(-10000, volume, 0));
        return {};
    }
    if (!m_open || words.at(1) != QLatin1String("cd"))
        return {};
    const QString verb = words.first();
    const QStringList rest = words.mid(2);
    if (verb == QLatin1String("close") && rest.isEmpty()) {
        m_drive->unload();
        m_tracks.clear();
        m_open = false;
    } else if (verb == QLatin1String("status")) {
        return status(rest);
    } else if (verb == QLatin1String("play")) {
        return play(rest);
    } else if (verb == QLatin1String("pause") && rest.isEmpty()) {
        m_drive->pause();
    } else if (verb == QLatin1String("stop") && rest.isEmpty()) {
        m_drive->stop();
    } else if (verb == QLatin1String("set") && rest.size() == 2 && rest.first() == QLatin1String("door")) {
        if (rest.last() == QLatin1String("open") || rest.last() == QLatin1String("closed"))
            m_drive->setTrayOpen(rest.last() == QLatin1String("open"));
    }
    // "set cd time format tmsf" is the only format there is: positions are always tmsf.
    return {};
}

QString CdAudioDevice::status(const QStringList &words)
{
    const QString what = words.join(QLatin1Char(' '));
    if (what == QLatin1String("media present") || what == QLatin1String("mode")) {
        const bool present = m_drive->mediaPresent();
        m_discLost = m_discLost || !present;
        if (what == QLatin1String("media present"))
            return present ? QStringLiteral("true") : QStringLiteral("false");
        // A disc that was out may not be the same one: not ready until it is read again.
        if (m_discLost)
            return QStringLiteral("not ready");
        switch (m_drive->mode()) {
        case CdDrive::Mode::Playing: return QStringLiteral("playing");
        case CdDrive::Mode::Stopped: return QStringLiteral("stopped");
        case CdDrive::Mode::NotReady: return QStringLiteral("not ready");
        }
        return {};
    }
    if (m_tracks.isEmpty())
        return {};
    if (what == QLatin1String("number of tracks"))
        return QString::number(m_tracks.size());
    if (what == QLatin1String("length"))
        return CdTime::mmssff(m_drive->discFrames());
    if (what == QLatin1String("position")) {
        const int current = m_drive->currentTrack();
        return current > 0 ? CdTime::tmsf(current, m_drive->position()) : CdTime::tmsf(m_tracks.first().number, 0);
    }
    if (words.size() == 3 && words.at(1) == QLatin1String("track")) {
        const CdDrive::Track *t = track(words.at(2));
        if (!t)
            return {};
        if (words.first() == QLatin1String("length"))
            return CdTime::mmssff(t->frames);
        if (words.first() == QLatin1String("title"))
            return t->title;
    }
    return {};
}

QString CdAudioDevice::play(const QStringList &words)
{
    if (m_tracks.isEmpty())
        return {};
    if (words.isEmpty()) {
        if (m_drive->currentTrack() > 0)
            m_drive->resume();
        else
            m_drive->play(m_tracks.value(0).number, 0);
        return {};
    }
    if (words.size() != 2 || words.first() != QLatin1String("from"))
        return {};
    const auto at = CdTime::parsePosition(words.last());
    if (!at)
        return {};
    const CdDrive::Track *t = track(QString::number(at->track));
    if (!t)
        return {};
    // A position past the track's end plays nothing more of it: the track ends at once.
    m_drive->play(t->number, qMin(at->frames, t->frames));
    return {};
}
