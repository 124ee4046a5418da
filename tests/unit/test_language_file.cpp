#include "core/KeyTable.h"
#include "core/LanguageChoice.h"
#include "core/LanguageFile.h"
#include "core/Messages.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace LanguageFile;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QString componentValue(const Texts &t, Window w, const QString &name, bool hint)
{
    for (const ComponentText &c : t.componentsOf(w))
        if (c.name == name && c.hint == hint)
            return c.value;
    return QStringLiteral("<none>");
}

} // namespace

class TestLanguageFile : public QObject
{
    Q_OBJECT
private slots:
    void entriesSectionsTablesAndContinuations()
    {
        const Texts t = parse({
            "# HBPLAY=a comment is never an entry",
            "no equals sign here",
            "",
            "HBPLAY=Play before any section addresses the panel",
            "HBFunction=Change elevator work mode,",
            "TXT, Speed, Balans, Volume,",
            "Color, Contrast, Saturation, Quality",
            "cBPAUSE=lower-case kind",
            "xBSTOP=unknown kind",
            "CStatusFileName=a=b=c",
            "_LANGUAGE=Klingon",
            "_playlist=section names are case-sensitive",
            "_PlayList=",
            "CBFindStart=Start",
            "_Setup=",
            "CMsg05=CountDown Break!",
            "CMsg45=out of the table",
            "CMsgxy=not a number",
            "_Msg31=any kind fills a table",
            "CMnu16=first separator",
            "CMnu00=none",
            "CMnu28=---",
            "CKey00=Key Description",
            "CKey42=Show PlayList",
            "CKey43=none",
            "CFTransparent=Transparent",
            "CFOpaque=Opaque",
            "CMemoIQText=ends with a comma,",
        });
        QCOMPARE(t.language, QStringLiteral("Klingon"));
        QCOMPARE(componentValue(t, Window::Panel, "BPLAY", true), QStringLiteral("Play before any section addresses the panel"));
        QCOMPARE(componentValue(t, Window::Panel, "BFunction", true),
                 QStringLiteral("Change elevator work mode\r\nTXT, Speed, Balans, Volume\r\nColor, Contrast, Saturation, Quality"));
        QCOMPARE(componentValue(t, Window::Panel, "StatusFileName", false), QStringLiteral("a=b=c"));
        QCOMPARE(componentValue(t, Window::PlayList, "BFindStart", false), QStringLiteral("Start"));
        // Only C and H address components; "_playlist" did not switch the section.
        QCOMPARE(t.components.size(), 5);
        QCOMPARE(t.componentsOf(Window::Panel).size(), 3);
        QCOMPARE(t.messages, (QMap<int, QString>{{5, "CountDown Break!"}, {31, "any kind fills a table"}}));
        QCOMPARE(t.menu, (QMap<int, QString>{{16, "first separator"}}));
        QCOMPARE(t.keys, (QMap<int, QString>{{0, "Key Description"}, {42, "Show PlayList"}}));
        QCOMPARE(t.transparent.value_or("<none>"), QStringLiteral("Transparent"));
        QCOMPARE(t.opaque.value_or("<none>"), QStringLiteral("Opaque"));
        // The last line is an entry of its own; its comma has nothing to join.
        QCOMPARE(componentValue(t, Window::Setup, "MemoIQText", false), QStringLiteral("ends with a comma,"));

        // Endless commas run to the end of the file, never past it.
        QStringList commas(5000, QStringLiteral(","));
        commas.prepend(QStringLiteral("HBPLAY=x,"));
        const Texts endless = parse(commas);
        QCOMPARE(endless.components.size(), 1);
        QCOMPARE(endless.components[0].value.count(QStringLiteral("\r\n")), 5000);
    }

    void englishTemplateHoldsTheEnglishTables()
    {
        const QStringList lines = englishTemplate();
        QVERIFY(lines.contains(QStringLiteral("# First  char C=Caption, H=Hint")));
        QVERIFY(lines.contains(QStringLiteral("# for Brivara V1.6")));
        QCOMPARE(lines.mid(lines.size() - 2), QStringList({"", ""}));
        const Texts t = parse(lines);
        QCOMPARE(t.language, QStringLiteral("English"));
        for (int i = 0; i < Messages::Count; ++i) {
            if (i == 31)
                QVERIFY(!t.messages.contains(31)); // stays Polish
            else
                QCOMPARE(t.messages.value(i), Messages::englishTemplate(i));
        }
        QCOMPARE(t.keys.value(0), QStringLiteral("Key Description"));
        for (const KeyTable::Row &row : KeyTable::builtIn())
            QCOMPARE(t.keys.value(row.row), QString::fromUtf8(row.english));
        QCOMPARE(t.menu.size(), 24);
        for (int separator : {16, 18, 23})
            QVERIFY(!t.menu.contains(separator));
        QCOMPARE(t.menu.value(11), QStringLiteral("Acpect Ratio"));
        QCOMPARE(componentValue(t, Window::Panel, "HBFunction", true), QStringLiteral("<none>"));
        QCOMPARE(componentValue(t, Window::Panel, "BFunction", true).count(QStringLiteral("\r\n")), 2);
        QCOMPARE(componentValue(t, Window::Panel, "CaptionSzpilka", true), QString());
        QCOMPARE(componentValue(t, Window::PlayList, "BFindStart", false), QStringLiteral("Start"));
        QCOMPARE(componentValue(t, Window::Filters, "BAllFiltry", false), QStringLiteral("More >>"));
        QCOMPARE(componentValue(t, Window::Setup, "PanelWzor", false), QStringLiteral("Zendor is Cool!"));
        QCOMPARE(t.transparent.value_or("<none>"), QStringLiteral("Transparent"));
    }

    void filesAreDecodedAndBadOnesRefused()
    {
        QTemporaryDir dir;
        // A translator's file saved in Windows-1250, without a line end after its last entry.
        QStringEncoder cp1250("windows-1250");
        const QByteArray legacy = cp1250.encode(QStringLiteral("_LANGUAGE=Polski\r\nCMsg01=Brak filmu: źdźbło, łąka, Żółć"));
        write(dir.filePath("pl.lng"), legacy);
        const auto lines = readLines(dir.filePath("pl.lng"));
        QVERIFY(lines);
        QCOMPARE(parse(*lines).messages.value(1), QStringLiteral("Brak filmu: źdźbło, łąka, Żółć"));

        write(dir.filePath("huge.lng"), QByteArray(MaxBytes + 1, 'C'));
        QVERIFY(!readLines(dir.filePath("huge.lng")));
        QVERIFY(!readLines(dir.path()));
        QVERIFY(!readLines(dir.filePath("missing.lng")));

        // Binary junk reads as some text; whatever it says, nothing breaks.
        QByteArray junk;
        for (int i = 0; i < 65536; ++i)
            junk += char((i * 7919) % 256);
        write(dir.filePath("junk.lng"), junk);
        const auto junkLines = readLines(dir.filePath("junk.lng"));
        QVERIFY(junkLines);
        const Texts t = parse(*junkLines);
        QVERIFY(t.messages.size() <= Messages::Count);
    }

    void choosingALanguage()
    {
        QTemporaryDir program;
        const QString folder = program.path();
        const QString active = LanguageChoice::activeFile(folder);

        // No active file: English unless the system speaks Polish.
        auto start = LanguageChoice::choose("Start", folder, {}, false);
        QVERIFY(start.lines);
        QCOMPARE(*start.lines, englishTemplate());
        QVERIFY(!LanguageChoice::choose("Start", folder, {}, true).lines);

        // English with no LANG folder anywhere: the built-in copy becomes the active file.
        auto english = LanguageChoice::choose("English", folder, {}, true);
        QVERIFY(QFile::exists(active));
        QCOMPARE(*english.lines, englishTemplate());
        QCOMPARE(*LanguageChoice::choose("Start", folder, {}, true).lines, englishTemplate());

        // The program folder's own library file wins over what ships.
        write(folder + "/LANG/Deutsch.lng", "CMsg01=Kein Film!\r\n");
        write(folder + "/shipped/LANG/Deutsch.lng", "CMsg01=shipped\r\n");
        auto german = LanguageChoice::choose("Deutsch", folder, folder + "/shipped", false);
        QCOMPARE(parse(*german.lines).messages.value(1), QStringLiteral("Kein Film!"));
        QVERIFY(!german.restartNotice);

        // A language without a file leaves the active one, and it applies.
        auto missing = LanguageChoice::choose("Klingon", folder, {}, false);
        QCOMPARE(parse(*missing.lines).messages.value(1), QStringLiteral("Kein Film!"));
        // A name is never a path out of LANG.
        write(folder + "/evil.lng", "CMsg01=evil\r\n");
        QVERIFY(LanguageChoice::libraryFile(folder, {}, "../evil").isEmpty());

        // Polish: the file goes, and only a restart brings the Polish captions back.
        auto polish = LanguageChoice::choose("Polish", folder, {}, false);
        QVERIFY(polish.restartNotice);
        QVERIFY(!polish.lines);
        QVERIFY(!QFile::exists(active));

        // An active file that is not a language file at all: the template instead.
        write(active, QByteArray(MaxBytes + 10, 'x'));
        QCOMPARE(*LanguageChoice::choose("Start", folder, {}, true).lines, englishTemplate());
    }
};

QTEST_GUILESS_MAIN(TestLanguageFile)
#include "test_language_file.moc"
