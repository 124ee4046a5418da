#include "core/PictureGeometry.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

// A player with a film of the given size opened at its native size in a window.
struct Fixture : FilmPlayer
{
    explicit Fixture(QSize picture) : FilmPlayer(picture, 60)
    {
        t->form4()->WindowSize->setChecked(true);
        openFilm();
    }
    TForm2 *video() const { return t->form2(); }
    TForm4 *prefs() const { return t->form4(); }
    QRect picture() const { return t.engine->windowPosition(); }
    void fullScreen(QSize target)
    {
        t->setFullScreenActive(true);
        video()->FullScreenTarget = target;
    }
};
} // namespace

class TestPictureGeometryUi : public QObject
{
    Q_OBJECT
private slots:
    void zoomInStepsUntilTheScreenWidth()
    {
        Fixture f(QSize(640, 480));
        TForm2 *v = f.video();
        QVERIFY(v->isVisible());
        QCOMPARE(v->ZoomRect, QRect(0, 0, 640, 480));
        f.panel()->ButtonUpClick();
        QCOMPARE(v->size(), QSize(768, 576));
        QCOMPARE(v->ZoomRect, QRect(0, 0, 768, 576));
        QCOMPARE(f.osd(), QStringLiteral("Zoom IN"));
        QCOMPARE(f.picture(), QRect(0, 0, 768, 576));
        // 921.6 x 691.2: the height is rounded, the hook derives the width from it.
        f.panel()->ButtonUpClick();
        QCOMPARE(v->size(), QSize(921, 691));
        QCOMPARE(v->ZoomRect, QRect(0, 0, 921, 691));
        // The window stays on the panel, centred.
        QCOMPARE(v->frameGeometry().bottom() + 1, f.panel()->frameGeometry().top());
        QCOMPARE(v->frameGeometry().center().x() / 2, f.panel()->frameGeometry().center().x() / 2);
        // Further steps are taken while the wider window still fits the screen, then refused.
        const int screenWidth = v->screen()->geometry().width();
        QSize before = v->size();
        for (int step = 0; step < 20; ++step) {
            f.t->formOSD()->ShowOSD(QStringLiteral("-"));
            f.panel()->ButtonUpClick();
            if (v->size() == before)
                break;
            QVERIFY(v->width() <= screenWidth);
            before = v->size();
        }
        QVERIFY(before.width() * 1.2 > screenWidth);
        QCOMPARE(v->size(), before);
        QCOMPARE(f.osd(), QStringLiteral("-"));
    }

    void zoomOutStopsAboveTwoHundredAndNativeSizeReturns()
    {
        Fixture f(QSize(640, 480));
        TForm2 *v = f.video();
        QSize last;
        for (int i = 0; i < 10 && v->size() != last; ++i) {
            last = v->size();
            f.panel()->ButtonDownClick();
        }
        QCOMPARE(v->size(), last);
        QVERIFY(v->ZoomRect.width() >= 200);
        QVERIFY(v->ZoomRect.width() * 0.8 < 200);
        QCOMPARE(v->width(), qRound(v->height() * 4.0 / 3.0));
        QVERIFY(!f.t->form3()->TimerNapisClear->isActive());

        f.panel()->ButtonNormalClick();
        QCOMPARE(v->size(), QSize(640, 480));
        QCOMPARE(v->ZoomRect, QRect(0, 0, 640, 480));
        QCOMPARE(f.osd(), QStringLiteral("Oryginal Size"));
    }

    void aspectButtonsReshapeTheWindow()
    {
        Fixture f(QSize(720, 576));
        TForm2 *v = f.video();
        TForm1 *p = f.panel();
        f.prefs()->Proporcional->setChecked(false);
        p->Button16x9Click();
        QVERIFY(f.prefs()->Proporcional->isChecked());
        QVERIFY(p->Button16x9->down());
        QVERIFY(v->N16x91->isChecked());
        QVERIFY(!v->Dowolny1->isChecked());
        QCOMPARE(f.osd(), QStringLiteral("Wide 16:9"));
        // Effective height 405: a 576 high picture is 1024 wide.
        QCOMPARE(v->size(), QSize(1024, 576));
        QCOMPARE(f.picture(), QRect(0, 0, 1024, 576));

        p->Button4x3Click();
        QVERIFY(p->Button4x3->down());
        QVERIFY(!p->Button16x9->down());
        QVERIFY(v->N431->isChecked());
        QCOMPARE(v->size(), QSize(768, 576));
        QCOMPARE(f.osd(), QStringLiteral("TV 4:3"));

        v->N16x91->trigger(); // the menu item runs the button's command
        QCOMPARE(v->width(), 1024);
        v->Oryginal1->trigger();
        QVERIFY(!p->Button16x9->down() && !p->Button4x3->down());
        QCOMPARE(v->size(), QSize(720, 576));
        QCOMPARE(f.osd(), QStringLiteral("Aspect Oryginal"));
    }

    void freeAspectLetsTheWidthGo()
    {
        Fixture f(QSize(640, 480));
        TForm2 *v = f.video();
        v->Dowolny1->trigger();
        QVERIFY(!f.prefs()->Proporcional->isChecked());
        QVERIFY(v->Dowolny1->isChecked());
        v->resize(900, 300);
        QCOMPARE(v->size(), QSize(900, 300));
        QCOMPARE(f.picture(), QRect(0, 0, 900, 300));
        // Zoom still keeps the native shape, from the stored rectangle.
        f.panel()->ButtonUpClick();
        QCOMPARE(v->size(), QSize(768, 576));
        v->Dowolny1->trigger();
        QVERIFY(f.prefs()->Proporcional->isChecked());
        QVERIFY(!v->Dowolny1->isChecked());
        v->resize(900, 300);
        QCOMPARE(v->size(), QSize(400, 300));
        v->resize(400, 40);
        QCOMPARE(v->height(), 100);
    }

    void subtitlesUnderThePictureKeepTheirStrip()
    {
        Fixture f(QSize(640, 480));
        TForm2 *v = f.video();
        f.prefs()->NapisPod->setChecked(true);
        const int strip = v->subtitleStrip();
        QVERIFY(strip > 0);
        v->ZoomRect = QRect(0, 0, 640, 480);
        f.panel()->ButtonUpClick();
        QCOMPARE(v->ZoomRect, QRect(0, 0, 768, 576));
        QCOMPARE(v->size(), QSize(768, 576 + strip));
    }

    void theStripUnderThePictureIsTwoFontPixelHeights()
    {
        FilmPlayer f(QSize(320, 240), 60);
        f.t->form4()->NapisPod->setChecked(true);
        f.openFilm();
        TForm2 *v = f.t->form2();
        // The default subtitle font (20 points) is 27 pixels high: the picture's 492 x 369
        // gets a strip of 54 below it, and the picture inside leaves 20 more.
        QCOMPARE(QFontInfo(f.t->form3()->font()).pixelSize(), 27);
        QCOMPARE(v->subtitleStrip(), 54);
        QCOMPARE(v->size(), QSize(492, 423));
        QCOMPARE(f.t.engine->windowPosition(), QRect(0, 0, 492, 349));
        // A resize keeps the proportions of the picture above the strip.
        v->resize(600, 523);
        QCOMPARE(v->size(), QSize(PictureGeometry::widthForHeight(523 - 54, {320, 240}, PictureGeometry::Aspect::Native), 523));
    }

    void panScanPlacesTheChildOutsideTheWindow()
    {
        Fixture f(QSize(720, 576));
        TForm1 *p = f.panel();
        f.fullScreen(QSize(640, 480));
        QCOMPARE(f.prefs()->PanScan->tag(), 15);
        p->ButtonPanScan->setDown(true);
        p->ButtonPanScanClick();
        QCOMPARE(f.picture(), QRect(-48, -54, 736, 589));
        QCOMPARE(f.video()->ZoomRect, QRect(-48, -54, 736, 589));
        QCOMPARE(f.osd(), QStringLiteral("PanScan ON"));
        f.video()->PanScan1->trigger(); // the menu flips the button
        QVERIFY(!p->ButtonPanScan->down());
        QCOMPARE(f.picture(), QRect(0, -16, 640, 512));
        QCOMPARE(f.osd(), QStringLiteral("PanScan OFF"));

        // Outside full screen the placement does nothing.
        f.t->setFullScreenActive(false);
        p->ButtonPanScan->setDown(true);
        p->ButtonPanScanClick();
        QCOMPARE(f.video()->ZoomRect, QRect(0, -16, 640, 512));
    }

    void fullScreenZoomWalksThePanScanPercentage()
    {
        Fixture f(QSize(720, 576));
        TForm1 *p = f.panel();
        f.fullScreen(QSize(640, 480));
        p->ButtonUpClick();
        QCOMPARE(f.prefs()->PanScan->tag(), 20);
        QVERIFY(p->ButtonPanScan->down());
        QCOMPARE(f.picture(), QRect(-64, -67, 768, 614));
        QCOMPARE(f.osd(), QStringLiteral("Zoom IN"));
        while (f.prefs()->PanScan->tag() < 50)
            p->ButtonUpClick();
        QVERIFY(p->ButtonUp->isHidden());
        // The keyboard can go on past the hidden button.
        p->ButtonUpClick();
        QCOMPARE(f.prefs()->PanScan->tag(), 55);
        QCOMPARE(f.picture().width(), 992);

        while (f.prefs()->PanScan->tag() > 5)
            p->ButtonDownClick();
        QVERIFY(p->ButtonDown->isHidden());
        QVERIFY(!p->ButtonUp->isHidden());
        QCOMPARE(f.osd(), QStringLiteral("Zoom OUT"));
        QCOMPARE(f.picture().width(), 672);

        // Native size in full screen turns pan-scan off.
        p->ButtonNormalClick();
        QVERIFY(!p->ButtonPanScan->down());
        QCOMPARE(f.picture(), QRect(0, -16, 640, 512));
    }

    void fullScreenAspectAndStretch()
    {
        Fixture f(QSize(720, 576));
        TForm1 *p = f.panel();
        f.fullScreen(QSize(640, 480));
        p->ButtonPanScanClick();
        p->Button16x9Click();
        QCOMPARE(f.picture(), QRect(0, 60, 640, 360));
        p->ButtonNormalSizeClick();
        QCOMPARE(f.picture(), QRect(0, -16, 640, 512));

        p->ButtonHeightUpClick();
        QCOMPARE(f.picture(), QRect(0, -18, 640, 517));
        QCOMPARE(f.osd(), QStringLiteral("Height Up"));
        for (int i = 0; i < 300; ++i)
            p->ButtonHeightDownClick();
        QCOMPARE(f.picture(), QRect(0, 190, 640, 100));
        QCOMPARE(f.osd(), QStringLiteral("Height Down"));

        // Stretching is a full-screen command only.
        f.t->setFullScreenActive(false);
        p->ButtonHeightUpClick();
        QCOMPARE(f.picture().height(), 100);
    }

    void commandsNeedAFilm()
    {
        TestPlayer t;
        t->start({});
        TForm1 *p = t->form1();
        const QSize before = t->form2()->size();
        p->ButtonUpClick();
        p->ButtonDownClick();
        p->ButtonNormalClick();
        p->Button16x9Click();
        QVERIFY(!p->Button16x9->down());
        t->setFullScreenActive(true);
        p->ButtonPanScanClick();
        p->ButtonHeightDownClick();
        QCOMPARE(t->form2()->size(), before);
        QVERIFY(t->formOSD()->text().isEmpty());
        QCOMPARE(t->form4()->PanScan->tag(), 15);
    }
};

QTEST_MAIN(TestPictureGeometryUi)
#include "test_picture_geometry.moc"
