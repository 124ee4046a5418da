#pragma once

#include <QWidget>

class Player;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTabWidget;
class TZDButton;

// The "Skórki" page of the preferences window: the skin chooser, saving the panel as a
// skin, and the editor that changes the panel's elements live. The panel does every
// change itself; this page only asks it (TForm1's skin operations).
class PageSkins : public QWidget
{
    Q_OBJECT
public:
    explicit PageSkins(Player &app, QWidget *parent = nullptr);

    // At start, after the settings are read: the chooser takes the stored name, and a
    // stored skin other than the built-in one is listed and loaded. The built-in skin adds
    // nothing on the way to the first picture: the list waits until the context menu or
    // this window is first opened.
    void startUp(const QString &storedName);
    // The first show of the preferences window: the list, the editor's controls, the
    // built-in skin on disk and the first element shown.
    void prepare();
    void ensureListed();
    // The built-in skin is written the first time it is missing, from the panel as
    // designed; before the panel first changes, never on the way to the first picture.
    void ensureStandard();

    void ListSkins();
    void EDSkinSelectChange();
    // The skin menu's item: selects that name in the chooser and applies it; a name not
    // in the chooser does nothing.
    void MenuSelectSkin(const QString &name);
    void LoadSkin();
    // byUser: the button was pressed (the built-in skin then saves as "StandardNew").
    void EDBSaveSkinClick(bool byUser = true);
    void BWybierzTloClick();

    void EDKomponentChange();
    void PageControlSkinChange(int index);

    QComboBox *EDSkinSelect = nullptr;
    QLineEdit *EDName = nullptr;
    TZDButton *EDBSaveSkin = nullptr;
    TZDButton *BWybierzTlo = nullptr;
    QComboBox *EDKomponent = nullptr;
    QSpinBox *EDPozX = nullptr, *EDPozY = nullptr, *EDSzer = nullptr, *EDWys = nullptr;
    QLineEdit *EDCaption = nullptr;
    QPlainTextEdit *EDHint = nullptr;
    QCheckBox *EDVisible = nullptr, *EDTransparent = nullptr;
    QTabWidget *PageControlSkin = nullptr;
    int PageControlSkinTag = 0;
    // Button page
    TZDButton *EDBUp = nullptr, *EDBDown = nullptr, *EDBDisable = nullptr, *EDBOver = nullptr;
    TZDButton *EDBUpX = nullptr, *EDBDownX = nullptr, *EDBDisableX = nullptr, *EDBOverX = nullptr;
    QCheckBox *EDBBorder = nullptr, *EDBFlat = nullptr;
    QComboBox *EDBTextPoz = nullptr;
    TZDButton *EDBProbe = nullptr;
    // Slider page
    TZDButton *EDSuwak = nullptr, *EDSuwakX = nullptr, *EDSuwakTrack = nullptr, *EDSuwakTrackX = nullptr;
    // Label page
    QLineEdit *EDLabelFont = nullptr;
    TZDButton *EDBLabelFont = nullptr, *EDBLabelColor = nullptr, *EDBLabelShadowColor = nullptr;
    QSpinBox *EDLabelShadowSize = nullptr;
    QComboBox *EDLabelShadowPos = nullptr;

private:
    void buildEditor();
    QWidget *buildButtonPage();
    QWidget *buildSliderPage();
    QWidget *buildLabelPage();
    void connectEditor();
    QString element() const;
    // One key of the selected element to the panel (nothing while the page is being filled).
    void set(const QString &key, const QString &value);
    void choosePicture(const QString &key);
    void chooseLabelColour(const QString &key);
    void warn(const QString &text);

    Player &app;
    class QVBoxLayout *m_layout = nullptr;
    bool m_listed = false;
    bool m_filling = false;
};
