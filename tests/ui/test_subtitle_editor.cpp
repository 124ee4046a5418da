// The subtitle editor page of the preferences, driven as the user drives it, on a film of
// the fake engine whose subtitles play from the very list being edited.
#include "core/TextFile.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"
#include "ui/skins/TZDButton.h"
#include "ui/subtitles/TForm3.h"

#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

namespace {

QString key(int seconds) { return QTime(0, 0).addSecs(seconds).toString(QStringLiteral("HH:mm:ss")); }

// Forty entries, one every half minute, as a SubRip file.
QStringList subRip()
{
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << QString::number(i) << key(i * 30) + ",250 --> " + key(i * 30 + 2) + ",000"
              << QStringLiteral("Napis %1").arg(i) << QString();
    return lines;
}

QStringList keys(const SubtitleList &list)
{
    QStringList out;
    for (const SubtitleLine &line : list)
        out << line.start;
    return out;
}

// Every entry of the film's list moved by `seconds`, none before 00:00:00.
QStringList shifted(int seconds)
{
    QStringList out;
    for (int i = 1; i <= 40; ++i)
        out << key(qMax(0, i * 30 + seconds));
    return out;
}

} // namespace

class TestSubtitleEditor : public QObject
{
    Q_OBJECT
private slots:
    void aJumpSeeksPlaysAndForgetsWaitingSubtitles()
    {
        FilmPlayer f(QSize(320, 240), 900);
        f.openFilm();
        TForm1 *panel = f.panel();
        TForm4 *setup = f.t->form4();
        panel->BPauseClick();
        f.t->form3()->ShowSubtitle(QStringLiteral("Pierwszy napis, dość długi do czytania"), false, 1);
        f.t->form3()->ShowSubtitle(QStringLiteral("Drugi"), false, 1);
        QVERIFY(!f.t->form3()->waiting().isEmpty());
        QSignalSpy menuStops(setup, &TForm4::jumpingToTime);

        setup->GotoTimeTXT(QStringLiteral("00:10:03"));
        QCOMPARE(f.t.engine->lastSeek(), 603 * FilmPlayer::Second);
        QCOMPARE(int(panel->PlayState), int(TForm1::StatePlaying));
        QVERIFY(f.t->form3()->waiting().isEmpty());
        QCOMPARE(menuStops.size(), 1);

        // Not a time (an inserted line's empty key, a minute of 60): said, and the film stays.
        const qsizetype seeks = f.t.engine->seeks().size(), messages = f.t.dialogs->asked.size();
        for (const QString &bad : {QString(), QStringLiteral("00:60:00"), QStringLiteral("0:01:00")})
            setup->GotoTimeTXT(bad);
        QCOMPARE(f.t.engine->seeks().size(), seeks);
        QCOMPARE(f.t.dialogs->asked.size(), messages + 3);
        QVERIFY(f.t.dialogs->asked.last().text.contains(QStringLiteral("0:01:00")));
    }

    void thePageEditsTheListPlaybackReads()
    {
        FilmPlayer f(QSize(320, 240), 1800);
        TextFile::writeLines(f.dir.filePath("film.srt"), subRip());
        f.openFilm();
        TForm1 *panel = f.panel();
        TForm4 *setup = f.t->form4();
        QCOMPARE(keys(setup->subtitles()), shifted(0));
        setup->show();
        setup->ShowPage(setup->EditorPage);
        QVERIFY(QTest::qWaitForWindowExposed(setup));
        QTableWidget *grid = setup->TimeTXTEditor;
        const auto tick = [&](int seconds) {
            f.t.engine->setPosition(seconds * FilmPlayer::Second);
            panel->TimerTimer();
        };

        // The picker opens over a time cell with its time, and writes what is picked.
        const QRect cell = grid->visualItemRect(grid->item(1, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QVERIFY(setup->TimeEdit->isVisible());
        QCOMPARE(setup->TimeEdit->time(), QTime(0, 1, 0));
        QCOMPARE(setup->TimeEdit->geometry().topLeft(), grid->viewport()->mapTo(setup->EditorPage, cell.topLeft()));
        QCOMPARE(setup->LLinii->text(), QStringLiteral("Text 2 of 41"));
        setup->TimeEdit->setTime(QTime(0, 1, 10));
        QCOMPARE(grid->item(1, 0)->text(), QStringLiteral("00:01:10"));
        f.t->form3()->TimerNapisClearTimer(); // the opening's mark goes
        tick(70);
        QCOMPARE(f.t->form3()->text(), QStringLiteral("Napis 2")); // at the next tick
        setup->TimeEdit->setTime(QTime(0, 1, 0));
        grid->verticalScrollBar()->setValue(3);
        QVERIFY(!setup->TimeEdit->isVisible());
        grid->verticalScrollBar()->setValue(0);

        // Live shifts of 1 min - 5 s and 2 s on the function slider: at 63 s the 00:02:00
        // entry shows.
        setup->SliderTXTSetupMin->setValue(1);
        setup->SliderTXTSetup->setValue(-5);
        panel->TxtShift = 2;
        f.t->form3()->TimerNapisClearTimer();
        tick(63);
        QCOMPARE(f.t->form3()->text(), QStringLiteral("Napis 4"));
        QCOMPARE(setup->SubtitleMarker, 4);

        // An inserted line has no time yet: folding the shifts is refused, naming it, and
        // nothing changes, the shifts included.
        grid->setCurrentCell(2, 1);
        setup->TXTInsertLine->click();
        QCOMPARE(setup->subtitles().size(), 41);
        QCOMPARE(setup->subtitles()[2], SubtitleLine());
        QCOMPARE(setup->SubtitleMarker, 5); // the shown entry moved down a row
        const SubtitleList withGap = setup->subtitles();
        const qsizetype messages = f.t.dialogs->asked.size();
        setup->TXTAddDelTime->click();
        QCOMPARE(setup->subtitles(), withGap);
        QCOMPARE(f.t.dialogs->asked.size(), messages + 1);
        QVERIFY(f.t.dialogs->asked.last().text.startsWith(QStringLiteral("Linia 3:")));
        QCOMPARE(setup->SliderTXTSetupMin->value(), 1);
        setup->TXTSynchronize->click();
        QCOMPARE(setup->subtitles(), withGap);
        QCOMPARE(f.t.dialogs->asked.size(), messages + 2);

        setup->TXTDelLine->click();
        QCOMPARE(keys(setup->subtitles()), shifted(0));
        QCOMPARE(setup->SubtitleMarker, 4);
        // Folded: every key 57 s earlier (the first stops at 00:00:00), the shifts back to 0,
        // and the entry on screen is still the one of this moment.
        setup->TXTAddDelTime->click();
        QCOMPARE(keys(setup->subtitles()), shifted(-57));
        QCOMPARE(setup->SliderTXTSetupMin->value(), 0);
        QCOMPARE(setup->SliderTXTSetup->value(), 0);
        QCOMPARE(setup->LabeltxtSec->text(), QStringLiteral("0 s"));
        QCOMPARE(panel->TxtShift, 0);
        tick(63);
        QCOMPARE(panel->SubtitleClock, 63);
        QCOMPARE(setup->subtitles()[3].start, key(63));

        // Synchronised at the tenth entry (00:04:03) with the film at 00:10:03: all 6 min later.
        tick(603);
        grid->setCurrentCell(9, 1);
        setup->TXTSynchronize->click();
        QStringList synced = shifted(-57 + 360);
        synced[0] = key(360); // the entry stopped at 00:00:00 moves on from there
        QCOMPARE(keys(setup->subtitles()), synced);
        QCOMPARE(setup->subtitles()[9].start, QStringLiteral("00:10:03"));

        // Stamping the film's time, then jumping to it.
        tick(1000);
        grid->setCurrentCell(5, 1);
        setup->TXTInsertTime->click();
        QCOMPARE(setup->subtitles()[5].start, QStringLiteral("00:16:40"));
        tick(10);
        setup->TXTGotoTime->click();
        QCOMPARE(f.t.engine->lastSeek(), 1000 * FilmPlayer::Second);

        // Saved as a time-colon file under the SubRip file's name, then read back.
        const SubtitleList edited = setup->subtitles();
        const QString saved = f.dir.filePath("zapis.txt");
        f.t.dialogs->nextSaveFile = saved;
        setup->TXTSave->click();
        QCOMPARE(f.t.dialogs->asked.last().kind, QStringLiteral("save"));
        QCOMPARE(f.t.dialogs->asked.last().text, f.dir.filePath("film.txt"));
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("\xEF\xBB\xBF" "00:06:00:Napis 1\r\n"));
        panel->DialogFileNameTXT = saved;
        panel->LoadTXT(false);
        QCOMPARE(setup->subtitles(), edited);
    }
};

QTEST_MAIN(TestSubtitleEditor)
#include "test_subtitle_editor.moc"
