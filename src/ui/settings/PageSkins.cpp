#include "ui/settings/PageSkins.h"

#include "core/PanelLayout.h"
#include "core/SkinFile.h"
#include "core/SkinFolders.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

using SkinFile::Kind;

namespace {

const QStringList PictureFilters{QStringLiteral("Obrazy (*.bmp *.png *.BMP *.PNG)"),
                                 QStringLiteral("Wszystkie Pliki (*)")};

TZDButton *captioned(QWidget *parent, const char *name, const char *caption)
{
    return TZDButton::captioned(parent, name, QString::fromUtf8(caption));
}

QSpinBox *spin(QWidget *parent, const char *name, int min, int max)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(name);
    s->setRange(min, max);
    return s;
}

QString valueOf(const SkinFile::Section &s, const char *key)
{
    return s.value(QLatin1String(key)).value_or(QString());
}

int numberOf(const SkinFile::Section &s, const char *key)
{
    return SkinFile::number(valueOf(s, key)).value_or(0);
}

// A glyph preview: the picture on a button of its own, over its caption.
void preview(TZDButton *b, const QImage &image)
{
    b->setGlyphUp(image);
    b->setGlyphState(image.isNull() ? TZDButton::gsNone : TZDButton::gsUp);
    b->setTextPosition(image.isNull() ? TZDButton::tpRight : TZDButton::tpAbove);
}

} // namespace

PageSkins::PageSkins(Player &app, QWidget *parent) : QWidget(parent), app(app)
{
    setObjectName("TabSheetSkins");
    m_layout = new QVBoxLayout(this);
    auto *top = new QFormLayout;
    m_layout->addLayout(top);
    EDSkinSelect = new QComboBox(this);
    EDSkinSelect->setObjectName("EDSkinSelect");
    EDSkinSelect->setEnabled(false);
    top->addRow(QStringLiteral("Skórka:"), EDSkinSelect);
    auto *nameRow = new QHBoxLayout;
    EDName = new QLineEdit(QStringLiteral("NewSkin"), this);
    EDName->setObjectName("EDName");
    EDBSaveSkin = captioned(this, "EDBSaveSkin", "Zapisz Skórkę");
    nameRow->addWidget(EDName, 1);
    nameRow->addWidget(EDBSaveSkin);
    top->addRow(QStringLiteral("Nazwa:"), nameRow);
    BWybierzTlo = captioned(this, "BWybierzTlo", "Wybierz");
    top->addRow(QStringLiteral("Tło:"), BWybierzTlo);
    m_layout->addStretch(1);

    connect(EDSkinSelect, &QComboBox::activated, this, &PageSkins::EDSkinSelectChange);
    connect(EDBSaveSkin, &TZDButton::clicked, this, [this] { EDBSaveSkinClick(true); });
    connect(BWybierzTlo, &TZDButton::clicked, this, &PageSkins::BWybierzTloClick);
    connect(app.form2()->PopupMenu, &QMenu::aboutToShow, this, &PageSkins::ensureListed);
}

void PageSkins::prepare()
{
    ensureListed();
    if (!EDKomponent)
        buildEditor();
    ensureStandard();
    EDKomponentChange();
}

void PageSkins::buildEditor()
{
    delete m_layout->takeAt(1); // the stretch that kept the chooser row at the top
    auto *top = new QFormLayout;
    m_layout->insertLayout(1, top);
    EDKomponent = new QComboBox(this);
    EDKomponent->setObjectName("EDKomponent");
    top->addRow(QStringLiteral("Element:"), EDKomponent);
    auto *grid = new QGridLayout;
    EDPozX = spin(this, "EDPozX", -2000, 2000);
    EDPozY = spin(this, "EDPozY", -2000, 2000);
    EDSzer = spin(this, "EDSzer", 0, 2000);
    EDWys = spin(this, "EDWys", 0, 2000);
    grid->addWidget(new QLabel(QStringLiteral("X:"), this), 0, 0);
    grid->addWidget(EDPozX, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Y:"), this), 0, 2);
    grid->addWidget(EDPozY, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("Szer.:"), this), 1, 0);
    grid->addWidget(EDSzer, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Wys.:"), this), 1, 2);
    grid->addWidget(EDWys, 1, 3);
    top->addRow(grid);
    EDCaption = new QLineEdit(this);
    EDCaption->setObjectName("EDCaption");
    top->addRow(QStringLiteral("Napis:"), EDCaption);
    EDHint = new QPlainTextEdit(this);
    EDHint->setObjectName("EDHint");
    EDHint->setFixedHeight(44);
    top->addRow(QStringLiteral("Podpowiedź:"), EDHint);
    auto *flags = new QHBoxLayout;
    EDVisible = new QCheckBox(QStringLiteral("Widoczny"), this);
    EDVisible->setObjectName("EDVisible");
    EDTransparent = new QCheckBox(QStringLiteral("Przezroczysty"), this);
    EDTransparent->setObjectName("EDTransparent");
    flags->addWidget(EDVisible);
    flags->addWidget(EDTransparent);
    top->addRow(flags);

    PageControlSkin = new QTabWidget(this);
    PageControlSkin->setObjectName("PageControlSkin");
    auto *help = new QPlainTextEdit(this);
    help->setObjectName("MemoSkinHelp");
    help->setReadOnly(true);
    help->setPlainText(QStringLiteral(
        "Wybierz element panelu z listy i zmieniaj jego położenie, rozmiar, napisy i obrazki; "
        "każda zmiana od razu widać na panelu. \"Zapisz Skórkę\" zapisuje cały panel pod "
        "podaną nazwą."));
    PageControlSkin->addTab(help, QStringLiteral("Opis"));
    PageControlSkin->addTab(buildButtonPage(), QStringLiteral("Właściwości Klawisza"));
    PageControlSkin->addTab(buildSliderPage(), QStringLiteral("Właściwości Suwaka"));
    PageControlSkin->addTab(buildLabelPage(), QStringLiteral("Właściwości Tekstu"));
    m_layout->insertWidget(2, PageControlSkin, 1);

    // The element list is the panel's, filled once.
    EDKomponent->addItems(app.form1()->SkinElements());
    connectEditor();
}

QWidget *PageSkins::buildButtonPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    struct Glyph { TZDButton **button, **clear; const char *name, *clearName, *caption; };
    const Glyph glyphs[] = {
        {&EDBUp, &EDBUpX, "EDBUp", "EDBUpX", "W górze"},
        {&EDBDown, &EDBDownX, "EDBDown", "EDBDownX", "Wciśnięty"},
        {&EDBDisable, &EDBDisableX, "EDBDisable", "EDBDisableX", "Wyłączony"},
        {&EDBOver, &EDBOverX, "EDBOver", "EDBOverX", "Mysz Nad"},
    };
    int column = 0;
    for (const Glyph &g : glyphs) {
        *g.button = captioned(page, g.name, g.caption);
        (*g.button)->setMinimumHeight(40);
        *g.clear = captioned(page, g.clearName, "X");
        grid->addWidget(*g.button, 0, column);
        grid->addWidget(*g.clear, 1, column++);
    }
    EDBBorder = new QCheckBox(QStringLiteral("Ramka"), page);
    EDBBorder->setObjectName("EDBBorder");
    EDBFlat = new QCheckBox(QStringLiteral("Płaski"), page);
    EDBFlat->setObjectName("EDBFlat");
    EDBTextPoz = new QComboBox(page);
    EDBTextPoz->setObjectName("EDBTextPoz");
    EDBTextPoz->addItems({"Nad (Below)", "Pod (Above)", "Z lewej (Left)", "Brak Tekstu (none)",
                          "Z Prawej (Right)"});
    EDBProbe = captioned(page, "EDBProbe", "Wypróbuj");
    grid->addWidget(EDBBorder, 2, 0);
    grid->addWidget(EDBFlat, 2, 1);
    grid->addWidget(EDBProbe, 2, 2, 1, 2);
    grid->addWidget(EDBTextPoz, 3, 0, 1, 4);
    return page;
}

QWidget *PageSkins::buildSliderPage()
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    EDSuwak = captioned(page, "EDSuwak", "Obraz Suwaka");
    EDSuwakX = captioned(page, "EDSuwakX", "X");
    EDSuwakTrack = captioned(page, "EDSuwakTrack", "Obraz Ścieżki Suwaka");
    EDSuwakTrackX = captioned(page, "EDSuwakTrackX", "X");
    for (TZDButton *b : {EDSuwak, EDSuwakTrack})
        b->setMinimumHeight(40);
    grid->addWidget(EDSuwak, 0, 0);
    grid->addWidget(EDSuwakX, 0, 1);
    grid->addWidget(EDSuwakTrack, 1, 0);
    grid->addWidget(EDSuwakTrackX, 1, 1);
    return page;
}

QWidget *PageSkins::buildLabelPage()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    auto *fontRow = new QHBoxLayout;
    EDLabelFont = new QLineEdit(page);
    EDLabelFont->setObjectName("EDLabelFont");
    EDLabelFont->setReadOnly(true);
    EDBLabelFont = captioned(page, "EDBLabelFont", "Zmień");
    fontRow->addWidget(EDLabelFont, 1);
    fontRow->addWidget(EDBLabelFont);
    form->addRow(QStringLiteral("Czcionka:"), fontRow);
    EDBLabelColor = captioned(page, "EDBLabelColor", "Zmień Kolor Czcionki");
    EDBLabelShadowColor = captioned(page, "EDBLabelShadowColor", "Zmień Kolor Obwódki");
    form->addRow(EDBLabelColor);
    form->addRow(EDBLabelShadowColor);
    EDLabelShadowSize = spin(page, "EDLabelShadowSize", 0, 6);
    EDLabelShadowSize->setValue(1);
    form->addRow(QStringLiteral("Obwódka:"), EDLabelShadowSize);
    EDLabelShadowPos = new QComboBox(page);
    EDLabelShadowPos->setObjectName("EDLabelShadowPos");
    EDLabelShadowPos->addItems({"LeftBottom", "LeftTop", "RightBottom", "RightTop"});
    form->addRow(QStringLiteral("Kierunek:"), EDLabelShadowPos);
    return page;
}

void PageSkins::connectEditor()
{
    connect(EDKomponent, &QComboBox::currentIndexChanged, this, &PageSkins::EDKomponentChange);
    connect(PageControlSkin, &QTabWidget::currentChanged, this, &PageSkins::PageControlSkinChange);
    const std::pair<QSpinBox *, const char *> sizes[] = {
        {EDPozX, "Left"}, {EDPozY, "Top"}, {EDSzer, "Width"}, {EDWys, "Height"}};
    for (const auto &[box, key] : sizes)
        connect(box, &QSpinBox::valueChanged, this,
                [this, key = QString::fromLatin1(key)](int v) { set(key, QString::number(v)); });
    connect(EDCaption, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (EDCaption->isEnabled())
            set(QStringLiteral("Text"), text);
    });
    connect(EDHint, &QPlainTextEdit::textChanged, this, [this] {
        QStringList lines = EDHint->toPlainText().split(QLatin1Char('\n'));
        while (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        set(QStringLiteral("Hint"), lines.join(QStringLiteral("\r\n")));
    });
    connect(EDVisible, &QCheckBox::clicked, this,
            [this](bool on) { set(QStringLiteral("Visible"), SkinFile::flagText(on)); });
    connect(EDTransparent, &QCheckBox::clicked, this, [this](bool on) {
        if (EDTransparent->isEnabled())
            set(QStringLiteral("Transparent"), SkinFile::flagText(on));
    });
    connect(EDBBorder, &QCheckBox::clicked, this, [this](bool on) {
        set(QStringLiteral("Border"), SkinFile::flagText(on));
        EDBProbe->setBorder(on);
    });
    connect(EDBFlat, &QCheckBox::clicked, this, [this](bool on) {
        set(QStringLiteral("Flat"), SkinFile::flagText(on));
        EDBProbe->setButtonStyle(ButtonLogic::styleWithFlat(EDBProbe->buttonStyle(), on));
    });
    connect(EDBTextPoz, &QComboBox::activated, this,
            [this](int index) { set(QStringLiteral("TextPos"), QString::number(index)); });
    const std::pair<TZDButton *, const char *> pictures[] = {
        {EDBUp, "GlyphUp"}, {EDBDown, "GlyphDown"}, {EDBDisable, "GlyphDisable"}, {EDBOver, "GlyphOver"},
        // "Obraz Ścieżki Suwaka" is the track, "Obraz Suwaka" the thumb that runs on it.
        {EDSuwakTrack, "ImageRuler"}, {EDSuwak, "ImageThumb"}};
    const std::pair<TZDButton *, const char *> clears[] = {
        {EDBUpX, "GlyphUp"}, {EDBDownX, "GlyphDown"}, {EDBDisableX, "GlyphDisable"}, {EDBOverX, "GlyphOver"},
        {EDSuwakTrackX, "ImageRuler"}, {EDSuwakX, "ImageThumb"}};
    for (const auto &[button, key] : pictures)
        connect(button, &TZDButton::clicked, this,
                [this, key = QString::fromLatin1(key)] { choosePicture(key); });
    for (const auto &[button, key] : clears)
        connect(button, &TZDButton::clicked, this, [this, key = QString::fromLatin1(key)] {
            set(key, QString());
            EDKomponentChange();
        });
    connect(EDBLabelFont, &TZDButton::clicked, this, [this] {
        const SkinFile::Section s = app.form1()->SkinElementValues(element());
        QFont font(valueOf(s, "FontName"));
        font.setPointSize(qMax(1, numberOf(s, "FontSize")));
        if (!app.dialogs().chooseFont(window(), &font))
            return;
        set(QStringLiteral("FontName"), font.family());
        if (font.pointSize() > 0)
            set(QStringLiteral("FontSize"), QString::number(font.pointSize()));
        EDLabelFont->setText(font.family());
    });
    connect(EDBLabelColor, &TZDButton::clicked, this, [this] { chooseLabelColour(QStringLiteral("FontColor")); });
    connect(EDBLabelShadowColor, &TZDButton::clicked, this,
            [this] { chooseLabelColour(QStringLiteral("FontShadowColor")); });
    connect(EDLabelShadowSize, &QSpinBox::valueChanged, this,
            [this](int v) { set(QStringLiteral("FontShadowSize"), QString::number(v)); });
    connect(EDLabelShadowPos, &QComboBox::activated, this,
            [this](int index) { set(QStringLiteral("FontShadowPos"), QString::number(index)); });
}

QString PageSkins::element() const { return EDKomponent->currentText(); }

void PageSkins::set(const QString &key, const QString &value)
{
    if (m_filling || element().isEmpty())
        return;
    QString error;
    if (!app.form1()->SetSkinValue(element(), key, value, {}, &error))
        warn(error);
}

void PageSkins::warn(const QString &text)
{
    app.dialogs().message(window(), QMessageBox::Warning, PanelLayout::programTitle(), text);
}

void PageSkins::choosePicture(const QString &key)
{
    const QStringList files = app.dialogs().openFiles(window(), QStringLiteral("Wybierz obrazek"),
                                                      QString(), PictureFilters, false);
    if (files.isEmpty())
        return;
    set(key, QFileInfo(files.first()).absoluteFilePath());
    EDKomponentChange();
}

void PageSkins::chooseLabelColour(const QString &key)
{
    const std::optional<int> value
        = SkinFile::number(app.form1()->SkinElementValues(element()).value(key).value_or(QString()));
    const quint32 v = quint32(value.value_or(0));
    QColor colour(SkinFile::redOf(v), SkinFile::greenOf(v), SkinFile::blueOf(v));
    if (app.dialogs().chooseColor(window(), &colour))
        set(key, QString::number(SkinFile::colorValue(colour.red(), colour.green(), colour.blue())));
}

void PageSkins::EDKomponentChange()
{
    if (!EDKomponent)
        return; // the editor is built at the window's first show
    TForm1 *panel = app.form1();
    const std::optional<Kind> kind = panel->SkinElementKind(element());
    if (!kind)
        return;
    const SkinFile::Section s = panel->SkinElementValues(element());
    m_filling = true;
    PageControlSkinTag = 0;
    PageControlSkin->setCurrentIndex(0);
    EDPozX->setValue(numberOf(s, "Left"));
    EDPozY->setValue(numberOf(s, "Top"));
    EDSzer->setValue(numberOf(s, "Width"));
    EDWys->setValue(numberOf(s, "Height"));
    EDVisible->setChecked(SkinFile::flag(valueOf(s, "Visible")));
    EDHint->setPlainText(valueOf(s, "Hint").replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    const bool button = *kind == Kind::Button;
    EDTransparent->setEnabled(button);
    EDCaption->setEnabled(button);
    if (button) {
        EDTransparent->setChecked(SkinFile::flag(valueOf(s, "Transparent")));
        EDCaption->setText(valueOf(s, "Text"));
        const bool border = SkinFile::flag(valueOf(s, "Border"));
        const bool flat = SkinFile::flag(valueOf(s, "Flat"));
        EDBBorder->setChecked(border);
        EDBFlat->setChecked(flat);
        preview(EDBUp, panel->SkinElementBitmap(element(), "GlyphUp"));
        preview(EDBDown, panel->SkinElementBitmap(element(), "GlyphDown"));
        preview(EDBDisable, panel->SkinElementBitmap(element(), "GlyphDisable"));
        preview(EDBOver, panel->SkinElementBitmap(element(), "GlyphOver"));
        EDBProbe->setBorder(border);
        EDBProbe->setButtonStyle(flat ? TZDButton::btFlat : TZDButton::btNormal);
        EDBTextPoz->setCurrentIndex(qBound(0, numberOf(s, "TextPos"), 4));
        PageControlSkinTag = 1;
    } else {
        EDCaption->clear();
    }
    if (*kind == Kind::Slider) {
        preview(EDSuwakTrack, panel->SkinElementBitmap(element(), "ImageRuler"));
        preview(EDSuwak, panel->SkinElementBitmap(element(), "ImageThumb"));
        PageControlSkinTag = 2;
    } else if (*kind == Kind::Label) {
        EDLabelFont->setText(valueOf(s, "FontName"));
        EDLabelShadowSize->setValue(numberOf(s, "FontShadowSize"));
        EDLabelShadowPos->setCurrentIndex(qBound(0, numberOf(s, "FontShadowPos"), 3));
        PageControlSkinTag = 3;
    }
    PageControlSkin->setCurrentIndex(PageControlSkinTag);
    m_filling = false;
}

void PageSkins::PageControlSkinChange(int index)
{
    if (index != 0 && index != PageControlSkinTag)
        PageControlSkin->setCurrentIndex(PageControlSkinTag);
}

// --- the skin list, loading and saving ---------------------------------------------------

void PageSkins::ensureListed()
{
    if (!m_listed)
        ListSkins();
}

void PageSkins::ListSkins()
{
    m_listed = true;
    QStringList names = SkinFolders::list(SkinFolders::roots());
    // The built-in skin is always there to go back to; it is written before the panel
    // first changes.
    if (!names.isEmpty() && !names.contains(QLatin1String(SkinFile::StandardName)))
        names.prepend(QLatin1String(SkinFile::StandardName));
    const QString current = EDSkinSelect->currentText();
    const QSignalBlocker blocker(EDSkinSelect);
    EDSkinSelect->clear();
    EDSkinSelect->addItems(names);
    // No skin chosen yet stays no skin chosen (the stored name is then empty); a stored name
    // whose folder is gone stays shown, so it is stored again as it was.
    int index = current.isEmpty() ? -1 : EDSkinSelect->findText(current);
    if (index < 0 && !current.isEmpty()) {
        EDSkinSelect->addItem(current);
        index = EDSkinSelect->count() - 1;
    }
    EDSkinSelect->setCurrentIndex(index);
    app.form2()->FillSkinMenu(names);
    if (!names.isEmpty())
        EDSkinSelect->setEnabled(true);
}

void PageSkins::startUp(const QString &storedName)
{
    if (storedName.isEmpty() || storedName == QLatin1String(SkinFile::StandardName))
        return;
    ListSkins(); // keeps the stored name chosen, listed or not
    if (SkinFolders::locate(storedName, SkinFolders::roots()).isEmpty())
        return;
    EDName->setText(storedName);
    app.form2()->CheckSkinItem(storedName);
    LoadSkin();
}

void PageSkins::ensureStandard()
{
    ensureListed();
    const QString standard = QLatin1String(SkinFile::StandardName);
    if (!EDSkinSelect->isEnabled() || !SkinFolders::locate(standard, SkinFolders::roots()).isEmpty())
        return;
    if (!QDir().mkpath(SkinFolders::userRoot())) {
        warn(QStringLiteral("Cannot create Directory SKINS"));
        return;
    }
    const QString name = EDName->text();
    EDName->setText(standard);
    EDBSaveSkinClick(false);
    EDName->setText(name);
}

void PageSkins::EDSkinSelectChange()
{
    EDName->setText(EDSkinSelect->currentText());
    app.form2()->CheckSkinItem(EDSkinSelect->currentText());
    LoadSkin();
}

void PageSkins::MenuSelectSkin(const QString &name)
{
    const int index = EDSkinSelect->findText(name);
    if (index < 0)
        return;
    EDSkinSelect->setCurrentIndex(index);
    EDSkinSelectChange();
}

void PageSkins::LoadSkin()
{
    const QString name = EDSkinSelect->currentText();
    const QString standard = QLatin1String(SkinFile::StandardName);
    if (name == standard && !EDSkinSelect->isEnabled())
        return;
    if (SkinFolders::locate(standard, SkinFolders::roots()).isEmpty()) {
        ensureStandard();
        EDName->setText(QStringLiteral("NewSkin"));
    }
    const QString folder = SkinFolders::locate(name, SkinFolders::roots());
    if (folder.isEmpty() || !QFileInfo::exists(QDir(folder).filePath(QLatin1String(SkinFile::FileName))))
        return;
    const QString problems = app.form1()->LoadSkin(folder, name == standard);
    EDKomponentChange();
    if (!problems.isEmpty())
        warn(problems);
}

void PageSkins::EDBSaveSkinClick(bool byUser)
{
    QString name = EDName->text().trimmed();
    if (byUser && name == QLatin1String(SkinFile::StandardName)) {
        name = QLatin1String(SkinFile::StandardCopyName);
        EDName->setText(name);
    }
    const QString root = SkinFolders::userRoot();
    if (!QDir().mkpath(root)) {
        warn(QStringLiteral("Cannot create Directory SKINS"));
        return;
    }
    const QString folder = root + QLatin1Char('/') + name;
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.'))) {
        warn(QStringLiteral("Cannot create Directory ") + folder);
        return;
    }
    if (QFileInfo::exists(QDir(folder).filePath(QLatin1String(SkinFile::FileName)))
        && app.dialogs().message(window(), QMessageBox::Warning, PanelLayout::programTitle(),
                                 QStringLiteral("Skin \"%1\" allready exists, Overwrite?").arg(name),
                                 QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    const QString error = app.form1()->SaveSkin(folder);
    if (!error.isEmpty()) {
        warn(error);
        return;
    }
    ListSkins();
}

void PageSkins::BWybierzTloClick()
{
    const QStringList files = app.dialogs().openFiles(window(), QStringLiteral("Wybierz tło"), QString(),
                                                      PictureFilters, false);
    if (files.isEmpty())
        return;
    const QString error = app.form1()->LoadSkinBackground(files.first());
    if (!error.isEmpty())
        warn(error);
}
