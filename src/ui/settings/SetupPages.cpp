// The pages of the preferences window and the handlers that keep derived values in step.
#include "ui/settings/TForm4.h"

#include "core/DisplayMode.h"
#include "core/PanelLayout.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/KeyEditor.h"
#include "ui/settings/PageSkins.h"
#include "ui/settings/SetupControls.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TDXDraw.h"
#include "ui/video/TForm2.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QListWidget>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Long pages scroll rather than stretch the narrow window.
QWidget *scrolled(QWidget *content, const char *name)
{
    auto *area = new QScrollArea;
    area->setObjectName(name);
    area->setWidget(content);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

// The caption before a field, named after it so that language files can reach it.
QLabel *fieldLabel(QWidget *parent, const char *field, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QStringLiteral("Label") + QLatin1String(field));
    return label;
}

QCheckBox *check(QWidget *parent, QFormLayout *form, const char *name, const QString &caption,
                 bool on)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(on);
    form->addRow(box);
    return box;
}

SpinEdit *spin(QWidget *parent, QFormLayout *form, const char *name, const QString &caption,
               double min, double max, double value, double step = 1)
{
    auto *edit = new SpinEdit(parent);
    edit->setObjectName(name);
    edit->setRange(min, max);
    edit->setSingleStep(step);
    edit->setValue(value);
    edit->setTag(int(value));
    form->addRow(fieldLabel(parent, name, caption), edit);
    return edit;
}

QLineEdit *edit(QWidget *parent, QFormLayout *form, const char *name, const QString &caption,
                const QString &text)
{
    auto *line = new QLineEdit(text, parent);
    line->setObjectName(name);
    form->addRow(fieldLabel(parent, name, caption), line);
    return line;
}

TZDButton *button(QWidget *parent, const char *name, const QString &caption)
{
    TZDButton *b = TZDButton::captioned(parent, name, caption);
    b->setFixedHeight(22);
    return b;
}

QLabel *preview(QWidget *parent, const char *name)
{
    auto *label = new QLabel(QStringLiteral("Zendor is Cool!"), parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumHeight(40);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return label;
}

} // namespace

QWidget *TForm4::buildSubtitlesPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    EFontName = edit(page, form, "EFontName", QStringLiteral("Czcionka:"), QStringLiteral("Arial"));
    EFontName->setReadOnly(true);
    EFontSize = spin(page, form, "EFontSize", QStringLiteral("Rozmiar:"), 6, 99, 20);
    BFontChange = button(page, "BFontChange", QStringLiteral("Zmień czcionkę..."));
    BFontColorChange = button(page, "BFontColorChange", QStringLiteral("Kolor..."));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BFontChange);
    buttons->addWidget(BFontColorChange);
    WzorKolor = new ColorSwatch(page);
    WzorKolor->setObjectName("WzorKolor");
    WzorKolor->setColor(QColor(0xC0, 0xC0, 0xC0));
    buttons->addWidget(WzorKolor);
    form->addRow(buttons);
    PanelWzor = preview(page, "PanelWzor");
    form->addRow(PanelWzor);
    EObwodka = spin(page, form, "EObwodka", QStringLiteral("Obwódka [piksele]:"), 1, 6, 3);

    FontType = new QGroupBox(QStringLiteral("Tło napisów"), page);
    FontType->setObjectName("FontType");
    auto *types = new QVBoxLayout(FontType);
    FontTypeGroup = new QButtonGroup(this);
    const char *typeNames[] = {"FTransparent", "FOpaque", "FSemiTransparent"};
    const QString typeCaptions[] = {QStringLiteral("Przezroczyste"), QStringLiteral("Nieprzezroczyste"),
                                    QStringLiteral("Półprzezroczyste")};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(typeCaptions[i], FontType);
        radio->setObjectName(typeNames[i]);
        radio->setChecked(i == 0);
        FontTypeGroup->addButton(radio, i);
        types->addWidget(radio);
    }
    form->addRow(FontType);

    NapisPod = check(page, form, "NapisPod", QStringLiteral("Napisy pod obrazem"), false);
    FontAutoHeight = check(page, form, "FontAutoHeight",
                           QStringLiteral("Wysokość czcionki zależna od wysokości okna"), true);
    FontVol = spin(page, form, "FontVol", QStringLiteral("Wysokość czcionki [% okna]:"), 3, 30, 8);
    NapisyCzas = spin(page, form, "NapisyCzas", QStringLiteral("Czas wyświetlania napisu [s]:"), 1, 10, 4);
    DokladnyCzas = check(page, form, "DokladnyCzas",
                         QStringLiteral("Dokładny czas napisów (pokazuj i chowaj w chwilach zapisanych w pliku)"), false);
    NapisBottom = spin(page, form, "NapisBottom", QStringLiteral("Odległość od dołu [%]:"), 0, 99, 0);
    FWidth = spin(page, form, "FWidth", QStringLiteral("Szerokość w pełnym ekranie [%]:"), 50, 99, 99);
    CLoadTXT = check(page, form, "CLoadTXT", QStringLiteral("Wczytuj napisy automatycznie"), true);
    DirectoryTXT = edit(page, form, "DirectoryTXT", QStringLiteral("Katalog z napisami:"), QString());
    AllTXTToMenu = check(page, form, "AllTXTToMenu",
                         QStringLiteral("Wszystkie napisy z katalogu w menu"), false);
    NapisNow = check(page, form, "NapisNow", QStringLiteral("Pokaż bieżąco wyświetlany napis"), false);
    return scrolled(page, "TabSheetSubtitles");
}

QWidget *TForm4::buildIQPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    IQNapisow = check(page, form, "IQNapisow",
                      QStringLiteral("Inteligentne Napisy (chcę zdążyć przeczytać wszystkie) !!!"), true);
    IQTime = new QSlider(Qt::Horizontal, page);
    IQTime->setObjectName("IQTime");
    IQTime->setRange(2500, 5500);
    IQTime->setSingleStep(500);
    IQTime->setPageStep(500);
    IQTime->setTickInterval(500);
    IQTime->setTickPosition(QSlider::TicksBelow);
    IQTime->setValue(4000);
    form->addRow(fieldLabel(page, "IQTime", QStringLiteral("Szybkość czytania:")), IQTime);
    IQDziel = check(page, form, "IQDziel", QStringLiteral("Dziel zbyt długie napisy na więcej linii"), true);
    IQZmniejsz = check(page, form, "IQZmniejsz",
                       QStringLiteral("Zmniejszaj czcionkę zbyt długich napisów"), true);
    MemoIQText = new QPlainTextEdit(page);
    MemoIQText->setObjectName("MemoIQText");
    MemoIQText->setReadOnly(true);
    MemoIQText->setPlainText(QStringLiteral(
        "IQ Napisów wydłuża wyświetlanie napisów, które następują po sobie zbyt szybko, "
        "aby zdążyć je przeczytać: czas zależy od długości tekstu i od szybkości czytania "
        "ustawionej powyżej. Napis, który przyjdzie, zanim poprzedni zostanie przeczytany, "
        "czeka w kolejce."));
    form->addRow(MemoIQText);
    return scrolled(page, "TabSheetIQ");
}

QWidget *TForm4::buildOSDPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    OSDOn = check(page, form, "OSDOn", QStringLiteral("Włącz OSD (napisy na ekranie)"), true);
    OSDTime = spin(page, form, "OSDTime", QStringLiteral("Czas wyświetlania [s]:"), 1, 9, 4);
    OSDLeft = new QRadioButton(QStringLiteral("Lewy róg"), page);
    OSDLeft->setObjectName("OSDLeft");
    OSDLeft->setChecked(true);
    OSDRight = new QRadioButton(QStringLiteral("Prawy róg"), page);
    OSDRight->setObjectName("OSDRight");
    auto *corner = new QHBoxLayout;
    corner->addWidget(OSDLeft);
    corner->addWidget(OSDRight);
    form->addRow(corner);
    OSDFontName = edit(page, form, "OSDFontName", QStringLiteral("Czcionka:"), QStringLiteral("Arial"));
    OSDFontName->setReadOnly(true);
    OSDFontSize = spin(page, form, "OSDFontSize", QStringLiteral("Rozmiar:"), 6, 99, 20);
    BOSDFontChange = button(page, "BOSDFontChange", QStringLiteral("Zmień czcionkę..."));
    BOSDFontColorChange = button(page, "BOSDFontColorChange", QStringLiteral("Kolor..."));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(BOSDFontChange);
    buttons->addWidget(BOSDFontColorChange);
    OSDWzorKolor = new ColorSwatch(page);
    OSDWzorKolor->setObjectName("OSDWzorKolor");
    OSDWzorKolor->setColor(QColor(0, 255, 0));
    buttons->addWidget(OSDWzorKolor);
    form->addRow(buttons);
    OSDPanelWzor = preview(page, "OSDPanelWzor");
    form->addRow(OSDPanelWzor);
    OSDObwodka = spin(page, form, "OSDObwodka", QStringLiteral("Obwódka [piksele]:"), 1, 6, 3);
    OSDPanorama = check(page, form, "OSDPanorama", QStringLiteral("Monitor panoramiczny (16:9)"), false);
    OSDAutoInfoTime = spin(page, form, "OSDAutoInfoTime", QStringLiteral("Informacja co [min]:"), 1, 999, 20);
    OSDMovieTime = check(page, form, "OSDMovieTime", QStringLiteral("Pokazuj czas filmu"), true);
    OSDFrames = check(page, form, "OSDFrames", QStringLiteral("Pokazuj klatki na sekundę"), true);
    OSDCpuUsage = check(page, form, "OSDCpuUsage", QStringLiteral("Pokazuj obciążenie procesora"), true);
    return scrolled(page, "TabSheetOSD");
}

QWidget *TForm4::buildPicturePage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    PanScan = spin(page, form, "PanScan", QStringLiteral("PanScan [%]:"), 5, 50, 15);
    PanScanUpDown = spin(page, form, "PanScanUpDown", QStringLiteral("Krok PanScan [%]:"), 5, 25, 5);
    ButtonUpDown = spin(page, form, "ButtonUpDown", QStringLiteral("Krok powiększania [%]:"), 5, 50, 20);
    Proporcional = check(page, form, "Proporcional", QStringLiteral("Zachowuj proporcje obrazu"), true);
    WindowSize = check(page, form, "WindowSize", QStringLiteral("Okno w rozmiarze filmu"), false);
    MouseHide = check(page, form, "MouseHide", QStringLiteral("Ukrywaj kursor w pełnym ekranie"), true);
    FullScreenStart = check(page, form, "FullScreenStart",
                            QStringLiteral("Uruchamiaj filmy w pełnym ekranie"), false);
    DisplayModeBox = new QComboBox(page);
    DisplayModeBox->setObjectName("DisplayModeBox");
    DisplayModeBox->setEditable(false);
    DisplayModeBox->addItem(QStringLiteral("640x480 32bit 60Hz"));
    BGetDimension = button(page, "BGetDimension", QStringLiteral("Pobierz"));
    BGetDimension->setToolTip(QStringLiteral("Get data"));
    SnapShotSubtitle = check(page, form, "SnapShotSubtitle",
                             QStringLiteral("Zdjęcie (snapshot) razem z napisem"), false);
    auto *modes = new QHBoxLayout;
    modes->addWidget(DisplayModeBox, 1);
    modes->addWidget(BGetDimension);
    form->addRow(fieldLabel(page, "DisplayModeBox", QStringLiteral("Tryb pełnego ekranu:")), modes);
    return scrolled(page, "TabSheetPicture");
}

QWidget *TForm4::buildPlayingPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    ButtonSkipBack = spin(page, form, "ButtonSkipBack", QStringLiteral("Przewijanie o [s]:"), 1, 999, 20);
    StopAfterMin = check(page, form, "StopAfterMin", QStringLiteral("Pauza po minimalizacji"), true);
    WaveOutIfDolby = check(page, form, "WaveOutIfDolby",
                           QStringLiteral("Dźwięk AC3 na zwykłe wyjście audio"), false);
    AntiFreeze = check(page, form, "AntiFreeze", QStringLiteral("AntiFreeze (odblokuj zatrzymany obraz)"), false);
    Movie2Part = check(page, form, "Movie2Part", QStringLiteral("Odtwarzaj automatycznie drugą część filmu"), true);
    PlayListStart = check(page, form, "PlayListStart", QStringLiteral("Wczytuj ostatnią PlayListę"), true);
    SnapShotDest = check(page, form, "SnapShotDest", QStringLiteral("Pytaj, gdzie zapisać zdjęcie"), true);
    // Read by the desktop's recent-files follower (DesktopRecent.cpp) under this name.
    check(page, form, "DesktopRecentFiles", QStringLiteral("Otwierane pliki także w ostatnio używanych pulpitu"), true);
    MenuStopMovie = check(page, form, "MenuStopMovie", QStringLiteral("Zatrzymaj film z menu"), true);
    MenuStart = check(page, form, "MenuStart", QStringLiteral("Startuj film po zniknięciu menu"), true);
    MenuOnClick = check(page, form, "MenuOnClick", QStringLiteral("Ukryj menu po kliknięciu"), true);
    return scrolled(page, "TabSheetPlaying");
}

QWidget *TForm4::buildKeysPage()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheetKey");
    auto *layout = new QVBoxLayout(page);
    KeyListEditor = new QTableWidget(KeyTable::Rows, 2, page);
    KeyListEditor->setObjectName("KeyListEditor");
    KeyListEditor->setHorizontalHeaderLabels(
        {QString::fromUtf8(KeyTable::DescriptionTitle), QString::fromLatin1(KeyTable::CodeTitle)});
    KeyListEditor->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    KeyListEditor->verticalHeader()->hide();
    KeyListEditor->setEditTriggers(QAbstractItemView::NoEditTriggers);
    keyEditor = new KeyEditor(KeyListEditor, m_keys, this);
    layout->addWidget(KeyListEditor);
    return page;
}

QWidget *TForm4::buildSkinsPage()
{
    Skins = new PageSkins(app);
    EDSkinSelect = Skins->EDSkinSelect;
    connect(app.form2(), &TForm2::skinChosen, Skins, &PageSkins::MenuSelectSkin);
    return scrolled(Skins, "ScrollSkins");
}

void TForm4::showKeys()
{
    const QList<KeyBindings::Entry> &entries = m_keys.entries();
    for (int i = 0; i < entries.size(); ++i) {
        KeyListEditor->setItem(i, 0, new QTableWidgetItem(entries[i].description));
        KeyListEditor->setItem(i, 1, new QTableWidgetItem(QString::number(entries[i].code)));
    }
}

void TForm4::connectHandlers()
{
    connect(ButtonSetupSave, &TZDButton::clicked, this, &TForm4::ButtonSetupSaveClick);
    connect(ButtonSetupDefault, &TZDButton::clicked, this, &TForm4::ButtonSetupDefaultClick);
    connect(ButtonSetupOK, &TZDButton::clicked, this, &TForm4::ButtonSetupOKClick);
    auto onValue = [this](SpinEdit *edit, void (TForm4::*handler)()) {
        connect(edit, &QDoubleSpinBox::valueChanged, this, handler);
    };
    onValue(NapisyCzas, &TForm4::NapisyCzasChange);
    onValue(PanScan, &TForm4::PanScanChange);
    onValue(PanScanUpDown, &TForm4::PanScanUpDownChange);
    onValue(ButtonUpDown, &TForm4::ButtonUpDownChange);
    onValue(ButtonSkipBack, &TForm4::ButtonSkipBackChange);
    onValue(EObwodka, &TForm4::EObwodkaChange);
    onValue(OSDObwodka, &TForm4::OSDObwodkaChange);
    onValue(OSDFontSize, &TForm4::OSDFontSizeChange);
    onValue(EFontSize, &TForm4::EFontSizeChange);
    onValue(OSDAutoInfoTime, &TForm4::OSDAutoInfoTimeChange);
    connect(DisplayModeBox, &QComboBox::currentTextChanged, this, &TForm4::DisplayModeBoxChange);
    connect(BGetDimension, &TZDButton::clicked, this, &TForm4::BGetDimensionClick);
    connect(SliderTXTSetup, &QSlider::valueChanged, this,
            [this](int v) { LabeltxtSec->setText(QString::number(v) + QStringLiteral(" s")); });
    connect(BFontChange, &TZDButton::clicked, this, &TForm4::BFontChangeClick);
    connect(BFontColorChange, &TZDButton::clicked, this, &TForm4::BFontColorChangeClick);
    connect(BOSDFontChange, &TZDButton::clicked, this, &TForm4::BOSDFontChangeClick);
    connect(BOSDFontColorChange, &TZDButton::clicked, this, &TForm4::BOSDFontColorChangeClick);
}

// --- change handlers ------------------------------------------------------------------

void TForm4::NapisyCzasChange()
{
    NapisyCzas->setTag(int(NapisyCzas->value()) * 1000);
    app.form3()->SetDisplayTime(NapisyCzas->tag());
}

void TForm4::PanScanChange() { PanScan->setTag(int(PanScan->value())); }
void TForm4::PanScanUpDownChange() { PanScanUpDown->setTag(int(PanScanUpDown->value())); }
void TForm4::ButtonUpDownChange() { ButtonUpDown->setTag(int(ButtonUpDown->value())); }
void TForm4::ButtonSkipBackChange() { ButtonSkipBack->setTag(int(ButtonSkipBack->value())); }

void TForm4::EObwodkaChange()
{
    EObwodka->setTag(int(EObwodka->value()));
    WzorKolor->setPenWidth(EObwodka->tag());
}

void TForm4::OSDObwodkaChange()
{
    OSDObwodka->setTag(int(OSDObwodka->value()));
    OSDWzorKolor->setPenWidth(OSDObwodka->tag());
}

namespace {
QFont withPointSize(QFont font, double size)
{
    font.setPointSize(qMax(1, int(size)));
    return font;
}
} // namespace

void TForm4::OSDFontSizeChange()
{
    showFont(app.formOSD(), OSDPanelWzor, OSDWzorKolor, withPointSize(app.formOSD()->font(), OSDFontSize->value()),
             OSDWzorKolor->color());
}

void TForm4::EFontSizeChange()
{
    showFont(app.form3(), PanelWzor, WzorKolor, withPointSize(app.form3()->font(), EFontSize->value()),
             WzorKolor->color());
}

void TForm4::OSDAutoInfoTimeChange()
{
    app.formOSD()->SetAutoInfoInterval(int(OSDAutoInfoTime->value()) * 60000);
}

void TForm4::DisplayModeBoxChange()
{
    if (const auto mode = DisplayMode::parse(DisplayModeBox->currentText()))
        m_fullScreenMode = *mode;
}

void TForm4::BGetDimensionClick()
{
    const QStringList modes = app.form2()->DXDraw->enumerate();
    if (modes.isEmpty()) {
        app.dialogs().message(this, QMessageBox::Information, PanelLayout::programTitle(),
                              QStringLiteral("This display does not change modes: full screen uses the desktop's resolution."));
        return;
    }
    // Filling the box is no choice of the user's: the stored mode stays until one is picked.
    const QSignalBlocker quiet(DisplayModeBox);
    DisplayModeBox->clear();
    DisplayModeBox->addItems(modes);
    int index = DisplayModeBox->findText(m_fullScreenMode.text());
    if (index < 0)
        index = DisplayModeBox->findText(QStringLiteral("640x480 32bit 60Hz"));
    DisplayModeBox->setCurrentIndex(qMax(0, index));
}

void TForm4::showFont(PlayerWindow *target, QLabel *preview, ColorSwatch *swatch, const QFont &font,
                      const QColor &colour)
{
    target->SetTextFont(font, colour);
    preview->setFont(font);
    // The sample is drawn black whatever the colour; the swatch shows the colour.
    QPalette p = preview->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    preview->setPalette(p);
    swatch->setColor(colour);
}

void TForm4::BFontChangeClick()
{
    QFont font = app.form3()->font();
    if (!app.dialogs().chooseFont(this, &font))
        return;
    showFont(app.form3(), PanelWzor, WzorKolor, font, WzorKolor->color());
    EFontName->setText(font.family());
    EFontSize->setValue(font.pointSize());
}

void TForm4::BFontColorChangeClick()
{
    QColor color = WzorKolor->color();
    if (!app.dialogs().chooseColor(this, &color))
        return;
    showFont(app.form3(), PanelWzor, WzorKolor, app.form3()->font(), color);
}

void TForm4::BOSDFontChangeClick()
{
    QFont font = app.formOSD()->font();
    if (!app.dialogs().chooseFont(this, &font))
        return;
    showFont(app.formOSD(), OSDPanelWzor, OSDWzorKolor, font, OSDWzorKolor->color());
    OSDFontName->setText(font.family());
    OSDFontSize->setValue(font.pointSize());
}

void TForm4::BOSDFontColorChangeClick()
{
    QColor color = OSDWzorKolor->color();
    if (!app.dialogs().chooseColor(this, &color))
        return;
    showFont(app.formOSD(), OSDPanelWzor, OSDWzorKolor, app.formOSD()->font(), color);
}

int TForm4::subtitleShiftMinutes() const { return SliderTXTSetupMin->value(); }

IQText::Settings TForm4::iqSettings() const
{
    IQText::Settings s;
    s.on = IQNapisow->isChecked();
    s.readingMs = IQTime->value();
    s.maxReadingMs = IQTime->maximum();
    s.fixedMs = NapisyCzas->tag() > 0 ? NapisyCzas->tag() : int(NapisyCzas->value()) * 1000;
    return s;
}

void TForm4::PageControl1Change()
{
    // The editor needs room for its texts; the other pages keep the narrow window.
    const bool editor = PageControl->currentWidget() == EditorPage;
    resize(editor ? 640 : 368, height());
}
int TForm4::subtitleShiftSeconds() const { return SliderTXTSetup->value(); }
