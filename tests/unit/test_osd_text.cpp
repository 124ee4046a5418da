#include "core/OsdLayout.h"
#include "core/OsdText.h"

#include <QtTest>

class TestOsdText : public QObject
{
    Q_OBJECT
private slots:
    void infoLineParts_data()
    {
        QTest::addColumn<bool>("movieTime");
        QTest::addColumn<double>("cpu");      // negative: none
        QTest::addColumn<double>("fps");      // negative: none
        QTest::addColumn<QString>("expected");
        // 12 s of 40 s played: 30 %.
        QTest::newRow("all") << true << 0.123 << 25.0
                             << "Time: 00:00:12/00:00:40 (30%)  CPU: 12.3%  25 fps";
        QTest::newRow("no time") << false << 0.5 << 29.97 << "  CPU: 50.0%  29.97 fps";
        QTest::newRow("time only") << true << -1.0 << -1.0 << "Time: 00:00:12/00:00:40 (30%)";
        // The rate is taken in whole frames per 100 s: at most two decimals.
        QTest::newRow("fps only") << false << -1.0 << 23.976 << "  23.98 fps";
        QTest::newRow("measured rate") << false << -1.0 << 24.5623203553697 << "  24.56 fps";
        QTest::newRow("nothing") << false << -1.0 << -1.0 << "";
        QTest::newRow("full load, idle") << false << 1.0 << 0.0 << "  CPU:100.0%  0 fps";
    }
    void infoLineParts()
    {
        QFETCH(bool, movieTime);
        QFETCH(double, cpu);
        QFETCH(double, fps);
        OsdText::InfoInputs in;
        in.movieTime = movieTime;
        in.positionText = QStringLiteral("00:00:12/00:00:40");
        in.position = 12 * 10000000LL;
        in.durationMs = 40000;
        if (cpu >= 0)
            in.cpuFraction = cpu;
        if (fps >= 0)
            in.framesPerSecond = fps;
        QTEST(OsdText::infoLine(in), "expected");
    }

    void percentIsWholeAndSafe()
    {
        // Truncated, not rounded: 39.999 s of 40 s is 99 %.
        QCOMPARE(OsdText::percentPlayed(399990000LL, 40000), 99);
        QCOMPARE(OsdText::percentPlayed(400000000LL, 40000), 100);
        // Unknown duration (audio stream still opening, nothing loaded) must not divide by zero.
        QCOMPARE(OsdText::percentPlayed(12345, 0), 0);
        QCOMPARE(OsdText::percentPlayed(12345, -1), 0);
        // A three-hour film at its end.
        QCOMPARE(OsdText::percentPlayed(3LL * 3600 * 10000000, 3LL * 3600 * 1000), 100);
    }

    void cpuWidthIsFixed()
    {
        QCOMPARE(OsdText::cpuPart(0.0), QStringLiteral("  CPU:  0.0%"));
        QCOMPARE(OsdText::cpuPart(0.0449), QStringLiteral("  CPU:  4.5%"));
    }

    void countdownTexts()
    {
        QCOMPARE(OsdText::countdown(QStringLiteral("Wyłączam komputer za "), 30),
                 QStringLiteral("Wyłączam komputer za 30 !"));
        QCOMPARE(OsdText::countdown(QStringLiteral("Close System  "), 1),
                 QStringLiteral("Close System  1 !"));
    }

    void placement()
    {
        // A video window at (100, 50), 500 x 300 with a 26-pixel caption and 2-pixel
        // borders: client 496 x 272.
        const QRect frame(100, 50, 500, 300);
        QCOMPARE(OsdLayout::left(frame, 200, true), 105);
        QCOMPARE(OsdLayout::left(frame, 200, false), 100 + 500 - 200 - 10);
        QCOMPARE(OsdLayout::top(frame, 272, false, false), 50 + 28 - 4);
        QCOMPARE(OsdLayout::top(frame, 272, true, false), 50 + 24); // panorama only counts in full screen
        QCOMPARE(OsdLayout::top(frame, 272, false, true), 50 + 24);
        QCOMPARE(OsdLayout::top(frame, 272, true, true), 50 + 24 + 80);
        // A frameless window: the OSD starts 4 pixels above it, as the letters' top is blank.
        QCOMPARE(OsdLayout::top(QRect(0, 0, 640, 480), 480, false, false), -4);
    }

    void fontShrinksUntilTheTextFits()
    {
        // Ten pixels per point.
        const auto width = [](int size) { return size * 10; };
        QCOMPARE(OsdLayout::fittedFontSize(20, width, 500, false, 0), 20);
        // 200 + 5 > 200: one step smaller than the exact fit.
        QCOMPARE(OsdLayout::fittedFontSize(20, width, 200, false, 0), 19);
        QCOMPARE(OsdLayout::fittedFontSize(20, width, 205, false, 0), 20);
        // In full screen the display's width limits too, the window's does not help.
        QCOMPARE(OsdLayout::fittedFontSize(40, width, 10000, true, 305), 30);
        QCOMPARE(OsdLayout::fittedFontSize(40, width, 305, true, 10000), 30);
        // The display's width is ignored out of full screen.
        QCOMPARE(OsdLayout::fittedFontSize(40, width, 10000, false, 305), 40);
        // Nothing fits: the smallest size, not an endless loop or a negative size.
        QCOMPARE(OsdLayout::fittedFontSize(20, width, 3, false, 0), 1);
        QCOMPARE(OsdLayout::fittedFontSize(20, width, -100, false, 0), 1);
    }
};

QTEST_APPLESS_MAIN(TestOsdText)
#include "test_osd_text.moc"
