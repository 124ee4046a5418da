#include "core/KeyTable.h"
#include "support/FilmPlayer.h"
#include "ui/app/TForm1.h"
#include "ui/settings/TForm4.h"
#include "ui/subtitles/TForm3.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QDir>
#include <QPainter>
#include <QtTest>

namespace {
// A frame whose pixels can be told apart: a gradient with a red corner.
QImage testFrame(QSize size)
{
    QImage image(size, QImage::Format_RGB888);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, QColor(x % 256, y % 256, 90));
    QPainter(&image).fillRect(0, 0, 10, 10, Qt::red);
    return image;
}

int snapshotRow()
{
    for (const KeyTable::Row &row : KeyTable::builtIn())
        if (row.command == KeyTable::Command::SnapShot)
            return row.row;
    return 0;
}

struct Fixture : FilmPlayer
{
    QImage frame = testFrame(QSize(352, 288));

    Fixture() : FilmPlayer(QSize(352, 288), 60)
    {
        t.engine->setGrabbedFrame(frame);
        t->form4()->SnapShotDest->setChecked(false);
        openFilm();
    }
    void press() { t->form2()->dispatchKey(0, snapshotRow()); }
    QStringList files() const { return QDir(dir.path()).entryList({"*.bmp"}, QDir::Files, QDir::Name); }
};

// The header fields of a bitmap file: width, height, bits per pixel.
std::tuple<int, int, int> bitmapHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {0, 0, 0};
    const QByteArray h = file.read(30);
    auto le32 = [&](int at) { return qFromLittleEndian<qint32>(h.constData() + at); };
    if (h.size() < 30 || !h.startsWith("BM"))
        return {0, 0, 0};
    return {le32(18), le32(22), qFromLittleEndian<quint16>(h.constData() + 28)};
}
} // namespace

class TestSnapshot : public QObject
{
    Q_OBJECT
private slots:
    void numberedFilesAtTheFilmsOwnSize()
    {
        Fixture f;
        QVERIFY(snapshotRow() > 0);
        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot ON"));
        QVERIFY(f.files().isEmpty());

        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot Ready"));
        QCOMPARE(f.files(), QStringList{"snapshot1.bmp"});
        const QString first = f.dir.filePath("snapshot1.bmp");
        QCOMPARE(bitmapHeader(first), std::make_tuple(352, 288, 24));
        const QImage saved(first);
        QCOMPARE(saved.pixelColor(5, 5), QColor(Qt::red));
        QCOMPARE(saved.pixelColor(200, 100), QColor(200, 100, 90));

        // The window's size never enters: zoomed, and in full screen.
        f.panel()->ButtonUpClick();
        QVERIFY(f.t->form2()->width() != 352);
        f.press();
        QCOMPARE(bitmapHeader(f.dir.filePath("snapshot2.bmp")), std::make_tuple(352, 288, 24));
        f.t->form2()->ButtonFullScreenClick();
        f.press();
        QCOMPARE(bitmapHeader(f.dir.filePath("snapshot3.bmp")), std::make_tuple(352, 288, 24));

        QVERIFY(QFile::remove(first));
        f.press();
        QCOMPARE(f.files(), (QStringList{"snapshot1.bmp", "snapshot2.bmp", "snapshot3.bmp"}));

        // A new film arms the command again.
        f.openFilm(QStringLiteral("second.avi"));
        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot ON"));
        QCOMPARE(f.files().size(), 3);
    }

    void thePlayStateAndPositionStay()
    {
        Fixture f;
        f.t.engine->setPosition(20 * FilmPlayer::Second);
        const int seeks = f.t.engine->seeks().size();
        f.press();
        f.press();
        QCOMPARE(f.t.engine->state(), FakeMediaEngine::State::Playing);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePlaying));
        f.panel()->BPauseClick();
        f.press();
        QCOMPARE(f.t.engine->state(), FakeMediaEngine::State::Paused);
        QCOMPARE(f.panel()->PlayState, int(TForm1::StatePaused));
        QCOMPARE(f.t.engine->seeks().size(), seeks);
        QCOMPARE(f.t.engine->position(), 20 * FilmPlayer::Second);
    }

    void failuresTheDialogAndItsCancel()
    {
        Fixture f;
        f.press();
        f.t.engine->setGrabFails(true);
        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot Error!"));
        QVERIFY(f.files().isEmpty());
        f.t.engine->setGrabFails(false);

        f.t->form4()->SnapShotDest->setChecked(true);
        f.t.dialogs->nextSaveFile = f.dir.filePath("chosen.bmp");
        f.press();
        QCOMPARE(f.t.dialogs->asked.last().kind, QStringLiteral("save"));
        QCOMPARE(f.files(), QStringList{"chosen.bmp"});
        QVERIFY(!f.t->dialogOpen);

        f.t.dialogs->nextSaveFile.clear(); // cancelled: nothing saved, no error
        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot Ready"));
        QCOMPARE(f.files(), QStringList{"chosen.bmp"});

        f.t.dialogs->nextSaveFile = f.dir.filePath("no-such-folder/x.bmp");
        f.press();
        QCOMPARE(f.osd(), QStringLiteral("SnapShot Error!"));
    }

    void theSubtitleGoesIntoTheSnapshotOnlyWhenAsked()
    {
        Fixture f;
        f.frame = QImage(QSize(352, 288), QImage::Format_RGB888);
        f.frame.fill(Qt::black);
        f.t.engine->setGrabbedFrame(f.frame);
        f.t->form3()->ShowSubtitle(QStringLiteral("Napis na zdjęciu"), false, 20 * FilmPlayer::Second);
        f.panel()->AppEventsIdle(); // the subtitle window goes over the picture
        QTRY_VERIFY(f.t->form3()->isVisible());
        auto litPixels = [](const QImage &image) {
            int lit = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    lit += qGray(image.pixel(x, y)) > 60;
            return lit;
        };
        f.press();
        f.press();
        QCOMPARE(litPixels(QImage(f.dir.filePath("snapshot1.bmp"))), 0);
        f.t->form4()->SnapShotSubtitle->setChecked(true);
        f.press();
        const QImage with(f.dir.filePath("snapshot2.bmp"));
        QCOMPARE(with.size(), QSize(352, 288));
        QVERIFY(litPixels(with) > 50);
    }
};

QTEST_MAIN(TestSnapshot)
#include "test_snapshot.moc"
