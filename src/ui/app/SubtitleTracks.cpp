// Subtitle tracks inside the film: offered in the subtitle menu beside the files, chosen like
// a file, their cues gathered into the subtitle list as the engine reads them.
#include "ui/app/TForm1.h"

#include "core/SubtitleTrackCues.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

namespace {
constexpr const char *TrackProperty = "textTrack";
} // namespace

void TForm1::listTextTracks()
{
    for (QAction *item : MenuTXT->actions())
        if (item->property(TrackProperty).isValid())
            delete item;
    const QList<MediaEngine::TextTrack> tracks = app.form2()->engine().textTracks();
    if (tracks.isEmpty())
        return;
    auto *group = MenuTXT->findChild<QActionGroup *>(QStringLiteral("MenuTXTGroup"));
    if (!group) {
        group = new QActionGroup(MenuTXT);
        group->setObjectName(QStringLiteral("MenuTXTGroup"));
    }
    // After the files, before the separator and "Szukaj innych plików z napisami...".
    const QList<QAction *> items = MenuTXT->actions();
    QAction *fixed = items.value(items.size() - 2);
    for (const MediaEngine::TextTrack &track : tracks) {
        auto *item = new QAction(SubtitleTrackCues::caption(track.index, track.language), MenuTXT);
        item->setCheckable(true);
        item->setChecked(track.index == TextTrack);
        item->setProperty(TrackProperty, track.index);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { MenuTrackClick(item); });
        MenuTXT->insertAction(fixed, item);
    }
    ButtonOpenTXT->setDropDownMenu(MenuTXT);
}

void TForm1::MenuTrackClick(QAction *item)
{
    const int index = item->property(TrackProperty).toInt();
    if (!app.form2()->engine().selectTextTrack(index))
        return;
    item->setChecked(true);
    TextTrack = index;
    // The track is now what the subtitle file was: its cues fill the list as they come.
    app.form4()->setSubtitles({}, {});
    NapisyCheck->setDown(true);
}

void TForm1::leaveTextTrack()
{
    if (TextTrack < 0)
        return;
    TextTrack = -1;
    app.form2()->engine().selectTextTrack(-1);
}

void TForm1::TextCueArrived(const MediaEngine::TextCue &cue)
{
    if (TextTrack < 0)
        return;
    SubtitleList list = app.form4()->subtitles();
    if (SubtitleTrackCues::insert(&list, cue.startMs, cue.stopMs, cue.text))
        app.form4()->setSubtitles(list, {});
}
