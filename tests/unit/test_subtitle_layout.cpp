#include "core/SubtitleLayout.h"

#include <QtTest>

using namespace SubtitleLayout;

namespace {

// Ten pixels a character: widths follow the text without fonts.
int tenPerChar(const QString &s) { return int(s.size()) * 10; }

Lines lines(const QString &a, const QString &b = {}, const QString &c = {}, int count = 1)
{
    Lines l;
    l.text = {a, b, c};
    l.count = count;
    return l;
}

} // namespace

class TestSubtitleLayout : public QObject
{
    Q_OBJECT
private slots:
    void splitAtBars()
    {
        QCOMPARE(split(QStringLiteral("Ala|ma|kota|psa")), lines("Ala", "ma", "kota|psa", 3));
        QCOMPARE(split(QStringLiteral("Ala ma kota")), lines("Ala ma kota"));
        QCOMPARE(split(QStringLiteral("Ala|")), lines("Ala", "", "", 2));
        QCOMPARE(split(QStringLiteral("|ma")), lines("", "ma", "", 2));
        QCOMPARE(split(QString()), lines(""));
        // What follows the first bar is cut to 255 characters before the second is sought.
        const QString tail = QString(300, u'x');
        const Lines cut = split(QStringLiteral("a|") + tail + QStringLiteral("|b"));
        QCOMPARE(cut.count, 2);
        QCOMPARE(cut.text[1], QString(255, u'x'));
    }

    void italicMark()
    {
        QVERIFY(isItalic(QStringLiteral("\\Hello")));
        QCOMPARE(visibleText(QStringLiteral("\\Hello")), QStringLiteral("Hello"));
        QVERIFY(!isItalic(QStringLiteral("He\\llo")));
        QCOMPARE(visibleText(QStringLiteral("He\\llo")), QStringLiteral("He\\llo"));
        QVERIFY(!isItalic(QString()));
    }

    void splitPoints_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("firstPart"); // what stays on the first line
        // Punctuation inside characters 10 .. L-6 wins, "..." before "," before ".".
        QTest::newRow("comma") << "abcdefghijk,lmnopqrstuvwxyz" << "abcdefghijk,";
        QTest::newRow("ellipsis before comma") << "abcdefghij, then... more words" << "abcdefghij, then...";
        QTest::newRow("ellipsis before full stop") << "abcdefghij.klm...nopqrstuvw" << "abcdefghij.klm...";
        QTest::newRow("comma before full stop") << "abcdefghij.klm,nopqrstuvw" << "abcdefghij.klm,";
        QTest::newRow("full stop") << "abcdefghijklm.nopqrstuvwxyz" << "abcdefghijklm.";
        QTest::newRow("character 10 counts") << "abcdefghi,jklmnop" << "abcdefghi,";
        // Too near either end: the space rule (no space: a third of the way in).
        QTest::newRow("comma in the first nine") << "abc,defghijklmnopqrstuvwxyz" << "abc,defg";
        QTest::newRow("comma in the last six") << "abcdefghijklmnopqrstu,vwxyz" << "abcdefgh";
        QTest::newRow("fifteen characters") << "abcdefghi,jklmn" << "abcd";
        // The first space from character L div 3 on.
        QTest::newRow("space") << "aaaa bbbb cccc dddd eeee" << "aaaa bbbb ";
        QTest::newRow("space after the third") << "aaaaaaa bbbbbbbccc" << "aaaaaaa ";
        QTest::newRow("space before the third is passed") << "a bbbbbbbbbbbbbbbbbbbbbbbbbbbbb" << "a bbbbbbb";
        QTest::newRow("three characters with a space") << "a b" << "a ";
    }
    void splitPoints()
    {
        QFETCH(QString, line);
        QFETCH(QString, firstPart);
        const int at = splitPoint(line);
        QVERIFY(at > 0);
        QCOMPARE(line.left(at - 1), firstPart);
    }

    void linesThatCannotBreak()
    {
        QCOMPARE(splitPoint(QString()), 0);
        QCOMPARE(splitPoint(QStringLiteral("ab")), 0);
        QCOMPARE(splitPoint(QStringLiteral("a ")), 3); // after the space: nothing moves down
        QCOMPARE(splitPoint(QStringLiteral("abc")), 1);
    }

    void wideLinesBreakAtMostIntoThree()
    {
        // One line far too wide: two passes, three lines, and no more however wide they stay.
        Lines l = split(QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj"));
        splitWide(l, 50, tenPerChar);
        QCOMPARE(l.count, 3);
        QCOMPARE(l.text[0] + l.text[1] + l.text[2],
                 QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj"));
        QCOMPARE(l.text[0], QStringLiteral("aaaa bbbb cccc dddd "));
        QCOMPARE(l.text[1], QStringLiteral("eeee ffff "));
        QCOMPARE(l.text[2], QStringLiteral("gggg hhhh iiii jjjj"));

        // Already three lines: nothing is split.
        Lines three = split(QStringLiteral("a very long first line here|b|c"));
        const Lines before = three;
        splitWide(three, 10, tenPerChar);
        QCOMPARE(three, before);
    }

    void theWiderOfTwoLinesBreaks()
    {
        Lines second = split(QStringLiteral("short|a much longer second line"));
        splitWide(second, 200, tenPerChar);
        QCOMPARE(second, lines("short", "a much longer ", "second line", 3));

        // The first line breaks and pushes the second down to the third.
        Lines first = split(QStringLiteral("a much longer first line|short"));
        splitWide(first, 200, tenPerChar);
        QCOMPARE(first, lines("a much longer ", "first line", "short", 3));

        // Equal widths: the first line.
        Lines equal = split(QStringLiteral("aaaa bbbb cccc|dddd eeee ffff"));
        splitWide(equal, 100, tenPerChar);
        QCOMPARE(equal, lines("aaaa ", "bbbb cccc", "dddd eeee ffff", 3));
    }

    void narrowOrUnbreakableLinesStay()
    {
        Lines fits = split(QStringLiteral("fits well"));
        splitWide(fits, 90, tenPerChar);
        QCOMPARE(fits, lines("fits well"));

        Lines tiny = split(QStringLiteral("ab"));
        splitWide(tiny, 5, tenPerChar);
        QCOMPARE(tiny, lines("ab"));
    }

    void letterHeight()
    {
        QCOMPARE(automaticHeight(8, true, 600, 123), 32);   // 8 % of 600 / 1.5
        QCOMPARE(automaticHeight(8, false, 600, 400), 32);  // 8 % of the picture
        QCOMPARE(automaticHeight(8, false, 600, 399), 31);  // truncated
        QCOMPARE(automaticHeight(30, true, 1024, 0), 204);
        // Half of 20 points at 96 dpi: 13 px is 9.75 pt (10 when rounded) and stays; 12 px
        // is 9 pt and gives way to 10 px.
        QCOMPARE(floorHeight(13, 96, 20), 13);
        QCOMPARE(floorHeight(12, 96, 20), 10);
        QCOMPARE(floorHeight(0, 96, 7), 3);
        QCOMPARE(floorHeight(0, 96, 1), 1); // never zero
    }

    void widestSubtitle()
    {
        QCOMPARE(maxWidth(640, 99), 640);
        QCOMPARE(maxWidth(640, 50), 326);
        QCOMPARE(maxWidth(641, 74.6), 480);
    }

    void shrinking()
    {
        auto perPoint = [](const QString &s, int points) { return int(s.size()) * points; };
        const Lines l = lines("aaaa", "aaaaaaaa", "", 3);
        const Shrunk fit = shrinkToFit(l, 10, 40, std::nullopt, perPoint);
        QCOMPARE(fit.points, 5);
        QCOMPARE(fit.width, 40);
        // In full screen the display's width binds too.
        const Shrunk display = shrinkToFit(l, 10, 40, 30, perPoint);
        QCOMPARE(display.points, 3);
        QCOMPARE(display.width, 24);
        // Nothing fits: one point, never less.
        const Shrunk floor = shrinkToFit(l, 10, 1, std::nullopt, perPoint);
        QCOMPARE(floor.points, 1);
        QCOMPARE(floor.width, 8);
        // Fitting already: size and widest line as they are.
        const Shrunk asIs = shrinkToFit(l, 2, 40, std::nullopt, perPoint);
        QCOMPARE(asIs.points, 2);
        QCOMPARE(asIs.width, 16);
    }

    void placement()
    {
        const QRect video(100, 200, 640, 400);
        // See-through: as wide as the text and its outline, centred, on the bottom.
        const Placement low = place(video, 630, false, 300, 3, 93, 0);
        QCOMPARE(low.geometry, QRect(268, 507, 304, 93));
        QCOMPARE(low.boxOffset, 0);
        // Half way up the room left: 50 % of 307 is 153.5, rounded.
        QCOMPARE(place(video, 630, false, 300, 3, 93, 50).geometry.top(), 200 + 400 - 93 - 154);
        QCOMPARE(place(video, 630, false, 300, 3, 93, 99).geometry.top(), 200 + 400 - 93 - 304);
        // Opaque: the client width from the left edge + 4, the text box centred in it.
        const Placement strip = place(video, 630, true, 300, 3, 93, 0);
        QCOMPARE(strip.geometry, QRect(104, 507, 630, 93));
        QCOMPARE(strip.boxOffset, 165);
    }

    void draggingStaysInsideTheVideoWindow()
    {
        // Room: 400 - 100 - 20 = 280 pixels.
        const QRect video(0, 100, 640, 400);
        QCOMPARE(dragPercent(video, 100, 20, 400), std::optional<double>(0));
        QVERIFY(!dragPercent(video, 100, 20, 401));          // below the bottom
        QCOMPARE(*dragPercent(video, 100, 20, 260), 50.0);
        QVERIFY(qFuzzyCompare(*dragPercent(video, 100, 20, 121), 279 * 100.0 / 280));
        QVERIFY(!dragPercent(video, 100, 20, 120));          // 100 %: the top of the room
        QVERIFY(!dragPercent(video, 100, 20, -50));
        // A window as tall as the room allows no dragging at all.
        QVERIFY(!dragPercent(video, 380, 20, 120));
        QVERIFY(!dragPercent(QRect(0, 0, 640, 10), 100, 20, 0));
    }
};

QTEST_APPLESS_MAIN(TestSubtitleLayout)
#include "test_subtitle_layout.moc"
