// Start-up loading, the closing writes and what follows loading: the command line, the
// first-run questions or the resumed film.
#include "ui/settings/TForm4.h"

#include "core/CdTrackName.h"
#include "core/Messages.h"
#include "core/PanelLayout.h"
#include "core/ProgramFolder.h"
#include "core/SettingsSchema.h"
#include "core/SettingsStore.h"
#include "core/TextFile.h"
#include "ui/app/BrivaraApplication.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/PageAssociations.h"
#include "ui/settings/PageInfo.h"
#include "ui/settings/PageSkins.h"
#include "ui/settings/SetupControls.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QStorageInfo>

void TForm4::FormCreate(const QStringList &arguments)
{
    // 1. A second monitor makes full screen on it possible: the video window sees to that.
    // 2. Every file type is offered for association at each start (the page selects them all).
    Associations->selectAll();

    // 3. Frame metrics: how much the window manager adds around a client area.
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    app.sideBorder = (frame.width() - client.width()) / 2;
    app.captionHeight = frame.height() - client.height() - app.sideBorder;

    // 4. The key bindings; a missing file keeps the built-in table.
    QStringList keyLines;
    if (QFileInfo::exists(ProgramFolder::keyBindingFile())
        && TextFile::readLines(ProgramFolder::keyBindingFile(), &keyLines)) {
        m_keys.applyLines(keyLines);
        showKeys();
    }

    // 5-7. The settings file; skins are listed and loaded once skins exist.
    SettingsStore store;
    QStringList problems = readGroup(store, QStringLiteral("LastDir"));
    problems += readGroup(store, QStringLiteral("SkinName"));
    Skins->startUp(EDSkinSelect->currentText());

    // 8. Recent files.
    readRecentFiles(store);

    // 9-10. The guarded groups, then the fonts built from them.
    for (const QString &guard : SettingsSchema::loadGroups())
        problems += readGroup(store, guard);
    m_fullScreenMode = m_fullScreenMode.sanitized();
    applyFonts();
    // The last playlist, when asked for and still there.
    if (PlayListStart->isChecked() && store.exists(QStringLiteral("FilePlayList"))
        && QFileInfo::exists(app.formPlayList()->FilePlayList))
        app.formPlayList()->ReadPlayList(app.formPlayList()->FilePlayList);

    // 11. Derived tags and timers.
    NapisyCzasChange();
    PanScanChange();
    PanScanUpDownChange();
    ButtonUpDownChange();
    ButtonSkipBackChange();
    EObwodkaChange();
    OSDObwodkaChange();
    OSDAutoInfoTimeChange();
    OpenLang(QStringLiteral("Start"));

    if (!problems.isEmpty()) {
        // A hand-edited file with a bad value still loads everything else; one message
        // names every value that was skipped.
        app.dialogs().message(this, QMessageBox::Warning, PanelLayout::programTitle(),
                              problems.join(QLatin1Char('\n')));
    }

    // 12. Command line, first run, or resume.
    if (!arguments.isEmpty())
        runCommandLine(arguments);
    else
        firstRunOrResume(store);
}

QStringList TForm4::readGroup(SettingsStore &store, const QString &guard)
{
    QStringList problems;
    if (!store.exists(guard))
        return problems; // a missing guard leaves the whole group at its defaults
    for (const SettingsSchema::Setting *setting : SettingsSchema::group(guard)) {
        const auto binding = m_bindings.constFind(QString::fromLatin1(setting->name));
        if (binding == m_bindings.constEnd())
            continue;
        const SettingsStore::Read read = store.read(QString::fromLatin1(setting->name), setting->type);
        if (!read.present)
            continue;
        if (!read.valid) {
            problems << QStringLiteral("Invalid data type for '%1'").arg(QLatin1String(setting->name));
            continue;
        }
        binding->set(read.value);
    }
    return problems;
}

void TForm4::readRecentFiles(SettingsStore &store)
{
    TForm2 *video = app.form2();
    for (int i = 1;; ++i) {
        const QString name = QLatin1String(SettingsSchema::RecentPrefix) + QString::number(i);
        const SettingsStore::Read read = store.read(name, SettingsStore::Type::String);
        if (!read.present)
            break;
        // Each one goes on top, so the highest number (the newest) ends up first.
        video->addRecentFile(read.value.toString());
    }
}

void TForm4::applyFonts()
{
    auto build = [](const QString &family, double size, int style) {
        QFont f(family);
        f.setPointSize(qMax(1, int(size)));
        f.setBold(style & SettingsStore::Bold);
        f.setItalic(style & SettingsStore::Italic);
        f.setUnderline(style & SettingsStore::Underline);
        f.setStrikeOut(style & SettingsStore::StrikeOut);
        return f;
    };
    showFont(app.formOSD(), OSDPanelWzor, OSDWzorKolor,
             build(OSDFontName->text(), OSDFontSize->value(), m_osdFontStyle), OSDWzorKolor->color());
    showFont(app.form3(), PanelWzor, WzorKolor, build(EFontName->text(), EFontSize->value(), m_fontStyle),
             WzorKolor->color());
}

void TForm4::runCommandLine(const QStringList &arguments)
{
    TForm1 *panel = app.form1();
    const QString argument = arguments.first();
    panel->OpenGivenFile = true;
    QString file = argument;
    if (argument.toUpper() == QLatin1String("CD")) {
        // The last type of the list found in the current folder wins (the list ends with CDA).
        const QDir here = QDir::current();
        for (int i = 0; i < Associations->ListRoz->count(); ++i) {
            const QStringList found = here.entryList({QStringLiteral("*.") + Associations->ListRoz->item(i)->text()},
                                                     QDir::Files, QDir::Name | QDir::IgnoreCase);
            if (!found.isEmpty())
                file = found.first();
        }
    } else if (argument.toUpper() == QLatin1String("MENU")) {
        // The whole file system the program lives on is searched, then the list plays.
        panel->OpenGivenFile = false;
        app.formPlayList()->SearchAndPlay(QStorageInfo(QCoreApplication::applicationDirPath()).rootPath());
        return;
    } else if (const QString drive = CdTrackName::driveOfArgument(argument); !drive.isEmpty()) {
        // A drive (or a disc image) stands for its first track.
        file = CdTrackName::path(drive, 1);
    }
    panel->OpenMovieFileName = file;
    panel->ButtonOpenClick();
}

void TForm4::firstRunOrResume(SettingsStore &store)
{
    if (!store.exists(QStringLiteral("First"))) {
        const QString title = app.messages().text(21);
        if (app.dialogs().message(this, QMessageBox::Warning, title, app.messages().text(20),
                                  QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::Yes) {
            Associations->selectAll();
            Associations->registerSelected();
        }
        if (app.dialogs().message(this, QMessageBox::Warning, title, app.messages().text(22),
                                  QMessageBox::Yes | QMessageBox::No)
            == QMessageBox::No)
            IQNapisow->setChecked(false);
        store.write(QStringLiteral("First"), SettingsStore::Type::Boolean, false);
        QString error;
        if (!store.sync(&error))
            reportStoreError(error);
        return;
    }
    TForm1 *panel = app.form1();
    if (app.form2()->AutoResume->isChecked() && QFileInfo::exists(panel->CurrentFile)) {
        panel->OpenGivenFile = true;
        panel->OpenMovieFileName = panel->CurrentFile;
        panel->CurrentFile = QStringLiteral("Start");
        panel->ButtonOpenClick();
    }
}

void TForm4::writeRunValues()
{
    SettingsStore store;
    for (const QString &name : SettingsSchema::closeOrder()) {
        const SettingsSchema::Setting *setting = SettingsSchema::find(name);
        const auto it = m_bindings.constFind(name);
        if (!setting || it == m_bindings.constEnd())
            continue;
        const QVariant value = it->get();
        if (name == QLatin1String("LastDir") && value.toString().isEmpty())
            continue;
        store.write(name, setting->type, value);
    }
    const QString prefix = QLatin1String(SettingsSchema::RecentPrefix);
    for (int i = SettingsSchema::RecentMax; i >= 1; --i)
        store.remove(prefix + QString::number(i));
    // Bottom-up, so that reading them back top-down rebuilds the same order.
    const QStringList files = app.form2()->recentFiles();
    for (int i = 0; i < files.size(); ++i)
        store.write(prefix + QString::number(i + 1), SettingsStore::Type::String,
                    files[files.size() - 1 - i]);
    QString error;
    if (store.sync(&error))
        return;
    // Written on the way out after the display went away: there is nothing to show a
    // message on, so it goes to the log.
    if (qApp->property(BrivaraApplication::DisplayGoneProperty).toBool())
        qWarning("%s", qPrintable(error));
    else
        reportStoreError(error);
}
