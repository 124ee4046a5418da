#include "ui/app/Player.h"

#include "engine/MediaEngine.h"
#include "platform/DisplayModes.h"
#include "platform/Power.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/IdleHook.h"
#include "ui/app/KeyboardHook.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"
#include "ui/video/TFormFullScreenProgress.h"

#include <QFileInfo>
#include <QJsonObject>
#include <QTimer>

template <class Form, class... Args> Form *Player::create(Args &&...args)
{
    auto *form = new Form(*this, std::forward<Args>(args)...);
    form->setObjectName(QString::fromLatin1(form->metaObject()->className()));
    m_windows << form;
    return form;
}

Player::Player(Services services, QObject *parent)
    : QObject(parent),
      m_dialogs(std::move(services.dialogs)),
      m_screenSaver(std::move(services.screenSaver)),
      m_power(std::move(services.power)),
      m_cdAudio(std::make_unique<CdAudioDevice>(std::move(services.cdDrive))),
      m_displayModes(std::move(services.displayModes))
{
    // Without a power service the end-of-film countdown is refused, never a crash.
    if (!m_power)
        m_power = std::make_unique<NoPower>();
    // Each window may use only the ones made before it; the preferences window comes
    // last because loading the settings touches all the others.
    m_form1 = create<TForm1>();
    m_formFullScreenProgress = create<TFormFullScreenProgress>();
    m_form2 = create<TForm2>(std::move(services.engine));
    m_form3 = create<TForm3>();
    m_formPlayList = create<TFormPlayList>();
    m_formFiltry = create<TFormFiltry>();
    m_formOSD = create<TFormOSD>();
    m_formMenu = create<TFormMenu>();
    m_form4 = create<TForm4>();

    m_idle = new IdleHook([this] { m_form1->AppEventsIdle(); }, this);
    new KeyboardHook(*this, this);
}

Player::~Player()
{
    restoreDisplay();
    // Reverse order: later windows hold pointers into earlier ones.
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it)
        delete *it;
}

void Player::restoreDisplay()
{
    if (m_form2 && m_fullScreenActive)
        m_form2->ReturnToWindow();
}

void Player::start(const QStringList &arguments)
{
    m_form1->show();
    m_form2->show();
    m_form4->FormCreate(arguments);
}

QJsonObject Player::playerState() const
{
    QJsonObject state;
    state["playState"] = int(m_form1->PlayState);
    state["mediaMode"] = int(m_form1->MediaMode);
    state["positionMs"] = double(m_form1->PositionMs);
    state["durationMs"] = double(m_form1->DurationMs);
    state["currentFile"] = m_form1->CurrentFile;
    state["fullScreen"] = fullScreenActive();
    state["pointerHidden"] = m_form2->pointerHidden();
    state["videoWidth"] = m_form1->VideoWidth;
    state["videoHeight"] = m_form1->VideoHeight;
    state["minimized"] = m_form1->Minimized;
    state["pendingHandOver"] = m_form1->PendingHandOver;
    state["screenSaverInhibited"] = m_screenSaver->isInhibited();
    state["osdVisible"] = m_formOSD->isVisible();
    state["osdText"] = m_formOSD->text();
    state["subtitleVisible"] = m_form3->isVisible() && m_form3->textShown();
    state["subtitleText"] = m_form3->text();
    state["subtitleCount"] = int(m_form4->subtitles().size());
    if (const CdDrive *cd = m_cdAudio->drive()) {
        const CdDrive::Sound sound = cd->sound();
        state["cdSound"] = QJsonObject{{"buffers", double(sound.buffers)}, {"pitchHz", sound.pitchHz},
                                       {"level", sound.level}};
    }
    return state;
}

void Player::handOver(const QString &path)
{
    if (!path.isEmpty())
        m_form1->PendingHandOver = path;
    m_form1->show();
    m_form1->raise();
    m_form1->activateWindow();
}

void Player::remoteKey(int row)
{
    // As if the row's key were pressed, with the same stops (countdown, open dialog).
    m_form2->dispatchKey(0, row);
}

void Player::quit()
{
    QTimer::singleShot(0, m_form1, [this] { m_form1->close(); });
}
