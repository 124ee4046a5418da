#include "core/ProgramFolder.h"
#include "core/SettingsSchema.h"
#include "core/SettingsStore.h"
#include "core/TextFile.h"
#include "support/TestPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/osd/TFormOSD.h"
#include "ui/settings/PageAssociations.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

using Type = SettingsStore::Type;

namespace {

// A value other than the default, legal for the setting.
QVariant changed(const SettingsSchema::Setting &s)
{
    static const QMap<QString, QVariant> chosen{
        {"LastDir", "/films/"}, {"SkinName", "Nocna"}, {"DirPlayList", "/lists"},
        {"FilePlayList", "/lists/wieczor.zdl"}, {"Volume", -3}, {"FullScreenPanelLeft", 17},
        {"FullScreenPanelTop", -4}, {"FilterAudioOut", "pulsesink"}, {"OSDFontName", "DejaVu Serif"},
        {"OSDFontColor", 0x00123456}, {"OSDFontStyle", int(SettingsStore::Italic)},
        {"OSDFontCharset", 238}, {"IQTime", 5000}, {"AutoResumeFile", "/films/nie-ma.avi"},
        {"AutoResumePos", 123456789.0}, {"EFontName", "DejaVu Sans Mono"}, {"FontColor", 0x00FF8000},
        {"FontStyle", int(SettingsStore::Bold | SettingsStore::Underline)}, {"FontCharset", 238},
        {"FontType", 2}, {"DirectoryTXT", "/napisy"}, {"DisplayModeBox", "800x600 32bit 85Hz"},
        {"FULLWidth", 800}, {"FULLHeight", 600}, {"FULLBitCount", 32}, {"FULLHz", 85},
    };
    if (chosen.contains(s.name))
        return chosen.value(s.name);
    switch (s.type) {
    case Type::Boolean:
        return !s.defaultValue.toBool();
    case Type::Float:
    case Type::Integer:
        if (s.hasRange())
            return s.defaultValue.toDouble() == s.maximum ? s.minimum : s.maximum;
        return 7;
    default:
        return QStringLiteral("x-%1").arg(s.name);
    }
}

// What a restart is expected to bring back: the values the two writers store and the
// loader reads (OSDObwodka and GroupOSDInfo are written but never read back).
QList<const SettingsSchema::Setting *> roundTripped()
{
    QList<const SettingsSchema::Setting *> out;
    for (const SettingsSchema::Setting &s : SettingsSchema::all())
        if ((s.writers & (SettingsSchema::BySave | SettingsSchema::ByClose)) && *s.group)
            out << &s;
    return out;
}

} // namespace

class TestSettingsWindow : public QObject
{
    Q_OBJECT
private slots:
    void everySettingSurvivesSaveCloseAndRestart()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        {
            TestPlayer a(folders);
            a->start({});
            for (const SettingsSchema::Setting *s : roundTripped())
                QVERIFY2(a->form4()->setSettingValue(s->name, changed(*s)), s->name);
            a->form4()->ButtonSetupSaveClick();
            a->form1()->close();
        }
        TestPlayer b(folders);
        b->start({});
        for (const SettingsSchema::Setting *s : roundTripped()) {
            const QVariant got = b->form4()->settingValue(s->name);
            const QVariant want = changed(*s);
            if (s->type == Type::String)
                QCOMPARE(got.toString(), want.toString());
            else
                QVERIFY2(got.toDouble() == want.toDouble(),
                         qPrintable(QStringLiteral("%1: %2 != %3").arg(s->name, got.toString(), want.toString())));
        }
        // Values reach the windows that use them.
        TForm4 *setup = b->form4();
        QVERIFY(setup->OSDRight->isChecked());
        QCOMPARE(setup->NapisyCzas->tag(), 10000);
        QCOMPARE(b->form3()->TimerNapisClear->interval(), 10000);
        QCOMPARE(b->formOSD()->TimerAutoInfo->interval(), 999 * 60000);
        QCOMPARE(b->formOSD()->font().family(), QStringLiteral("DejaVu Serif"));
        QVERIFY(b->formOSD()->font().italic());
        QCOMPARE(b->formOSD()->palette().color(QPalette::WindowText), QColor(0x56, 0x34, 0x12));
        QCOMPARE(setup->fullScreenMode(), (DisplayMode{800, 600, 32, 85}));
        QCOMPARE(b->form1()->SliderFUN->value(), -3);
        QVERIFY(b->form2()->Dowolny1->isChecked()); // proportions not kept: free aspect
        QVERIFY(b.dialogs->asked.isEmpty());        // no first-run questions the second time
    }

    void aMissingGuardLeavesItsGroupAtDefaults()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        {
            SettingsStore store;
            store.write("First", Type::Boolean, false);
            store.write("OSDTime", Type::Float, 9.0);    // guard OSDFontName absent
            store.write("AntiFreeze", Type::Boolean, true); // guard present
            store.write("Movie2Part", Type::Boolean, false);
            QVERIFY(store.sync());
        }
        TestPlayer t(folders);
        t->start({});
        QCOMPARE(t->form4()->OSDTime->value(), 4.0);
        QVERIFY(t->form4()->AntiFreeze->isChecked());
        QVERIFY(!t->form4()->Movie2Part->isChecked());
    }

    void aWrongTypedValueIsNamedOnceAndTheRestLoads()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        QDir().mkpath(folders->path() + "/xdg_config_home/Zendor");
        QFile raw(folders->path() + "/xdg_config_home/Zendor/Brivara.conf");
        QVERIFY(raw.open(QIODevice::WriteOnly));
        raw.write("[General]\nFirst=false\nOSDFontName=Arial\nOSDOn=false\nOSDTime=abc\nOSDFontSize=33\nEObwodka=six\n"
                  "NapisyCzas=7\n");
        raw.close();
        TestPlayer t(folders);
        t->start({});
        QCOMPARE(t.dialogs->asked.size(), 1);
        QCOMPARE(t.dialogs->asked[0].text,
                 QStringLiteral("Invalid data type for 'OSDTime'\nInvalid data type for 'EObwodka'"));
        QVERIFY(!t->form4()->OSDOn->isChecked());
        QCOMPARE(t->form4()->OSDTime->value(), 4.0);
        QCOMPARE(t->form4()->OSDFontSize->value(), 33.0);
        QCOMPARE(t->form4()->NapisyCzas->value(), 7.0);
    }

    void standardSettingsForgetEverythingAtTheNextStart()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        {
            TestPlayer a(folders);
            a->start({});
            a->form4()->OSDTime->setValue(8);
            a->form4()->keys().setCode(1, 65536);
            a->form4()->ButtonSetupSaveClick();
            QVERIFY(QFile::exists(ProgramFolder::keyBindingFile()));
            a->form4()->ButtonSetupDefault->click();
            QCOMPARE(a.dialogs->asked.last().text, a->messages().text(28));
            QVERIFY(!QFile::exists(ProgramFolder::keyBindingFile()));
            QVERIFY(!QFile::exists(SettingsStore::defaultFileName()));
            // The controls keep their values until the restart.
            QCOMPARE(a->form4()->OSDTime->value(), 8.0);
        }
        TestPlayer b(folders);
        b->start({});
        QCOMPARE(b->form4()->OSDTime->value(), 4.0);
        QCOMPARE(b->form4()->keys().entry(1).code, 3735552u);
        QCOMPARE(b->form4()->KeyListEditor->item(0, 1)->text(), QStringLiteral("3735552"));
    }

    void keyFileIsReadAtStart()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        QVERIFY(TextFile::writeLines(ProgramFolder::keyBindingFile(), {"Graj=3276800", "Dalej=2031616"}));
        TestPlayer t(folders);
        t->start({});
        QCOMPARE(t->form4()->KeyListEditor->item(0, 0)->text(), QStringLiteral("Graj"));
        QCOMPARE(t->form4()->KeyListEditor->item(1, 1)->text(), QStringLiteral("2031616"));
        QCOMPARE(t->form4()->keys().entry(3).code, 3145728u);
    }

    void aTooSmallFullScreenModeFallsBack()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        {
            SettingsStore store;
            store.write("First", Type::Boolean, false);
            store.write("OSDFontName", Type::String, "Arial");
            store.write("FULLWidth", Type::Integer, 320);
            store.write("FULLHeight", Type::Integer, 240);
            store.write("FULLBitCount", Type::Integer, 32);
            store.write("FULLHz", Type::Integer, 75);
            QVERIFY(store.sync());
        }
        TestPlayer t(folders);
        t->start({});
        QCOMPARE(t->form4()->fullScreenMode(), (DisplayMode{640, 480, 16, 60}));
    }

    void recentFilesKeepTheirOrderAcrossARestart()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        {
            TestPlayer a(folders);
            a->start({});
            for (const char *f : {"C", "B", "A"})
                a->form2()->addRecentFile(QString::fromLatin1(f));
            QCOMPARE(a->form2()->recentFiles(), (QStringList{"A", "B", "C"}));
            a->form1()->close();
            SettingsStore store;
            QCOMPARE(store.read("LastOpenList1", Type::String).value.toString(), QStringLiteral("C"));
            QCOMPARE(store.read("LastOpenList3", Type::String).value.toString(), QStringLiteral("A"));
            QVERIFY(!store.exists("LastOpenList4"));
        }
        TestPlayer b(folders);
        b->start({});
        QCOMPARE(b->form2()->recentFiles(), (QStringList{"A", "B", "C"}));
        QVERIFY(b->form2()->MLastOpen->isEnabled());
        // Fewer files at the next close: the old numbers do not linger.
        b->form2()->MClearLastOpen->trigger();
        b->form2()->addRecentFile(QStringLiteral("D"));
        b->form1()->close();
        SettingsStore store;
        QCOMPARE(store.read("LastOpenList1", Type::String).value.toString(), QStringLiteral("D"));
        QVERIFY(!store.exists("LastOpenList2"));
        QVERIFY(!store.exists("LastOpenList3"));
    }

    void firstRunAsksTwiceThenNeverAgain()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        {
            TestPlayer a(folders);
            a.dialogs->nextButton = QMessageBox::No;
            a->start({});
            QCOMPARE(a.dialogs->asked.size(), 2);
            QCOMPARE(a.dialogs->asked[0].title, a->messages().text(21));
            QCOMPARE(a.dialogs->asked[0].text, a->messages().text(20));
            QCOMPARE(a.dialogs->asked[1].text, a->messages().text(22));
            QVERIFY(!a->form4()->IQNapisow->isChecked());
            // No to the first question registers nothing.
            QVERIFY(!QFile::exists(folders->path() + "/xdg_data_home/applications/brivara.desktop"));
            SettingsStore store;
            QCOMPARE(store.read("First", Type::Boolean).value, QVariant(false));
        }
        TestPlayer b(folders);
        b->start({});
        QVERIFY(b.dialogs->asked.isEmpty());
        QVERIFY(b->form4()->IQNapisow->isChecked()); // "Save changes" was never pressed
    }

    void yesToTheFirstQuestionRegistersEveryType()
    {
        TestPlayer t;
        t.dialogs->nextButton = QMessageBox::Yes;
        t->start({});
        QVERIFY(QFile::exists(t.home->path() + "/xdg_data_home/applications/brivara.desktop"));
        QVERIFY(t->form4()->IQNapisow->isChecked());
    }

    void resumeOpensTheLastFilmAtItsPlace()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        const QString film = folders->path() + "/film.avi";
        QFile f(film);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        {
            SettingsStore store;
            store.write("First", Type::Boolean, false);
            store.write("OSDFontName", Type::String, "Arial");
            store.write("AutoResume", Type::Boolean, true);
            store.write("AutoResumeFile", Type::String, film);
            store.write("AutoResumePos", Type::Float, 250000000.0);
            QVERIFY(store.sync());
        }
        TestPlayer t(folders);
        t.engine->setVideoSize(QSize(320, 240));
        t.engine->setDuration(600000000);
        t.engine->setDurationFrames(1500);
        t->start({});
        QCOMPARE(t.engine->renderedPath(), film);
        QVERIFY(t.engine->seeks().contains(250000000));
        QCOMPARE(t->form1()->CurrentFile, film);
    }

    void commandLineNamesDrivesAndTheCdWord()
    {
        TestPlayer t;
        QTemporaryDir here;
        QFile(here.filePath("a.avi")).open(QIODevice::WriteOnly);
        QFile(here.filePath("b.mp3")).open(QIODevice::WriteOnly);
        const QString before = QDir::currentPath();
        QDir::setCurrent(here.path());
        t->start({"cd"});
        QDir::setCurrent(before);
        // MP3 comes after AVI in the list, so it wins.
        QCOMPARE(t->form1()->OpenMovieFileName, QStringLiteral("b.mp3"));

        TestPlayer drive;
        drive->start({"/dev/sr0"});
        QCOMPARE(drive->form1()->OpenMovieFileName, QStringLiteral("/dev/sr0/Track01.cda"));
        TestPlayer image;
        image->start({"/media/disc.cue"});
        QCOMPARE(image->form1()->OpenMovieFileName, QStringLiteral("/media/disc.cue/Track01.cda"));
    }

    void changeHandlersKeepTagsInStep()
    {
        TestPlayer t;
        TForm4 *s = t->form4();
        s->ButtonSkipBack->setValue(300);
        QCOMPARE(s->ButtonSkipBack->tag(), 300);
        s->NapisyCzas->setValue(3);
        QCOMPARE(s->NapisyCzas->tag(), 3000);
        QCOMPARE(t->form3()->TimerNapisClear->interval(), 3000);
        s->EObwodka->setValue(5);
        QCOMPARE(s->WzorKolor->penWidth(), 5);
        s->OSDAutoInfoTime->setValue(2);
        QCOMPARE(t->formOSD()->TimerAutoInfo->interval(), 120000);
        s->DisplayModeBox->addItem("1024x768 16bit 70Hz");
        s->DisplayModeBox->setCurrentText("1024x768 16bit 70Hz");
        QCOMPARE(s->fullScreenMode(), (DisplayMode{1024, 768, 16, 70}));
        t.dialogs->nextColor = QColor(1, 2, 3);
        s->BFontColorChange->click();
        QCOMPARE(s->WzorKolor->color(), QColor(1, 2, 3));
        QCOMPARE(t->form3()->palette().color(QPalette::WindowText), QColor(1, 2, 3));
        t.dialogs->nextColor.reset();
        s->BOSDFontColorChange->click(); // cancelled: nothing changes
        QCOMPARE(s->OSDWzorKolor->color(), QColor(0, 255, 0));
    }
};

QTEST_MAIN(TestSettingsWindow)
#include "test_settings_window.moc"
