#include "core/MimeAppsList.h"

#include <QRegularExpression>
#include <QTest>

namespace {
const QString kUs = QStringLiteral("brivara.desktop");
const QString kDefaults = QStringLiteral("Default Applications");
const QString kAdded = QStringLiteral("Added Associations");
const QString kRemoved = QStringLiteral("Removed Associations");
} // namespace

class TestMimeApps : public QObject
{
    Q_OBJECT

private slots:
    void emptyFileGetsBothSections()
    {
        const QString out = MimeAppsList::associate({}, kUs, {"video/x-msvideo", "audio/mpeg"});
        QCOMPARE(out, QStringLiteral("[Default Applications]\n"
                                     "video/x-msvideo=brivara.desktop;\n"
                                     "audio/mpeg=brivara.desktop;\n"
                                     "\n"
                                     "[Added Associations]\n"
                                     "video/x-msvideo=brivara.desktop;\n"
                                     "audio/mpeg=brivara.desktop;\n"));
    }

    void keepsEverythingElseAndPutsUsFirst()
    {
        const QString in = QStringLiteral("# my choices\n"
                                          "[Default Applications]\n"
                                          "text/plain=gedit.desktop;\n"
                                          "video/x-msvideo=vlc.desktop;mpv.desktop;\n"
                                          "\n"
                                          "[Added Associations]\n"
                                          "video/x-msvideo = mpv.desktop;brivara.desktop;\n"
                                          "image/png=eog.desktop;\n"
                                          "\n"
                                          "[Some Other Group]\n"
                                          "key=value\n");
        const QString out = MimeAppsList::associate(in, kUs, {"video/x-msvideo", "audio/mpeg"});

        QCOMPARE(MimeAppsList::entries(out, kDefaults, "video/x-msvideo"),
                 QStringList({"brivara.desktop", "vlc.desktop", "mpv.desktop"}));
        QCOMPARE(MimeAppsList::entries(out, kAdded, "video/x-msvideo"),
                 QStringList({"brivara.desktop", "mpv.desktop"}));
        QCOMPARE(MimeAppsList::entries(out, kDefaults, "audio/mpeg"), QStringList{kUs});
        QCOMPARE(MimeAppsList::entries(out, kAdded, "audio/mpeg"), QStringList{kUs});

        // Other programs' lines, comments and groups are byte for byte as they were.
        for (const char *line : {"# my choices\n", "text/plain=gedit.desktop;\n",
                                 "image/png=eog.desktop;\n", "[Some Other Group]\nkey=value\n"})
            QVERIFY2(out.contains(QLatin1String(line)), line);
        QCOMPARE(out.count(QStringLiteral("[Default Applications]")), 1);
        QCOMPARE(out.count(QStringLiteral("[Added Associations]")), 1);
        // A new key joins its own group, before the blank line that ends it.
        QVERIFY(out.contains("mpv.desktop;\naudio/mpeg=brivara.desktop;\n\n[Added Associations]"));
        QVERIFY(out.indexOf("[Some Other Group]") > out.lastIndexOf("audio/mpeg"));
    }

    void secondRunChangesNothing()
    {
        const QString in = QStringLiteral("[Default Applications]\nvideo/mpeg=vlc.desktop;\n");
        const QStringList types{"video/mpeg", "x-content/audio-cdda"};
        const QString once = MimeAppsList::associate(in, kUs, types);
        QCOMPARE(MimeAppsList::associate(once, kUs, types), once);
        QCOMPARE(once.count(kUs), 4);
    }

    void removedAssociationNoLongerHidesUs()
    {
        const QString in = QStringLiteral("[Removed Associations]\n"
                                          "audio/mpeg=brivara.desktop;rhythmbox.desktop;\n"
                                          "video/mpeg=brivara.desktop;\n");
        const QString out = MimeAppsList::associate(in, kUs, {"audio/mpeg", "video/mpeg"});
        QCOMPARE(MimeAppsList::entries(out, kRemoved, "audio/mpeg"),
                 QStringList{"rhythmbox.desktop"});
        QVERIFY(MimeAppsList::entries(out, kRemoved, "video/mpeg").isEmpty());
        QCOMPARE(MimeAppsList::entries(out, kDefaults, "video/mpeg"), QStringList{kUs});
    }

    void keepsWindowsLineEndsAndAFileWithoutFinalNewline()
    {
        const QString crlf = MimeAppsList::associate(
            QStringLiteral("[Default Applications]\r\nimage/png=eog.desktop;\r\n"), kUs, {"audio/ogg"});
        QVERIFY(crlf.contains("image/png=eog.desktop;\r\naudio/ogg=brivara.desktop;\r\n"));
        QVERIFY(!crlf.contains(QRegularExpression("[^\r]\n")));

        const QString bare = MimeAppsList::associate(
            QStringLiteral("[Default Applications]\nimage/png=eog.desktop;"), kUs, {"audio/ogg"});
        QVERIFY(bare.contains("image/png=eog.desktop;\naudio/ogg=brivara.desktop;\n"));
    }

    void entriesBeforeAnyGroupAreNotTakenForDefaults()
    {
        // A stray key above the first group is no default; ours goes into a real group.
        const QString out = MimeAppsList::associate(QStringLiteral("video/mpeg=vlc.desktop;\n"),
                                                    kUs, {"video/mpeg"});
        QVERIFY(out.startsWith("video/mpeg=vlc.desktop;\n"));
        QCOMPARE(MimeAppsList::entries(out, kDefaults, "video/mpeg"), QStringList{kUs});
    }
};

QTEST_APPLESS_MAIN(TestMimeApps)
#include "test_mimeapps.moc"
