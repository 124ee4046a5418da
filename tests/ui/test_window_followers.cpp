// What one window's change does to the others: the playlist's transport buttons, the
// subtitle clear timer, the full-screen progress bar, the filter lists, the frame rate the
// preferences show, and the settings table against the controls that hold its values.
#include "core/SettingsSchema.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"
#include "ui/video/TFormFullScreenProgress.h"

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QSlider>
#include <QTimer>
#include <QtTest>

namespace {
constexpr qint64 Second = FilmPlayer::Second;

QStringList menuTexts(const QMenu *menu)
{
    QStringList texts;
    for (const QAction *a : menu->actions())
        texts << a->text();
    return texts;
}
} // namespace

class TestWindowFollowers : public QObject
{
    Q_OBJECT
private slots:
    void thePlaylistButtonsAndTheClearTimerFollowPlayPauseAndStop()
    {
        FilmPlayer f;
        TFormPlayList *list = f.t->formPlayList();
        QTimer *clear = f.t->form3()->TimerNapisClear;
        // Nothing loaded: the list's transport is off.
        QVERIFY(!list->BPlay->isEnabled());
        QVERIFY(!list->BPause->isEnabled());

        f.openFilm();
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        QVERIFY(!list->BPlay->isEnabled());
        QVERIFY(list->BPause->isEnabled());
        QVERIFY(clear->isActive());

        f.panel()->BPauseClick();
        QVERIFY(list->BPlay->isEnabled());
        QVERIFY(!list->BPause->isEnabled());
        QVERIFY(!clear->isActive());

        f.panel()->BPlayClick();
        QVERIFY(!list->BPlay->isEnabled());
        QVERIFY(list->BPause->isEnabled());
        QVERIFY(clear->isActive());

        f.panel()->BStopClick();
        QVERIFY(list->BPlay->isEnabled());
        QVERIFY(!list->BPause->isEnabled());
        // Stopping again, or pausing a stopped film, changes nothing.
        f.panel()->BStopClick();
        f.panel()->BPauseClick();
        QVERIFY(list->BPlay->isEnabled());
        QVERIFY(!list->BPause->isEnabled());

        // A new film stops the clear timer of the last one before it starts its own.
        f.panel()->BPauseClick();
        clear->start();
        f.t.engine->setRenderResult(MediaEngine::RenderResult::Failed);
        f.t.engine->setVideoSize(QSize(0, 0));
        f.t.engine->setDurationFrames(0);
        f.t.engine->setDuration(0);
        f.openFilm(QStringLiteral("broken.avi"));
        QVERIFY(!clear->isActive());
    }

    void theFullScreenBarFollowsTheFilmsLengthAndPosition()
    {
        FilmPlayer f;
        QProgressBar *bar = f.t->formFullScreenProgress()->FullScreenProgress;
        f.openFilm();
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 450000);
        QCOMPARE(bar->value(), 0);
        QCOMPARE(f.panel()->SliderPos->maximum(), 450000);

        f.t.engine->setPosition(125 * Second);
        f.panel()->TimerTimer();
        QCOMPARE(bar->value(), 125000);
        QCOMPARE(f.panel()->SliderPos->value(), 125000);

        // A shorter film: both start again at its beginning, on its length.
        f.t.engine->setDuration(60 * Second);
        f.t.engine->setDurationFrames(60 * 30);
        f.openFilm(QStringLiteral("short.avi"));
        QCOMPARE(bar->maximum(), 60000);
        QCOMPARE(f.panel()->SliderPos->maximum(), 60000);
        f.t.engine->setPosition(0);
        f.panel()->TimerTimer();
        QCOMPARE(bar->value(), 0);
        QCOMPARE(f.panel()->SliderPos->value(), 0);
    }

    void aBuiltGraphRefillsTheFilterListsAndTheFrameRate()
    {
        FilmPlayer f(QSize(320, 240), 100);
        f.t.engine->setDurationFrames(100 * 30); // 30 frames a second
        f.t.engine->setFilters({{"videobalance0", "videobalance", true},
                                {"queue3", "queue", false},
                                {"ximagesink0", "ximagesink", true}});
        f.openFilm();
        QCOMPARE(menuTexts(f.panel()->MenuFiltry),
                 (QStringList{"videobalance0", "ximagesink0", "", "Więcej o filtrach..."}));
        QListWidget *list = f.t->formFiltry()->ListFiltr;
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("ximagesink0"));
        QCOMPARE(f.t->form4()->EFrameToSec->value(), 30.0);
        QVERIFY(f.panel()->SliderFUN->isEnabled());
        QVERIFY(f.panel()->LFunction->isEnabled());

        // A sound file has no frames: the rate goes back to the default and the lists follow
        // the new graph.
        f.t.engine->setFilters({{"audiopanorama0", "audiopanorama", true}});
        f.t.engine->setVideoSize(QSize(0, 0));
        f.t.engine->setDurationFrames(0);
        f.openFilm(QStringLiteral("song.mp3"));
        QCOMPARE(menuTexts(f.panel()->MenuFiltry), (QStringList{"audiopanorama0", "", "Więcej o filtrach..."}));
        QCOMPARE(list->count(), 1);
        QCOMPARE(f.t->form4()->EFrameToSec->value(), 25.0);
    }

    void anEngineErrorWhilePlayingIsShownOnTheOsd()
    {
        FilmPlayer f;
        f.openFilm();
        f.t.engine->fireError(QStringLiteral("Internal data stream error."));
        QCOMPARE(f.osd(), QStringLiteral("Internal data stream error."));
    }

    void everySettingHasAControlAndEveryControlASetting()
    {
        TestPlayer t;
        QStringList rows, unbound;
        for (const SettingsSchema::Setting &s : SettingsSchema::all()) {
            const QString name = QString::fromLatin1(s.name);
            rows << name;
            // The first-run marker and the hand-over name live in the store alone.
            const bool held = s.writers & (SettingsSchema::BySave | SettingsSchema::ByClose);
            if (held && !t->form4()->settingValue(name).isValid())
                unbound << name;
        }
        QVERIFY2(unbound.isEmpty(), qPrintable("settings without a control: " + unbound.join(", ")));
        QStringList extra;
        for (const QString &name : t->form4()->boundSettings())
            if (!rows.contains(name))
                extra << name;
        QVERIFY2(extra.isEmpty(), qPrintable("controls without a setting: " + extra.join(", ")));
    }
};

QTEST_MAIN(TestWindowFollowers)
#include "test_window_followers.moc"
