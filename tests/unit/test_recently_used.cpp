#include "core/RecentlyUsed.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Our entries in the desktop's shared list of recently used files, without harm to anyone
// else's.
class TestRecentlyUsed : public QObject
{
    Q_OBJECT

    // As the desktop's own library writes it: another program's document, with an entity.
    const QByteArray theirs =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<xbel version=\"1.0\"\n"
        "      xmlns:bookmark=\"http://www.freedesktop.org/standards/desktop-bookmarks\"\n"
        "      xmlns:mime=\"http://www.freedesktop.org/standards/shared-mime-info\"\n"
        ">\n"
        "  <bookmark href=\"file:///home/u/notes%20&amp;%20plans.txt\" added=\"2026-01-02T10:00:00.000000Z\" "
        "modified=\"2026-01-02T10:00:00.000000Z\" visited=\"2026-01-02T10:00:00.000000Z\">\n"
        "    <info>\n"
        "      <metadata owner=\"http://freedesktop.org\">\n"
        "        <mime:mime-type type=\"text/plain\"/>\n"
        "        <bookmark:applications>\n"
        "          <bookmark:application name=\"Text Editor\" exec=\"&apos;editor %u&apos;\" "
        "modified=\"2026-01-02T10:00:00.000000Z\" count=\"4\"/>\n"
        "        </bookmark:applications>\n"
        "      </metadata>\n"
        "    </info>\n"
        "  </bookmark>\n"
        "</xbel>";

    static RecentlyUsed::Entry film(const QString &path, const QDateTime &when)
    {
        return {path, QStringLiteral("video/x-msvideo"), QStringLiteral("Brivara"),
                QStringLiteral("'brivara %u'"), when};
    }

private slots:
    void entriesAreAddedAndCountedAndOthersStay()
    {
        const QDateTime first(QDate(2026, 12, 9), QTime(12, 0), Qt::UTC);
        const std::optional<QByteArray> once =
            RecentlyUsed::withEntry(theirs, film("/films/A film.avi", first));
        QVERIFY(once);
        // Their bookmark is carried over as it was written, element for element.
        const QString text = QString::fromUtf8(*once);
        QVERIFY2(text.contains("href=\"file:///home/u/notes%20&amp;%20plans.txt\""), qPrintable(text));
        QVERIFY(text.contains("exec=\"'editor %u'\" modified=\"2026-01-02T10:00:00.000000Z\" count=\"4\""));
        QVERIFY(text.contains("<mime:mime-type type=\"text/plain\"/>"));
        QCOMPARE(text.count("<bookmark "), 2);
        QVERIFY(text.contains("href=\"file:///films/A%20film.avi\""));
        QVERIFY(text.contains("<mime:mime-type type=\"video/x-msvideo\"/>"));
        QVERIFY(text.contains("name=\"Brivara\" exec=\"'brivara %u'\" modified=\"2026-12-09T12:00:00.000Z\" count=\"1\""));

        // Again later: still one bookmark of ours, counted twice, first added time kept.
        const QDateTime later = first.addSecs(3600);
        const std::optional<QByteArray> twice = RecentlyUsed::withEntry(*once, film("/films/A film.avi", later));
        QVERIFY(twice);
        const QString again = QString::fromUtf8(*twice);
        QCOMPARE(again.count("<bookmark "), 2);
        QVERIFY(again.contains("added=\"2026-12-09T12:00:00.000Z\""));
        QVERIFY(again.contains("visited=\"2026-12-09T13:00:00.000Z\""));
        QVERIFY2(again.contains("modified=\"2026-12-09T13:00:00.000Z\" count=\"2\""), qPrintable(again));
        QCOMPARE(again.count("count=\"4\""), 1);

        // Another program's file opened by us: our application joins theirs.
        const std::optional<QByteArray> shared =
            RecentlyUsed::withEntry(theirs, film("/home/u/notes & plans.txt", later));
        QVERIFY(shared);
        const QString both = QString::fromUtf8(*shared);
        QCOMPARE(both.count("<bookmark "), 1);
        QVERIFY(both.contains("count=\"4\""));
        QVERIFY(both.contains("name=\"Brivara\""));

        // A new file starts from nothing.
        const std::optional<QByteArray> fresh = RecentlyUsed::withEntry({}, film("/f.avi", first));
        QVERIFY(fresh && fresh->contains("<xbel version=\"1.0\"") && fresh->contains("file:///f.avi"));
    }

    void aFileThatCannotBeReadIsNeverReplaced()
    {
        for (const QByteArray &bad : {theirs.left(theirs.size() - 20), QByteArray("<html><body/></html>"),
                                      QByteArray("\x00\x01garbage", 9)}) {
            QVERIFY(!RecentlyUsed::withEntry(bad, film("/f.avi", QDateTime::currentDateTimeUtc())));
            QTemporaryDir dir;
            const QString path = dir.filePath("recently-used.xbel");
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bad);
            f.close();
            QString error;
            QVERIFY(!RecentlyUsed::add(path, film("/f.avi", QDateTime::currentDateTimeUtc()), &error));
            QVERIFY(error.contains("recently-used.xbel"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), bad);
        }
        // Written where there was none, folder and all.
        QTemporaryDir dir;
        const QString path = dir.filePath("share/recently-used.xbel");
        QVERIFY(RecentlyUsed::add(path, film("/f.avi", QDateTime::currentDateTimeUtc())));
        QVERIFY(RecentlyUsed::add(path, film("/g.avi", QDateTime::currentDateTimeUtc())));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll().count("<bookmark "), 2);
    }
};

QTEST_APPLESS_MAIN(TestRecentlyUsed)
#include "test_recently_used.moc"
