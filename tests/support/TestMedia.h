#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Media files made by GStreamer's own test sources, once per build folder (see
// TestSupport::mediaDir()); a file already there is reused. Every function returns an
// absolute path, or an empty string when the file could not be made.
namespace TestMedia {

// AVI, 320x240 at 25 frames per second, MPEG-4 video with MP3 sound (a 440 Hz tone).
// `pattern` is a videotestsrc pattern: "ball" moves, "red" is one flat colour.
QString movie(int seconds = 4, const QString &pattern = QStringLiteral("ball"));

// Sound only: a WAV file with a tone.
QString audioOnly(int seconds = 2);

// An audio disc image in `folder`: "disc.bin" (raw 16-bit 44.1 kHz stereo samples, one
// sine tone per track at the given pitches, for the given seconds) and "disc.cue" naming
// its tracks, with CD-Text titles where given. Returns the .cue's path.
QString audioCdImage(const QString &folder, const QList<int> &pitches, const QList<int> &seconds,
                     const QStringList &titles = {});

// A file with a media file's name that holds plain text.
QString notMedia();

} // namespace TestMedia
