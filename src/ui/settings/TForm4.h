#pragma once

#include "core/DisplayMode.h"
#include "core/KeyTable.h"
#include "core/MovieMenuRecord.h"
#include "core/SubtitleLine.h"
#include "core/SubtitleTiming.h"
#include "ui/app/PlayerWindow.h"

#include <QMap>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>

class ColorSwatch;
class PageAssociations;
class PageInfo;
class PageSkins;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QPlainTextEdit;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTableWidget;
class QFile;
class QTime;
class QTimeEdit;
class KeyEditor;
class SettingsStore;
class SpinEdit;
class TZDButton;

// Preferences: the editor of every setting and, while the program runs, the settings
// themselves (other windows read these controls). Created last, because loading applies
// the settings to all the other windows.
class TForm4 : public PlayerWindow
{
    Q_OBJECT
public:
    explicit TForm4(Player &app);
    ~TForm4() override;

    // Loads every setting, applies it, then opens the command-line file, asks the
    // first-run questions or resumes the last film.
    void FormCreate(const QStringList &arguments);
    // "Zapisz Zmiany": the saved preferences and the key binding file.
    void ButtonSetupSaveClick();
    // "Ustawienia Standardowe": forget everything; the defaults return at the next start.
    void ButtonSetupDefaultClick();
    void ButtonSetupOKClick();
    // Loads a language: "Start" at start-up, "Polish" (after a restart), or the name of a
    // file in LANG. The message table first, then every window's texts.
    void OpenLang(const QString &name);
    // The values the control panel writes when it closes, and the recent files.
    void writeRunValues();

    // A stored setting as the program holds it now (through its control or variable);
    // an invalid value for names that are not bound.
    QVariant settingValue(const QString &name) const;
    bool setSettingValue(const QString &name, const QVariant &value);
    // The names of every setting that has a control or variable.
    QStringList boundSettings() const { return m_bindings.keys(); }

    // The live key list (the editor grid shows it).
    KeyBindings &keys() { return m_keys; }
    void showKeys();
    // The full-screen display mode in use (from the mode box or the stored values).
    DisplayMode fullScreenMode() const { return m_fullScreenMode; }

    // Operations of the other windows on the preferences they change themselves.
    void ShowPage(QWidget *page);
    // Keeping the picture's proportions; the video window's "Dowolny" item shows the opposite.
    void KeepProportions(bool on);
    // The pan-scan amount moves by `delta` (the zoom buttons in full screen).
    void StepPanScan(int delta);
    // The subtitle list's row just shown (1-based); the editor follows it when asked to.
    void ShowSubtitleRow(int row);
    // Seeks the film to an "hh:mm:ss" time and plays it (the editor's jump and the movie
    // menu's entries). A text that is not such a time is named in a message; nothing moves.
    void GotoTimeTXT(const QString &time);

    // Change handlers the loader runs once so derived tags and timers hold.
    void NapisyCzasChange();
    void PanScanChange();
    void PanScanUpDownChange();
    void ButtonUpDownChange();
    void ButtonSkipBackChange();
    void EObwodkaChange();
    void OSDObwodkaChange();
    void OSDFontSizeChange();
    void EFontSizeChange();
    void OSDAutoInfoTimeChange();
    void DisplayModeBoxChange();
    // Lists the display's modes into DisplayModeBox.
    void BGetDimensionClick();
    void BFontChangeClick();
    void BFontColorChangeClick();
    void BOSDFontChangeClick();
    void BOSDFontColorChangeClick();

    QTabWidget *PageControl = nullptr;
    // Subtitles
    // The subtitle clock's shifts (minutes and seconds), set in the subtitle editor.
    // IQ Text's settings as its controls hold them.
    IQText::Settings iqSettings() const;
    int subtitleShiftMinutes() const;
    int subtitleShiftSeconds() const;
    QSpinBox *SliderTXTSetupMin = nullptr; // minutes, -999..999
    QSlider *SliderTXTSetup = nullptr;     // seconds, -60..60 step 5
    QLabel *LabeltxtSec = nullptr;
    // The subtitle list (shown in the editor grid), the raw lines of its file, and the row
    // shown last (999999 = none).
    const SubtitleList &subtitles() const { return m_subtitles; }
    // `encoding`: what the file was read in; the editor saves in it when it can.
    void setSubtitles(const SubtitleList &list, const QStringList &rawLines,
                      const QString &encoding = {});
    int SubtitleMarker = 999999;
    QTableWidget *TimeTXTEditor = nullptr;
    QListWidget *Napisy = nullptr;
    QLabel *LLinii = nullptr;
    QWidget *EditorPage = nullptr;
    // The subtitle editor (SubtitleEditor.cpp). Every edit goes into the list playback
    // reads, so it shows at the next tick.
    QTimeEdit *TimeEdit = nullptr; // laid over the time cell being edited
    TZDButton *TXTGotoTime = nullptr, *TXTInsertLine = nullptr, *TXTDelLine = nullptr,
              *TXTInsertTime = nullptr, *TXTSave = nullptr, *TXTSynchronize = nullptr,
              *TXTAddDelTime = nullptr, *TXTFindError = nullptr;
    QLabel *LabelEditorNote = nullptr;
    void TimeTXTEditorGetEditText(int row);
    void TimeEditChange(const QTime &time);
    void TimeTXTEditorTopLeftChanged();
    void TimeTXTEditorSelectCell(int row);
    void TXTInsertLineClick();
    void TXTDelLineClick();
    void TXTInsertTimeClick();
    // Saves the list as a time-colon file where the save dialog says.
    void TXTSaveClick();
    // Folds the live shifts (the two shift controls and the function slider's) into
    // every start time, and sets them back to 0.
    void TXTAddDelTimeClick();
    // Moves every start so that the current entry starts at the film's position.
    void TXTSynchronizeClick();
    void TXTGotoTimeClick();
    void PageControl1Change();
    // Frames per second for frame-numbered subtitles: the film's own, measured at open.
    QDoubleSpinBox *EFrameToSec = nullptr;
    QCheckBox *CFrameToSec = nullptr;
    QLineEdit *EFontName = nullptr;
    SpinEdit *EFontSize = nullptr;
    TZDButton *BFontChange = nullptr, *BFontColorChange = nullptr;
    ColorSwatch *WzorKolor = nullptr;
    QLabel *PanelWzor = nullptr;
    SpinEdit *EObwodka = nullptr;
    QGroupBox *FontType = nullptr;
    QButtonGroup *FontTypeGroup = nullptr;
    QCheckBox *NapisPod = nullptr, *FontAutoHeight = nullptr, *CLoadTXT = nullptr,
              *AllTXTToMenu = nullptr, *NapisNow = nullptr;
    SpinEdit *FontVol = nullptr, *NapisyCzas = nullptr, *NapisBottom = nullptr, *FWidth = nullptr;
    QLineEdit *DirectoryTXT = nullptr;
    // Shown at the file's milliseconds and taken off at its stop times.
    QCheckBox *DokladnyCzas = nullptr;
    // IQ Text
    QCheckBox *IQNapisow = nullptr, *IQDziel = nullptr, *IQZmniejsz = nullptr;
    QSlider *IQTime = nullptr;
    QPlainTextEdit *MemoIQText = nullptr;
    // OSD
    QCheckBox *OSDOn = nullptr, *OSDPanorama = nullptr, *OSDMovieTime = nullptr,
              *OSDFrames = nullptr, *OSDCpuUsage = nullptr;
    SpinEdit *OSDTime = nullptr, *OSDFontSize = nullptr, *OSDObwodka = nullptr,
             *OSDAutoInfoTime = nullptr;
    QRadioButton *OSDLeft = nullptr, *OSDRight = nullptr;
    QLineEdit *OSDFontName = nullptr;
    TZDButton *BOSDFontChange = nullptr, *BOSDFontColorChange = nullptr;
    ColorSwatch *OSDWzorKolor = nullptr;
    QLabel *OSDPanelWzor = nullptr;
    // Picture
    SpinEdit *PanScan = nullptr, *PanScanUpDown = nullptr, *ButtonUpDown = nullptr;
    QCheckBox *Proporcional = nullptr, *WindowSize = nullptr, *MouseHide = nullptr,
              *FullScreenStart = nullptr;
    QComboBox *DisplayModeBox = nullptr;
    TZDButton *BGetDimension = nullptr;
    // Playing
    SpinEdit *ButtonSkipBack = nullptr;
    QCheckBox *StopAfterMin = nullptr, *WaveOutIfDolby = nullptr, *AntiFreeze = nullptr,
              *Movie2Part = nullptr, *PlayListStart = nullptr, *SnapShotDest = nullptr;
    // A snapshot of a subtitled moment carries the subtitle as it is drawn.
    QCheckBox *SnapShotSubtitle = nullptr;
    // Movie menu (PageMenu.cpp). The page's fields hold the menu of the film last opened.
    QCheckBox *MenuStopMovie = nullptr, *MenuStart = nullptr, *MenuOnClick = nullptr;
    QWidget *MenuPage = nullptr;
    QLineEdit *MenuTitle = nullptr;
    std::array<QLineEdit *, 5> MenuLine{};   // MenuLine1..MenuLine5
    std::array<QTimeEdit *, 5> MenuTimes{};  // MenuTime1..MenuTime5
    std::array<QCheckBox *, 5> MenuLink{};   // MenuLink1..MenuLink5
    SpinEdit *MenuTime = nullptr;            // seconds on screen
    TZDButton *BMenuColor = nullptr, *BMenuSave = nullptr, *BMenuClear = nullptr, *BMenuGet = nullptr;
    // Looks for a menu in the file and, when there is one, fills the page with it.
    bool OdczytajMenu(const QString &path);
    // The menu as the page holds it.
    MovieMenu EditorMenu() const;
    // The menu's colour: the font colour of BMenuColor.
    QColor MenuColor() const;
    void BMenuSaveClick();
    void BMenuClearClick();
    void BMenuColorClick();
    // Keys
    QTableWidget *KeyListEditor = nullptr;
    KeyEditor *keyEditor = nullptr; // capture and key names on KeyListEditor
    // Skins
    PageSkins *Skins = nullptr;
    QComboBox *EDSkinSelect = nullptr; // the page's chooser: the stored skin name
    // File types and information
    PageAssociations *Associations = nullptr;
    PageInfo *SetupInfo = nullptr;
    // Bottom bar
    TZDButton *ButtonSetupSave = nullptr, *ButtonSetupDefault = nullptr, *ButtonSetupOK = nullptr;

signals:
    // A jump in the film is about to be made (the menu's timer is already stopped).
    void jumpingToTime();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct Binding
    {
        std::function<QVariant()> get;
        std::function<void(const QVariant &)> set;
    };

    QWidget *buildSubtitlesPage();
    QWidget *buildIQPage();
    QWidget *buildOSDPage();
    QWidget *buildPicturePage();
    QWidget *buildPlayingPage();
    QWidget *buildKeysPage();
    QWidget *buildSkinsPage();
    QWidget *buildEditorPage();
    void connectEditor();
    QWidget *buildMenuPage();
    void showMenu(const MovieMenu &menu);
    // Releases the film, runs `change` on its file opened for writing, builds the film
    // again (which reads its menu anew) and puts it back where it was.
    void changeFilm(const std::function<void(QFile &)> &change);
    void showSubtitles();
    // After an edit of the list's rows: the grid shows the list again at `currentRow`.
    void showEditedSubtitles(int currentRow);
    // Moves every start by `seconds` and sets the live shifts to 0; false (with a message
    // naming the entry, nothing changed) when an entry's start is not a time.
    bool shiftSubtitles(qint64 seconds);
    void reportInvalidTime(int row);
    // The film's position in whole seconds, from the panel's position display.
    std::optional<qint64> filmSeconds();
    void connectHandlers();
    void followOtherWindows();
    void showFont(PlayerWindow *target, QLabel *preview, ColorSwatch *swatch, const QFont &font,
                  const QColor &colour);
    void buildBindings();
    void bind(const char *name, std::function<QVariant()> get,
              std::function<void(const QVariant &)> set);

    // Loading steps.
    QStringList readGroup(SettingsStore &store, const QString &guard);
    void readRecentFiles(SettingsStore &store);
    void applyFonts();
    void runCommandLine(const QStringList &arguments);
    void firstRunOrResume(SettingsStore &store);
    void reportStoreError(const QString &error);

    QMap<QString, Binding> m_bindings;
    SubtitleList m_subtitles;
    QString m_subtitleEncoding;
    int m_timeEditRow = -1; // the row the time picker writes into
    KeyBindings m_keys;
    DisplayMode m_fullScreenMode;
    // Kept from the loader for the fonts it builds after the group is read.
    bool m_shownOnce = false;
    int m_osdFontStyle = 1, m_osdFontCharset = 1, m_fontStyle = 1, m_fontCharset = 1;
};
