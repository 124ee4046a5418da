#include "core/PanelGeometry.h"
#include "core/PanelLayout.h"
#include "core/TimeText.h"

#include <QSet>
#include <QtTest>

class TestPanelGeometry : public QObject
{
    Q_OBJECT
private slots:
    void regionCutsTheThreeStrips()
    {
        const QList<QRect> region = PanelGeometry::unskinnedRegion(QSize(492, 72));
        auto covered = [&](int x, int y) {
            int hits = 0;
            for (const QRect &r : region)
                hits += r.contains(x, y);
            return hits;
        };
        // Pieces never overlap, and the cut-outs are exactly the corner-exclusive strips.
        for (int y = 0; y < 72; ++y)
            for (int x = 0; x < 492; ++x) {
                const bool cut = (y >= 67 && ((x >= 42 && x < 456) || x < 3 || x >= 490));
                QCOMPARE(covered(x, y), cut ? 0 : 1);
            }
        for (const QRect &r : region)
            QVERIFY(QRect(0, 0, 492, 72).contains(r));
    }

    void regionOfASmallerWindowStaysInside()
    {
        // A skin can shrink the window below the strips' reach; nothing may stick out.
        for (const QRect &r : PanelGeometry::unskinnedRegion(QSize(40, 60)))
            QVERIFY(QRect(0, 0, 40, 60).contains(r));
        QCOMPARE(PanelGeometry::unskinnedRegion(QSize(40, 60)).size(), 1);
    }

    void pinningPlacesWindowsEdgeToEdge()
    {
        const QRect panel(300, 700, 492, 72);
        QCOMPARE(PanelGeometry::videoAbovePanel(panel, QSize(640, 500)), QPoint(300 + 246 - 320, 200));
        const QRect video(100, 50, 641, 481);
        // Odd widths: both halves truncate.
        QCOMPARE(PanelGeometry::panelBelowVideo(video, QSize(492, 72)), QPoint(100 + 320 - 246, 531));
        // And one after the other lands where it started.
        const QPoint v = PanelGeometry::videoAbovePanel(panel, QSize(492, 300));
        QCOMPARE(PanelGeometry::panelBelowVideo(QRect(v, QSize(492, 300)), panel.size()), panel.topLeft());
    }

    void layoutTableIsConsistent()
    {
        QSet<QString> names;
        for (const PanelLayout::Control &c : PanelLayout::controls()) {
            QVERIFY2(!names.contains(c.name), c.name);
            names.insert(c.name);
            if (c.visible)
                QVERIFY2(QRect(0, 0, 492, 72).contains(c.rect), c.name);
        }
        QCOMPARE(PanelLayout::find("CaptionSzpilka")->down, true);
        QCOMPARE(PanelLayout::find("BFunction")->tag, 3);
        QCOMPARE(PanelLayout::find("BPlay")->enabled, false);
        QCOMPARE(PanelLayout::find("ButtonSnapShot")->visible, false);
        QCOMPARE(PanelLayout::find("Nothing"), nullptr);
        QCOMPARE(PanelLayout::programTitle(), QStringLiteral("Brivara V1.7"));
    }

    void timeTextHasTwoDigitFieldsAndNoClockWrap()
    {
        QCOMPARE(TimeText::hms(0), QStringLiteral("00:00:00"));
        QCOMPARE(TimeText::hms(3599999), QStringLiteral("00:59:59"));
        QCOMPARE(TimeText::hms(25 * 3600000LL + 61000), QStringLiteral("25:01:01"));
        QCOMPARE(TimeText::hms(-5000), QStringLiteral("00:00:00"));
    }
};

QTEST_APPLESS_MAIN(TestPanelGeometry)
#include "test_panel_geometry.moc"
