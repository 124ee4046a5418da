#include "core/PictureGeometry.h"

#include <QtTest>

using namespace PictureGeometry;

class TestPictureGeometry : public QObject
{
    Q_OBJECT
private slots:
    void roundingBreaksTiesToEven()
    {
        QCOMPARE(roundEven(0.5), 0);
        QCOMPARE(roundEven(1.5), 2);
        QCOMPARE(roundEven(2.5), 2);
        QCOMPARE(roundEven(-54.4), -54);
        QCOMPARE(roundEven(-2.5), -2);
        QCOMPARE(roundEven(691.2), 691);
    }

    void zoomInStepsFromTheStoredRectangle()
    {
        auto first = zoomIn({0, 0, 640, 480}, 20, 1280);
        QVERIFY(first);
        QCOMPARE(first->width, 768.0);
        QCOMPARE(first->height, 576.0);
        auto second = zoomIn({0, 0, 768, 576}, 20, 1280);
        QVERIFY(second);
        QVERIFY(qFuzzyCompare(second->width, 921.6));
        QVERIFY(qFuzzyCompare(second->height, 691.2));
        QCOMPARE(roundEven(second->height), 691);
    }

    void zoomLimits()
    {
        // 853 + 20 % = 1023.6 still fits a 1024 screen; 854 reaches 1024.8 and is refused.
        QVERIFY(zoomIn({0, 0, 853, 480}, 20, 1024));
        QVERIFY(!zoomIn({0, 0, 854, 480}, 20, 1024));
        QVERIFY(!zoomIn({0, 0, 1000, 480}, 5, 1024)); // 1050
        // Zoom out: 250 - 20 % = 200 is allowed, 249 gives 199.2 and is refused.
        auto out = zoomOut({0, 0, 250, 200}, 20);
        QVERIFY(out);
        QCOMPARE(out->width, 200.0);
        QCOMPARE(out->height, 160.0);
        QVERIFY(!zoomOut({0, 0, 249, 200}, 20));
    }

    void resizeHookWidthFollowsHeightAndAspect()
    {
        const VideoRect pal{720, 576};
        QCOMPARE(effectiveHeight(pal, Aspect::Native), 576);
        QCOMPARE(effectiveHeight(pal, Aspect::Wide16x9), 405);
        QCOMPARE(effectiveHeight(pal, Aspect::Tv4x3), 540);
        QCOMPARE(widthForHeight(405, pal, Aspect::Wide16x9), 720);
        QCOMPARE(widthForHeight(576, pal, Aspect::Native), 720);
        QCOMPARE(widthForHeight(393, pal, Aspect::Native), 491); // 491.25
        QCOMPARE(widthForHeight(300, VideoRect{0, 0}, Aspect::Native), 0);
        QCOMPARE(widthForHeight(300, VideoRect{8, 0}, Aspect::Native), 0);
    }

    void frameMetricsConvertOuterHeight()
    {
        const FrameMetrics m = FrameMetrics::measure(QSize(508, 300), QSize(500, 270));
        QCOMPARE(m.sideBorder, 4);
        QCOMPARE(m.captionHeight, 26);
        QCOMPARE(m.pictureHeight(300), 270);
        QCOMPARE(m.pictureHeight(300, 40), 230);
    }

    void panScanPlacement()
    {
        const VideoRect pal{720, 576};
        auto off = panScan(QSize(640, 480), pal, false, 15, 0);
        QVERIFY(off);
        QCOMPARE(*off, (ZoomRect{0, -16, 640, 512}));
        auto on = panScan(QSize(640, 480), pal, true, 15, 0);
        QVERIFY(on);
        QCOMPARE(*on, (ZoomRect{-48, -54, 736, 589}));
        // Subtitles under the picture lift it by the given amount.
        QCOMPARE(panScan(QSize(640, 480), pal, true, 15, 38)->top, -92);
        // A wide picture letterboxes with a positive top.
        QCOMPARE(*panScan(QSize(1280, 1024), VideoRect{1280, 720}, false, 15, 0), (ZoomRect{0, 152, 1280, 720}));
    }

    void panScanOutOfRangePercentages()
    {
        const VideoRect pal{720, 576};
        // Below zero the picture shrinks and is centred by a positive left.
        auto shrunk = panScan(QSize(640, 480), pal, true, -10, 0);
        QCOMPARE(shrunk->width, 576);
        QCOMPARE(shrunk->left, 32);
        auto gone = panScan(QSize(640, 480), pal, true, -150, 0);
        QVERIFY(gone->width >= 1 && gone->height >= 1);
        QVERIFY(!panScan(QSize(640, 480), VideoRect{}, true, 15, 0));
        QVERIFY(!panScan(QSize(), pal, true, 15, 0));
    }

    void aspectAndStretchHeights()
    {
        QCOMPARE(aspectHeight(720, Aspect::Wide16x9), 405);
        QCOMPARE(aspectHeight(736, Aspect::Wide16x9), 414);
        QCOMPARE(aspectHeight(640, Aspect::Tv4x3), 480);
        QCOMPARE(heightUp(512), 517);   // 517.12
        QCOMPARE(heightDown(512), 507); // 506.88
        QCOMPARE(heightDown(101), 100);
        QCOMPARE(heightDown(100), 100);
        QCOMPARE(centredTop(480, 517), -18); // -18.5 toward zero
        QCOMPARE(centredTop(480, 405), 37);
    }
};

QTEST_APPLESS_MAIN(TestPictureGeometry)
#include "test_picture_geometry.moc"
