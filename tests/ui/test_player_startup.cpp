#include "support/TestPlayer.h"
#include "ui/app/BrivaraApplication.h"
#include "ui/app/IdleHook.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/PageInfo.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"
#include "ui/video/TFormFullScreenProgress.h"

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <stdexcept>

class TestPlayerStartup : public QObject
{
    Q_OBJECT
private slots:
    void windowsAreCreatedInTheirFixedOrder()
    {
        TestPlayer t;
        QStringList order;
        for (QWidget *w : t->windows())
            order << w->metaObject()->className();
        QCOMPARE(order, (QStringList{"TForm1", "TFormFullScreenProgress", "TForm2", "TForm3",
                                     "TFormPlayList", "TFormFiltry", "TFormOSD", "TFormMenu",
                                     "TForm4"}));
        for (QWidget *w : t->windows())
            QCOMPARE(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
    }

    void windowsHaveTheirCaptionsAndStyles()
    {
        TestPlayer t;
        QCOMPARE(t->form1()->windowTitle(), QStringLiteral("Brivara V1.7"));
        QCOMPARE(t->form2()->windowTitle(), QStringLiteral("Brivara"));
        QCOMPARE(t->form3()->windowTitle(), QStringLiteral("Napisy"));
        QCOMPARE(t->formPlayList()->windowTitle(), QStringLiteral("Brivara - PlayList (Lista plików)"));
        QCOMPARE(t->formFiltry()->windowTitle(), QStringLiteral("Filtry:"));
        QCOMPARE(t->formOSD()->windowTitle(), QStringLiteral("OSD"));
        QCOMPARE(t->formMenu()->windowTitle(), QStringLiteral("Menu"));
        QCOMPARE(t->form4()->windowTitle(), QStringLiteral("Brivara - Setup"));

        for (QWidget *w : {static_cast<QWidget *>(t->form1()),
                           static_cast<QWidget *>(t->formFullScreenProgress()),
                           static_cast<QWidget *>(t->form3()), static_cast<QWidget *>(t->formOSD()),
                           static_cast<QWidget *>(t->formMenu())}) {
            QVERIFY2(w->windowFlags() & Qt::FramelessWindowHint, w->metaObject()->className());
            QVERIFY2(w->windowFlags() & Qt::WindowStaysOnTopHint, w->metaObject()->className());
        }
        QCOMPARE(t->form1()->size(), QSize(492, 72));
        QCOMPARE(t->form2()->size(), QSize(500, 275));
        QCOMPARE(t->form2()->maximumSize(), QSize(1600, 1200));
        QCOMPARE(t->formPlayList()->size(), QSize(338, 300));
        QCOMPARE(t->formPlayList()->minimumSize(), QSize(323, 150));
        QCOMPARE(t->formFullScreenProgress()->height(), 15);
        QCOMPARE(t->formFiltry()->width(), TFormFiltry::CollapsedWidth);
        QCOMPARE(t->form4()->windowFlags() & Qt::Tool, Qt::Tool);
    }

    void panelControlsStartAsDesigned()
    {
        TestPlayer t;
        TForm1 *panel = t->form1();
        auto button = [&](const char *name) { return panel->findChild<TZDButton *>(name); };
        for (const char *name : {"BPlay", "BPause", "BStop", "BBack", "BStep", "BNext", "BPrev",
                                 "ButtonFullScreen"}) {
            QVERIFY2(button(name), name);
            QVERIFY2(!button(name)->isEnabled(), name);
        }
        QCOMPARE(button("BPlay")->geometry(), QRect(2, 17, 29, 22));
        QCOMPARE(button("CaptionClose")->geometry(), QRect(477, 4, 14, 13));
        QVERIFY(button("CaptionSzpilka")->down());
        QCOMPARE(button("CaptionSzpilka")->tag(), 0);
        QCOMPARE(button("BFunction")->tag(), 3);
        QVERIFY(!button("ButtonSnapShot")->isVisibleTo(panel));
        QCOMPARE(button("BPlay")->toolTip(), QStringLiteral("Odtwarzaj\r\n(Klawisz 'SPACE')"));
        QCOMPARE(panel->findChild<QLabel *>("ProgName")->text(), QStringLiteral("Brivara V1.7"));
        QCOMPARE(panel->findChild<QLabel *>("StatusTime")->text(), QStringLiteral("00:00:00/00:00:00"));
        auto *pos = panel->findChild<QSlider *>("SliderPos");
        QCOMPARE(pos->maximum(), 100000);
        QVERIFY(!pos->isEnabled());
        auto *fun = panel->findChild<QSlider *>("SliderFUN");
        QCOMPARE(fun->minimum(), -5);
        QCOMPARE(fun->maximum(), 5);
        QCOMPARE(panel->findChild<QTimer *>("Timer")->interval(), 400);
        QVERIFY(!panel->findChild<QTimer *>("Timer")->isActive());
        QVERIFY(panel->findChild<QTimer *>("TimerFreez")->isActive());
        QCOMPARE(button("BFiltry")->dropDownMenu(), panel->MenuFiltry);
        QCOMPARE(panel->MenuFiltry->actions().last()->text(), QStringLiteral("Więcej o filtrach..."));
    }

    void panelShapeLosesTheBottomStrips()
    {
        TestPlayer t;
        t->start({});
        QVERIFY(QTest::qWaitForWindowExposed(t->form1()));
        const QRegion mask = t->form1()->mask();
        QVERIFY(mask.contains(QPoint(10, 10)));
        QVERIFY(mask.contains(QPoint(20, 70)));   // between the left corner and the slot
        QVERIFY(!mask.contains(QPoint(100, 70))); // the slot under the buttons
        QVERIFY(!mask.contains(QPoint(1, 68)));
        QVERIFY(!mask.contains(QPoint(491, 71)));
        // A resize rebuilds it (and the designed panel snaps back to its size).
        t->form1()->resize(300, 60);
        QCOMPARE(t->form1()->size(), QSize(492, 72));
        QVERIFY(!t->form1()->mask().contains(QPoint(100, 70)));
    }

    void startShowsPanelAndVideoWindowOnly()
    {
        TestPlayer t;
        t->start({});
        // The desktop is asked to stay awake once the start is through, not on its way.
        QVERIFY(!t.screenSaver->inhibited);
        QVERIFY(QTest::qWaitForWindowExposed(t->form1()));
        QVERIFY(t.screenSaver->inhibited);
        QVERIFY(t->form1()->isVisible());
        QVERIFY(t->form2()->isVisible());
        for (QWidget *w : t->windows())
            if (w != t->form1() && w != t->form2())
                QVERIFY2(!w->isVisible(), w->metaObject()->className());
    }

    void closingThePanelEndsTheRunAndLetsTheScreenSaverBack()
    {
        TestPlayer t;
        t->start({});
        QSignalSpy closed(t.player.get(), &Player::closed);
        t->form1()->CaptionClose->click();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!t.screenSaver->inhibited);
        QCOMPARE(t.screenSaver->releases, 1);
        QVERIFY(!t->form1()->Timer->isActive());
    }

    void closingTheVideoWindowClosesThePanel()
    {
        TestPlayer t;
        t->start({});
        QSignalSpy closed(t.player.get(), &Player::closed);
        t->form2()->close();
        QTRY_COMPARE(closed.count(), 1);
        QVERIFY(!t->form1()->isVisible());
    }

    void draggingTheBackgroundMovesThePanel()
    {
        TestPlayer t;
        t->start({});
        TForm1 *panel = t->form1();
        QVERIFY(QTest::qWaitForWindowExposed(panel));
        panel->move(200, 300);
        QTRY_COMPARE(panel->pos(), QPoint(200, 300));
        QTest::mousePress(panel->Image1, Qt::LeftButton, {}, QPoint(250, 65));
        QVERIFY(t->dragging);
        QMouseEvent move(QEvent::MouseMove, QPointF(280, 45), panel->Image1->mapToGlobal(QPointF(280, 45)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(panel->Image1, &move);
        QTRY_COMPARE(panel->pos(), QPoint(230, 280));
        QTest::mouseRelease(panel->Image1, Qt::LeftButton, {}, QPoint(30, -20));
        QVERIFY(!t->dragging);
        // The status labels drag as well; a button does not.
        QTest::mousePress(panel->StatusRoz, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(t->dragging);
        QTest::mouseRelease(panel->StatusRoz, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mousePress(panel->ButtonOpen, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!t->dragging);
        QTest::mouseRelease(panel->ButtonOpen, Qt::LeftButton, {}, QPoint(5, 5));
    }

    void releaseInFullScreenRemembersThePanelPlace()
    {
        TestPlayer t;
        t->start({});
        TForm1 *panel = t->form1();
        t->setFullScreenActive(true);
        panel->move(40, 50);
        QTRY_COMPARE(panel->pos(), QPoint(40, 50));
        QTest::mousePress(panel->Image1, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(panel->Image1, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(panel->FullScreenPanelLeft, 40);
        QCOMPARE(panel->FullScreenPanelTop, 50);
    }

    void pinKeepsTheWindowsTogetherBothWays()
    {
        TestPlayer t;
        t->start({});
        TForm1 *panel = t->form1();
        TForm2 *video = t->form2();
        QVERIFY(QTest::qWaitForWindowExposed(video));
        panel->move(300, 700);
        video->move(10, 10);
        QApplication::setActiveWindow(panel);
        QTRY_COMPARE(QApplication::activeWindow(), panel);
        panel->AppEventsIdle();
        const QRect pf = panel->frameGeometry();
        QCOMPARE(video->frameGeometry().bottom() + 1, pf.top());
        QCOMPARE(video->frameGeometry().left(), pf.left() + pf.width() / 2 - video->frameGeometry().width() / 2);

        QApplication::setActiveWindow(video);
        QTRY_COMPARE(QApplication::activeWindow(), video);
        video->move(100, 100);
        QTRY_COMPARE(video->pos(), QPoint(100, 100));
        panel->AppEventsIdle();
        QCOMPARE(panel->frameGeometry().top(), video->frameGeometry().bottom() + 1);

        // Unpinned: nobody follows anybody.
        panel->CaptionSzpilka->click();
        QCOMPARE(panel->CaptionSzpilka->tag(), 1);
        QVERIFY(!panel->CaptionSzpilka->down());
        video->move(500, 100);
        QTRY_COMPARE(video->pos(), QPoint(500, 100));
        const QPoint before = panel->pos();
        panel->AppEventsIdle();
        QCOMPARE(panel->pos(), before);
        panel->CaptionSzpilka->click();
        QCOMPARE(panel->CaptionSzpilka->tag(), 0);
        QVERIFY(panel->CaptionSzpilka->down());
    }

    void idleHandlerRunsWhenTheQueueDrainsAndNotInBetween()
    {
        TestPlayer t;
        t->start({});
        QTest::qWait(100);
        const quint64 settled = t->idleHook().runs();
        QTest::qWait(300); // nothing happens: no runs beyond those the repaint timers cause
        QVERIFY2(t->idleHook().runs() - settled < 5,
                 qPrintable(QString::number(t->idleHook().runs() - settled)));
        QTimer::singleShot(0, [] {});
        QCoreApplication::postEvent(t->form1(), new QEvent(QEvent::User));
        QTRY_VERIFY(t->idleHook().runs() > settled);
    }

    void minimiseAndRestoreFollowTheRun()
    {
        TestPlayer t;
        t->start({});
        TForm1 *panel = t->form1();
        panel->AppEventsMinimize();
        QVERIFY(panel->Minimized);
        panel->AppEventsRestore();
        QVERIFY(!panel->Minimized);
    }

    void menuItemsActOnTheWindows()
    {
        TestPlayer t;
        t->start({});
        TForm2 *video = t->form2();
        video->MShowPanel->trigger();
        QVERIFY(!t->form1()->isVisible());
        QCOMPARE(video->MShowPanel->text(), QStringLiteral("Pokaż Panel Sterujący"));
        video->MShowPanel->trigger();
        QVERIFY(t->form1()->isVisible());
        QCOMPARE(video->MShowPanel->text(), QStringLiteral("Widoczny Panel Sterujący"));

        video->PlayLista1->trigger();
        QVERIFY(t->formPlayList()->isVisible());
        t->form1()->ButtonPlayList->click();
        QVERIFY(!t->formPlayList()->isVisible());

        video->OProgramie1->trigger();
        QVERIFY(t->form4()->isVisible());
        QCOMPARE(t->form4()->PageControl->currentWidget(), t->form4()->SetupInfo);

        t->form1()->Wicejofiltrach1->trigger();
        QVERIFY(t->formFiltry()->isVisible());

        // The clear item removes every file of five, never the separator or itself.
        for (int i = 1; i <= 5; ++i)
            video->addRecentFile(QStringLiteral("/films/%1.avi").arg(i));
        QCOMPARE(video->MLastOpen->actions().size(), 7);
        video->MClearLastOpen->trigger();
        QCOMPARE(video->MLastOpen->actions().size(), 2);
        QVERIFY(video->MLastOpen->actions().first()->isSeparator());
        QCOMPARE(video->MLastOpen->actions().last(), video->MClearLastOpen);
        QVERIFY(video->recentFiles().isEmpty());
        video->MClearLastOpen->trigger();
        QCOMPARE(video->MLastOpen->actions().size(), 2);
    }

    void anEscapedErrorIsReportedAndTheProgramGoesOn()
    {
        auto *app = qobject_cast<BrivaraApplication *>(QCoreApplication::instance());
        QVERIFY(app);
        QStringList reported;
        app->setErrorReporter([&](const QString &m) { reported << m; });
        struct Thrower : QObject
        {
            bool event(QEvent *e) override
            {
                if (e->type() == QEvent::User)
                    throw std::runtime_error("broken handler");
                return QObject::event(e);
            }
        } thrower;
        QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&thrower);
        QCOMPARE(reported, QStringList{"broken handler"});
        app->setErrorReporter({});
    }
};

int main(int argc, char **argv)
{
    BrivaraApplication app(argc, argv);
    TestPlayerStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_player_startup.moc"
