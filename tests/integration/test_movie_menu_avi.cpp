// The movie menu written into real films (made by GStreamer's avimux and by ffmpeg) from
// the preferences' page, read at the next open and removed again; only the record's bytes
// inside the "JUNK" chunk ever change.
#include "core/AviJunkStore.h"
#include "support/FilmPlayer.h"
#include "support/TestMedia.h"
#include "ui/settings/SetupControls.h"
#include "ui/settings/TForm4.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimeEdit>
#include <QtEndian>
#include <QtTest>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void store(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

AviJunkStore::Chunk chunkOf(QByteArray bytes)
{
    QBuffer b(&bytes);
    b.open(QIODevice::ReadOnly);
    return AviJunkStore::findChunk(b).value_or(AviJunkStore::Chunk{});
}

// The chunk at 212 split in two: an unknown chunk of `first` bytes of payload in its place
// (readers skip it), then "JUNK" with the rest, so the film keeps its size and layout.
QByteArray moveJunk(QByteArray bytes, quint32 first)
{
    const quint32 size = qFromLittleEndian<quint32>(bytes.constData() + 216);
    bytes.replace(212, 8 + first + 8, QByteArray(8 + first + 8, '\0'));
    bytes.replace(212, 4, "PAD ");
    qToLittleEndian<quint32>(first, bytes.data() + 216);
    bytes.replace(220 + first, 4, "JUNK");
    qToLittleEndian<quint32>(size - first - 8, bytes.data() + 224 + first);
    return bytes;
}

QString ffmpegFilm(const QString &name)
{
    const QString path = QDir(TestSupport::mediaDir()).filePath(name);
    if (QFileInfo(path).size() > 0)
        return path;
    const int code = TestSupport::run(QStringLiteral("ffmpeg"),
                                      {"-v", "error", "-y", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=10",
                                       "-t", "1", "-c:v", "mpeg4", path});
    return code == 0 ? path : QString();
}

} // namespace

class TestMovieMenuAvi : public QObject
{
    Q_OBJECT
private slots:
    void theMenuGoesIntoTheFilmAndComesBackExactly_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<quint32>("moveBy"); // 0: the chunk stays at 212
        const QString avimux = TestMedia::movie(2);
        const QString ffmpeg = ffmpegFilm(QStringLiteral("ffmpeg-1s.avi"));
        QVERIFY(!avimux.isEmpty() && !ffmpeg.isEmpty());
        QTest::newRow("avimux") << avimux << 0u;
        QTest::newRow("ffmpeg") << ffmpeg << 0u;
        QTest::newRow("avimux, JUNK at 300") << avimux << 80u;
        QTest::newRow("ffmpeg, JUNK at 471") << ffmpeg << 251u;
    }

    void theMenuGoesIntoTheFilmAndComesBackExactly()
    {
        QFETCH(QString, source);
        QFETCH(quint32, moveBy);
        FilmPlayer f;
        const QString path = f.dir.filePath(QStringLiteral("film.avi"));
        const QByteArray original = moveBy ? moveJunk(contents(source), moveBy) : contents(source);
        store(path, original);
        const AviJunkStore::Chunk chunk = chunkOf(original);
        QCOMPARE(chunk.at, qint64(moveBy ? 212 + 8 + moveBy : 212));
        f.open(path);

        TForm4 *prefs = f.t->form4();
        prefs->MenuTitle->setText(QString(35, QLatin1Char('M')));
        const QStringList texts{QStringLiteral("Początek"), QStringLiteral("Scena źródła"), QStringLiteral("Koniec"),
                                QStringLiteral("www.zendor.org"), QStringLiteral("extras.txt")};
        const QList<QTime> times{QTime(0, 0, 1), QTime(1, 2, 3), QTime(9, 59, 59), QTime(10, 0, 5), QTime(23, 59, 59)};
        for (int i = 0; i < 5; ++i) {
            prefs->MenuLine[i]->setText(texts[i]);
            prefs->MenuTimes[i]->setTime(times[i]);
            prefs->MenuLink[i]->setChecked(i >= 3);
        }
        prefs->MenuTime->setValue(23);
        f.t.dialogs->nextColor = QColor(0x12, 0x34, 0x56);
        prefs->BMenuColorClick();
        const MovieMenu saved = prefs->EditorMenu();
        f.t.dialogs->asked.clear();
        prefs->BMenuSaveClick();
        prefs->BMenuSaveClick(); // twice: still one record
        QVERIFY(f.t.dialogs->asked.isEmpty());

        // Same size; the only bytes that changed are one record's, inside the chunk's payload.
        const QByteArray written = contents(path);
        QCOMPARE(written.size(), original.size());
        QCOMPARE(written.count("Zendor"), original.count("Zendor") + 1);
        qint64 first = -1, last = -1;
        for (qint64 i = 0; i < written.size(); ++i)
            if (written[i] != original[i]) {
                first = first < 0 ? i : first;
                last = i;
            }
        QVERIFY(first > chunk.anchor && last < chunk.payloadEnd);
        QVERIFY(last - first < 252);

        // Read at the next open: every field as it was saved, the title cut to 30.
        prefs->MenuTitle->setText(QStringLiteral("other"));
        for (int i = 0; i < 5; ++i) {
            prefs->MenuLine[i]->clear();
            prefs->MenuTimes[i]->setTime(QTime(0, 0));
            prefs->MenuLink[i]->setChecked(false);
        }
        prefs->MenuTime->setValue(5);
        f.open(path);
        QVERIFY(f.panel()->MenuInFile);
        MovieMenu expected = saved;
        expected.title = QString(30, QLatin1Char('M'));
        QCOMPARE(prefs->EditorMenu(), expected);
        QCOMPARE(prefs->MenuTimes[3]->time(), QTime(10, 0, 5));

        // Cleared, wherever the chunk lies: the film is byte for byte what it was.
        prefs->BMenuClearClick();
        QCOMPARE(contents(path), original);
        QVERIFY(!f.panel()->MenuInFile);
    }

    void filmsThatCannotTakeAMenuAreLeftAlone()
    {
        FilmPlayer f;
        TForm4 *prefs = f.t->form4();
        auto lastMessage = [&] { return f.t.dialogs->asked.isEmpty() ? QString() : f.t.dialogs->asked.last().text; };

        // A read-only film is not made writable: it is said, and nothing changes.
        const QString locked = f.dir.filePath(QStringLiteral("locked.avi"));
        store(locked, contents(TestMedia::movie(2)));
        const QByteArray lockedBytes = contents(locked);
        const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
        QVERIFY(QFile::setPermissions(locked, readOnly));
        f.open(locked);
        prefs->BMenuSaveClick();
        QCOMPARE(lastMessage(), QStringLiteral("File Open Error!"));
        // The "User" bits say what this process may do (root may write anyway): not the file's.
        const auto userBits = QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser;
        QCOMPARE(QFile::permissions(locked) & ~QFileDevice::Permissions(userBits), readOnly);
        QCOMPARE(contents(locked), lockedBytes);

        // No "JUNK" chunk (Matroska): the message that menus go only into AVI films.
        const QString mkv = f.dir.filePath(QStringLiteral("film.mkv"));
        QCOMPARE(TestSupport::run(QStringLiteral("ffmpeg"), {"-v", "error", "-y", "-f", "lavfi", "-i",
                                                             "testsrc=size=160x120:rate=10", "-t", "1", mkv}),
                 0);
        const QByteArray mkvBytes = contents(mkv);
        f.open(mkv);
        prefs->BMenuSaveClick();
        QCOMPARE(lastMessage(), f.t->messages()[29]);
        QCOMPARE(contents(mkv), mkvBytes);

        // A chunk too small for the record: nothing written, and said.
        QByteArray small = contents(TestMedia::movie(2));
        const quint32 size = qFromLittleEndian<quint32>(small.constData() + 216);
        qToLittleEndian<quint32>(200, small.data() + 216);
        small.replace(420, 4, "PAD ");
        qToLittleEndian<quint32>(size - 200 - 8, small.data() + 424);
        const QString tight = f.dir.filePath(QStringLiteral("tight.avi"));
        store(tight, small);
        f.open(tight);
        prefs->BMenuSaveClick();
        QVERIFY(lastMessage().contains(QStringLiteral("no free room")));
        QCOMPARE(contents(tight), small);
    }
};

QTEST_MAIN(TestMovieMenuAvi)
#include "test_movie_menu_avi.moc"
