// The movie menu over the picture, on the fake engine: written into a film from the
// preferences' page, shown at the next open and by its key, and what its entries do.
#include "core/MovieMenuLayout.h"
#include "support/FilmPlayer.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>
#include <QTimer>
#include <QtEndian>
#include <QtTest>

namespace {

// A RIFF head with a zero "JUNK" chunk at 212: enough of an AVI for the menu's store (the
// fake engine plays anything).
QString riffFilm(FilmPlayer &f, const QString &name)
{
    QByteArray bytes(8192, '\x5a');
    bytes.replace(0, 12, QByteArray("RIFF\0\0\0\0AVI ", 12));
    bytes.replace(212, 2008, QByteArray(2008, '\0'));
    bytes.replace(212, 4, "JUNK");
    qToLittleEndian<quint32>(2000, bytes.data() + 216);
    const QString path = f.dir.filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

void setEntry(TForm4 *prefs, int i, const QString &text, QTime time, bool link)
{
    prefs->MenuLine[i - 1]->setText(text);
    prefs->MenuTimes[i - 1]->setTime(time);
    prefs->MenuLink[i - 1]->setChecked(link);
}

} // namespace

class TestMovieMenuOverlay : public QObject
{
    Q_OBJECT
private slots:
    void aSavedMenuShowsAtOpenAndItsEntriesAct()
    {
        FilmPlayer f(QSize(320, 240), 11 * 3600); // long enough for a jump past ten hours
        const QString path = riffFilm(f, QStringLiteral("film.avi"));
        f.open(path);
        QVERIFY(!f.panel()->MenuInFile);
        TFormMenu *menu = f.t->formMenu();
        QVERIFY(!menu->isVisible());

        TForm4 *prefs = f.t->form4();
        prefs->MenuTitle->setText(QStringLiteral("Rozdziały"));
        setEntry(prefs, 1, QStringLiteral("/usr/bin/xterm"), QTime(0, 0), true);
        setEntry(prefs, 2, QStringLiteral("Finał"), QTime(10, 0, 5), false);
        setEntry(prefs, 3, QString(), QTime(0, 0), false);
        setEntry(prefs, 4, QStringLiteral("Not shown"), QTime(0, 1), false);
        prefs->MenuTime->setValue(5);
        f.t.dialogs->asked.clear();
        prefs->BMenuSaveClick();
        QVERIFY(f.t.dialogs->asked.isEmpty());
        QVERIFY(f.panel()->MenuInFile); // the film was built again and its menu read

        // Opened again: the film waits (MenuStopMovie) under its menu.
        prefs->MenuTitle->setText(QStringLiteral("changed"));
        f.open(path);
        QCOMPARE(prefs->MenuTitle->text(), QStringLiteral("Rozdziały"));
        QVERIFY(menu->isVisible());
        QVERIFY(f.panel()->PlayState.value() != TForm1::StatePlaying);
        QCOMPARE(menu->entries(), 2);
        QVERIFY(menu->MenuRegion[0]->isVisible() && menu->MenuRegion[1]->isVisible());
        QVERIFY(!menu->MenuRegion[2]->isVisible() && !menu->MenuRegion[3]->isVisible());
        QCOMPARE(menu->TimerMenu->interval(), 5000);
        QVERIFY(menu->TimerMenu->isActive());

        // The jump of ten hours and more lands where it says, plays, and stops the timer.
        QTest::mouseClick(menu->MenuRegion[1], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f.t.engine->position(), qint64(10 * 3600 + 5) * FilmPlayer::Second);
        QCOMPARE(f.panel()->PlayState.value(), int(TForm1::StatePlaying));
        QVERIFY(!menu->TimerMenu->isActive());
        QVERIFY(!menu->isVisible()); // MenuOnClick

        // Key 35 shows it, and hides it again.
        f.t->remoteKey(35);
        QVERIFY(menu->isVisible());
        f.t->remoteKey(35);
        QVERIFY(!menu->isVisible());

        // A link to a program asks first, naming it exactly; nothing opens on "No".
        QList<QUrl> opened;
        menu->setUrlOpener([&](const QUrl &url) { opened << url; return true; });
        f.t.dialogs->nextButton = QMessageBox::No;
        f.t.dialogs->asked.clear();
        menu->ShowMenu();
        QTest::mouseClick(menu->MenuRegion[0], Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(f.t.dialogs->asked.size(), 1);
        QVERIFY(f.t.dialogs->asked[0].text.contains(QStringLiteral("/usr/bin/xterm")));
        QCOMPARE(f.t.dialogs->asked[0].buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(opened.isEmpty());
        f.t.dialogs->nextButton = QMessageBox::Yes;
        menu->MenuRegionClick(1);
        QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(QStringLiteral("/usr/bin/xterm"))});
        // A web address opens without a question.
        prefs->MenuLine[0]->setText(QStringLiteral("https://www.zendor.org/"));
        menu->ShowMenu();
        menu->MenuRegionClick(1);
        QCOMPARE(f.t.dialogs->asked.size(), 2);
        QCOMPARE(opened.last(), QUrl(QStringLiteral("https://www.zendor.org/")));

        // Left alone, the menu goes after its 5 s and the film starts (MenuStart).
        f.panel()->BStopClick();
        menu->ShowMenu();
        QVERIFY(menu->TimerMenu->remainingTime() > 4000);
        QTRY_VERIFY_WITH_TIMEOUT(!menu->isVisible(), 8000);
        QCOMPARE(f.panel()->PlayState.value(), int(TForm1::StatePlaying));

        // Cleared: the film opens as a film without a menu; the key says so.
        prefs->BMenuClearClick();
        QVERIFY(!f.panel()->MenuInFile);
        f.t->remoteKey(35);
        QVERIFY(!menu->isVisible());
        QCOMPARE(f.osd(), QStringLiteral("No Menu"));
    }

    void aLongEntryShrinksTheLettersUntilItFits()
    {
        FilmPlayer f;
        const QString path = riffFilm(f, QStringLiteral("long.avi"));
        f.open(path);
        TForm4 *prefs = f.t->form4();
        TFormMenu *menu = f.t->formMenu();
        prefs->BMenuSaveClick();
        f.open(path);
        TForm2 *video = f.t->form2();
        video->resize(640, 480);
        menu->ShowMenu();
        const int designed = menu->letterHeight(); // what the built-in texts are given
        QVERIFY(designed > 1);

        prefs->MenuLine[2]->setText(QString(30, QLatin1Char('W')));
        menu->ShowMenu();
        QVERIFY(menu->letterHeight() < designed);
        QFont font = prefs->BMenuColor->font();
        font.setBold(true);
        font.setPixelSize(menu->letterHeight());
        QVERIFY(QFontMetrics(font).horizontalAdvance(prefs->MenuLine[2]->text()) + 10 <= video->width());
        font.setPixelSize(menu->letterHeight() + 1);
        QVERIFY(QFontMetrics(font).horizontalAdvance(prefs->MenuLine[2]->text()) + 10 > video->width());
    }
};

QTEST_MAIN(TestMovieMenuOverlay)
#include "test_movie_menu_overlay.moc"
