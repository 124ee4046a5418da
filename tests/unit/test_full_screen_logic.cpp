#include "core/DisplayMode.h"
#include "core/FullScreenGeometry.h"
#include "core/SnapshotFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestFullScreenLogic : public QObject
{
    Q_OBJECT
private slots:
    void modeListDropsNarrowModesAndTwinsAndStopsAt199()
    {
        const QList<DisplayMode> reported{{1024, 768, 32, 60}, {1024, 768, 32, 60}, {640, 480, 32, 60},
                                          {320, 240, 32, 60},  {800, 600, 32, 75},  {640, 480, 32, 60}};
        // The second 640x480 is no twin: another mode stands between them.
        QCOMPARE(DisplayMode::listTexts(reported),
                 QStringList({"1024x768 32bit 60Hz", "640x480 32bit 60Hz", "800x600 32bit 75Hz",
                              "640x480 32bit 60Hz"}));

        QList<DisplayMode> many;
        for (int i = 0; i < 300; ++i)
            many << DisplayMode{640 + i, 480, 32, 60};
        const QStringList texts = DisplayMode::listTexts(many);
        QCOMPARE(texts.size(), 199);
        QCOMPARE(texts.last(), QStringLiteral("838x480 32bit 60Hz"));
        // Every listed text comes back as the mode it was made from.
        QCOMPARE(DisplayMode::parse(texts.last()), std::optional(DisplayMode{838, 480, 32, 60}));
        QVERIFY(!DisplayMode::parse(QStringLiteral("800x600 32bit")));
        QVERIFY(!DisplayMode::parse(QStringLiteral("99999999999x600 32bit 60Hz")));
    }

    void aModeIsChosenBySizeThenRefresh()
    {
        const QList<DisplayMode> modes{{1024, 768, 32, 85}, {1024, 768, 32, 60}, {800, 600, 32, 60}};
        QCOMPARE(DisplayMode::bestMatch(modes, {1024, 768, 16, 60}), std::optional<qsizetype>(1));
        QCOMPARE(DisplayMode::bestMatch(modes, {1024, 768, 32, 50}), std::optional<qsizetype>(0));
        QCOMPARE(DisplayMode::bestMatch(modes, {1234, 567, 32, 60}), std::nullopt);
    }

    void progressStripEdgeAndSeek()
    {
        const QRect screen(1024, 0, 1024, 768);
        QCOMPARE(FullScreenGeometry::progressStrip(screen, false), QRect(1024, 753, 1024, 15));
        QCOMPARE(FullScreenGeometry::progressStrip(screen, true), QRect(1024, 688, 1024, 15));
        QVERIFY(!FullScreenGeometry::pointerAtBottom(753, screen, false));
        QVERIFY(FullScreenGeometry::pointerAtBottom(754, screen, false));
        QVERIFY(!FullScreenGeometry::pointerAtBottom(688, screen, true));
        QVERIFY(FullScreenGeometry::pointerAtBottom(689, screen, true));

        // 450 s over the 1020 pixels inside a 1024-wide strip: 441 ms a pixel, in whole ms first.
        QCOMPARE(FullScreenGeometry::progressSeekMs(450000, 1024, 512), qint64(441 * 510));
        QCOMPARE(FullScreenGeometry::progressSeekMs(450000, 1024, 0), qint64(0));
        QCOMPARE(FullScreenGeometry::progressSeekMs(450000, 1024, 5000), qint64(450000));
        QCOMPARE(FullScreenGeometry::progressSeekMs(450000, 4, 3), qint64(0));
    }

    void windowFrameLiesOutsideTheScreen()
    {
        const QRect outer = FullScreenGeometry::windowOver(QRect(0, 0, 800, 600), 4, 22);
        QCOMPARE(outer, QRect(-4, -22, 808, 626));
        QCOMPARE(FullScreenGeometry::enteredText({1024, 768, 32, 60}),
                 QStringLiteral("FULLSCREEN ON (1024x768x32 60Hz)"));
    }

    void snapshotNumbersReuseTheFirstGap()
    {
        QTemporaryDir dir;
        auto take = [&] {
            const QString path = SnapshotFiles::firstFreeName(dir.path());
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            return QFileInfo(path).fileName();
        };
        QCOMPARE(take(), QStringLiteral("snapshot1.bmp"));
        QCOMPARE(take(), QStringLiteral("snapshot2.bmp"));
        QFile::remove(dir.filePath("snapshot1.bmp"));
        QCOMPARE(take(), QStringLiteral("snapshot1.bmp"));
        QCOMPARE(take(), QStringLiteral("snapshot3.bmp"));
        // A dangling link still holds its name.
        QFile::link(dir.filePath("gone"), dir.filePath("snapshot4.bmp"));
        QCOMPARE(take(), QStringLiteral("snapshot5.bmp"));
    }
};

QTEST_GUILESS_MAIN(TestFullScreenLogic)
#include "test_full_screen_logic.moc"
