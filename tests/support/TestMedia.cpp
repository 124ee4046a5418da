#include "support/TestMedia.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QtEndian>

#include <cmath>

namespace TestMedia {

namespace {

// Runs one gst-launch pipeline that writes `part`, then moves the finished file into place,
// so that a file under the final name is always complete (also with tests running side by side).
QString make(const QString &name, const QString &pipeline)
{
    const QString path = QDir(TestSupport::mediaDir()).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    const QString part = path + QStringLiteral(".%1.part").arg(QCoreApplication::applicationPid());
    QStringList args{QStringLiteral("-q"), QStringLiteral("-e")};
    args += QString(pipeline).arg(part).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QString output;
    const int code = TestSupport::run(QStringLiteral("gst-launch-1.0"), args, 120000, &output);
    if (code != 0 || QFileInfo(part).size() == 0) {
        qWarning("Could not make %s: %s", qPrintable(name), qPrintable(output));
        QFile::remove(part);
        return {};
    }
    QFile::remove(path);
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        return QFileInfo(path).size() > 0 ? path : QString();
    }
    return path;
}

} // namespace

QString movie(int seconds, const QString &pattern)
{
    const int frames = seconds * 25;
    const int audioBuffers = seconds * 100; // 441 samples each at 44.1 kHz
    return make(QStringLiteral("movie-%1-%2s.avi").arg(pattern).arg(seconds),
                QStringLiteral("videotestsrc num-buffers=%1 pattern=%2 "
                               "! video/x-raw,width=320,height=240,framerate=25/1 ! videoconvert "
                               "! avenc_mpeg4 gop-size=25 ! avimux name=mux ! filesink location=%4 "
                               "audiotestsrc num-buffers=%3 samplesperbuffer=441 "
                               "! audio/x-raw,rate=44100,channels=2 ! audioconvert ! lamemp3enc ! mux.")
                    .arg(frames).arg(pattern).arg(audioBuffers).arg(QStringLiteral("%1")));
}

QString audioOnly(int seconds)
{
    return make(QStringLiteral("tone-%1s.wav").arg(seconds),
                QStringLiteral("audiotestsrc num-buffers=%1 samplesperbuffer=441 "
                               "! audio/x-raw,format=S16LE,rate=44100,channels=2 ! wavenc "
                               "! filesink location=%2")
                    .arg(seconds * 100).arg(QStringLiteral("%1")));
}

QString notMedia()
{
    const QString path = QDir(TestSupport::mediaDir()).filePath(QStringLiteral("not-media.avi"));
    if (QFileInfo(path).size() > 0)
        return path;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    for (int i = 0; i < 200; ++i)
        file.write("This is a shopping list, not a film. Eggs, milk, bread.\n");
    return path;
}

QString audioCdImage(const QString &folder, const QList<int> &pitches, const QList<int> &seconds,
                     const QStringList &titles)
{
    constexpr int Rate = 44100, SamplesPerSector = 588; // 2352 bytes of stereo 16-bit samples
    const QDir dir(folder);
    QFile bin(dir.filePath(QStringLiteral("disc.bin")));
    if (!bin.open(QIODevice::WriteOnly))
        return {};
    QString cue = QStringLiteral("FILE \"disc.bin\" BINARY\n");
    qint64 sector = 0;
    for (int t = 0; t < pitches.size(); ++t) {
        cue += QStringLiteral("  TRACK %1 AUDIO\n").arg(t + 1, 2, 10, QLatin1Char('0'));
        if (!titles.value(t).isEmpty())
            cue += QStringLiteral("    TITLE \"%1\"\n").arg(titles.at(t));
        cue += QStringLiteral("    INDEX 01 %1:%2:%3\n")
                   .arg(sector / 75 / 60, 2, 10, QLatin1Char('0'))
                   .arg(sector / 75 % 60, 2, 10, QLatin1Char('0'))
                   .arg(sector % 75, 2, 10, QLatin1Char('0'));
        const qint64 sectors = qint64(seconds.value(t)) * Rate / SamplesPerSector;
        QByteArray samples(int(sectors * SamplesPerSector * 4), Qt::Uninitialized);
        auto *out = reinterpret_cast<qint16 *>(samples.data());
        for (qint64 i = 0; i < sectors * SamplesPerSector; ++i) {
            const auto v = qint16(12000 * std::sin(2 * M_PI * pitches.at(t) * double(i) / Rate));
            out[2 * i] = out[2 * i + 1] = qToLittleEndian(v);
        }
        bin.write(samples);
        sector += sectors;
    }
    QFile file(dir.filePath(QStringLiteral("disc.cue")));
    if (!bin.flush() || !file.open(QIODevice::WriteOnly) || file.write(cue.toUtf8()) < 0)
        return {};
    return QFileInfo(file).absoluteFilePath();
}

} // namespace TestMedia
