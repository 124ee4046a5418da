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
        // An .ssa file is told by its "[Script Info]"; a cut-off dialogue gives nothing.
        const ParsedSubtitles ssa = parseSubtitles({"[Script Info]", "Title: x", "Dialogue: 0,0:00:01.00,..."}, "a.ssa", 25);
        QVERIFY(ssa.detected);
        QCOMPARE(ssa.format, SubtitleFormat::Ass);
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

    // Faults found in subtitle files as they are published.
    void publishedFramesFiles()
    {
        // A frame that lands on a whole second keeps it, at the NTSC rates as measured and
        // as written.
        const QStringList frames{"{24000}{24100}a", "{30000}{30100}b", "{29970}{30000}c", "{23976}{24000}d"};
        QCOMPARE(parseSubtitles(frames, "a.sub", 24000.0 / 1001).entries,
                 SubtitleList({line("00:16:41", "a"), line("00:20:51", "b"), line("00:20:49", "c"), line("00:16:39", "d")}));
        QCOMPARE(parseSubtitles(frames, "a.sub", 30000.0 / 1001).entries,
                 SubtitleList({line("00:13:20", "a"), line("00:16:41", "b"), line("00:16:39", "c"), line("00:13:19", "d")}));
        QCOMPARE(parseSubtitles(frames, "a.sub", 29.97).entries[2], line("00:16:40", "c"));
        QCOMPARE(parseSubtitles(frames, "a.sub", 23.976).entries[3], line("00:16:40", "d"));

        // The first line may give the file's frame rate: it times the file and is no subtitle.
        const QStringList rated{"{1}{1}23.976", "{24000}{24100}Hi", "{50}{60}Yo"};
        ParsedSubtitles parsed = parseSubtitles(rated, "a.txt", 25);
        QCOMPARE(parsed.fileFrameRate, 23.976);
        QCOMPARE(parsed.entries, SubtitleList({line("00:16:41", "Hi"), line("00:00:02", "Yo")}));
        QCOMPARE(parsed.rawLines, rated); // the raw list shows the file as it is
        // A manual frame rate beats it; the line is still no subtitle.
        parsed = parseSubtitles(rated, "a.txt", 25, false);
        QCOMPARE(parsed.fileFrameRate, 0.0);
        QCOMPARE(parsed.entries, SubtitleList({line("00:16:00", "Hi"), line("00:00:02", "Yo")}));
        QCOMPARE(parseSubtitles({"{0}{0}25,000", "{250}{300}x"}, "a.sub", 10).entries, SubtitleList({line("00:00:10", "x")}));
        // Only a first line of that shape is one.
        QCOMPARE(parseSubtitles({"{1}{1}Okay.", "{2}{2}23.976"}, "a.sub", 25).entries,
                 SubtitleList({line("00:00:00", "Okay."), line("00:00:00", "23.976")}));

        // A stray word before the subtitles does not make the file time-colon.
        parsed = parseSubtitles({"Napisy zrobione przez kogoś", "{250}{300}Hi", "{500}{600}Yo"}, "a.txt", 25);
        QCOMPARE(parsed.format, SubtitleFormat::FrameBrace);
        QCOMPARE(parsed.entries, SubtitleList({line("00:00:10", "Hi"), line("00:00:20", "Yo")}));
        parsed = parseSubtitles({"Title", "0:01:02:Hello"}, "a.txt", 25);
        QCOMPARE(parsed.entries, SubtitleList({line("00:01:02", "Hello")}));
    }

    void subRipContentUnderAnyName()
    {
        QByteArray file;
        SubtitleList expected;
        for (int i = 0; i < 120; ++i) {
            const QString text = i % 3 == 0 ? QStringLiteral("<i>Line %1</i>|two").arg(i) : QStringLiteral("Ok");
            file += QStringLiteral("%1\r\n%2,496 --> %3,000\r\n%4\r\n\r\n")
                        .arg(i + 1).arg(clockKey(3 * i), clockKey(3 * i + 2), QString(text).replace('|', "\r\n"))
                        .toUtf8();
            expected << SubtitleLine{clockKey(3 * i), text};
        }
        const QStringList lines = subtitleFileLines(file);
        for (const char *name : {"film.sub", "film.txt", "film", "film.srt"}) {
            const ParsedSubtitles parsed = parseSubtitles(lines, QString::fromLatin1(name), 25);
            QCOMPARE(parsed.format, SubtitleFormat::SubRip);
            QCOMPARE(parsed.entries, expected);
        }
        // So is SubRip behind a line of its own, and a file of time lines without counters.
        QCOMPARE(parseSubtitles({"Subtitles by nobody", "1", "00:00:01,000 --> 00:00:02,000", "A"}, "a.txt", 25).entries,
                 SubtitleList({line("00:00:01", "A")}));
        // A time-colon file stays one though a text speaks of arrows.
        QCOMPARE(parseSubtitles({"00:00:01:a --> b", "12", "00:00:05:c"}, "a.txt", 25).format, SubtitleFormat::TimeColon);
    }

    void assAndSsa()
    {
        const QStringList ass{
            "\xEF\xBB\xBF[Script Info]", "; comment", "ScriptType: v4.00+", "",
            "[V4+ Styles]", "Format: Name, Fontname, Fontsize", "Style: Default,Arial,20", "",
            "[Events]",
            "Format: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
            "Dialogue: 0,0:00:09.00,0:00:12.00,Default,,0,0,0,,Written later, shown later",
            "Dialogue: 0,0:00:01.50,0:00:04.00,Default,,0,0,0,,{\\an8\\fs30\\i1}Top, {\\i0}upright\\Nand, a comma",
            "Comment: 0,0:00:02.00,0:00:03.00,Default,,0,0,0,,not shown",
            "Dialogue: 0,0:00:01.50,0:00:04.00,Default,,0,0,0,,Same moment",
            "Dialogue: 1,0:00:02.99,0:00:06.00,Sign,,0,0,0,,{\\pos(10,10)}Over\\hlapping{\\p1}m 0 0 l 9 9{\\p0} sign",
            "Dialogue: 0,bad,0:00:06.00,Default,,0,0,0,,dropped",
            "Dialogue: 0,1:00:00.00,1:00:01.00,Default,,0,0,0,,{\\b1}An hour{\\b0}\\n",
        };
        const SubtitleList expected{
            line("00:00:01", "{\\i1}Top, {\\i0}upright|and, a comma|Same moment"),
            line("00:00:02", "Over lapping sign"),
            line("00:00:09", "Written later, shown later"),
            line("01:00:00", "An hour|"),
        };
        for (const char *name : {"a.ass", "a.ssa", "a.txt"}) {
            const ParsedSubtitles parsed = parseSubtitles(ass, QString::fromLatin1(name), 25);
            QCOMPARE(parsed.format, SubtitleFormat::Ass);
            QCOMPARE(parsed.entries, expected);
        }
        // The older SSA: "Marked=" first, fields in another order given by its Format line.
        const QStringList ssa{"[Script Info]", "[Events]", "Format: Marked, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text",
                              "Dialogue: Marked=0,0:01:02.00,0:01:03.00,Default,NTP,0000,0000,0000,,{\\i1}Hello{\\i}"};
        QCOMPARE(parseSubtitles(ssa, "a.ssa", 25).entries, SubtitleList({line("00:01:02", "{\\i1}Hello{\\i0}")}));
    }

    void webVtt()
    {
        const QStringList vtt{
            "WEBVTT - a film", "Kind: captions", "",
            "NOTE a note", "that spans lines", "",
            "STYLE", "::cue { color: red }", "",
            "intro", "00:01.000 --> 00:04.000 align:start position:10%", "<v Anna>Hello <i>you</i></v>", "<c.yellow>there</c> &amp; then", "",
            "00:00:02.500 --> 00:00:03.000", "Overlapping <b>cue</b>", "",
            "00:00:02.500 --> 00:00:03.000", "<i.loud>Same moment</i>", "",
            "1:00:00.000 --> 1:00:01.000", "bad hours (one digit) drop their cue", "",
            "01:00:05.250 --> 01:00:06.000", "<00:00:01.000>Karaoke <ruby>kanji<rt>reading</rt></ruby>",
        };
        const SubtitleList expected{
            line("00:00:01", "Hello <i>you</i>|there &amp; then"),
            line("00:00:02", "Overlapping cue|<i>Same moment</i>"),
            line("01:00:05", "Karaoke kanjireading"),
        };
        for (const char *name : {"a.vtt", "a.txt"}) {
            const ParsedSubtitles parsed = parseSubtitles(vtt, QString::fromLatin1(name), 25);
            QCOMPARE(parsed.format, SubtitleFormat::WebVtt);
            QCOMPARE(parsed.entries, expected);
        }
        QVERIFY(parseSubtitles({"WEBVTTX", "00:01.000 --> 00:02.000", "x"}, "a.vtt", 25).format != SubtitleFormat::WebVtt);
    }

    // SAMI written as the markup it is: SYNC blocks over lines, paragraphs in language
    // classes. The line reader finds no text there; the whole reading does.
    void samiOfManyLinesAndLanguages()
    {
        const QStringList sami{
            "<SAMI>", "<HEAD>", "<STYLE TYPE=\"text/css\"><!--", "P { font-size: 20pt; }",
            ".KRCC { Name: Korean; lang: ko-KR; }", ".ENCC { Name: English; lang: en-US; }", "--></STYLE>", "</HEAD>",
            "<BODY>",
            "<SYNC Start=1500><P Class=KRCC>", "안녕", "<P Class=ENCC>Hello<br>",
            "   there &quot;friend&quot; &lt;3",
            "<SYNC Start=2500><P Class=KRCC>&nbsp;<P Class=ENCC>&nbsp;",
            "<SYNC Start=\"4000\" End=5000>", "<P Class=ENCC><font color=\"#ffff00\">Yellow</font> <span>words</span>",
            "<SYNC Start=7000><P Class=KRCC>only Korean here",
            "</BODY>", "</SAMI>",
        };
        // The first class of the file is the one read.
        const SubtitleList korean = parseSubtitles(sami, "film.smi", 25).entries;
        QCOMPARE(korean, SubtitleList({line("00:00:01", QString::fromUtf8("안녕")), line("00:00:07", "only Korean here")}));
        // Without language classes the paragraphs of a SYNC share it.
        const QStringList plain{"<SAMI><BODY><SYNC Start=1000><P>One", "<P>Two", "<SYNC Start=2000><P>&nbsp;</BODY>"};
        QCOMPARE(parseSubtitles(plain, "film.smi", 25).entries, SubtitleList({line("00:00:01", "One|Two")}));
        // Content tells SAMI too.
        QCOMPARE(parseSubtitles(sami, "film.txt", 25).format, SubtitleFormat::Sami);
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
