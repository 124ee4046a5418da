#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

struct Fixture : FilmPlayer
{
    Fixture() : FilmPlayer(QSize(320, 240), 450) { openFilm(); }
    TForm2 *video() const { return t->form2(); }
    void mouse(QEvent::Type type, QPoint client, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget *panel = video()->Panel;
        QMouseEvent e(type, client, video()->mapToGlobal(client), button, held, Qt::NoModifier);
        QApplication::sendEvent(panel, &e);
    }
    void press(QPoint client, Qt::MouseButton button) { mouse(QEvent::MouseButtonPress, client, button, button); }
    void wheel(int steps)
    {
        const QPoint at(50, 50);
        QWheelEvent e(at, video()->mapToGlobal(at), QPoint(), QPoint(0, 120 * steps), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
        QApplication::sendEvent(video()->Panel, &e);
    }
};
} // namespace

class TestVideoWindowMouse : public QObject
{
    Q_OBJECT
private slots:
    void theWindowAsItOpens()
    {
        TestPlayer t;
        t->start({});
        TForm2 *v = t->form2();
        QCOMPARE(v->windowTitle(), QStringLiteral("Brivara"));
        QCOMPARE(v->size(), QSize(500, 275));
        QCOMPARE(v->maximumSize(), QSize(1600, 1200));
        QVERIFY(!v->PanelCaption->text().isEmpty());
        QVERIFY(!v->ColorControl1->isEnabled());
        QVERIFY(!v->MSkin->isEnabled());
    }

    void rightClickOpensTheMenuBesideThePointerAndHidesTheSubtitle()
    {
        Fixture f;
        TForm2 *v = f.video();
        f.t->form3()->ShowSubtitle(QStringLiteral("Napis"), false, 10 * Second);
        QVERIFY(f.t->form3()->isVisible());
        v->TimerCursor->stop();

        const QPoint client(40, 30);
        f.press(client, Qt::RightButton);
        QTRY_VERIFY(v->PopupMenu->isVisible());
        QCOMPARE(v->PopupMenu->pos(), v->pos() + client + QPoint(3, 20));
        QVERIFY(v->TimerCursor->isActive());
        QVERIFY(!f.t->form3()->isVisible());
        v->PopupMenu->close();

        // In full screen the client area is the screen: the menu opens at the pointer.
        v->ButtonFullScreenClick();
        f.press(QPoint(300, 200), Qt::RightButton);
        QTRY_VERIFY(v->PopupMenu->isVisible());
        QCOMPARE(v->PopupMenu->pos(), QPoint(300, 200));
        v->PopupMenu->close();
    }

    void theLeftButtonDragsTheWindowUntilReleased()
    {
        Fixture f;
        TForm2 *v = f.video();
        const QPoint start = v->pos();
        f.press(QPoint(50, 50), Qt::LeftButton);
        f.mouse(QEvent::MouseMove, QPoint(80, 70), Qt::NoButton, Qt::LeftButton);
        QCOMPARE(v->pos(), start + QPoint(30, 20));
        f.mouse(QEvent::MouseButtonRelease, QPoint(50, 50), Qt::LeftButton, Qt::NoButton);
        f.mouse(QEvent::MouseMove, QPoint(90, 90), Qt::NoButton, Qt::NoButton);
        QCOMPARE(v->pos(), start + QPoint(30, 20));
    }

    void menuSkipsByTheSettingAndWheelMovesTheFunctionSlider()
    {
        Fixture f;
        TForm2 *v = f.video();
        f.t->form4()->ButtonSkipBack->setValue(300);
        f.t.engine->setPosition(10 * Second);
        v->WPrzd1->trigger();
        QCOMPARE(f.t.engine->lastSeek(), 310 * Second);
        f.t.engine->setPosition(100 * Second);
        v->WTy1->trigger();
        QCOMPARE(f.t.engine->lastSeek(), 0);

        QSlider *slider = f.panel()->SliderFUN;
        const int level = slider->value();
        f.wheel(1);
        QCOMPARE(slider->value(), level + 1);
        f.wheel(-1);
        f.wheel(-1);
        QCOMPARE(slider->value(), level - 1);
    }

    void doubleClickAndTheMenuItemToggleFullScreen()
    {
        Fixture f;
        TForm2 *v = f.video();
        f.mouse(QEvent::MouseButtonDblClick, QPoint(60, 60), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(f.t->fullScreenActive());
        // In full screen a double click is two clicks on the panel toggle, nothing more.
        f.mouse(QEvent::MouseButtonDblClick, QPoint(60, 60), Qt::LeftButton, Qt::LeftButton);
        QVERIFY(f.t->fullScreenActive());
        v->FilmwOknie1->trigger();
        QVERIFY(!f.t->fullScreenActive());
        v->FilmwOknie1->trigger();
        QVERIFY(f.t->fullScreenActive());
    }

    void checkItemsAndLanguages()
    {
        Fixture f;
        TForm2 *v = f.video();
        QVERIFY(v->ColorControl1->isEnabled()); // every graph carries its picture controls
        const bool under = f.t->form4()->NapisPod->isChecked();
        v->NapisyPodObrazem1->trigger();
        QCOMPARE(f.t->form4()->NapisPod->isChecked(), !under);
        v->English1->trigger();
        QVERIFY(v->English1->isChecked());
        QVERIFY(!v->LangMenu->isChecked());
    }
};

QTEST_MAIN(TestVideoWindowMouse)
#include "test_video_window_mouse.moc"
