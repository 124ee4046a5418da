// Fuzz entry point over everything a subtitle file goes through: decoding, line
// splitting, format detection, the line formats, the cue formats and the markup the
// subtitle window reads.
//
// The first byte picks the file name (its extension decides ".srt" and ".smi") and the frame
// rate; the rest is the file. For the seed files: '`' ".txt", 'a' ".sub", 'b' ".srt",
// 'c' ".ssa", 'd' ".smi", 'e' no extension, 'f' ".SRT", 'g' ".SMI", all at 25 frames per
// second ('h' to 'o': the same at 23.976).
#include "core/AssParser.h"
#include "core/SamiReader.h"
#include "core/SubRipParser.h"
#include "core/SubtitleMarkup.h"
#include "core/SubtitleParser.h"
#include "core/WebVttParser.h"
#include "core/TextDecoding.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

const char *const FileNames[] = {"f.txt", "f.sub", "f.srt", "f.ssa", "f.smi", "f", "F.SRT", "F.SMI"};
const double FrameRates[] = {25, 23.976, 29.97, 0, -25, 1e-300, 1e300, 0.5, 90, 1,
                             std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};

void require(bool holds)
{
    if (!holds)
        std::abort();
}

bool digit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// "hh:mm:ss": two or more digits of hours, minutes and seconds below 60.
bool wellFormedKey(const QString &key)
{
    const qsizetype n = key.size();
    if (n < 8 || key[n - 3] != u':' || key[n - 6] != u':')
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (i != n - 3 && i != n - 6 && !digit(key[i]))
            return false;
    return key[n - 5] < u'6' && key[n - 2] < u'6';
}

// Every surrogate has its partner: neither decoding nor cutting leaves half a character.
bool wholeCharacters(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return false;
    }
    return true;
}

void checkEntries(const SubtitleList &entries, bool keysChecked)
{
    for (const SubtitleLine &entry : entries) {
        require(entry.text.size() <= SubtitleTextMax);
        require(wholeCharacters(entry.text));
        require(keysChecked ? wellFormedKey(entry.start) : entry.start.size() <= 8);
        // What the subtitle window draws: a style for every character, whole characters.
        const SubtitleMarkup::Styled styled = SubtitleMarkup::parse(entry.text);
        require(styled.styles.size() == styled.text.size());
        require(wholeCharacters(styled.text));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QString fileName = QString::fromLatin1(FileNames[data[0] % 8]);
    const double frameRate = FrameRates[(data[0] / 8) % 12];
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));

    const QStringList lines = subtitleFileLines(bytes);
    for (const QString &line : lines)
        require(!line.contains(u'\n') && !line.contains(u'\r') && wholeCharacters(line));

    const ParsedSubtitles parsed = parseSubtitles(lines, fileName, frameRate);
    require(parsed.detected || parsed.entries.isEmpty());
    require(parsed.rawLines.size() <= lines.size());
    checkEntries(parsed.entries, parsed.format != SubtitleFormat::TimeColon);

    // Every format over the same lines, whatever the detection said.
    SubtitleList all;
    for (const auto format : {SubtitleFormat::TenthsBracket, SubtitleFormat::FrameBrace,
                              SubtitleFormat::MinuteSecondBracket, SubtitleFormat::Sami})
        for (const QString &line : lines)
            if (auto entry = SubtitleParsing::parseLine(line, format, frameRate))
                all.append(*entry);
    all += SubRip::parse(lines);
    all += Ass::parse(lines);
    all += WebVtt::parse(lines);
    all += Sami::read(lines);
    checkEntries(all, true);
    QStringList timeColon = lines;
    checkEntries(SubtitleParsing::parseTimeColon(&timeColon), false);
    return 0;
}
