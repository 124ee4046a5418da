// The context menu's commands that act through the video window itself.
#include "ui/video/TForm2.h"

#include "core/Transport.h"
#include "engine/MediaEngine.h"
#include "ui/app/Player.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QAction>
#include <QCheckBox>
#include <QMenu>

void TForm2::WPrzd1Click(bool forward)
{
    const qint64 position = m_engine->position();
    if (position < 0)
        return;
    m_engine->seek(Transport::skipTarget(position, app.form4()->ButtonSkipBack->tag(), forward));
}

void TForm2::ColorControl1Click()
{
    // Every graph carries a videobalance; its page holds brightness, contrast, saturation, hue.
    for (const MediaEngine::FilterInfo &filter : m_engine->filtersInUse())
        if (filter.factory == QLatin1String("videobalance")) {
            app.formFiltry()->ShowPropertyPage(filter.name);
            return;
        }
}

void TForm2::LangMenuClick(QAction *item)
{
    item->setChecked(true);
    app.form4()->OpenLang(item->text());
}

void TForm2::connectMenuActions()
{
    connect(WPrzd1, &QAction::triggered, this, [this] { WPrzd1Click(true); });
    connect(WTy1, &QAction::triggered, this, [this] { WPrzd1Click(false); });
    connect(Nastpny1, &QAction::triggered, this, [this] { app.formPlayList()->BNext->click(); });
    connect(Poprzedni1, &QAction::triggered, this, [this] { app.formPlayList()->BPrev->click(); });
    connect(NapisyPodObrazem1, &QAction::triggered, this, [this] { app.form4()->NapisPod->click(); });
    connect(ColorControl1, &QAction::triggered, this, &TForm2::ColorControl1Click);
    for (QAction *language : {LangMenu, English1})
        connect(language, &QAction::triggered, this, [this, language] { LangMenuClick(language); });
    connect(PopupMenu, &QMenu::aboutToShow, this, [this] { app.form3()->hide(); });
}
