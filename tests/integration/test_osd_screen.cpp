#include "support/TestPlayer.h"
#include "support/TestSupport.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/video/TForm2.h"

#include <QDir>
#include <QScreen>
#include <QSlider>
#include <QtTest>

namespace {

const QColor Backdrop(200, 0, 200);   // what lies under the OSD
const QColor Letters(255, 255, 0);    // the OSD's font colour
constexpr int Outline = 5;

bool near(QRgb pixel, const QColor &colour, int tolerance = 40)
{
    return qAbs(qRed(pixel) - colour.red()) <= tolerance
           && qAbs(qGreen(pixel) - colour.green()) <= tolerance
           && qAbs(qBlue(pixel) - colour.blue()) <= tolerance;
}

bool dark(QRgb pixel) { return qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80; }

QImage screenshot()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace

// The OSD as it really appears on an X server: cut to the letters, outlined, over
// whatever lies below.
class TestOsdScreen : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
    }

    void theWindowIsShapedLikeItsOutlinedLetters()
    {
        TestPlayer t;
        t->start({});
        // Something to see through the gaps: a backdrop and a video window of its colour.
        QWidget backdrop;
        TestSupport::showBackdrop(backdrop, Backdrop);
        QVERIFY(QTest::qWaitForWindowExposed(&backdrop));
        const QPalette bp = backdrop.palette();

        TForm2 *video = t->form2();
        video->Panel->setPalette(bp);
        video->setGeometry(150, 200, 700, 300);
        video->show();
        video->raise();
        QVERIFY(QTest::qWaitForWindowExposed(video));

        TForm4 *prefs = t->form4();
        prefs->OSDObwodka->setValue(Outline);
        prefs->OSDObwodkaChange();
        prefs->OSDTime->setValue(9);
        TFormOSD *osd = t->formOSD();
        QPalette op = osd->palette();
        op.setColor(QPalette::WindowText, Letters);
        osd->setPalette(op);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(40);
        osd->setFont(f);

        osd->ShowOSD(QStringLiteral("PLAY 12"));
        QVERIFY(QTest::qWaitForWindowExposed(osd));
        const QRect area(osd->mapToGlobal(QPoint(0, 0)), osd->size());
        const QRegion mask = osd->mask().translated(area.topLeft());

        // Wait until the letters are on screen.
        QImage shot;
        auto lettersShown = [&] {
            shot = screenshot();
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    if (near(shot.pixel(x, y), Letters, 0))
                        return true;
            return false;
        };
        QTRY_VERIFY(lettersShown());
        const QString file = QDir::temp().filePath("brivara-osd-screen.png");
        shot.copy(area.adjusted(-20, -20, 20, 20)).scaled(area.width() * 3 + 120, area.height() * 3 + 120)
            .save(file);
        qInfo("screenshot: %s", qPrintable(file));

        QRect letterBox, shapeBox;
        int letterPixels = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                if (!mask.contains(QPoint(x, y))) {
                    // Between and around the letters: what lies below, not the OSD's black.
                    QVERIFY2(near(p, Backdrop, 0),
                             qPrintable(QStringLiteral("gap at %1,%2").arg(x).arg(y)));
                    continue;
                }
                QVERIFY2(!near(p, Backdrop),
                         qPrintable(QStringLiteral("shape at %1,%2 shows the backdrop").arg(x).arg(y)));
                shapeBox |= QRect(x, y, 1, 1);
                if (near(p, Letters, 0)) {
                    ++letterPixels;
                    letterBox |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY(letterPixels > 200);
        // The rest of the shape is the black outline: one pixel left of and above the
        // letters, Outline - 1 pixels right of and below them (give or take the letters'
        // smoothed edge pixel).
        QVERIFY(letterBox.left() - shapeBox.left() <= 2);
        QVERIFY(letterBox.top() - shapeBox.top() <= 2);
        QVERIFY(shapeBox.right() - letterBox.right() >= Outline - 2);
        QVERIFY(shapeBox.bottom() - letterBox.bottom() >= Outline - 2);
        int outlinePixels = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (mask.contains(QPoint(x, y)) && dark(shot.pixel(x, y)))
                    ++outlinePixels;
        QVERIFY(outlinePixels > letterPixels / 4);
        // Each letter's right edge has its outline beside it.
        int rightEdges = 0, outlinedRightEdges = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x < area.right() - 1; ++x)
                if (near(shot.pixel(x, y), Letters, 0) && !near(shot.pixel(x + 1, y), Letters, 0)) {
                    ++rightEdges;
                    if (dark(shot.pixel(x + 2, y)) && mask.contains(QPoint(x + 2, y)))
                        ++outlinedRightEdges;
                }
        QVERIFY(rightEdges > 0);
        QVERIFY2(outlinedRightEdges * 10 >= rightEdges * 9,
                 qPrintable(QStringLiteral("%1 of %2").arg(outlinedRightEdges).arg(rightEdges)));

        // The wheel over the letters moves the function slider; clicks go nowhere.
        QSlider *slider = t->form1()->SliderFUN;
        slider->setValue((slider->minimum() + slider->maximum()) / 2);
        const int start = slider->value();
        QPoint inside;
        for (const QRect &r : mask)
            if (r.width() >= 3 && r.height() >= 3) {
                inside = r.center();
                break;
            }
        if (inside.isNull())
            inside = mask.begin()->topLeft();
        QCOMPARE(TestSupport::run("xdotool", {"mousemove", QString::number(inside.x()),
                                              QString::number(inside.y()), "click", "4"}),
                 0);
        QTRY_COMPARE(slider->value(), start + 1);
        QCOMPARE(TestSupport::run("xdotool", {"click", "5", "click", "5"}), 0);
        QTRY_COMPARE(slider->value(), start - 1);
        QVERIFY(osd->isVisible());
    }
};

QTEST_MAIN(TestOsdScreen)
#include "test_osd_screen.moc"
