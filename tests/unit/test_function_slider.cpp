#include "core/FunctionSlider.h"

#include <QtTest>

using namespace FunctionSlider;

class TestFunctionSlider : public QObject
{
    Q_OBJECT
private slots:
    void volumeByLevel_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("hundredthsDb");
        const int table[][2] = {{5, 0},      {4, -25},    {3, -100},   {2, -225},
                                {1, -400},   {0, -625},   {-1, -900},  {-2, -1225},
                                {-3, -1600}, {-4, -2025}, {-5, -2500}};
        for (const auto &row : table)
            QTest::addRow("level %d", row[0]) << row[0] << row[1];
    }
    void volumeByLevel()
    {
        QFETCH(int, level);
        QFETCH(int, hundredthsDb);
        QCOMPARE(volume(level), hundredthsDb);
        QVERIFY(volume(level) > Muted);
    }

    void speedNeverStandsStill()
    {
        QCOMPARE(rate(-5), 0.1);
        QCOMPARE(rate(-4), 0.2);
        QCOMPARE(rate(0), 1.0);
        QCOMPARE(rate(5), 2.0);
        QCOMPARE(speedText(0, QLocale::c()), QStringLiteral("Speed x1.0"));
        QCOMPARE(speedText(-5, QLocale::c()), QStringLiteral("Speed x0.1"));
        QCOMPARE(speedText(2, QLocale(QLocale::Polish)), QStringLiteral("Speed x1,4"));
    }

    void levelsOutsideTheSliderAreHeldAtItsEnds()
    {
        QCOMPARE(volume(9), 0);
        QCOMPARE(balance(-9), -2500);
        QCOMPARE(rate(-100), 0.1);
        QCOMPARE(osdBar(12), QStringLiteral("[----------|]"));
    }

    void pictureControlsCoverTheElementsRanges()
    {
        QCOMPARE(brightness(0), 0.0);
        QCOMPARE(contrast(0), 1.0);
        QCOMPARE(saturation(0), 1.0);
        QCOMPARE(brightness(-5), -1.0);
        QCOMPARE(contrast(5), 2.0);
        QCOMPARE(saturation(-5), 0.0);
        QCOMPARE(decoderQuality(-5), 0);
        QCOMPARE(decoderQuality(0), 27);
        QCOMPARE(decoderQuality(-4), 5);
        QCOMPARE(decoderQuality(5), 55);
    }

    void barsAreThirteenCharactersWithTheMarkAtTheLevel()
    {
        QCOMPARE(barText(Volume, 0), QStringLiteral("Volume [-----|-----]"));
        QCOMPARE(barText(Balance, -5), QStringLiteral("Balans [|----------]"));
        QCOMPARE(barText(Brightness, 5), QStringLiteral("Brightnes [----------|]"));
        for (int v = MinLevel; v <= MaxLevel; ++v) {
            const QString bar = osdBar(v);
            QCOMPARE(bar.size(), 13);
            QCOMPARE(bar.indexOf(QLatin1Char('|')), v + 6);
        }
        QVERIFY(barText(Txt, 0).isEmpty());
        QVERIFY(barText(Speed, 0).isEmpty());
        QCOMPARE(shiftText(QStringLiteral("Tekst "), -3), QStringLiteral("Tekst -3 sek"));
    }

    void modesCycleAndNameThemselves()
    {
        const QStringList names{"TXT", "Speed", "Balans", "Volume", "Bright", "Contrast", "Satura", "Quality"};
        int mode = StartMode;
        QStringList seen;
        for (int i = 0; i < ModeCount; ++i) {
            mode = nextMode(mode);
            seen << modeName(mode);
        }
        QCOMPARE(mode, StartMode);
        QCOMPARE(seen, (QStringList{"Bright", "Contrast", "Satura", "Quality", "TXT", "Speed", "Balans", "Volume"}));
        for (int m = 0; m < ModeCount; ++m)
            QCOMPARE(modeName(m), names[m]);
        QCOMPARE(nextMode(42), nextMode(StartMode));
        QCOMPARE(modeName(-1), QStringLiteral("Volume"));
    }

    void onlyThePictureModesWaitForAGraph()
    {
        for (int m = 0; m < ModeCount; ++m) {
            QVERIFY(modeEnabled(m, true));
            QCOMPARE(modeEnabled(m, false), m < Brightness);
        }
    }
};

QTEST_APPLESS_MAIN(TestFunctionSlider)
#include "test_function_slider.moc"
