#include "core/SubRipParser.h"
#include "core/SubtitleParser.h"
#include "core/TextDecoding.h"

#include <QTime>
#include <QtTest>

Q_DECLARE_METATYPE(SubtitleFormat)

char *toString(const SubtitleLine &entry)
{
    return QTest::toString(entry.start + QLatin1String(" | ") + entry.text);
}

namespace {

SubtitleLine line(const char *start, const QString &text)
{
    return SubtitleLine{QString::fromLatin1(start), text};
}

// The key written the way a clock shows it, independently of the parser's own formatting.
QString clockKey(int seconds)
{
    return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("hh:mm:ss"));
}

} // namespace

class TestSubtitleFormats : public QObject
{
    Q_OBJECT
private slots:
    void detection_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<SubtitleFormat>("format");
        QTest::newRow("frame brace") << "a.txt" << "{1}{50}Hi" << SubtitleFormat::FrameBrace;
        QTest::newRow("minute-second") << "a.txt" << "[01:05]Hi" << SubtitleFormat::MinuteSecondBracket;
        QTest::newRow("tenths") << "a.sub" << "[123][150]Hi" << SubtitleFormat::TenthsBracket;
        QTest::newRow("time-colon") << "a.txt" << "00:00:01:Hi" << SubtitleFormat::TimeColon;
        QTest::newRow("srt") << "a.srt" << "1" << SubtitleFormat::SubRip;
        QTest::newRow("srt any case") << "A.Srt" << "1" << SubtitleFormat::SubRip;
        // Content beats the ".srt" extension; ".smi" beats content.
        QTest::newRow("srt with braces") << "a.srt" << "{1}{50}Hi" << SubtitleFormat::FrameBrace;
        QTest::newRow("smi") << "a.SMI" << "{1}{50}Hi" << SubtitleFormat::Sami;
        // A dot in a folder name is no extension.
        QTest::newRow("dotted folder") << "/films/x.srt/film" << "1" << SubtitleFormat::TimeColon;
        QTest::newRow("windows path") << "C:\\x.smi\\film.srt" << "1" << SubtitleFormat::SubRip;
        // A byte-order mark left in front of the first line does not hide its "{".
        QTest::newRow("bom") << "a.txt" << QString(QChar(0xFEFF)) + "{1}{50}Hi" << SubtitleFormat::FrameBrace;
    }
    void detection()
    {
        QFETCH(QString, file);
        QFETCH(QString, firstLine);
        const ParsedSubtitles parsed = parseSubtitles({firstLine, QStringLiteral("2nd line")}, file, 25);
        QVERIFY(parsed.detected);
        QTEST(parsed.format, "format");
    }

    void shortLinesAreFilteredByExtension()
    {
        const QStringList lines{"01:00:01:One", "ab", "", "01:00:02:Two"};
        QCOMPARE(parseSubtitles(lines, "a.txt", 25).rawLines, QStringList({"01:00:01:One", "01:00:02:Two"}));
        // SubRip drops only empty lines: "ab" may be a whole subtitle.
        QCOMPARE(parseSubtitles(lines, "a.srt", 25).rawLines, QStringList({"01:00:01:One", "ab", "01:00:02:Two"}));
    }

    void nothingUsableIsReportedNotGuessed()
    {
        for (const auto &[lines, file] : {std::pair{QStringList{}, "a.txt"}, {QStringList{"ab", "", "1"}, "a.sub"},
                                          {QStringList{"", ""}, "a.srt"}, {QStringList{QString(QChar(0xFEFF))}, "a.srt"}}) {
            const ParsedSubtitles parsed = parseSubtitles(lines, QString::fromLatin1(file), 25);
            QVERIFY2(!parsed.detected, file);
            QVERIFY(parsed.entries.isEmpty());
        }
        // An .ssa file is detected (tenths-bracket by its "[Script Info]") but gives nothing.
        const ParsedSubtitles ssa = parseSubtitles({"[Script Info]", "Title: x", "Dialogue: 0,0:00:01.00,..."}, "a.ssa", 25);
        QVERIFY(ssa.detected);
        QCOMPARE(ssa.format, SubtitleFormat::TenthsBracket);
        QVERIFY(ssa.entries.isEmpty());
    }

    void timeColon()
    {
        const QString longText(300, QLatin1Char('x'));
        const ParsedSubtitles parsed = parseSubtitles(
            {"0:01:02:Hello", "00:01:02 Hello", "00:00:05:kept in the middle", "01:00:00:" + longText, "00:00:00:closing"},
            "a.txt", 25);
        // No field is checked: the text starts at the tenth character whatever stands before.
        QCOMPARE(parsed.entries, SubtitleList({line("00:01:02", "Hello"), line("00:01:02", "Hello"),
                                               line("00:00:05", "kept in the middle"),
                                               line("01:00:00", longText.left(255))}));
        // The raw list shows the padded hours and has lost the closing line.
        QCOMPARE(parsed.rawLines.first(), QStringLiteral("00:01:02:Hello"));
        QCOMPARE(parsed.rawLines.size(), 4);
    }

    void bracketAndBraceFormats_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<double>("frameRate");
        QTest::addColumn<SubtitleList>("expected");
        QTest::newRow("tenths") << "a.txt" << QStringList{"[123][150]Text", "[36000][36010]An hour", "[45]No stop"}
                                << 25.0
                                << SubtitleList{line("00:00:12", "Text"), line("01:00:00", "An hour"),
                                                line("00:00:04", "No stop")};
        // Bad lines drop only themselves.
        QTest::newRow("tenths bad") << "a.txt" << QStringList{"[10][20]A", "[1x][20]B", "[-5][0]C", "no bracket", "[30][40]D"}
                                    << 25.0 << SubtitleList{line("00:00:01", "A"), line("00:00:03", "D")};
        QTest::newRow("frames") << "a.sub" << QStringList{"{250}{300}Hi|there", "{24}{30}Zero", "{1000}{1}\\Italic"}
                                << 25.0
                                << SubtitleList{line("00:00:10", "Hi|there"), line("00:00:00", "Zero"),
                                                line("00:00:40", "\\Italic")};
        QTest::newRow("frames ntsc") << "a.sub" << QStringList{"{1000}{1100}A"} << 23.976 << SubtitleList{line("00:00:41", "A")};
        // 100 hours: hours keep all their digits.
        QTest::newRow("frames long") << "a.sub" << QStringList{"{9000000}{9000001}A"} << 25.0
                                     << SubtitleList{line("100:00:00", "A")};
        QTest::newRow("no frame rate") << "a.sub" << QStringList{"{250}{300}Hi"} << 0.0 << SubtitleList{};
        QTest::newRow("nonsense frame rate") << "a.sub" << QStringList{"{250}{300}Hi", "{2147483647}{0}x"}
                                             << -25.0 << SubtitleList{};
        QTest::newRow("tiny frame rate") << "a.sub" << QStringList{"{2147483647}{0}x", "{1}{2}y"} << 1e-300
                                         << SubtitleList{};
        // Minutes past 59 carry into the hours, where the playing clock will meet them.
        QTest::newRow("minute-second") << "a.txt" << QStringList{"[01:05]Text", "[75:10]Late", "[0a:05]Bad", "[1:05]x"}
                                       << 25.0 << SubtitleList{line("00:01:05", "Text"), line("01:15:10", "Late")};
    }
    void bracketAndBraceFormats()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        QFETCH(double, frameRate);
        const ParsedSubtitles parsed = parseSubtitles(lines, file, frameRate);
        QVERIFY(parsed.detected);
        QTEST(parsed.entries, "expected");
    }

    void sami()
    {
        const QStringList lines{
            "<SAMI>", "<BODY>",
            "<SYNC Start=1500>Hi<br>you",
            "<SYNC Start=2000><P Class=ENCC>With a class",
            "<SYNC Start=2500>&nbsp;",
            "<sync start=3000><p>Lower case tags<BR>and a break",
            "<SYNC Start=x>Bad time",
            "<SYNC Start=4000>",
            "</BODY>",
        };
        const ParsedSubtitles parsed = parseSubtitles(lines, "film.smi", 25);
        QCOMPARE(parsed.entries, SubtitleList({line("00:00:01", "Hi|you"), line("00:00:03", "Lower case tags|and a break"),
                                               line("00:00:04", "")}));
    }

    void textIsCutToTheLimit()
    {
        // The cut (to 255 characters) never splits a character written as a surrogate pair.
        const QString emoji = QString::fromUtf8("😀");
        // Only the line's characters 2 to 256 are parsed: "10][20]", 247 letters, then the
        // first half of the emoji.
        const SubtitleList bracket = parseSubtitles({"[10][20]" + QString(247, 'a') + emoji + "tail"}, "a.txt", 25).entries;
        QCOMPARE(bracket, SubtitleList({line("00:00:01", QString(247, 'a'))}));
        const SubtitleList subRip = parseSubtitles({"1", "00:00:01,000 --> 00:00:02,000", QString(254, 'a') + emoji + "tail"},
                                                   "a.srt", 25).entries;
        QCOMPARE(subRip, SubtitleList({line("00:00:01", QString(254, 'a'))}));
        const SubtitleList fits = parseSubtitles({"1", "00:00:01,000 --> 00:00:02,000", QString(253, 'a') + emoji}, "a.srt", 25).entries;
        QCOMPARE(fits[0].text.size(), 255);
    }

    void keys()
    {
        QCOMPARE(SubtitleParsing::keyForSeconds(0), QStringLiteral("00:00:00"));
        QCOMPARE(SubtitleParsing::keyForSeconds(3599), QStringLiteral("00:59:59"));
        QCOMPARE(SubtitleParsing::keyForSeconds(86399), QStringLiteral("23:59:59"));
        QCOMPARE(SubtitleParsing::keyForSeconds(100 * 3600 + 61), QStringLiteral("100:01:01"));
    }

    void subRipShortTextLinesStay()
    {
        const QStringList lines{"1", "00:00:01,000 --> 00:00:02,000", "Well...", "Oh!", "",
                                "2", "00:00:03,000 --> 00:00:04,000", "No.", "",
                                "3", "00:00:05,000 --> 00:00:06,000", "Hm", "42", "", "The end"};
        QCOMPARE(parseSubtitles(lines, "a.srt", 25).entries,
                 SubtitleList({line("00:00:01", "Well...|Oh!"), line("00:00:03", "No."),
                               line("00:00:05", "Hm|42|The end")}));
    }

    void subRipTolerance()
    {
        const QStringList lines{
            "Some header the program wrote",
            "1", " 0:00:01.500  -->  0:00:02.000 X1:10 X2:20", "dot and one-digit hours",
            "2", "00:00:03,000 --> 00:00:xx,000", "an unreadable time line drops its own entry only",
            "00:00:05,000 --> 00:00:06,000", "no counter",
            "4", "100:00:07,000 --> 100:00:08,000", "hundred hours",
            "5", "00:00:09 --> 00:00:10",
            "6", "00:00:11,000 --> 00:00:12,000", "   ", "\\italic|kept as written",
        };
        QCOMPARE(parseSubtitles(lines, "a.srt", 25).entries,
                 SubtitleList({line("00:00:01", "dot and one-digit hours"), line("00:00:05", "no counter"),
                               line("100:00:07", "hundred hours"), line("00:00:09", ""),
                               line("00:00:11", "\\italic|kept as written")}));
    }

    void subRipTimeLines()
    {
        QCOMPARE(SubRip::startSeconds(u"01:02:03,456 --> 01:02:04,000").value_or(-1), 3723);
        QCOMPARE(SubRip::startSeconds(u"1:2:3 -> 1:2:4").value_or(-1), 3723);
        QVERIFY(!SubRip::startSeconds(u"01:02:03,456"));          // no arrow
        QVERIFY(!SubRip::startSeconds(u"01:02:03,456 --> soon")); // no stop time
        QVERIFY(!SubRip::startSeconds(u"01:02 --> 01:03"));
        QVERIFY(!SubRip::startSeconds(u"Then he said: 10:30:00 --> 11:00:00"));
        QVERIFY(SubRip::isCounter(u" 1500 "));
        QVERIFY(!SubRip::isCounter(u"15a"));
        QVERIFY(!SubRip::isCounter(u"  "));
    }

    // A generated file as long as a feature film's, with every kind of short and
    // multi-line text, read the way the player reads it (UTF-8 mark, CR LF).
    void subRipLongFile()
    {
        const int count = 1500;
        const QStringList shortTexts{"Oh!", "No.", "Hm", "?", "Ok"};
        QByteArray file("\xEF\xBB\xBF");
        SubtitleList expected;
        for (int i = 0; i < count; ++i) {
            const int start = 2 * i + i / 7;
            QStringList text;
            switch (i % 4) {
            case 0: text = {shortTexts[i % shortTexts.size()]}; break;
            case 1: text = {QStringLiteral("Line %1").arg(i), shortTexts[(i / 4) % shortTexts.size()]}; break;
            case 2: text = {QStringLiteral("\\Three"), QStringLiteral("lines"), QString::number(i)}; break;
            case 3: text = {QString::fromUtf8("Zażółć %1").arg(i)}; break;
            }
            const QString startText = clockKey(start) + (i % 5 == 0 ? "." : ",") + "250";
            QString entry = QStringLiteral("%1\r\n%2 --> %3,000\r\n").arg(i + 1).arg(startText, clockKey(start + 1));
            for (int t = 0; t < text.size(); ++t)
                entry += text[t] + (i % 9 == 0 && t == 0 ? "\r\n\r\n" : "\r\n"); // a blank inside the text
            if (i + 1 < count)
                entry += "\r\n";
            file += entry.toUtf8();
            expected.append(SubtitleLine{clockKey(start), text.join(QLatin1Char('|'))});
        }
        const ParsedSubtitles parsed = parseSubtitles(subtitleFileLines(file), "film.srt", 25);
        QCOMPARE(parsed.entries.size(), count);
        for (int i = 0; i < count; ++i)
            QCOMPARE(parsed.entries[i], expected[i]);
    }
};

QTEST_APPLESS_MAIN(TestSubtitleFormats)
#include "test_subtitle_formats.moc"
