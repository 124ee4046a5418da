// The preferences page "Menu": the editor of the movie menu a film carries, and the
// reading and writing of that menu in the film's file.
#include "ui/settings/TForm4.h"

#include "core/AviJunkStore.h"
#include "engine/MediaEngine.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/settings/SetupControls.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace {

const char *const DefaultLines[] = {"Play Movie", "Go Scene1", "Go Scene2", "Go Scene3",
                                    "http://www.zendor.org/Brivara/"};

QColor fromColorRef(quint32 ref) { return QColor(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF); }
quint32 toColorRef(const QColor &c) { return quint32(c.red()) | quint32(c.green()) << 8 | quint32(c.blue()) << 16; }

void showMessage(Player &app, QWidget *parent, const QString &text)
{
    app.dialogs().message(parent, QMessageBox::Warning, QStringLiteral("Brivara"), text);
}

} // namespace

QWidget *TForm4::buildMenuPage()
{
    auto *page = new QWidget;
    page->setObjectName("TabSheetMenu");
    auto *grid = new QGridLayout(page);
    auto *titleLabel = new QLabel(QStringLiteral("Tytuł:"), page);
    titleLabel->setObjectName("LabelMenuTitle");
    grid->addWidget(titleLabel, 0, 0);
    MenuTitle = new QLineEdit(QStringLiteral("Movie Menu:"), page);
    MenuTitle->setObjectName("MenuTitle");
    MenuTitle->setMaxLength(MovieMenuRecord::TextMax);
    grid->addWidget(MenuTitle, 0, 1, 1, 3);
    for (int i = 0; i < MovieMenu::Entries; ++i) {
        const int row = i + 1;
        auto *number = new QLabel(QString::number(row) + QLatin1Char('.'), page);
        grid->addWidget(number, row, 0);
        MenuLine[i] = new QLineEdit(QString::fromLatin1(DefaultLines[i]), page);
        MenuLine[i]->setObjectName(QStringLiteral("MenuLine%1").arg(row));
        MenuLine[i]->setMaxLength(MovieMenuRecord::TextMax);
        grid->addWidget(MenuLine[i], row, 1);
        MenuTimes[i] = new QTimeEdit(QTime(0, 0), page);
        MenuTimes[i]->setObjectName(QStringLiteral("MenuTime%1").arg(row));
        MenuTimes[i]->setDisplayFormat(QStringLiteral("H:mm:ss"));
        grid->addWidget(MenuTimes[i], row, 2);
        MenuLink[i] = new QCheckBox(QStringLiteral("Link"), page);
        MenuLink[i]->setObjectName(QStringLiteral("MenuLink%1").arg(row));
        MenuLink[i]->setChecked(row == MovieMenu::Entries);
        grid->addWidget(MenuLink[i], row, 3);
    }
    auto *timeLabel = new QLabel(QStringLiteral("Czas wyświetlania [s]:"), page);
    timeLabel->setObjectName("LabelMenuTime");
    grid->addWidget(timeLabel, 6, 0, 1, 2);
    MenuTime = new SpinEdit(page);
    MenuTime->setObjectName("MenuTime");
    MenuTime->setRange(5, 30);
    MenuTime->setValue(10);
    MenuTime->setTag(10);
    connect(MenuTime, &QDoubleSpinBox::valueChanged, this, [this](double v) { MenuTime->setTag(int(v)); });
    grid->addWidget(MenuTime, 6, 2);

    auto button = [&](TZDButton *&member, const char *name, const QString &caption, int row) {
        member = TZDButton::captioned(page, name, caption);
        member->setFixedHeight(24);
        grid->addWidget(member, row, 0, 1, 4);
    };
    button(BMenuColor, "BMenuColor", QStringLiteral("COLOR MENU"), 7);
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    BMenuColor->setFont(font);
    // The letters are the menu's colour; a dark face keeps yellow readable.
    QPalette p = BMenuColor->palette();
    p.setColor(QPalette::Button, Qt::black);
    p.setColor(QPalette::ButtonText, fromColorRef(MovieMenu().colour));
    BMenuColor->setPalette(p);
    button(BMenuSave, "BMenuSave", QStringLiteral("Zapisz Menu w filmie!"), 8);
    button(BMenuClear, "BMenuClear", QStringLiteral("Usuń Menu"), 9);
    button(BMenuGet, "BMenuGet", QStringLiteral("Pobierz Menu"), 10);
    BMenuGet->setEnabled(false);
    grid->setRowStretch(11, 1);
    grid->setColumnStretch(1, 1);

    connect(BMenuColor, &TZDButton::clicked, this, &TForm4::BMenuColorClick);
    connect(BMenuSave, &TZDButton::clicked, this, &TForm4::BMenuSaveClick);
    connect(BMenuClear, &TZDButton::clicked, this, &TForm4::BMenuClearClick);
    MenuPage = page;
    return page;
}

QColor TForm4::MenuColor() const { return BMenuColor->palette().color(QPalette::ButtonText); }

MovieMenu TForm4::EditorMenu() const
{
    MovieMenu menu;
    menu.title = MenuTitle->text();
    for (int i = 0; i < MovieMenu::Entries; ++i) {
        menu.entries[i].text = MenuLine[i]->text();
        menu.entries[i].link = MenuLink[i]->isChecked();
        menu.entries[i].seconds = MenuTimes[i]->time().msecsSinceStartOfDay() / 1000;
    }
    menu.displaySeconds = qRound(MenuTime->value());
    menu.colour = toColorRef(MenuColor());
    return menu;
}

void TForm4::showMenu(const MovieMenu &menu)
{
    MenuTitle->setText(menu.title);
    for (int i = 0; i < MovieMenu::Entries; ++i) {
        MenuLine[i]->setText(menu.entries[i].text);
        MenuLink[i]->setChecked(menu.entries[i].link);
        MenuTimes[i]->setTime(QTime(0, 0).addSecs(menu.entries[i].seconds));
    }
    // A stored time outside the page's range still shows as the nearest it can hold.
    MenuTime->setValue(menu.displaySeconds);
    QPalette p = BMenuColor->palette();
    p.setColor(QPalette::ButtonText, fromColorRef(menu.colour));
    BMenuColor->setPalette(p);
    BMenuColor->update();
}

bool TForm4::OdczytajMenu(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const AviJunkStore::ReadResult found = AviJunkStore::read(file);
    if (found.status != AviJunkStore::ReadResult::Found)
        return false;
    showMenu(found.menu);
    return true;
}

void TForm4::BMenuColorClick()
{
    QColor colour = MenuColor();
    if (!app.dialogs().chooseColor(this, &colour))
        return;
    QPalette p = BMenuColor->palette();
    p.setColor(QPalette::ButtonText, colour);
    BMenuColor->setPalette(p);
    BMenuColor->update();
}

void TForm4::changeFilm(const std::function<void(QFile &)> &change)
{
    TForm1 *panel = app.form1();
    TForm2 *video = app.form2();
    const QString path = panel->CurrentFile;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        showMessage(app, this, QStringLiteral("File Open Error!"));
        return;
    }
    const bool playing = panel->PlayState == TForm1::StatePlaying;
    const qint64 position = video->engine().position();
    video->ReleaseGraph();
    {
        // Opened as it is: a film marked read-only is not made writable behind the user's
        // back (not even for an administrator, who could write it anyway), and a missing
        // one is not created.
        QFile file(path);
        constexpr QFileDevice::Permissions anyWrite =
            QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
        if ((file.permissions() & anyWrite) && file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
            change(file);
        else
            showMessage(app, this, QStringLiteral("File Open Error!"));
    }
    video->BuildGraph(path);
    if (position > 0)
        video->engine().seek(position);
    if (playing)
        panel->BPlayClick();
}

void TForm4::BMenuSaveClick()
{
    const MovieMenu menu = EditorMenu();
    changeFilm([&](QFile &file) {
        using AviJunkStore::WriteStatus;
        switch (AviJunkStore::save(file, menu).status) {
        case WriteStatus::Written:
            return;
        case WriteStatus::NoChunk:
            return showMessage(app, this, app.messages()[29]);
        case WriteStatus::NoRoom:
            return showMessage(app, this, QStringLiteral("Menu Save Error: no free room for a menu in this file!"));
        case WriteStatus::WriteFailed:
        case WriteStatus::VerifyFailed:
            return showMessage(app, this, QStringLiteral("Menu Save Error!"));
        }
    });
}

void TForm4::BMenuClearClick()
{
    changeFilm([&](QFile &file) {
        if (AviJunkStore::clear(file).failed)
            showMessage(app, this, QStringLiteral("Menu Save Error!"));
    });
}
