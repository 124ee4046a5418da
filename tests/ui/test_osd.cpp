#include "core/OsdLayout.h"
#include "support/TestPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/OsdShape.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest>

namespace {

// A started player with the video window on screen, as every message needs.
struct ShownPlayer : TestPlayer
{
    ShownPlayer()
    {
        player->start({});
        player->form2()->show();
        QVERIFY(QTest::qWaitForWindowExposed(player->form2()));
    }
    TFormOSD *osd() const { return player->formOSD(); }
    TForm4 *prefs() const { return player->form4(); }
};

int sizeOf(const QFont &font)
{
    return font.pointSize() > 0 ? font.pointSize() : font.pixelSize();
}

} // namespace

class TestOsd : public QObject
{
    Q_OBJECT
private slots:
    void nothingShowsWhenOffOrWithoutPicture()
    {
        ShownPlayer t;
        t.osd()->ShowOSD(QStringLiteral("PLAY"));
        QVERIFY(t.osd()->isVisible());

        // A new message replaces the old one at once, even when it is not shown itself.
        t.prefs()->OSDOn->setChecked(false);
        t.osd()->ShowOSD(QStringLiteral("STOP"));
        QVERIFY(!t.osd()->isVisible());
        QVERIFY(!t.osd()->TimerOSD->isActive());

        t.prefs()->OSDOn->setChecked(true);
        t->form2()->hide(); // audio only
        t.osd()->ShowOSD(QStringLiteral("STOP"));
        QVERIFY(!t.osd()->isVisible());

        // Blank text has no letters to show.
        t->form2()->show();
        t.osd()->ShowOSD(QStringLiteral("   "));
        QVERIFY(!t.osd()->isVisible());
    }

    void hidesAfterThePreferredSeconds()
    {
        ShownPlayer t;
        t.prefs()->OSDTime->setValue(7);
        t.osd()->ShowOSD(QStringLiteral("PLAY"));
        QCOMPARE(t.osd()->TimerOSD->interval(), 7000);
        QVERIFY(t.osd()->TimerOSD->isActive());

        t.prefs()->OSDTime->setValue(1);
        t.osd()->ShowOSD(QStringLiteral("PAUSE"));
        QCOMPARE(t.osd()->TimerOSD->interval(), 1000);
        QVERIFY(t.osd()->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!t.osd()->isVisible(), 5000);
        QVERIFY(!t.osd()->TimerOSD->isActive());
    }

    void sizeAndShapeFollowTheText()
    {
        ShownPlayer t;
        t.osd()->ShowOSD(QStringLiteral("PLAY"));
        const QFontMetrics m(t.osd()->textFont());
        const int w = m.horizontalAdvance(QStringLiteral("PLAY"));
        QCOMPARE(t.osd()->size(), QSize(w + 5, m.height() + 20));
        // The window is cut to the letters: some of it, never all of it.
        const QRegion mask = t.osd()->mask();
        QVERIFY(!mask.isEmpty());
        QVERIFY(t.osd()->rect().contains(mask.boundingRect()));
        QVERIFY(mask.boundingRect().width() < t.osd()->width() || mask.rectCount() > 1);
    }

    void longTextShrinksToTheVideoWindow()
    {
        ShownPlayer t;
        const int base = sizeOf(t.osd()->font());
        t.osd()->ShowOSD(QStringLiteral("OK"));
        QCOMPARE(sizeOf(t.osd()->textFont()), base);

        t->form2()->resize(220, 150);
        const QString text = QStringLiteral("A message far too long for a narrow video window");
        t.osd()->ShowOSD(text);
        QVERIFY(t.osd()->isVisible());
        const int shrunk = sizeOf(t.osd()->textFont());
        QVERIFY(shrunk < base);
        QVERIFY(t.osd()->width() <= t->form2()->width());
        // And not smaller than needed: one size up would not fit.
        QFont bigger = t.osd()->textFont();
        if (bigger.pointSize() > 0)
            bigger.setPointSize(shrunk + 1);
        else
            bigger.setPixelSize(shrunk + 1);
        QVERIFY(QFontMetrics(bigger).horizontalAdvance(text) + 5 > t->form2()->width());
    }

    void sitsInTheChosenCorner()
    {
        ShownPlayer t;
        t->form2()->setGeometry(100, 120, 600, 300);
        QTRY_COMPARE(t->form2()->frameGeometry().width() >= 600, true);
        const QRect frame = t->form2()->frameGeometry();
        const int captionTop = frame.top() + frame.height() - t->form2()->height() - 4;

        t.prefs()->OSDLeft->setChecked(true);
        t.osd()->ShowOSD(QStringLiteral("LEFT"));
        QCOMPARE(t.osd()->pos(), QPoint(frame.left() + 5, captionTop));

        t.prefs()->OSDRight->setChecked(true);
        t.osd()->ShowOSD(QStringLiteral("RIGHT"));
        // The letters end 10 pixels inside the right edge (the window adds 5 of its own).
        QCOMPARE(t.osd()->x() + t.osd()->width() - 5, frame.left() + frame.width() - 10);
        QCOMPARE(t.osd()->y(), captionTop);

        // Panorama moves it down only in full screen.
        t.prefs()->OSDPanorama->setChecked(true);
        t.osd()->ShowOSD(QStringLiteral("RIGHT"));
        QCOMPARE(t.osd()->y(), captionTop);
        t->setFullScreenActive(true);
        t.osd()->ShowOSD(QStringLiteral("RIGHT"));
        QCOMPARE(t.osd()->y(), captionTop + 80);
    }

    void fullScreenDoublesTheFont()
    {
        ShownPlayer t;
        t->form2()->resize(1200, 600);
        const int base = sizeOf(t.osd()->font());
        t->setFullScreenActive(true);
        t.osd()->ShowOSD(QStringLiteral("OK"));
        QCOMPARE(sizeOf(t.osd()->textFont()), 2 * base);
        // The display's width limits the doubled font as the window's width does.
        const QString text = QStringLiteral("A message wider than the full-screen display");
        t.osd()->ShowOSD(text);
        QVERIFY(QFontMetrics(t.osd()->textFont()).horizontalAdvance(text) + 5
                <= t.prefs()->fullScreenMode().width);
    }

    void outlineShape()
    {
        // A 10 x 10 square with a 3-pixel outline: the square at (1, 0) and its copies up to
        // (4, 3), nothing to the left or above.
        QPainterPath square;
        square.addRect(0, 0, 10, 10);
        const QRegion r = OsdShape::region(square, QSize(40, 40), 3);
        QCOMPARE(r.boundingRect(), QRect(1, 0, 13, 13));
        QVERIFY(r.contains(QPoint(1, 0)));
        QVERIFY(r.contains(QPoint(13, 12)));
        QVERIFY(!r.contains(QPoint(0, 0)));
        QVERIFY(!r.contains(QPoint(1, 12)));  // below the first copy, left of the others
        QVERIFY(!r.contains(QPoint(13, 0)));  // right of the first copy, above the others
        // No outline: the first copy only.
        QCOMPARE(OsdShape::region(square, QSize(40, 40), 0), QRegion(1, 0, 10, 10));
        // Clipped to the window.
        QCOMPARE(OsdShape::region(square, QSize(8, 5), 3).boundingRect(), QRect(1, 0, 7, 5));
        QVERIFY(OsdShape::region(QPainterPath(), QSize(40, 40), 3).isEmpty());
    }

    void infoLineParts()
    {
        ShownPlayer t;
        QTemporaryFile file;
        QVERIFY(file.open());
        QVERIFY(t.engine->create());
        QCOMPARE(t.engine->render(file.fileName()), MediaEngine::RenderResult::Ok);
        t.engine->setPosition(10 * MediaEngine::UnitsPerSecond);
        t.engine->setAverageFrameRate(29.97);
        t->form1()->DurationMs = 40000;
        t->form1()->StatusTime->setText(QStringLiteral("00:00:10/00:00:40"));

        t.osd()->TimerAutoInfoTimer();
        QVERIFY(t.osd()->isVisible());
        const QString all = t.osd()->text();
        QVERIFY2(all.startsWith(QStringLiteral("Time: 00:00:10/00:00:40 (25%)  CPU:")), qPrintable(all));
        QVERIFY2(all.endsWith(QStringLiteral("%  29.97 fps")), qPrintable(all));

        t.prefs()->OSDMovieTime->setChecked(false);
        t.osd()->TimerAutoInfoTimer();
        QVERIFY2(t.osd()->text().startsWith(QStringLiteral("  CPU:")), qPrintable(t.osd()->text()));

        // Sound only: no renderer, no frame rate.
        t.engine->setVideoSize(QSize(0, 0));
        t.prefs()->OSDCpuUsage->setChecked(false);
        t.prefs()->OSDMovieTime->setChecked(true);
        t.osd()->TimerAutoInfoTimer();
        QCOMPARE(t.osd()->text(), QStringLiteral("Time: 00:00:10/00:00:40 (25%)"));
    }

    void autoInfoRunsOnItsTimer()
    {
        ShownPlayer t;
        QVERIFY(t.osd()->TimerAutoInfo->isActive());
        t.osd()->TimerAutoInfo->setInterval(10);
        QTRY_VERIFY(t.osd()->isVisible());
        QVERIFY(t.osd()->text().startsWith(QStringLiteral("Time: ")));
    }

    void countdownTurnsTheMonitorOffOnTheThirtiethTick()
    {
        ShownPlayer t;
        t->form2()->CloseMonitor->setChecked(true);
        QVERIFY(t.screenSaver->isInhibited());
        t.osd()->startCountdown();
        QVERIFY(t.osd()->countdownRunning());
        QCOMPARE(t.osd()->TimerCloseSystem->interval(), 1000);
        QCOMPARE(t.osd()->SecondsLeft, 30);
        // The desktop may blank the screen while it waits.
        QVERIFY(!t.screenSaver->isInhibited());

        QStringList shown;
        for (int tick = 1; tick <= 30; ++tick) {
            QVERIFY2(t.power->calls.isEmpty(), qPrintable(QString::number(tick)));
            t.osd()->TimerCloseSystemTimer();
            shown << t.osd()->text();
        }
        QCOMPARE(shown.first(), QStringLiteral("Wyłączam monitor za 30 !"));
        for (int i = 0; i < 30; ++i)
            QCOMPARE(shown.at(i), t->messages().text(31) + QString::number(30 - i) + " !");
        QCOMPARE(t.power->calls, QStringList{"monitorOff"});
        QVERIFY(!t.osd()->countdownRunning());
        QVERIFY(t->form1()->isVisible()); // the program goes on
    }

    void countdownTicksByItself()
    {
        ShownPlayer t;
        t->form2()->CloseMonitor->setChecked(true);
        t.osd()->TimerCloseSystem->setInterval(1);
        t.osd()->startCountdown(3);
        QTRY_COMPARE(t.power->calls, QStringList{"monitorOff"});
        QCOMPARE(t.osd()->text(), t->messages().text(31) + "1 !");
    }

    void countdownPowersOffAfterClosingThePanel()
    {
        ShownPlayer t;
        t->form2()->CloseSystem->setChecked(true);
        QStringList order;
        t.power->onCall = [&](const QString &call) { order << call; };
        connect(t.player.get(), &Player::closed, this, [&] { order << "closed"; });
        const int askedBefore = t.dialogs->asked.size();
        t.osd()->startCountdown(2);
        t.osd()->TimerCloseSystemTimer();
        QCOMPARE(t.osd()->text(), t->messages().text(18) + "2 !");
        QVERIFY(order.isEmpty());
        t.osd()->TimerCloseSystemTimer();
        QCOMPARE(order, (QStringList{"canPowerOff", "closed", "powerOff"}));
        QVERIFY(!t->form1()->isVisible());
        QCOMPARE(t.dialogs->asked.size(), askedBefore);
    }

    void aRefusedPowerOffIsReportedAndTheProgramStillEnds()
    {
        ShownPlayer t;
        t->form2()->CloseSystem->setChecked(true);
        t.power->canAnswer = false;
        t.power->refusal = QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown");
        QStringList order;
        t.power->onCall = [&](const QString &call) { order << call; };
        connect(t.player.get(), &Player::closed, this, [&] { order << "closed"; });
        const int askedBefore = t.dialogs->asked.size();
        t.osd()->startCountdown(1);
        t.osd()->TimerCloseSystemTimer();
        QCOMPARE(order, (QStringList{"canPowerOff", "closed"}));
        QCOMPARE(t.dialogs->asked.size(), askedBefore + 1);
        QVERIFY(t.dialogs->asked.last().text.contains(t.power->refusal));
    }

    void breakingTheCountdown()
    {
        ShownPlayer t;
        t->form2()->CloseSystem->setChecked(true);
        const int inhibits = t.screenSaver->inhibits;

        // Nothing runs: nothing to say.
        t.osd()->ShowOSD(QStringLiteral("PLAY"));
        t.osd()->breakCountdown();
        QCOMPARE(t.osd()->text(), QStringLiteral("PLAY"));
        QCOMPARE(t.screenSaver->inhibits, inhibits);

        t.osd()->startCountdown();
        t.osd()->TimerCloseSystemTimer();
        t.osd()->TimerCloseSystemTimer();
        t.osd()->breakCountdown();
        QVERIFY(!t.osd()->countdownRunning());
        QCOMPARE(t.osd()->text(), t->messages().text(5));
        QCOMPARE(t.osd()->text(), QStringLiteral("Odliczanie Przerwane"));
        QVERIFY(t.screenSaver->isInhibited());
        QVERIFY(t.power->calls.isEmpty());
        QVERIFY(t->form1()->isVisible());
    }

    void wheelMovesTheFunctionSlider()
    {
        ShownPlayer t;
        t.osd()->ShowOSD(QStringLiteral("VOLUME"));
        QSlider *slider = t->form1()->SliderFUN;
        slider->setValue((slider->minimum() + slider->maximum()) / 2);
        const int start = slider->value();
        const QPointF at(5, 5);
        auto wheel = [&](int delta) {
            QWheelEvent e(at, t.osd()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(t.osd(), &e);
        };
        wheel(120);
        QCOMPARE(slider->value(), start + 1);
        wheel(-120);
        wheel(-120);
        QCOMPARE(slider->value(), start - 1);
    }
};

QTEST_MAIN(TestOsd)
#include "test_osd.moc"
