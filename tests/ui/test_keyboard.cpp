#include "core/KeyCodes.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/KeyEditor.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QStyledItemDelegate>
#include <QFile>
#include <QLabel>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

// A player whose video window is active, so that the keyboard hook is in place.
struct Fixture : FilmPlayer
{
    Fixture() { activate(t->form2()); }
    static void activate(QWidget *w)
    {
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void open()
    {
        openFilm();
        activate(t->form2());
    }
    // A press on a label of the panel: labels ignore keys, so the press climbs to the
    // panel and passes the hook's filter twice.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(panel()->Image1, key, modifiers);
    }
};
} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void spaceTogglesPlayAndPauseOncePerPress()
    {
        Fixture f;
        f.press(Qt::Key_Space); // no film: nothing
        QCOMPARE(f.panel()->PlayState, int(TForm1::StateNone));
        f.open();
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        f.press(Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
        QTest::keyClick(f.t->form2(), Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        // Auto-repeat runs the command again; the release does nothing.
        QTest::keyEvent(QTest::Press, f.panel()->Image1, Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), true);
        QApplication::sendEvent(f.panel()->Image1, &repeat);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        QTest::keyEvent(QTest::Release, f.panel()->Image1, Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        // While a file dialog is open keys are not commands.
        f.t->dialogOpen = true;
        f.press(Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        f.t->dialogOpen = false;
        // A remote command runs its row as the key would.
        f.t->remoteKey(1);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
        f.t->remoteKey(99);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
    }

    void repeatStartStopOff()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        f.t.engine->setPosition(10 * Second);
        p->TimerTimer();
        f.press(Qt::Key_P);
        QCOMPARE(p->RepeatStart, 10 * Second);
        QCOMPARE(p->RepeatStop, 0);
        QCOMPARE(f.osd(), QStringLiteral("Repeat Start Time: 00:00:10"));

        f.t.engine->setPosition(25 * Second);
        p->TimerTimer();
        f.press(Qt::Key_P);
        QCOMPARE(p->RepeatStop, 25 * Second);
        QCOMPARE(f.t.engine->lastSeek(), 10 * Second);
        QCOMPARE(f.osd(), QStringLiteral("Repeat Stop Time: 00:00:25"));

        // Between the second and third press the main timer loops.
        f.t.engine->setPosition(26 * Second);
        const int seeks = f.t.engine->seeks().size();
        p->TimerTimer();
        QCOMPARE(f.t.engine->seeks().size(), seeks + 1);
        QCOMPARE(f.t.engine->lastSeek(), 10 * Second);
        QCOMPARE(f.osd(), QStringLiteral("Repeat"));

        f.press(Qt::Key_P);
        QCOMPARE(p->RepeatStart, 0);
        QCOMPARE(p->RepeatStop, 0);
        QCOMPARE(f.osd(), QStringLiteral("Repeat OFF"));
        f.t.engine->setPosition(30 * Second);
        p->TimerTimer();
        QCOMPARE(f.t.engine->seeks().size(), seeks + 1);
    }

    void keyDuringCountdownOnlyBreaksIt()
    {
        Fixture f;
        f.open();
        f.t->formOSD()->startCountdown();
        QVERIFY(f.t->formOSD()->countdownRunning());
        f.press(Qt::Key_Space);
        QVERIFY(!f.t->formOSD()->countdownRunning());
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(f.osd(), f.t->messages().text(5));
        f.press(Qt::Key_Space); // the next press is a command again
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
    }

    void reboundFrameStepShowsItsCount()
    {
        Fixture f;
        f.open();
        f.t->form4()->keys().setCode(18, KeyCodes::fromQtKey(Qt::Key_K, false));
        f.press(Qt::Key_K);
        QCOMPARE(f.t.engine->frameSteps(), QList<int>{3});
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
        QCOMPARE(f.osd(), f.t->messages().text(7) + "3" + f.t->messages().text(8));
        // The keypad's 3 is another key: row 32's, not a step.
        f.press(Qt::Key_3, Qt::KeypadModifier);
        QCOMPARE(f.t.engine->frameSteps(), QList<int>{3});

        // A failed step changes nothing and says nothing.
        f.press(Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        const QString before = f.osd();
        f.t.engine->setFrameStepSupported(false);
        f.press(Qt::Key_1);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        QCOMPARE(f.osd(), before);
    }

    void correctionJumpsThreeSeconds()
    {
        Fixture f;
        f.open();
        f.t.engine->setPosition(40 * Second);
        f.press(Qt::Key_Return);
        QCOMPARE(f.t.engine->lastSeek(), 43 * Second);
        QCOMPARE(f.osd(), f.t->messages().text(6));
    }

    void volumeKeysUseTheFunctionSliderAndMToggesMute()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        p->BFunction->setTag(0);
        const int level = p->VolumeLevel;
        f.press(Qt::Key_Up);
        QCOMPARE(p->BFunction->tag(), 3);
        QCOMPARE(p->VolumeLevel, level + 1);
        f.press(Qt::Key_Down);
        f.press(Qt::Key_Down);
        QCOMPARE(p->VolumeLevel, level - 1);
        f.press(Qt::Key_Equal); // brightness: the next mode
        QCOMPARE(p->BFunction->tag(), 4);

        f.press(Qt::Key_M);
        QVERIFY(p->ButtonVolume->down());
        QCOMPARE(f.t.engine->volume(), -10000);
        f.press(Qt::Key_M);
        QVERIFY(!p->ButtonVolume->down());
        QVERIFY(f.t.engine->volume() > -10000);
    }

    void heldKeypadPlusZoomsAtEachRepeat()
    {
        Fixture f;
        f.open();
        const int h0 = f.t->form2()->height();
        QKeyEvent first(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"));
        QApplication::sendEvent(f.panel()->Image1, &first);
        const int h1 = f.t->form2()->height();
        QVERIFY(h1 > h0);
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, QStringLiteral("+"), true);
        QApplication::sendEvent(f.panel()->Image1, &repeat);
        QVERIFY(f.t->form2()->height() > h1);
    }

    void numLockOffKeypadShiftsOnlyInFullScreen()
    {
        Fixture f;
        f.open();
        const QRect start = f.t.engine->windowPosition();
        f.press(Qt::Key_Up, Qt::KeypadModifier); // keypad 8 with NumLock off
        QCOMPARE(f.t.engine->windowPosition(), start);
        f.t->setFullScreenActive(true);
        f.press(Qt::Key_Up, Qt::KeypadModifier);
        f.press(Qt::Key_8, Qt::KeypadModifier);
        f.press(Qt::Key_Left, Qt::KeypadModifier);
        QCOMPARE(f.t.engine->windowPosition(), start.translated(10, 20));
    }

    void editorCapturesAndRestores()
    {
        Fixture f;
        TForm4 *prefs = f.t->form4();
        prefs->PageControl->setCurrentWidget(prefs->findChild<QWidget *>("TabSheetKey"));
        Fixture::activate(prefs);
        QTableWidget *grid = prefs->KeyListEditor;
        auto *names = qobject_cast<QStyledItemDelegate *>(grid->itemDelegateForColumn(1));
        QVERIFY(names);
        auto shown = [&](int row) {
            return names->displayText(grid->item(row, 1)->text(), {});
        };
        QCOMPARE(shown(0), QStringLiteral("Space"));
        QCOMPARE(shown(29), QStringLiteral("Num 4"));
        auto click = [&](int row) {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                              grid->visualItemRect(grid->item(row, 1)).center());
        };

        // Keys on the preferences window are not commands.
        f.open();
        Fixture::activate(prefs);
        QTest::keyClick(grid, Qt::Key_Space);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));

        click(0);
        QCOMPARE(grid->item(0, 1)->text(), QString());
        QVERIFY(prefs->keyEditor->capturing());
        QTest::keyClick(grid, Qt::Key_F);
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("2162688"));
        QCOMPARE(shown(0), QStringLiteral("F"));
        QCOMPARE(prefs->keys().entry(1).code, 2162688u);
        QVERIFY(!prefs->keyEditor->capturing());
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying)); // captured, not run

        // Enter binds itself and keeps waiting.
        click(0);
        QTest::keyClick(grid, Qt::Key_Return);
        QCOMPARE(prefs->keys().entry(1).code, 1835008u);
        QVERIFY(prefs->keyEditor->capturing());
        QTest::keyClick(grid, Qt::Key_F);
        QVERIFY(!prefs->keyEditor->capturing());

        // Leaving a cell that still waits puts its key back and keeps the selection.
        click(1);
        QCOMPARE(grid->item(1, 1)->text(), QString());
        click(3);
        QCOMPARE(grid->item(1, 1)->text(), QStringLiteral("3211264"));
        QCOMPARE(grid->item(3, 1)->text(), QStringLiteral("21823488"));
        QCOMPARE(grid->currentRow(), 1);
        QVERIFY(!prefs->keyEditor->capturing());
        QCOMPARE(prefs->keys().entry(2).code, 3211264u);

        // The new key works at once, from the video window.
        Fixture::activate(f.t->form2());
        QTest::keyClick(f.t->form2(), Qt::Key_F);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
