#include "core/PlaylistModel.h"
#include "core/SettingsStore.h"
#include "core/TextFile.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QtTest>

using namespace PlaylistEntry;

namespace {

QString sized(const QString &path, qint64 bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.resize(bytes);
    return path;
}

QStringList columnOf(TFormPlayList *list, int c)
{
    QStringList out;
    for (int r = 1; r <= list->model()->rows(); ++r)
        out << list->cell(r, c);
    return out;
}

} // namespace

class TestPlaylistWindow : public QObject
{
    Q_OBJECT
private slots:
    void entriesPlayStepAndEnableTheTransport()
    {
        FilmPlayer f;
        TFormPlayList *list = f.t->formPlayList();
        TForm1 *panel = f.panel();
        const QString a = f.touch("a.avi"), b = f.touch("b.AVI"), c = f.touch("c.mpeg");
        list->AddMovie(a);
        QCOMPARE(list->model()->rows(), 1); // the empty first row was filled
        QVERIFY(list->BPlay->isEnabled() && list->BStop->isEnabled());
        QVERIFY(!list->BNext->isEnabled() && !panel->BNext->isEnabled());
        list->AddMovie(b);
        list->AddMovie(c);
        QVERIFY(list->BNext->isEnabled() && list->BPrev->isEnabled());
        QVERIFY(panel->BNext->isEnabled() && panel->BPrev->isEnabled());
        QCOMPARE(columnOf(list, Extension), QStringList({"avi", "avi", "mpeg"}));

        list->BPlay->click();
        QCOMPARE(panel->CurrentFile, a);
        // The entry played gets its length and picture size from the open.
        QCOMPARE(list->cell(1, Time), QStringLiteral("00:07:30"));
        QCOMPARE(list->cell(1, Resolution), QStringLiteral("320x240/25"));

        // The end of a film plays the next entry, through the panel's buttons as well.
        f.t.engine->fireComplete();
        QCOMPARE(panel->CurrentFile, b);
        panel->BNext->click();
        QCOMPARE(panel->CurrentFile, c);
        // At the end without repeat nothing happens; with it the first plays again.
        f.t.engine->fireComplete();
        QCOMPARE(panel->CurrentFile, c);
        QCOMPARE(list->selectedRow(), 3);
        list->BRepeat->click();
        QVERIFY(list->BRepeat->down());
        list->BNext->click();
        QCOMPARE(panel->CurrentFile, a);
        list->BPrev->click();
        QCOMPARE(panel->CurrentFile, c);
        list->BRepeat->click();
        list->selectRow(1);
        list->BPrev->click();
        QCOMPARE(list->selectedRow(), 1);

        // Deleting renumbers; deleting the only entry clears and disables the transport.
        list->selectRow(2);
        list->BDel->click();
        QCOMPARE(columnOf(list, Name), QStringList({"a.avi", "c.mpeg"}));
        QCOMPARE(columnOf(list, Number), QStringList({"1", "2"}));
        list->BDel->click();
        QVERIFY(!list->BNext->isEnabled() && !panel->BNext->isEnabled());
        list->BDel->click();
        QCOMPARE(list->entryCount(), 0);
        QCOMPARE(list->model()->rows(), 1);
        QVERIFY(!list->BPlay->isEnabled() && !list->BStop->isEnabled() && !list->BPause->isEnabled());
    }

    void severalFilesFromTheOpenDialogReplaceTheListAndHeadingsSort()
    {
        FilmPlayer f;
        TFormPlayList *list = f.t->formPlayList();
        list->AddMovie(f.touch("old.avi"));
        const QString small = sized(f.dir.filePath("Zeta.avi"), 1024 * 1024);
        const QString big = sized(f.dir.filePath("alpha.avi"), 3 * 1024 * 1024);
        const QString gone = f.dir.filePath("missing.avi");
        f.t.dialogs->nextFiles = {small, gone, big};
        f.panel()->ButtonOpenClick();
        QCOMPARE(columnOf(list, Path), QStringList({small, gone, big}));
        QCOMPARE(f.panel()->CurrentFile, small);
        QCOMPARE(list->cell(2, Size), f.t->messages().text(15));

        list->show();
        QVERIFY(QTest::qWaitForWindowExposed(list));
        QHeaderView *header = list->PlayList->horizontalHeader();
        auto clickHeading = [&](int column) {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
        };
        clickHeading(Size);
        QCOMPARE(columnOf(list, Path), QStringList({big, small, gone}));
        clickHeading(Name);
        QCOMPARE(columnOf(list, Name), QStringList({"alpha.avi", "missing.avi", "Zeta.avi"}));
        QCOMPARE(columnOf(list, Number), QStringList({"1", "2", "3"}));

        // A row dragged onto another moves there.
        QWidget *cells = list->PlayList->viewport();
        const QPoint first = list->PlayList->visualRect(list->model()->index(0, 1)).center();
        const QPoint third = list->PlayList->visualRect(list->model()->index(2, 1)).center();
        QTest::mousePress(cells, Qt::LeftButton, {}, first);
        QTest::mouseMove(cells, third);
        QTest::mouseRelease(cells, Qt::LeftButton, {}, third);
        QCOMPARE(columnOf(list, Name), QStringList({"missing.avi", "Zeta.avi", "alpha.avi"}));
        QCOMPARE(columnOf(list, Number), QStringList({"1", "2", "3"}));
    }

    void savedListsOpenAgainAndBadFilesLeaveTheListEmpty()
    {
        FilmPlayer f;
        TFormPlayList *list = f.t->formPlayList();
        const QString a = sized(f.dir.filePath("one.avi"), 2 * 1024 * 1024);
        const QString b = f.touch("two.mp3");
        const QString c = f.touch("three.avi");
        for (const QString &p : {a, b, c})
            list->AddMovie(p);
        list->BPlay->click();

        const QString zdl = f.dir.filePath("mine.zdl");
        f.t.dialogs->nextSaveFile = zdl;
        list->BSave->click();
        QCOMPARE(f.t.dialogs->asked.last().text, QStringLiteral("PlayList.zdl"));
        QCOMPARE(list->FilePlayList, zdl);
        QStringList lines;
        QVERIFY(TextFile::readLines(zdl, &lines));
        QCOMPARE(lines.size(), 21);

        const QString printed = f.dir.filePath("print.txt");
        f.t.dialogs->nextSaveFile = printed;
        list->ZDButton1->click();
        QCOMPARE(f.t.dialogs->asked.last().text, QStringLiteral("MyMovieSound.txt"));
        QVERIFY(TextFile::readLines(printed, &lines));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("1   |") + QStringLiteral("one.avi").leftJustified(80) + "|2.00    |00:07:30|320x240/25");
        // The save dialog is the playlist's again afterwards.
        f.t.dialogs->nextSaveFile.clear();
        list->BSave->click();
        QCOMPARE(f.t.dialogs->asked.last().text, QStringLiteral("mine.zdl"));

        // The disk has changed since: the sizes come from it.
        sized(c, 1024 * 1024);
        list->BClear->click();
        f.t.dialogs->nextFiles = {zdl};
        list->BOpen->click();
        QCOMPARE(columnOf(list, Path), QStringList({a, b, c}));
        QCOMPARE(columnOf(list, Size), QStringList({"2.00", "0.00", "1.00"}));
        QCOMPARE(columnOf(list, Time), QStringList({"00:07:30", "", ""}));
        QVERIFY(list->BNext->isEnabled());

        // An m3u8 saved from the same list reads back to the same entries.
        const QString m3u = f.dir.filePath("mine.m3u8");
        f.t.dialogs->nextSaveFile = m3u;
        list->BSave->click();
        list->BClear->click();
        f.t.dialogs->nextFiles = {m3u};
        list->BOpen->click();
        QCOMPARE(columnOf(list, Path), QStringList({a, b, c}));
        QCOMPARE(list->cell(1, Time), QStringLiteral("00:07:30"));

        // A binary file: one message naming it, an empty list.
        const QString binary = sized(f.dir.filePath("binary.zdl"), 4096);
        f.t.dialogs->asked.clear();
        f.t.dialogs->nextFiles = {binary};
        list->BOpen->click();
        QCOMPARE(list->entryCount(), 0);
        QCOMPARE(f.t.dialogs->asked.size(), 2);
        QCOMPARE(f.t.dialogs->asked.last().kind, QStringLiteral("message"));
        QVERIFY(f.t.dialogs->asked.last().text.contains(binary));
        QVERIFY(!list->BPlay->isEnabled());
    }

    void theLastListAndItsRepeatComeBackAtStart()
    {
        auto folders = std::make_shared<QTemporaryDir>();
        TestSupport::isolateUserFolders(folders->path());
        const QString film = sized(folders->filePath("film.avi"), 10);
        const QString zdl = folders->filePath("start.zdl");
        QVERIFY(TextFile::writeLines(zdl, {"1", "x", "x", "x", "00:01:00", "640x480", film, "2", "x"}));
        {
            SettingsStore store;
            store.write("First", SettingsStore::Type::Boolean, false);
            store.write("FilePlayList", SettingsStore::Type::String, zdl);
            store.write("DirPlayList", SettingsStore::Type::String, folders->path());
            store.write("ButtonRepeatPlayList", SettingsStore::Type::Boolean, true);
            QVERIFY(store.sync());
        }
        TestPlayer t(folders);
        t->start({});
        TFormPlayList *list = t->formPlayList();
        QCOMPARE(list->entryCount(), 1); // the cut-off second group is left out
        QCOMPARE(list->cell(1, Path), film);
        QCOMPARE(list->cell(1, Time), QStringLiteral("00:01:00"));
        QVERIFY(list->BRepeat->down());
        // Nothing pending is left for the next add.
        list->AddMovie(film);
        QCOMPARE(list->cell(2, Time), QString());
    }

    void theSearchAppendsWhatItFindsWithinTheSizeLimits()
    {
        FilmPlayer f;
        TFormPlayList *list = f.t->formPlayList();
        const QString root = f.dir.filePath("tree");
        const qint64 MiB = 1024 * 1024;
        sized(root + "/exact-min.avi", 1 * MiB);
        sized(root + "/exact-max.mp3", 2 * MiB);
        sized(root + "/too-big.avi", 2 * MiB + 1);
        sized(root + "/too-small.avi", MiB - 1);
        sized(root + "/sub/inside.WAV", MiB + MiB / 2);
        list->AddMovie(f.touch("already.avi")); // found files come after what is there

        list->show();
        list->BFind->click();
        QVERIFY(list->SpeedBar2->isVisible());
        QCOMPARE(list->FindDir->text(), QDir::homePath());
        list->FindDir->setText(root);
        list->FindMinSize->setValue(1);
        list->FindMaxSize->setValue(2);
        QSignalSpy finished(list, &TFormPlayList::searchFinished);
        list->BFindStart->click();
        QVERIFY(!list->BFindStart->isEnabled() && !list->PlayList->isEnabled());
        QVERIFY(list->LFinded->isVisible() && !list->FindDir->isVisible());
        QVERIFY(finished.wait(10000));
        QCOMPARE(columnOf(list, Name), QStringList({"already.avi", "exact-min.avi", "exact-max.mp3", "inside.WAV"}));
        QVERIFY(!list->SpeedBar2->isVisible()); // the end of a search hides the panel
        QVERIFY(list->BFindStart->isEnabled() && list->PlayList->isEnabled());
        QCOMPARE(list->LFinded->text(), QStringLiteral("4 files"));

        // Subfolders off: only the start folder.
        list->BClear->click();
        list->BFind->click();
        list->FindSubfolders->setChecked(false);
        list->BFindStart->click();
        QVERIFY(finished.wait(10000));
        QCOMPARE(columnOf(list, Name), QStringList({"exact-min.avi", "exact-max.mp3"}));

        // Hiding the panel with BFind stops the search before it starts anything new.
        list->BFind->click();
        list->BFind->click();
        QCOMPARE(list->BFindStop->tag(), 1);

        // The command line's search: from scratch, then the first entry plays.
        list->SearchAndPlay(root);
        QVERIFY(finished.wait(10000));
        QCOMPARE(list->entryCount(), 2);
        QCOMPARE(f.panel()->CurrentFile, root + "/exact-min.avi");
    }
};

QTEST_MAIN(TestPlaylistWindow)
#include "test_playlist_window.moc"
