#include "core/SubtitleLayout.h"
#include "core/SubtitleMarkup.h"

#include <QtTest>

Q_DECLARE_METATYPE(SubtitleMarkup::Place)

namespace {

// The drawn text as runs: "text" plainly, "text[ibu#rrggbb]" with its styles.
QString described(const SubtitleMarkup::Styled &styled)
{
    QString out;
    for (const SubtitleMarkup::Run &run : SubtitleMarkup::runs(styled, 0, styled.text.size())) {
        QString flags;
        if (run.style.italic)
            flags += u'i';
        if (run.style.bold)
            flags += u'b';
        if (run.style.underline)
            flags += u'u';
        if (run.style.coloured)
            flags += QStringLiteral("#%1").arg(run.style.rgb, 6, 16, QLatin1Char('0'));
        out += flags.isEmpty() ? run.text : run.text + "[" + flags + "]";
    }
    return out;
}

} // namespace

class TestSubtitleMarkup : public QObject
{
    Q_OBJECT
private slots:
    void markupIsReadNeverShown_data()
    {
        using P = SubtitleMarkup::Place;
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("drawn");
        QTest::addColumn<SubtitleMarkup::Place>("place");
        QTest::newRow("subrip italic") << "<i>Italic words</i>" << "Italic words[i]" << P::Bottom;
        // Tags reach over line breaks; upper case and attributes are tags too.
        QTest::newRow("subrip nested") << "<B>bold <u>both</u></B>|<i>one|two</i> plain"
                                       << "bold [b]both[bu]|one[i]|two[i] plain" << P::Bottom;
        QTest::newRow("font colours") << "<font color=\"#ffff00\">yellow <font color=red>red</font> back</font> none"
                                      << "yellow [#ffff00]red[#ff0000] back[#ffff00] none" << P::Bottom;
        QTest::newRow("font face only") << "<font face=\"Arial\" size=2>x</font>" << "x" << P::Bottom;
        QTest::newRow("ass in subrip") << "{\\an8}{\\i1}Top{\\i0} and {\\b1\\c&H0000FF&}red{\\r}"
                                       << "Top[i] and red[b#ff0000]" << P::Top;
        QTest::newRow("ass middle, unknown tags") << "{\\an5\\pos(1,2)\\fad(1,2)}Mid" << "Mid" << P::Middle;
        QTest::newRow("legacy ssa top") << "{\\a6}x" << "x" << P::Top;
        // Lower case codes last one line, upper case the whole subtitle; colours are BGR.
        QTest::newRow("frame brace") << "{y:i}one|{c:$0000FF}two|three" << "one[i]|two[#ff0000]|three" << P::Bottom;
        QTest::newRow("frame brace all") << "{Y:bi}{C:$FF0000}{f:Arial}{s:20}a|b"
                                         << "a[ib#0000ff]|b[ib#0000ff]" << P::Bottom;
        QTest::newRow("sami") << "<P Class=ENCC><font color=#0f0>Hi</font><br>&nbsp;you &amp; me &lt;3 &#233;&#x105;"
                              << QString::fromUtf8("Hi[#00ff00]|\u00A0you & me <3 éą") << P::Bottom;
        // A decoded "<" is a letter, not the start of a tag.
        QTest::newRow("escaped tag") << "&lt;i&gt;shown&lt;/i&gt;" << "<i>shown</i>" << P::Bottom;
        // What only looks like markup stays text.
        QTest::newRow("not markup") << "a < b > c, {12}, &unknown; & {x}, 3<4" << "a < b > c, {12}, &unknown; & {x}, 3<4"
                                    << P::Bottom;
        QTest::newRow("unclosed") << "<i unclosed|{\\i1 open" << "<i unclosed|{\\i1 open" << P::Bottom;
        // The time-colon italic mark is left for the layout.
        QTest::newRow("italic mark") << "\\Nie|<i>\\tak</i>" << "\\Nie|\\tak[i]" << P::Bottom;
    }
    void markupIsReadNeverShown()
    {
        QFETCH(QString, text);
        const SubtitleMarkup::Styled styled = SubtitleMarkup::parse(text);
        QCOMPARE(styled.styles.size(), styled.text.size());
        QTEST(described(styled), "drawn");
        QTEST(styled.place, "place");
    }

    // Display lines split and broken from the drawn text still find their styles.
    void brokenLinesKeepTheirStyles()
    {
        const SubtitleMarkup::Styled styled =
            SubtitleMarkup::parse(QStringLiteral("<i>a long italic first line</i> and more|<u>second</u>"));
        SubtitleLayout::Lines lines = SubtitleLayout::split(styled.text);
        SubtitleLayout::splitWide(lines, 100, [](const QString &line) { return int(line.size()) * 10; });
        QCOMPARE(lines.count, 3);
        const auto starts = SubtitleLayout::lineStarts(styled.text, lines);
        for (int k = 0; k < 3; ++k)
            QCOMPARE(styled.text.mid(starts[size_t(k)], lines.text[size_t(k)].size()), lines.text[size_t(k)]);
        const auto third = SubtitleMarkup::runs(styled, starts[2], lines.text[2].size());
        QCOMPARE(third.size(), 1);
        QVERIFY(third[0].style.underline && !third[0].style.italic);
        QVERIFY(SubtitleMarkup::runs(styled, starts[0], 3).first().style.italic);
        QVERIFY(!SubtitleMarkup::showsText(QStringLiteral("<p>&nbsp;<br> </p>")));
    }
};

QTEST_APPLESS_MAIN(TestSubtitleMarkup)
#include "test_subtitle_markup.moc"
