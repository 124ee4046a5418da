// Subtitle loading as the player does it (read, decode, split, detect, parse), timed in
// process; and the generator of the benchmark's files.
//
//   bench_subtitle_load FILE [RUNS] [FRAMERATE]
//       loads FILE RUNS times (default 20; frame rate default 25) and prints one line:
//       entries, format, encoding, and the median and fastest load in ms, with the median of
//       the reading-and-decoding part on its own.
//   bench_subtitle_load --generate FORMAT ENTRIES OUT [ENCODING]
//       writes a file of ENTRIES entries in FORMAT (time-colon, tenths, frames, minsec, sami,
//       subrip), Polish text in UTF-8 or ENCODING (e.g. windows-1250). Frames are at 25 fps.
#include "core/SubtitleParser.h"
#include "core/TextDecoding.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringEncoder>
#include <algorithm>
#include <optional>
#include <cstdio>
#include <vector>

namespace {

const char *const Texts[] = {
    "Nie wiem, co się stało.|Gdzie jesteś?", "Oh!", "Musimy iść dalej, bo już późno.",
    "\\Żółw śpi w ogrodzie.", "No.", "Źle się dzieje w państwie duńskim.|Naprawdę.",
};

QString hms(qint64 ms, char fractionSeparator)
{
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(ms / 3600000, 2, 10, QLatin1Char('0'))
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(QLatin1Char(fractionSeparator))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// Each entry starts 2.4 s after the previous one and stays 2 s.
std::optional<QString> generate(const QString &format, int entries)
{
    QString out;
    if (format == QLatin1String("sami"))
        out += QStringLiteral("<SAMI>\r\n<HEAD><TITLE>Bench</TITLE></HEAD>\r\n<BODY>\r\n");
    for (int i = 0; i < entries; ++i) {
        const qint64 start = 1000 + qint64(i) * 2400;
        const qint64 stop = start + 2000;
        const QString text = QString::fromUtf8(Texts[i % std::size(Texts)]);
        if (format == QLatin1String("time-colon"))
            out += hms(start, ':').left(8) + QLatin1Char(':') + text;
        else if (format == QLatin1String("tenths"))
            out += QStringLiteral("[%1][%2]").arg(start / 100).arg(stop / 100) + text;
        else if (format == QLatin1String("frames"))
            out += QStringLiteral("{%1}{%2}").arg(start * 25 / 1000).arg(stop * 25 / 1000) + text;
        else if (format == QLatin1String("minsec")) // two-digit minutes: 100 minutes at most
            out += QStringLiteral("[%1:%2]").arg(start / 1000 / 60 % 100, 2, 10, QLatin1Char('0'))
                       .arg(start / 1000 % 60, 2, 10, QLatin1Char('0')) + text;
        else if (format == QLatin1String("sami"))
            out += QStringLiteral("<SYNC Start=%1><P>").arg(start) + QString(text).replace(QLatin1Char('|'), QLatin1String("<br>"))
                 + QStringLiteral("\r\n<SYNC Start=%1><P>&nbsp;").arg(stop);
        else if (format == QLatin1String("subrip"))
            out += QStringLiteral("%1\r\n%2 --> %3\r\n").arg(i + 1).arg(hms(start, ','), hms(stop, ','))
                 + QString(text).replace(QLatin1Char('|'), QLatin1String("\r\n")) + QStringLiteral("\r\n");
        else
            return std::nullopt;
        out += QStringLiteral("\r\n");
    }
    if (format == QLatin1String("sami"))
        out += QStringLiteral("</BODY>\r\n</SAMI>\r\n");
    return out;
}

int generateFile(const QString &format, int entries, const QString &path, const QByteArray &encoding)
{
    const auto text = generate(format, entries);
    if (!text) {
        std::fprintf(stderr, "bench_subtitle_load: unknown format %s\n", qPrintable(format));
        return 2;
    }
    QStringEncoder encoder(encoding.constData());
    if (!encoder.isValid()) {
        std::fprintf(stderr, "bench_subtitle_load: unknown encoding %s\n", encoding.constData());
        return 2;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(encoder.encode(*text)) < 0) {
        std::fprintf(stderr, "bench_subtitle_load: %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int load(const QString &path, int runs, double frameRate)
{
    std::vector<double> total;
    std::vector<double> reading;
    ParsedSubtitles parsed;
    QString encoding;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        QStringList lines;
        QString error;
        if (!readSubtitleFile(path, &lines, &error, &encoding)) {
            std::fprintf(stderr, "bench_subtitle_load: %s\n", qPrintable(error));
            return 1;
        }
        reading.push_back(timer.nsecsElapsed() / 1e6);
        parsed = parseSubtitles(lines, path, frameRate);
        total.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("entries=%lld format=%d encoding=%s median_ms=%.3f min_ms=%.3f read_decode_median_ms=%.3f\n",
                (long long)parsed.entries.size(), int(parsed.format), qPrintable(encoding), median(total),
                *std::min_element(total.begin(), total.end()), median(reading));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const QString first = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (first == QLatin1String("--generate") && argc >= 5)
        return generateFile(QString::fromLocal8Bit(argv[2]), std::max(0, atoi(argv[3])),
                            QString::fromLocal8Bit(argv[4]), argc > 5 ? QByteArray(argv[5]) : QByteArray("UTF-8"));
    if (first.isEmpty() || first.startsWith(QLatin1String("--"))) {
        std::fprintf(stderr, "usage: %s FILE [RUNS] [FRAMERATE]\n"
                             "       %s --generate FORMAT ENTRIES OUT [ENCODING]\n", argv[0], argv[0]);
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 20;
    const double frameRate = argc > 3 ? atof(argv[3]) : 25.0;
    return load(first, runs, frameRate);
}
