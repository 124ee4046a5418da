#include "core/DesktopEntry.h"
#include "core/MimePackage.h"

#include <QTest>

class TestFreedesktopFiles : public QObject
{
    Q_OBJECT

private slots:
    void execArgumentQuotesOnlyWhenNeeded_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("argument");
        QTest::newRow("plain") << "/usr/bin/brivara" << "/usr/bin/brivara";
        QTest::newRow("space") << "/opt/My Player/brivara" << "\"/opt/My Player/brivara\"";
        QTest::newRow("quote, dollar") << "/a\"b$c" << "\"/a\\\"b\\$c\"";
        QTest::newRow("backslash") << "/a\\b" << "\"/a\\\\b\"";
        QTest::newRow("percent") << "/x/100%/brivara" << "/x/100%%/brivara";
    }
    void execArgumentQuotesOnlyWhenNeeded()
    {
        QFETCH(QString, path);
        QFETCH(QString, argument);
        QCOMPARE(DesktopEntry::execArgument(path), argument);
    }

    void entryTextAndItsTypesReadBack()
    {
        DesktopEntry::Fields f;
        f.name = "Brivara";
        f.executable = "/opt/My Player/a\\b";
        f.icon = "brivara-0";
        f.categories = {"AudioVideo", "Player"};
        f.mimeTypes = {"video/x-msvideo", "x-content/audio-cdda"};
        const QString text = DesktopEntry::text(f);
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        // The backslash is escaped for the quoted argument and again for the string value.
        QVERIFY(text.contains("\nExec=\"/opt/My Player/a\\\\\\\\b\" %f\n"));
        QVERIFY(text.contains("\nIcon=brivara-0\n"));
        QVERIFY(text.contains("\nCategories=AudioVideo;Player;\n"));
        QCOMPARE(DesktopEntry::mimeTypes(text), f.mimeTypes);

        // Only the main group's list counts.
        QCOMPARE(DesktopEntry::mimeTypes("[Desktop Action x]\nMimeType=a/b;\n"), QStringList());
    }

    void extensionsAreNormalisedOrRefused()
    {
        QCOMPARE(MimePackage::normalisedExtension(" .mkv "), QStringLiteral("MKV"));
        QCOMPARE(MimePackage::normalisedExtension("tar.gz"), QStringLiteral("TAR.GZ"));
        for (const char *bad : {"", ".", "a b", "../x", "*", "a/b", "a.", "x;y"})
            QVERIFY2(MimePackage::normalisedExtension(bad).isNull(), bad);
    }

    void packageRoundTripsAndMergesWithoutLosingEarlierTypes()
    {
        const auto dat = MimePackage::ownType("DAT", false);
        QCOMPARE(dat.name, QStringLiteral("video/x-brivara-dat"));
        QCOMPARE(dat.globs, QStringList({"*.dat", "*.DAT"}));
        QCOMPARE(MimePackage::ownType("MPA", true).name, QStringLiteral("audio/x-brivara-mpa"));
        QVERIFY(MimePackage::isOwnType("audio/x-brivara-mpa"));
        QVERIFY(!MimePackage::isOwnType("video/x-msvideo"));

        const QString first = MimePackage::xml({dat, MimePackage::ownType("IFO", false)});
        QVERIFY(first.contains("xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\""));
        const auto read = MimePackage::parse(first);
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[0].name, dat.name);
        QCOMPARE(read[0].globs, dat.globs);
        QCOMPARE(read[0].comment, dat.comment);

        const auto all = MimePackage::merged(read, {MimePackage::ownType("M2V", false), dat});
        QStringList names;
        for (const auto &t : all)
            names << t.name;
        QCOMPARE(names, QStringList({"video/x-brivara-dat", "video/x-brivara-ifo",
                                     "video/x-brivara-m2v"}));
        // A damaged file gives what was read before the damage.
        const auto cut = MimePackage::parse("<mime-info><mime-type type=\"a/b\"><glob pattern=\"*.b\"/><glo");
        QCOMPARE(cut.size(), 1);
        QCOMPARE(cut[0].globs, QStringList{"*.b"});
        QVERIFY(MimePackage::parse("not xml").isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestFreedesktopFiles)
#include "test_freedesktop_files.moc"
