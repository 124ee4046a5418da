#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QSlider>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

struct Fixture : FilmPlayer
{
    Fixture() : FilmPlayer(QSize(320, 240), 60) {}
    void open(const QString &name = QStringLiteral("film.avi")) { openFilm(name); }
    // Clicks the mode button until the given mode is current.
    void toMode(int mode)
    {
        for (int i = 0; i < 8 && panel()->BFunction->tag() != mode; ++i)
            panel()->BFunction->click();
        QCOMPARE(panel()->BFunction->tag(), mode);
    }
    void wheel(QWidget *over, int delta)
    {
        QWheelEvent e(QPointF(2, 2), over->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &e);
    }
};
} // namespace

class TestFunctionSliderUi : public QObject
{
    Q_OBJECT
private slots:
    void theModeButtonCyclesNamesAndStoredLevels()
    {
        Fixture f;
        TForm1 *p = f.panel();
        QCOMPARE(p->BFunction->tag(), 3);
        QCOMPARE(p->LFunction->text(), QStringLiteral("Volume"));
        p->BalanceLevel = -2;
        p->ContrastLevel = 4;
        const QStringList names{"Bright", "Contrast", "Satura", "Quality", "TXT", "Speed", "Balans", "Volume"};
        const QList<int> levels{0, 4, 0, 0, 0, 0, -2, 0};
        for (int i = 0; i < names.size(); ++i) {
            p->BFunction->click();
            QCOMPARE(p->BFunction->tag(), (4 + i) % 8);
            QCOMPARE(p->LFunction->text(), names[i]);
            QCOMPARE(p->SliderFUN->value(), levels[i]);
        }
    }

    void picturesModesWaitForAFilm()
    {
        Fixture f;
        TForm1 *p = f.panel();
        p->BFunction->click(); // Bright, nothing built
        QVERIFY(!p->SliderFUN->isEnabled());
        QVERIFY(!p->LFunction->isEnabled());
        f.open();
        QVERIFY(p->SliderFUN->isEnabled()); // building the graph enables every mode
        f.toMode(0);
        QVERIFY(p->SliderFUN->isEnabled());
        f.toMode(5);
        QVERIFY(p->SliderFUN->isEnabled());
        QVERIFY(p->LFunction->isEnabled());
    }

    void eachModeReachesTheEngineAndTheOsd()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;

        f.toMode(0);
        p->SliderFUN->setValue(-3);
        QCOMPARE(p->TxtShift, -3);
        QCOMPARE(f.osd(), f.t->messages().text(4) + QStringLiteral("-3 sek"));

        f.toMode(1);
        p->SliderFUN->setValue(-5);
        QCOMPARE(p->SpeedLevel, -5);
        QCOMPARE(e->rate(), 0.1);
        QCOMPARE(f.osd(), QStringLiteral("Speed x") + QLocale().toString(0.1, 'f', 1));

        f.toMode(2);
        QCOMPARE(p->SliderFUN->value(), 0); // from -5: the balance level 0 is sent again
        QCOMPARE(f.osd(), QStringLiteral("Balans [-----|-----]"));
        p->SliderFUN->setValue(-5);
        QCOMPARE(e->balance(), -2500);
        QCOMPARE(f.osd(), QStringLiteral("Balans [|----------]"));

        f.toMode(3);
        p->SliderFUN->setValue(2);
        QCOMPARE(p->VolumeLevel, 2);
        QCOMPARE(e->volume(), -225);
        QCOMPARE(f.osd(), QStringLiteral("Volume [-------|---]"));

        f.toMode(4);
        p->SliderFUN->setValue(5);
        f.toMode(5);
        p->SliderFUN->setValue(-5);
        f.toMode(6);
        p->SliderFUN->setValue(2);
        QCOMPARE(f.osd(), QStringLiteral("Saturation [-------|---]"));
        const MediaEngine::PictureControls c = e->pictureControls();
        QCOMPARE(c.brightness, 1.0);
        QCOMPARE(c.contrast, 0.0);
        QCOMPARE(c.saturation, 1.4);
        QCOMPARE(p->BrightLevel, 5);
        QCOMPARE(p->ContrastLevel, -5);

        f.toMode(7);
        p->SliderFUN->setValue(-1);
        QCOMPARE(p->QualityLevel, -1);
        QCOMPARE(f.osd(), QStringLiteral("Quality [----|------]"));
        QCOMPARE(e->pictureControls().saturation, 1.4); // quality leaves the picture alone
    }

    void withNothingLoadedTheSliderOnlyKeepsItsLevels()
    {
        Fixture f;
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;
        e->setVolume(-1);
        f.toMode(0);
        p->SliderFUN->setValue(4);
        QCOMPARE(p->TxtShift, 0);
        f.toMode(3);
        p->SliderFUN->setValue(1);
        QCOMPARE(p->VolumeLevel, 1);
        QCOMPARE(e->volume(), -1);
        f.toMode(1);
        p->SliderFUN->setValue(3);
        QCOMPARE(p->SpeedLevel, 3);
        QCOMPARE(e->rate(), 1.0);
        // The kept volume is what the next film gets.
        f.open();
        QCOMPARE(e->volume(), -400);
    }

    void muteAndItsUndoingByAVolumeChange()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;
        p->ButtonVolume->click();
        QVERIFY(p->ButtonVolume->down());
        QCOMPARE(e->volume(), -10000);
        QCOMPARE(f.osd(), QStringLiteral("MUTE ON"));
        p->ButtonVolume->click();
        QCOMPARE(e->volume(), -625);
        QCOMPARE(f.osd(), QStringLiteral("MUTE OFF"));

        p->ButtonVolume->click();
        p->SliderFUN->setValue(-1);
        QVERIFY(!p->ButtonVolume->down());
        QCOMPARE(e->volume(), -900);
        // A muted film stays muted on the next open.
        p->ButtonVolume->click();
        f.open(QStringLiteral("next.avi"));
        QCOMPARE(e->volume(), -10000);
    }

    void switchingModeResendsOnlyADifferentLevel()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;
        p->SliderFUN->setValue(2);   // volume
        f.toMode(4);                 // slider 2 -> 0: brightness 0 sent
        e->setVolume(-7);
        f.toMode(3);                 // slider 0 -> 2: the volume goes again
        QCOMPARE(e->volume(), -225);
        QCOMPARE(f.osd(), QStringLiteral("Volume [-------|---]"));
        p->SliderFUN->setValue(0);
        f.toMode(4);                 // 0 -> 0 both ways: nothing sent
        e->setVolume(-7);
        f.toMode(3);
        QCOMPARE(e->volume(), -7);
    }

    void aNewFilmStartsAtNormalSpeedAndCentred()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        f.toMode(2);
        p->SliderFUN->setValue(4);
        f.toMode(1);
        p->SliderFUN->setValue(-2);
        f.toMode(3);
        QCOMPARE(f.t.engine->balance(), 2000);
        f.open(QStringLiteral("next.avi"));
        QCOMPARE(f.t.engine->rate(), 1.0);
        QCOMPARE(f.t.engine->balance(), 0);
        QCOMPARE(p->SpeedLevel, 0);
        QCOMPARE(p->BalanceLevel, 0);
    }

    void theWheelStepsTheSliderWithinItsRange()
    {
        Fixture f;
        f.open();
        TForm1 *p = f.panel();
        FakeMediaEngine *e = f.t.engine;
        f.wheel(p, 120);
        QCOMPARE(p->SliderFUN->value(), 1);
        QCOMPARE(e->volume(), -400);
        f.wheel(p->SliderFUN, -120);
        QCOMPARE(p->SliderFUN->value(), 0);
        f.wheel(p->LFunction, -120); // a label lets the turn through to the panel
        QCOMPARE(p->SliderFUN->value(), -1);
        for (int i = 0; i < 6; ++i)
            f.wheel(p->SliderFUN, -120);
        QCOMPARE(p->SliderFUN->value(), -5);
        e->setVolume(-3);
        f.wheel(p, -120);            // at the end: no change, nothing applied
        QCOMPARE(p->SliderFUN->value(), -5);
        QCOMPARE(e->volume(), -3);
    }
};

QTEST_MAIN(TestFunctionSliderUi)
#include "test_function_slider.moc"
