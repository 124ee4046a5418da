// Which control or variable each stored setting lives in while the program runs.
#include "ui/settings/TForm4.h"

#include "core/SettingsStore.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/SetupControls.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>

namespace {

// Colours are stored as 0x00BBGGRR.
int storedColor(const QColor &c) { return (c.blue() << 16) | (c.green() << 8) | c.red(); }
QColor colorFromStored(int v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }

int styleBits(const QFont &f)
{
    return (f.bold() ? SettingsStore::Bold : 0) | (f.italic() ? SettingsStore::Italic : 0)
           | (f.underline() ? SettingsStore::Underline : 0)
           | (f.strikeOut() ? SettingsStore::StrikeOut : 0);
}

void setStyleBits(QWidget *preview, int bits)
{
    QFont f = preview->font();
    f.setBold(bits & SettingsStore::Bold);
    f.setItalic(bits & SettingsStore::Italic);
    f.setUnderline(bits & SettingsStore::Underline);
    f.setStrikeOut(bits & SettingsStore::StrikeOut);
    preview->setFont(f);
}

void selectText(QComboBox *box, const QString &text)
{
    int index = box->findText(text);
    if (index < 0 && !text.isEmpty()) {
        box->addItem(text);
        index = box->count() - 1;
    }
    box->setCurrentIndex(index);
}

} // namespace

QVariant TForm4::settingValue(const QString &name) const
{
    const auto it = m_bindings.constFind(name);
    return it == m_bindings.constEnd() ? QVariant() : it->get();
}

bool TForm4::setSettingValue(const QString &name, const QVariant &value)
{
    const auto it = m_bindings.constFind(name);
    if (it == m_bindings.constEnd())
        return false;
    it->set(value);
    return true;
}

void TForm4::bind(const char *name, std::function<QVariant()> get,
                  std::function<void(const QVariant &)> set)
{
    m_bindings.insert(QString::fromLatin1(name), Binding{std::move(get), std::move(set)});
}

void TForm4::buildBindings()
{
    TForm1 *panel = app.form1();
    TForm2 *video = app.form2();
    TFormPlayList *list = app.formPlayList();
    TFormFiltry *filters = app.formFiltry();

    auto checkBox = [this](const char *name, QCheckBox *box) {
        bind(name, [box] { return box->isChecked(); }, [box](const QVariant &v) { box->setChecked(v.toBool()); });
    };
    auto spinEdit = [this](const char *name, SpinEdit *edit) {
        bind(name, [edit] { return edit->value(); }, [edit](const QVariant &v) { edit->setValue(v.toDouble()); });
    };
    auto text = [this](const char *name, QLineEdit *edit) {
        bind(name, [edit] { return edit->text(); }, [edit](const QVariant &v) { edit->setText(v.toString()); });
    };
    // A switch of another window: read here, restored by the window itself.
    auto foreignSwitch = [this](const char *name, std::function<bool()> get, std::function<void(bool)> restore) {
        bind(name, [get] { return get(); }, [restore](const QVariant &v) { restore(v.toBool()); });
    };
    auto string = [this](const char *name, QString *s) {
        bind(name, [s] { return *s; }, [s](const QVariant &v) { *s = v.toString(); });
    };
    auto integer = [this](const char *name, int *i) {
        bind(name, [i] { return *i; }, [i](const QVariant &v) { *i = v.toInt(); });
    };

    string("LastDir", &panel->LastDir);
    bind("SkinName", [this] { return EDSkinSelect->currentText(); },
         [this](const QVariant &v) { selectText(EDSkinSelect, v.toString()); });
    string("DirPlayList", &list->DirPlayList);
    foreignSwitch("ButtonRepeatPlayList", [list] { return list->BRepeat->down(); },
                  [list](bool on) { list->RestoreRepeat(on); });
    foreignSwitch("ButtonRepeat", [panel] { return panel->BRepeat->down(); },
                  [panel](bool on) { panel->RestoreRepeat(on); });
    bind("Volume", [panel] { return panel->VolumeLevel; },
         [panel](const QVariant &v) { panel->RestoreVolume(v.toInt()); });
    checkBox("PlayListStart", PlayListStart);
    checkBox("WindowSize", WindowSize);
    integer("FullScreenPanelLeft", &panel->FullScreenPanelLeft);
    integer("FullScreenPanelTop", &panel->FullScreenPanelTop);
    string("FilePlayList", &list->FilePlayList);
    spinEdit("OSDAutoInfoTime", OSDAutoInfoTime);
    checkBox("OSDMovieTime", OSDMovieTime);
    checkBox("OSDFrames", OSDFrames);
    checkBox("OSDCPUUsage", OSDCpuUsage);
    spinEdit("FWidth", FWidth);
    foreignSwitch("AudioOutFilter", [filters] { return filters->AudioOutFilter->isChecked(); },
                  [filters](bool on) { filters->RestoreAlwaysUseOutput(on); });
    string("FilterAudioOut", &filters->FilterAudioOut);
    checkBox("StopAfterMin", StopAfterMin);
    checkBox("WaveOutIfDolby", WaveOutIfDolby);
    foreignSwitch("FullScreenOn2", [video] { return video->FullScreenonMonitor2->isChecked(); },
                  [video](bool on) { video->RestoreFullScreenOn2(on); });
    checkBox("OSDOn", OSDOn);
    spinEdit("OSDTime", OSDTime);
    bind("OSDLeft", [this] { return OSDLeft->isChecked(); },
         [this](const QVariant &v) {
             OSDLeft->setChecked(v.toBool());
             OSDRight->setChecked(!v.toBool());
         });
    text("OSDFontName", OSDFontName);
    spinEdit("OSDFontSize", OSDFontSize);
    bind("OSDFontColor", [this] { return storedColor(OSDWzorKolor->color()); },
         [this](const QVariant &v) { OSDWzorKolor->setColor(colorFromStored(v.toInt())); });
    bind("OSDFontStyle", [this] { return styleBits(OSDPanelWzor->font()); },
         [this](const QVariant &v) {
             m_osdFontStyle = v.toInt();
             setStyleBits(OSDPanelWzor, m_osdFontStyle);
         });
    integer("OSDFontCharset", &m_osdFontCharset);
    checkBox("OSDPanorama", OSDPanorama);
    bind("IQTime", [this] { return IQTime->value(); }, [this](const QVariant &v) { IQTime->setValue(v.toInt()); });
    checkBox("IQDziel", IQDziel);
    checkBox("IQZmniejsz", IQZmniejsz);
    foreignSwitch("AutoResume", [video] { return video->AutoResume->isChecked(); },
                  [video](bool on) { video->RestoreAutoResume(on); });
    bind("AutoResumeFile", [panel] { return panel->CurrentFile.left(255); },
         [panel](const QVariant &v) { panel->CurrentFile = v.toString().left(255); });
    bind("AutoResumePos", [panel] { return double(panel->ResumePos); },
         [panel](const QVariant &v) { panel->ResumePos = qRound64(v.toDouble()); });
    text("EFontName", EFontName);
    spinEdit("EFontSize", EFontSize);
    bind("FontColor", [this] { return storedColor(WzorKolor->color()); },
         [this](const QVariant &v) { WzorKolor->setColor(colorFromStored(v.toInt())); });
    bind("FontStyle", [this] { return styleBits(PanelWzor->font()); },
         [this](const QVariant &v) {
             m_fontStyle = v.toInt();
             setStyleBits(PanelWzor, m_fontStyle);
         });
    integer("FontCharset", &m_fontCharset);
    spinEdit("EObwodka", EObwodka);
    checkBox("IQNapisow", IQNapisow);
    checkBox("NapisPod", NapisPod);
    checkBox("FontAutoHeight", FontAutoHeight);
    spinEdit("FontVol", FontVol);
    spinEdit("NapisyCzas", NapisyCzas);
    checkBox("DokladnyCzas", DokladnyCzas);
    spinEdit("NapisBottom", NapisBottom);
    bind("FontType", [this] { return qMax(0, FontTypeGroup->checkedId()); },
         [this](const QVariant &v) {
             if (QAbstractButton *b = FontTypeGroup->button(qBound(0, v.toInt(), 2)))
                 b->setChecked(true);
         });
    spinEdit("PanScan", PanScan);
    spinEdit("PanScanUpDown", PanScanUpDown);
    spinEdit("ButtonUPDown", ButtonUpDown);
    spinEdit("ButtonSkipBack", ButtonSkipBack);
    checkBox("MouseHide", MouseHide);
    bind("Proporcional", [this] { return Proporcional->isChecked(); },
         [this, video](const QVariant &v) {
             Proporcional->setChecked(v.toBool());
             if (!v.toBool())
                 video->ShowFreeAspect(true);
         });
    checkBox("CLoadTXT", CLoadTXT);
    text("DirectoryTXT", DirectoryTXT);
    checkBox("AllTXTToMenu", AllTXTToMenu);
    bind("DisplayModeBox", [this] { return DisplayModeBox->currentText(); },
         [this](const QVariant &v) {
             // Choosing the text would also set the mode; the stored mode values follow.
             const QSignalBlocker quiet(DisplayModeBox);
             selectText(DisplayModeBox, v.toString());
         });
    integer("FULLWidth", &m_fullScreenMode.width);
    integer("FULLHeight", &m_fullScreenMode.height);
    integer("FULLBitCount", &m_fullScreenMode.bits);
    integer("FULLHz", &m_fullScreenMode.hz);
    checkBox("AntiFreeze", AntiFreeze);
    checkBox("Movie2Part", Movie2Part);
    checkBox("FullScreenStart", FullScreenStart);
    checkBox("SnapShotSubtitle", SnapShotSubtitle);
    checkBox("MenuStopMovie", MenuStopMovie);
    checkBox("MenuStart", MenuStart);
    checkBox("MenuOnClick", MenuOnClick);
    checkBox("DesktopRecentFiles", findChild<QCheckBox *>(QStringLiteral("DesktopRecentFiles")));
    spinEdit("OSDObwodka", OSDObwodka);
    bind("GroupOSDInfo", [] { return 0; }, [](const QVariant &) {});
}
