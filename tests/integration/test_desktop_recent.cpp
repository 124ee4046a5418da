#include "platform/DesktopRecentFiles.h"
#include "support/TestMedia.h"

#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>
#include <glib.h>

// The desktop's own bookmark library reads what the player adds to recently-used.xbel, and
// finds everything another program had put there.
class TestDesktopRecent : public QObject
{
    Q_OBJECT

private slots:
    void theDesktopsLibraryReadsOurEntriesBesideItsOwn()
    {
        QTemporaryDir dir;
        const QByteArray xbel = QFile::encodeName(dir.filePath("recently-used.xbel"));
        const QString notes = dir.filePath("notes & plans.txt");
        QFile(notes).open(QIODevice::WriteOnly);
        const QByteArray notesUri = QUrl::fromLocalFile(notes).toEncoded();
        {
            GBookmarkFile *theirs = g_bookmark_file_new();
            g_bookmark_file_set_mime_type(theirs, notesUri.constData(), "text/plain");
            g_bookmark_file_add_application(theirs, notesUri.constData(), "Text Editor", "'editor %u'");
            g_bookmark_file_add_application(theirs, notesUri.constData(), "Text Editor", "'editor %u'");
            QVERIFY(g_bookmark_file_to_file(theirs, xbel.constData(), nullptr));
            g_bookmark_file_free(theirs);
        }

        const QString film = TestMedia::movie(1, "ball");
        QVERIFY(!film.isEmpty());
        {
            XbelRecentFiles recent(QFile::decodeName(xbel));
            recent.add(film);
            recent.add(film);
            recent.add(notes);
            recent.add(dir.filePath("gone.avi")); // not there: not listed
        } // the additions are written before it is gone

        GBookmarkFile *read = g_bookmark_file_new();
        GError *error = nullptr;
        QVERIFY2(g_bookmark_file_load_from_file(read, xbel.constData(), &error), error ? error->message : "");
        QCOMPARE(g_bookmark_file_get_size(read), 2);
        const QByteArray filmUri = QUrl::fromLocalFile(film).toEncoded();
        QVERIFY(g_bookmark_file_has_application(read, filmUri.constData(), "Brivara", nullptr));
        gchar *exec = nullptr;
        guint count = 0;
        QVERIFY(g_bookmark_file_get_application_info(read, filmUri.constData(), "Brivara", &exec, &count,
                                                     nullptr, nullptr));
        QCOMPARE(count, 2u);
        // GLib hands the command line back unquoted, with the film's address put in for %u.
        QCOMPARE(QByteArray(exec), QFile::encodeName(QCoreApplication::applicationFilePath()) + ' ' + filmUri);
        g_free(exec);
        gchar *mime = g_bookmark_file_get_mime_type(read, filmUri.constData(), nullptr);
        QCOMPARE(QByteArray(mime), QByteArray("video/x-msvideo"));
        g_free(mime);
        // Theirs: untouched, and ours beside it on the file both opened.
        QVERIFY(g_bookmark_file_get_application_info(read, notesUri.constData(), "Text Editor", nullptr, &count,
                                                     nullptr, nullptr));
        QCOMPARE(count, 2u);
        QVERIFY(g_bookmark_file_has_application(read, notesUri.constData(), "Brivara", nullptr));
        g_bookmark_file_free(read);
    }
};

QTEST_GUILESS_MAIN(TestDesktopRecent)
#include "test_desktop_recent.moc"
