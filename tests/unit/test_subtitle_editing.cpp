#include "core/SubtitleEditing.h"
#include "core/SubtitleParser.h"
#include "core/TextDecoding.h"
#include "core/TimeText.h"

#include <QStringEncoder>
#include <QtTest>

char *toString(const SubtitleLine &entry)
{
    return QTest::toString(entry.start + QLatin1String(" | ") + entry.text);
}

class TestSubtitleEditing : public QObject
{
    Q_OBJECT
private slots:
    void shiftsMoveEverythingOrNothing()
    {
        SubtitleList list{{"00:00:03", "a"}, {"00:10:00", "b"}, {"01:00:00", "c"}};
        // Synchronising the 00:10:00 entry with a film at 00:10:03.
        const auto sync = SubtitleEditing::syncShift(list, 1, 603);
        QCOMPARE(sync, std::optional<qint64>(3));
        QCOMPARE(SubtitleEditing::shiftAll(list, *sync), -1);
        QCOMPARE(list, (SubtitleList{{"00:00:06", "a"}, {"00:10:03", "b"}, {"01:00:03", "c"}}));
        // Back past the film's start: that entry stops at 00:00:00.
        QCOMPARE(SubtitleEditing::shiftAll(list, -55), -1);
        QCOMPARE(list, (SubtitleList{{"00:00:00", "a"}, {"00:09:08", "b"}, {"00:59:08", "c"}}));

        // An inserted line has no time: the whole shift is refused at that row.
        SubtitleEditing::insertLine(list, 2);
        const SubtitleList before = list;
        QCOMPARE(SubtitleEditing::shiftAll(list, 55), 2);
        QCOMPARE(SubtitleEditing::syncShift(list, 2, 603), std::nullopt);
        list[2].start = QStringLiteral("00:61:00");
        QCOMPARE(SubtitleEditing::shiftAll(list, 55), 2);
        list[2].start = QStringLiteral("0:01:00");
        QCOMPARE(SubtitleEditing::firstInvalidRow(list), 2);
        list[2] = before[2];
        QCOMPARE(SubtitleEditing::shiftAll(list, 55), 2);
        QCOMPARE(list, before);

        // The last entry stays.
        SubtitleList one{{"00:00:01", "x"}};
        QVERIFY(!SubtitleEditing::deleteLine(one, 0));
        QCOMPARE(one.size(), 1);
        QVERIFY(SubtitleEditing::deleteLine(list, 2));
        QVERIFY(!SubtitleEditing::deleteLine(list, 3));
        QCOMPARE(list.size(), 3);
    }

    void aSubRipListSavedAsTimeColonReadsBackTheSame()
    {
        const QStringList srt{"1", "00:00:05,400 --> 00:00:07,000", "Zażółć gęślą", "jaźń", "",
                              "2", "00:01:02,000 --> 00:01:04,000", "<i>Drugi</i>", "",
                              "3", "00:00:40,000 --> 00:00:42,000", "Wcześniej, ale ostatni"};
        const ParsedSubtitles read = parseSubtitles(srt, QStringLiteral("film.srt"), 25);
        QCOMPARE(read.entries.size(), 3);

        const auto file = SubtitleEditing::encodeLines(SubtitleEditing::timeColonLines(read.entries), "UTF-8");
        QVERIFY(file.bytes.startsWith("\xEF\xBB\xBF" "00:00:05:"));
        const ParsedSubtitles back = parseSubtitles(subtitleFileLines(file.bytes), QStringLiteral("film.txt"), 25);
        QCOMPARE(back.format, SubtitleFormat::TimeColon);
        // The last entry lies in the first minute, where a last line is taken for an end
        // marker: it survives all the same.
        QCOMPARE(back.entries, read.entries);
    }

    void aFileIsSavedInItsOwnCodePageOnlyWhenThatHoldsEveryCharacter()
    {
        const QStringList polish{"00:00:01:Zażółć gęślą jaźń"};
        QStringEncoder cp1250("windows-1250");
        const auto kept = SubtitleEditing::encodeLines(polish, "windows-1250");
        QCOMPARE(kept.encoding, QStringLiteral("windows-1250"));
        QCOMPARE(kept.bytes, QByteArray(cp1250.encode(polish.first() + "\r\n")));
        QCOMPARE(decodeSubtitleText(kept.bytes).text, polish.first() + "\r\n");

        const QStringList wider{"00:00:01:Zażółć", "00:00:02:日本語"};
        const auto utf8 = SubtitleEditing::encodeLines(wider, "windows-1250");
        QCOMPARE(utf8.encoding, QStringLiteral("UTF-8"));
        QCOMPARE(utf8.bytes, "\xEF\xBB\xBF" + wider.join("\r\n").toUtf8() + "\r\n");
        // Nothing known about the file: UTF-8 with its mark.
        QVERIFY(SubtitleEditing::encodeLines(polish, {}).bytes.startsWith("\xEF\xBB\xBF"));
    }
};

QTEST_APPLESS_MAIN(TestSubtitleEditing)
#include "test_subtitle_editing.moc"
