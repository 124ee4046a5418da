#pragma once

#include "core/CdDrive.h"

#include <QString>
#include <memory>

// The audio disc device the control panel talks to in command strings:
//   "open cdaudio alias cd", "set cd time format tmsf", "close cd",
//   "status cd length track TT" -> "mm:ss:ff", "status cd number of tracks" -> "N",
//   "status cd length" -> disc "mm:ss:ff", "status cd mode" -> "playing" | "stopped" | "not ready",
//   "status cd media present" -> "true" | "false", "status cd position" -> "TT:MM:SS:FF",
//   "status cd title track TT" -> the track's CD-Text title,
//   "play cd from TT[:MM[:SS[:FF]]]", "play cd", "pause cd", "stop cd",
//   "set cd door open" | "set cd door closed",
//   "setaudio cd volume to V" (V in hundredths of a decibel, -10000..0, as films have it).
// Words are matched case-insensitively with any spacing. Anything else, a command before
// the alias is open, or one that fails, gets an empty reply (as the panel expects of a
// failed command).
class CdAudioDevice
{
public:
    // Without a drive every command fails.
    explicit CdAudioDevice(std::unique_ptr<CdDrive> drive = {});
    ~CdAudioDevice();

    // The drive "open cdaudio" opens next: a device path or a disc image's .cue.
    void selectDrive(const QString &drive) { m_driveName = drive; }
    const QString &selectedDrive() const { return m_driveName; }
    bool isOpen() const { return m_open; }

    QString send(const QString &command);

    CdDrive *drive() const { return m_drive.get(); }

private:
    QString status(const QStringList &words);
    QString play(const QStringList &words);
    const CdDrive::Track *track(const QString &number) const;

    std::unique_ptr<CdDrive> m_drive;
    QString m_driveName;
    bool m_open = false;
    bool m_discLost = false;   // the disc was out since the alias was opened
    QList<CdDrive::Track> m_tracks;
};
