#pragma once

#include "core/CdAudioDevice.h"
#include "core/Messages.h"
#include "platform/DisplayModes.h"
#include "ui/app/AutomationHost.h"

#include <QList>
#include <QLocale>
#include <QObject>
#include <QProperty>
#include <QStringList>
#include <memory>

class Dialogs;
class IdleHook;
class MediaEngine;
class Power;
class ScreenSaver;
class QWidget;
class TForm1;
class TForm2;
class TForm3;
class TForm4;
class TFormFullScreenProgress;
class TFormPlayList;
class TFormFiltry;
class TFormOSD;
class TFormMenu;

// One running player: the nine windows, created in their fixed order, each handed this
// object to reach the ones made before it. Nothing here is process-wide, so a test can
// build as many players as it likes, each with its own engine and dialogs.
class Player : public QObject, public AutomationHost
{
    Q_OBJECT
public:
    struct Services
    {
        std::unique_ptr<MediaEngine> engine;
        std::unique_ptr<Dialogs> dialogs;
        std::unique_ptr<ScreenSaver> screenSaver;
        std::unique_ptr<Power> power;
        std::unique_ptr<CdDrive> cdDrive;   // none: every disc command fails
        // Null: full screen never changes the display mode.
        std::unique_ptr<DisplayModes> displayModes;
    };

    explicit Player(Services services, QObject *parent = nullptr);
    ~Player() override;

    // Shows the windows that are visible at start and opens the command-line file, if any.
    void start(const QStringList &arguments);

    TForm1 *form1() const { return m_form1; }
    TFormFullScreenProgress *formFullScreenProgress() const { return m_formFullScreenProgress; }
    TForm2 *form2() const { return m_form2; }
    TForm3 *form3() const { return m_form3; }
    TFormPlayList *formPlayList() const { return m_formPlayList; }
    TFormFiltry *formFiltry() const { return m_formFiltry; }
    TFormOSD *formOSD() const { return m_formOSD; }
    TFormMenu *formMenu() const { return m_formMenu; }
    TForm4 *form4() const { return m_form4; }

    // The nine windows in the order they were created.
    const QList<QWidget *> &windows() const { return m_windows; }

    Dialogs &dialogs() const { return *m_dialogs; }
    ScreenSaver &screenSaver() const { return *m_screenSaver; }
    Power &power() const { return *m_power; }
    IdleHook &idleHook() const { return *m_idle; }
    // The audio disc device the control panel sends its command strings to.
    CdAudioDevice &cdAudio() { return *m_cdAudio; }
    DisplayModes *displayModes() const { return m_displayModes.get(); }

    // Shared state that is not any one window's. Full screen notifies: a window that
    // shows it follows it through the bindable.
    bool fullScreenActive() const { return m_fullScreenActive; }
    void setFullScreenActive(bool on) { m_fullScreenActive = on; }
    QBindable<bool> bindableFullScreenActive() { return &m_fullScreenActive; }
    // Leaves full screen (and a changed display mode) before an error is shown or the
    // program ends, so the desktop is never left in the film's mode.
    void restoreDisplay();
    // Set while a modal file dialog is shown: keys are not dispatched then.
    bool dialogOpen = false;
    // Set while the panel or the subtitle window is being dragged by the mouse.
    bool dragging = false;
    // What the window manager adds around a client area, measured once at start.
    int sideBorder = 0;
    int captionHeight = 0;

    Messages &messages() { return m_messages; }
    // The user's language as the desktop says it; Polish keeps the built-in texts when no
    // language file is active.
    QLocale::Language systemLanguage = QLocale::system().language();

    // AutomationHost
    QJsonObject playerState() const override;
    void handOver(const QString &path) override;
    void remoteKey(int row) override;
    void quit() override;

signals:
    // The control panel has closed: the program is over.
    void closed();

private:
    template <class Form, class... Args> Form *create(Args &&...args);

    Messages m_messages;
    std::unique_ptr<Dialogs> m_dialogs;
    std::unique_ptr<ScreenSaver> m_screenSaver;
    std::unique_ptr<Power> m_power;
    std::unique_ptr<CdAudioDevice> m_cdAudio;
    std::unique_ptr<DisplayModes> m_displayModes;
    QList<QWidget *> m_windows;
    QProperty<bool> m_fullScreenActive{false};
    IdleHook *m_idle = nullptr;

    TForm1 *m_form1 = nullptr;
    TFormFullScreenProgress *m_formFullScreenProgress = nullptr;
    TForm2 *m_form2 = nullptr;
    TForm3 *m_form3 = nullptr;
    TFormPlayList *m_formPlayList = nullptr;
    TFormFiltry *m_formFiltry = nullptr;
    TFormOSD *m_formOSD = nullptr;
    TFormMenu *m_formMenu = nullptr;
    TForm4 *m_form4 = nullptr;
};
