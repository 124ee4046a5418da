#include "core/CodecTable.h"
#include "core/Messages.h"
#include "support/FilmPlayer.h"
#include "support/TestMedia.h"
#include "ui/filters/TFormFiltry.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QRadioButton>
#include <QDir>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStringEncoder>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

namespace {

QString activeFile() { return qEnvironmentVariable("BRIVARA_HOME") + QStringLiteral("/Brivara.lng"); }

void writeActive(const QByteArray &bytes)
{
    QFile f(activeFile());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A started player on a system whose language is `language`.
struct LanguagePlayer
{
    TestPlayer t;
    explicit LanguagePlayer(QLocale::Language language, std::function<void()> beforeStart = {})
    {
        t->systemLanguage = language;
        if (beforeStart)
            beforeStart();
        t->start({});
    }
    TForm1 *panel() const { return t->form1(); }
    QList<QAction *> menu() const { return t->form2()->PopupMenu->actions(); }
};

// A real AVI of the test media with the handler code at 112 patched, under a new name.
QString patchedFilm(const QDir &dir, const QString &name, const QByteArray &handler)
{
    QFile source(TestMedia::movie(1));
    if (!source.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = source.readAll();
    bytes.replace(112, 4, handler.leftJustified(4, '\0', true));
    const QString path = dir.filePath(name);
    QFile out(path);
    out.open(QIODevice::WriteOnly);
    out.write(bytes);
    return path;
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private slots:
    void anEnglishSystemStartsInEnglish()
    {
        LanguagePlayer p(QLocale::English);
        TForm1 *panel = p.panel();
        QCOMPARE(panel->BPlay->toolTip(), QStringLiteral("Play\n(Key 'SPACE')"));
        QCOMPARE(panel->BFunction->toolTip(),
                 QStringLiteral("Change elevator work mode\nTXT, Speed, Balans, Volume\nColor, Contrast, Saturation, Quality"));
        QCOMPARE(panel->SliderFUN->toolTip().isEmpty(), false);
        QCOMPARE(panel->BFiltry->caption(), QStringLiteral("Filters"));
        QCOMPARE(panel->CaptionSzpilka->toolTip(), QString());
        QCOMPARE(p.t->formPlayList()->BAdd->toolTip(), QStringLiteral("Add Movie to the list"));
        QCOMPARE(p.t->formFiltry()->BAllFiltry->caption(), QStringLiteral("More >>"));

        TForm4 *setup = p.t->form4();
        QCOMPARE(setup->PageControl->tabText(0), QStringLiteral("Subtitles"));
        QCOMPARE(setup->NapisPod->text(), QStringLiteral("Subtitles under the picture"));
        QVERIFY(setup->MemoIQText->toPlainText().startsWith(QStringLiteral("IQ Text lengthens")));
        QCOMPARE(setup->MemoIQText->toPlainText().count('\n'), 2);
        QCOMPARE(setup->FontTypeGroup->button(0)->text(), QStringLiteral("Transparent"));
        QCOMPARE(setup->FontTypeGroup->button(1)->text(), QStringLiteral("Opaque"));
        QCOMPARE(setup->KeyListEditor->horizontalHeaderItem(0)->text(), QStringLiteral("Key Description"));
        QCOMPARE(setup->KeyListEditor->item(0, 0)->text(), QStringLiteral("Play/Pause"));
        QCOMPARE(setup->keys().entry(42).description, QStringLiteral("Show PlayList"));

        const QList<QAction *> menu = p.menu();
        QCOMPARE(menu[0]->text(), QStringLiteral("Pause/Play"));
        QCOMPARE(menu[10]->text(), QStringLiteral("Acpect Ratio"));
        QCOMPARE(menu[23]->text(), QStringLiteral("Language"));
        QCOMPARE(menu[26]->text(), QStringLiteral("Exit"));
        QVERIFY(menu[15]->isSeparator());

        // Messages come from the table: the missing film, the title, the panel item.
        QCOMPARE(p.t->messages().text(1), QStringLiteral("Lack Movie!"));
        QCOMPARE(p.t->messages().text(31), Messages::builtIn(31));
        panel->OpenMovieFileName = QStringLiteral("/no/such/film.avi");
        panel->OpenGivenFile = true;
        panel->ButtonOpenClick();
        QCOMPARE(p.t->formOSD()->text(), QStringLiteral("Lack Movie!"));
        TForm2 *video = p.t->form2();
        video->MShowPanel->trigger();
        QCOMPARE(video->MShowPanel->text(), QStringLiteral("Show Panel"));
        QVERIFY(!panel->isVisible());
    }

    void aPolishSystemKeepsItsOwnTexts()
    {
        LanguagePlayer p(QLocale::Polish);
        QCOMPARE(p.panel()->BPlay->toolTip(), QStringLiteral("Odtwarzaj\r\n(Klawisz 'SPACE')"));
        QCOMPARE(p.menu()[0]->text(), QStringLiteral("Pauza/Play"));
        QCOMPARE(p.t->messages().text(1), QStringLiteral("BRAK Filmu!"));
        TForm2 *video = p.t->form2();
        video->MShowPanel->trigger();
        QCOMPARE(video->MShowPanel->text(), QStringLiteral("Pokaż Panel Sterujący"));
        video->MShowPanel->trigger();
        QCOMPARE(video->MShowPanel->text(), QStringLiteral("Widoczny Panel Sterujący"));
    }

    void aTranslatorsFileAndTheLanguageMenu()
    {
        // Windows-1250, odd entries, no line end after the last one.
        QStringEncoder cp1250("windows-1250");
        const QByteArray file = cp1250.encode(QStringLiteral(
            "_LANGUAGE=Polski inaczej\r\n"
            "HBPLAY=Graj teraz\r\n"
            "cBPAUSE=mała litera nic nie zmienia\r\n"
            "HNoSuchButton=nikt\r\n"
            "CSliderPos=suwak nie ma napisu\r\n"
            "CMsg01=Żadnego filmu!\r\n"
            "CMsg45=poza tabelą\r\n"
            "CMnu16=pierwsza kreska\r\n"
            "CMnu99=poza menu\r\n"
            "_Setup=\r\n"
            "cNapisPod=nie\r\n"
            "CNAPISPOD=Napisy pod spodem"));
        LanguagePlayer p(QLocale::Polish, [&] { writeActive(file); });
        TForm1 *panel = p.panel();
        QCOMPARE(panel->BPlay->toolTip(), QStringLiteral("Graj teraz"));
        QCOMPARE(panel->BPause->toolTip(), QStringLiteral("Pauza"));
        QCOMPARE(p.t->messages().text(1), QStringLiteral("Żadnego filmu!"));
        QCOMPARE(p.menu()[15]->text(), QStringLiteral("pierwsza kreska"));
        QCOMPARE(p.t->form4()->NapisPod->text(), QStringLiteral("Napisy pod spodem"));

        // English from the menu: at once, and the active file is now the English one.
        TForm2 *video = p.t->form2();
        QCOMPARE(video->LangMenu->isChecked(), true);
        video->English1->trigger();
        QVERIFY(video->English1->isChecked());
        QCOMPARE(p.t->messages().text(1), QStringLiteral("Lack Movie!"));
        QCOMPARE(panel->BPlay->toolTip(), QStringLiteral("Play\n(Key 'SPACE')"));
        QVERIFY(QFile(activeFile()).open(QIODevice::ReadOnly));

        // Polish: the messages at once, the captions after a restart, the file gone.
        const int asked = p.t.dialogs->asked.size();
        video->LangMenu->trigger();
        QCOMPARE(p.t.dialogs->asked.size(), asked + 1);
        QCOMPARE(p.t.dialogs->asked.last().text, QStringLiteral("Język Polski Zadziała po Restarcie Programu!"));
        QVERIFY(!QFile::exists(activeFile()));
        QCOMPARE(p.t->messages().text(1), QStringLiteral("BRAK Filmu!"));
        QCOMPARE(panel->BPlay->toolTip(), QStringLiteral("Play\n(Key 'SPACE')"));
    }

    void missingCodecMessages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("buttons");
        const Messages m;
        const QString gap = QStringLiteral("\n\r\n\r");
        const int yesNo = QMessageBox::Yes | QMessageBox::No;
        QTest::newRow("div3") << "div3.avi" << QByteArray("div3")
                              << m.text(9) + "DivX Version 3 alpha" + gap + m.text(10) << yesNo;
        QTest::newRow("unknown avi") << "xyz.avi" << QByteArray("QQQQ") << m.text(13) + "QQQQ" + m.text(14)
                                     << int(QMessageBox::Ok);
        QTest::newRow("mpg") << "film.mpg" << QByteArray("QQQQ") << m.text(11) << yesNo;
        QTest::newRow("mov") << "film.mov" << QByteArray("QQQQ") << m.text(12) << int(QMessageBox::Ok);
        QTest::newRow("no address") << "aura.avi" << QByteArray("AURA")
                                    << m.text(9) + "AuraVision - Aura 1 - YUV 411" << int(QMessageBox::Ok);
    }

    void missingCodecMessages()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, handler);
        QFETCH(QString, expected);
        QFETCH(int, buttons);
        FilmPlayer f;
        QStringList opened;
        f.t->form2()->OpenUrl = [&](const QUrl &url) { opened << url.toString(); return true; };
        f.t.engine->setRenderResult(MediaEngine::RenderResult::Partial);
        f.t.engine->setVideoSize(QSize(0, 0));
        f.t.dialogs->nextButton = QMessageBox::Yes;
        const QString film = patchedFilm(f.dir.path(), name, handler);
        QVERIFY(!film.isEmpty());
        const qsizetype before = f.t.dialogs->asked.size();
        f.open(film);
        QCOMPARE(f.t.dialogs->asked.size(), before + 1);
        QCOMPARE(f.t.dialogs->asked.last().text, expected);
        QCOMPARE(int(f.t.dialogs->asked.last().buttons), buttons);
        // Yes opens the row's address only where a download was offered.
        QCOMPARE(opened.size(), buttons == QMessageBox::Ok ? 0 : 1);
        if (handler == "div3")
            QCOMPARE(opened.value(0), CodecTable::find("DIV3")->address);
    }

    void theInstallerOrTheBrowser()
    {
        FilmPlayer f;
        QStringList opened;
        f.t->form2()->OpenUrl = [&](const QUrl &url) { opened << url.toString(); return true; };
        f.t.engine->setRenderResult(MediaEngine::RenderResult::Partial);
        f.t.engine->setVideoSize(QSize(0, 0));
        f.t.engine->setMissingDecoders({{"DivX MPEG-4 Version 4 decoder", "gstreamer|1.0|brivara|DivX|decoder-video/x-divx", true}});
        f.t.dialogs->nextButton = QMessageBox::Yes;
        const QString film = patchedFilm(f.dir.path(), "divx.avi", "DIVX");
        f.t.engine->setInstallerAvailable(true);
        f.open(film);
        QCOMPARE(f.t.dialogs->asked.last().text,
                 Messages().text(9) + "DivX wszystkie wersje (DivX MPEG-4 Version 4 decoder)\n\r\n\r" + Messages().text(10));
        QCOMPARE(f.t.engine->installRequests(), 1);
        QVERIFY(opened.isEmpty());

        // No installer on this desktop: the browser, with the decoder's package.
        f.t.engine->setInstallerAvailable(false);
        f.open(film);
        QCOMPARE(opened, QStringList{CodecTable::find("DIVX")->address});

        // The picture plays but the sound lacks its decoder.
        f.t.engine->setVideoSize(QSize(320, 240));
        f.t.engine->setMissingDecoders({{"AC-3 (ATSC A/52) decoder", "gstreamer|1.0|brivara|AC3|decoder-audio/x-ac3", false}});
        f.open(film);
        QCOMPARE(f.t.dialogs->asked.last().text, Messages().text(30) + "\r\n\r\nAC-3 (ATSC A/52) decoder");
        QCOMPARE(int(f.t.dialogs->asked.last().buttons), int(QMessageBox::Ok));
    }
};

QTEST_MAIN(TestLanguage)
#include "test_language.moc"
