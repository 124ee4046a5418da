#include "support/TestPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QSignalSpy>
#include <QSlider>
#include <QTimer>
#include <QtTest>

namespace {

// A started player with its video window on screen and a picture in it, IQ Text on and
// letters 30 pixels high (6 % of the 500-pixel picture).
struct SubtitlePlayer : TestPlayer
{
    SubtitlePlayer()
    {
        player->start({});
        TForm2 *video = player->form2();
        video->setGeometry(100, 80, 800, 560);
        video->show();
        QVERIFY(QTest::qWaitForWindowExposed(video));
        video->ZoomRect = QRect(0, 30, 800, 500);
        prefs()->FontAutoHeight->setChecked(true);
        prefs()->FontVol->setValue(6);
        prefs()->IQNapisow->setChecked(true);
        prefs()->IQDziel->setChecked(true);
        prefs()->IQZmniejsz->setChecked(false);
        prefs()->NapisPod->setChecked(false);
        prefs()->NapisBottom->setValue(0);
        setKind(0);
    }
    TForm3 *sub() const { return player->form3(); }
    TForm4 *prefs() const { return player->form4(); }
    void setKind(int id) const { prefs()->FontTypeGroup->button(id)->setChecked(true); }
    QStringList shownLines() const
    {
        QStringList lines;
        for (const auto &line : sub()->composition().lines)
            lines << line.text;
        return lines;
    }
};

void press(QWidget *w, int y)
{
    QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, y), w->mapToGlobal(QPointF(5, y)), Qt::LeftButton,
                  Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void moveTo(QWidget *w, int y)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(5, y), w->mapToGlobal(QPointF(5, y)), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void release(QWidget *w)
{
    QMouseEvent e(QEvent::MouseButtonRelease, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                  Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

} // namespace

class TestSubtitleWindow : public QObject
{
    Q_OBJECT
private slots:
    void aSubtitleWaitsForTheOneBeingRead()
    {
        SubtitlePlayer t;
        // Playing starts the clear timer with nothing on screen: nothing to wait for.
        t.sub()->TimerNapisClear->start();
        t.sub()->ShowSubtitle(QStringLiteral("Pierwszy napis"), false, 10000);
        QVERIFY(t.sub()->waiting().isEmpty());
        QVERIFY(t.sub()->isVisible());
        QVERIFY(t.sub()->TimerNapisClear->isActive());
        QCOMPARE(t.shownLines(), QStringList{"Pierwszy napis"});

        t.sub()->ShowSubtitle(QStringLiteral("Drugi"), false, 10000);
        QCOMPARE(t.sub()->waiting(), QStringList{"Drugi"});
        QCOMPARE(t.shownLines(), QStringList{"Pierwszy napis"});

        // Time is up: the waiting text follows, timed with the gap kept when it was
        // queued and while it still counts as waiting (5 characters: 800 ms, doubled).
        t.sub()->TimerNapisClearTimer();
        QCOMPARE(t.shownLines(), QStringList{"Drugi"});
        QVERIFY(t.sub()->waiting().isEmpty());
        QVERIFY(t.sub()->isVisible());
        QVERIFY(t.sub()->TimerNapisClear->isActive());
        QCOMPARE(t.sub()->TimerNapisClear->interval(), 1600);

        // Nothing waits: the window goes.
        t.sub()->TimerNapisClearTimer();
        QVERIFY(!t.sub()->isVisible());
        QVERIFY(!t.sub()->TimerNapisClear->isActive());

        // A jump in the film forgets what waits.
        t.sub()->ShowSubtitle(QStringLiteral("Trzeci"), false, 10000);
        t.sub()->ShowSubtitle(QStringLiteral("Czwarty"), false, 10000);
        t.sub()->emptyQueue();
        t.sub()->TimerNapisClearTimer();
        QVERIFY(!t.sub()->isVisible());
    }

    void withoutIQTextANewSubtitleReplacesTheOldAtOnce()
    {
        SubtitlePlayer t;
        t.prefs()->IQNapisow->setChecked(false);
        t.prefs()->NapisyCzas->setValue(7);
        t.sub()->ShowSubtitle(QStringLiteral("Pierwszy"), false, 10000);
        t.sub()->ShowSubtitle(QStringLiteral("Drugi"), false, 10000);
        QCOMPARE(t.shownLines(), QStringList{"Drugi"});
        QVERIFY(t.sub()->waiting().isEmpty());
        QCOMPARE(t.sub()->TimerNapisClear->interval(), 7000);
        QVERIFY(t.sub()->TimerNapisClear->isActive());
    }

    void nothingWhileMinimised()
    {
        SubtitlePlayer t;
        t->form1()->Minimized = true;
        t.sub()->ShowSubtitle(QStringLiteral("Nie widać"), false, 10000);
        QVERIFY(!t.sub()->isVisible());
        QVERIFY(!t.sub()->TimerNapisClear->isActive());

        t->form1()->Minimized = false;
        t.sub()->ShowSubtitle(QStringLiteral("Widać"), false, 10000);
        t->form1()->Minimized = true;
        t.sub()->ShowSubtitle(QStringLiteral("Nie czeka"), false, 10000);
        QVERIFY(t.sub()->waiting().isEmpty());
        QCOMPARE(t.shownLines(), QStringList{"Widać"});
    }

    void transparentWindowIsCutToItsOutlinedLetters()
    {
        SubtitlePlayer t;
        t.prefs()->EObwodka->setValue(4);
        t.sub()->greet();
        TForm3 *s = t.sub();
        QCOMPARE(t.shownLines(), QStringList{"ZD"});
        const SubtitleComposition &c = s->composition();
        QCOMPARE(c.charHeight, 30);
        QCOMPARE(s->height(), 30 + 12);
        QCOMPARE(s->width(), c.textWidth + 4 + 1);
        const QRect video = t->form2()->frameGeometry();
        QCOMPARE(s->x(), video.left() + video.width() / 2 - s->width() / 2);
        QCOMPARE(s->y(), video.bottom() + 1 - s->height());
        QCOMPARE(s->mask(), c.outline);
        // A wider outline thickens the shape to the right and downwards only.
        const QRect thick = c.outline.boundingRect();
        t.prefs()->EObwodka->setValue(1);
        s->ShowSubtitle(QStringLiteral("ZD"), false, 10000); // IQ Text: it waits
        s->TimerNapisClearTimer();
        const QRect thin = s->composition().outline.boundingRect();
        QCOMPARE(thick.topLeft(), thin.topLeft());
        QCOMPARE(thick.size(), thin.size() + QSize(3, 3));
    }

    void opaqueStripSpansTheVideoWindowAndStays()
    {
        SubtitlePlayer t;
        t.setKind(1);
        t.sub()->ShowSubtitle(QStringLiteral("Ala ma kota"), false, 10000);
        TForm3 *s = t.sub();
        const SubtitleComposition &c = s->composition();
        const QRect video = t->form2()->frameGeometry();
        QCOMPARE(s->x(), video.left() + 4);
        QCOMPARE(s->width(), t->form2()->width());
        QCOMPARE(c.count, 3); // always three lines high
        QCOMPARE(s->height(), 3 * c.charHeight + 12);
        QCOMPARE(c.boxOffset, s->width() / 2 - c.textWidth / 2);
        QCOMPARE(c.lines[0].at.x(), c.boxOffset + 1);
        QVERIFY(s->mask().isEmpty());

        // Time is up: the strip stays, its letters go.
        s->TimerNapisClearTimer();
        QVERIFY(s->isVisible());
        QVERIFY(!s->textShown());

        // Back to transparent: the window is cut again and goes when the time is up.
        t.setKind(0);
        s->ShowSubtitle(QStringLiteral("Ala"), false, 10000);
        QVERIFY(!s->mask().isEmpty());
        s->TimerNapisClearTimer();
        QVERIFY(!s->isVisible());
    }

    void subtitlesUnderThePictureKeepThreeLines()
    {
        SubtitlePlayer t;
        t.prefs()->NapisPod->setChecked(true);
        t.sub()->ShowSubtitle(QStringLiteral("Jedna linia"), false, 10000);
        QCOMPARE(t.sub()->composition().count, 3);
        QCOMPARE(t.sub()->height(), 3 * 30 + 12);
        QCOMPARE(t.shownLines(), QStringList{"Jedna linia"});

        t.prefs()->NapisPod->setChecked(false);
        t.sub()->TimerNapisClearTimer();
        t.sub()->ShowSubtitle(QStringLiteral("Ala|ma|kota|psa"), false, 10000);
        QCOMPARE(t.shownLines(), (QStringList{"Ala", "ma", "kota|psa"}));
        QCOMPARE(t.sub()->height(), 3 * 30 + 12);
        t.sub()->TimerNapisClearTimer();
        t.sub()->ShowSubtitle(QStringLiteral("Ala|ma"), false, 10000);
        QCOMPARE(t.sub()->height(), 2 * 30 + 12);
    }

    void tooWideSubtitlesSplitOrShrink()
    {
        SubtitlePlayer t;
        t->form2()->resize(300, 560);
        t.prefs()->IQNapisow->setChecked(false);
        const QString longLine = QStringLiteral("To jest bardzo długi napis, który nie mieści się w oknie filmu");

        // Split into three lines at most, however wide they stay.
        t.sub()->ShowSubtitle(longLine, false, 10000);
        QCOMPARE(t.sub()->composition().count, 3);
        QCOMPARE(t.shownLines().join(QString()), longLine);
        QCOMPARE(t.shownLines().first(), QStringLiteral("To jest bardzo długi napis,"));

        // Not split: one line, wider than the video window.
        t.prefs()->IQDziel->setChecked(false);
        t.sub()->ShowSubtitle(longLine, false, 10000);
        QCOMPARE(t.shownLines(), QStringList{longLine});
        QVERIFY(t.sub()->composition().textWidth > 300);
        const int fullHeight = t.sub()->composition().charHeight;

        // Shrunk until it fits the window's client width (FWidth 99 %: all of it).
        t.prefs()->IQZmniejsz->setChecked(true);
        t.sub()->ShowSubtitle(longLine, false, 10000);
        const SubtitleComposition &c = t.sub()->composition();
        QCOMPARE(t.shownLines(), QStringList{longLine});
        QVERIFY(c.textWidth <= 300);
        QVERIFY(c.charHeight < fullHeight);
        QCOMPARE(QFontMetrics(c.lines[0].font).horizontalAdvance(longLine), c.textWidth);
        QCOMPARE(t.sub()->height(), c.charHeight + 12);
    }

    void draggingStaysInsideTheVideoWindow()
    {
        SubtitlePlayer t;
        TForm3 *s = t.sub();
        s->ShowSubtitle(QStringLiteral("Przeciągnij mnie"), false, 10000);
        const QRect video = t->form2()->frameGeometry();
        const int startTop = s->y();
        press(s, 10);
        QVERIFY(t->dragging);

        // 100 pixels up: the percent of the room left above the bottom.
        moveTo(s, 10 - 100);
        QCOMPARE(s->y(), startTop - 100);
        const double room = video.height() - s->height() - t->captionHeight;
        QCOMPARE(t.prefs()->NapisBottom->value(), double(qRound(100 * 100.0 / room)));

        // Above the top or below the bottom: it stays where it was.
        moveTo(s, 10 - video.height());
        QCOMPARE(s->y(), startTop - 100);
        moveTo(s, 10 + 200);
        QCOMPARE(s->y(), startTop - 100);
        QCOMPARE(t.prefs()->NapisBottom->value(), double(qRound(100 * 100.0 / room)));

        // Its time runs out while held: it stays, and what waits is dropped.
        s->ShowSubtitle(QStringLiteral("Czeka"), false, 10000);
        QCOMPARE(s->waiting().size(), 1);
        s->TimerNapisClearTimer();
        QVERIFY(s->isVisible());
        QVERIFY(s->waiting().isEmpty());

        release(s);
        QVERIFY(!t->dragging);
        moveTo(s, 10 - 50);
        QCOMPARE(s->y(), startTop - 100);
    }

    void wheelAndEscape()
    {
        SubtitlePlayer t;
        TForm3 *s = t.sub();
        QSlider *fun = t->form1()->SliderFUN;
        fun->setEnabled(true);
        fun->setValue((fun->minimum() + fun->maximum()) / 2);
        const int start = fun->value();
        QWheelEvent up(QPointF(5, 5), s->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 120), Qt::NoButton,
                       Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(s, &up);
        QCOMPARE(fun->value(), start + 1);
        QWheelEvent down(QPointF(5, 5), s->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -240), Qt::NoButton,
                         Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(s, &down);
        QCOMPARE(fun->value(), start);

        // Escape asks the full-screen command to go back, only in full screen.
        TZDButton *fullScreen = t->form1()->ButtonFullScreen;
        fullScreen->setEnabled(true);
        QSignalSpy clicks(fullScreen, &TZDButton::clicked);
        QTest::keyClick(s, Qt::Key_Escape);
        QCOMPARE(clicks.count(), 0);
        t->setFullScreenActive(true);
        QTest::keyClick(s, Qt::Key_Escape);
        QCOMPARE(clicks.count(), 1);
        t->setFullScreenActive(false);
    }
};

QTEST_MAIN(TestSubtitleWindow)
#include "test_subtitle_window.moc"
