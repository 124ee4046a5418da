#include "core/SkinFile.h"
#include "core/SkinFolders.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace SkinFile;

namespace {

QString entryText(const Section &s)
{
    QStringList out;
    for (const Entry &e : s.entries)
        out << e.key + "=" + e.value;
    return out.join(" | ");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestSkinFile : public QObject
{
    Q_OBJECT
private slots:
    void handEditedFileReadsWhatItCan();
    void composeThenParseGivesTheSameSections();
    void readsLegacyCodePageAndWritesUtf8();
    void valuesAsTheFileSpellsThem();
    void skinFoldersListsPlainFoldersOnce();
    void savingReplacesTheWholeFolderAtOnce();
};

void TestSkinFile::handEditedFileReadsWhatItCan()
{
    const QStringList lines{
        "Version=1", "garbage before any section", "Left=999", // ignored: no section yet
        "[BPlay]", "Left=4", "Hint=Play", "(Space)", "", "second line", "Visible=false",
        "no equals sign here", "left=77", // not a continuation (not after Text/Hint), and case counts
        "[BStop]", "Text=Stop",
        "[BPause]", // a header straight after Text opens a section of its own
        "Hint=Pause", "[SliderPos]", "Top=3", "[broken", "Left=1",
        "[BNext]", "Text=" + QString(300, 'x'), "[BLast]", "Hint=last line"};
    const QList<Section> s = parse(lines);
    QCOMPARE(s.size(), 7);
    QCOMPARE(s[0].name, QString("BPlay"));
    QCOMPARE(entryText(s[0]), QString("Left=4 | Hint=Play\r\n(Space)\r\nsecond line | Visible=false | left=77"));
    QCOMPARE(s[0].value("Left"), std::optional<QString>("4"));
    QVERIFY(!s[0].value("Top"));
    QCOMPARE(entryText(s[1]), QString("Text=Stop"));
    QCOMPARE(s[2].name, QString("BPause"));
    QCOMPARE(entryText(s[2]), QString("Hint=Pause"));
    QCOMPARE(s[3].name, QString("SliderPos"));
    QCOMPARE(s[4].name, QString()); // no closing bracket: names no element
    QCOMPARE(s[5].value("Text")->size(), MaxValueLength);
    QCOMPARE(entryText(s[6]), QString("Hint=last line"));

    // Only "0" hides: "false" and anything else is true.
    QVERIFY(flag(*s[0].value("Visible")));
    QVERIFY(!flag("0"));
    QVERIFY(flag("") && flag("1") && flag("no"));
}

void TestSkinFile::composeThenParseGivesTheSameSections()
{
    const QList<Section> sections{
        {"BPlay", {{"Left", "2"}, {"Text", "Gra\r\nj"}, {"Hint", "Odtwarzaj\r\n(Klawisz 'SPACE')"},
                   {"Visible", "1"}, {"GlyphUp", "BPlay_GlyphUp.bmp"}}},
        {"StatusTime", {{"Hint", ""}, {"FontName", "DejaVu Sans"}, {"FontColor", "16777215"}}},
        {"Border", {{"Left", "151"}, {"Hint", "Ramka\r\n\r\nz pustą linią"}}},
    };
    const QStringList lines = compose(sections);
    QCOMPARE(lines.mid(0, 3), QStringList({"Version=1", "Autor=", "[BPlay]"}));
    QVERIFY(lines.contains("(Klawisz 'SPACE')"));
    QVERIFY(!lines.contains(QString())); // empty continuation lines are not written

    QList<Section> back = parse(lines);
    QCOMPARE(back.size(), sections.size());
    for (int i = 0; i < back.size(); ++i) {
        QCOMPARE(back[i].name, sections[i].name);
        QCOMPARE(entryText(back[i]), entryText(sections[i]).replace("\r\n\r\n", "\r\n"));
    }
    QCOMPARE(compose(back), compose(parse(compose(back))));

    QTemporaryDir dir;
    const QString path = dir.filePath("skin.all");
    QString error;
    QVERIFY(write(path, sections, &error));
    QList<Section> fromDisk;
    QVERIFY2(read(path, &fromDisk, &error), qPrintable(error));
    QCOMPARE(compose(fromDisk), lines);
}

void TestSkinFile::readsLegacyCodePageAndWritesUtf8()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("skin.all");
    const QString hint = QString::fromUtf8("Przewiń w tył, zażółć gęślą jaźń");
    QStringEncoder cp1250("windows-1250");
    writeBytes(path, cp1250.encode("Version=1\r\nAutor=\r\n[BBack]\r\nHint=" + hint + "\r\n"));
    QList<Section> s;
    QString error;
    QVERIFY(read(path, &s, &error));
    QCOMPARE(s.value(0).value("Hint"), std::optional<QString>(hint));

    QVERIFY(write(path, s, &error));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.contains(hint.toUtf8()));
    QVERIFY(bytes.endsWith("\r\n"));

    // A missing file and a folder are refused with the path in the message.
    QVERIFY(!read(dir.filePath("none/skin.all"), &s, &error));
    QVERIFY(error.contains("none/skin.all"));
    QVERIFY(!read(dir.path(), &s, &error));
    QVERIFY(error.contains(dir.path()));
    QCOMPARE(s.size(), 1); // untouched on failure
}

void TestSkinFile::valuesAsTheFileSpellsThem()
{
    QCOMPARE(number("42"), std::optional<int>(42));
    QCOMPARE(number(" -3"), std::optional<int>(-3));
    QVERIFY(!number("4x"));
    QVERIFY(!number(""));
    const quint32 c = colorValue(0x12, 0x34, 0x56);
    QCOMPARE(c, quint32(0x563412));
    QCOMPARE(redOf(c), 0x12);
    QCOMPARE(greenOf(c), 0x34);
    QCOMPARE(blueOf(c), 0x56);
    QCOMPARE(bitmapFileName("SliderPos", "ImageThumb"), QString("SliderPos_ImageThumb.bmp"));
    QVERIFY(takesKey(Kind::Button, "GlyphOver") && !takesKey(Kind::Slider, "GlyphOver"));
    QVERIFY(takesKey(Kind::Label, "FontShadowPos") && !takesKey(Kind::Border, "Text"));
    QVERIFY(!takesKey(Kind::Label, "Text")); // label texts come from the language files
}

void TestSkinFile::skinFoldersListsPlainFoldersOnce()
{
    QTemporaryDir user, shipped;
    for (const char *name : {"Zima", "alfa", ".hidden", "Standard"})
        QVERIFY(QDir(user.path()).mkdir(name));
    writeBytes(user.filePath("Plik"), "not a folder");
    for (const char *name : {"Beta", "Zima"})
        QVERIFY(QDir(shipped.path()).mkdir(name));
    const QStringList roots{user.path(), shipped.path(), shipped.filePath("missing")};
    QCOMPARE(SkinFolders::list(roots), QStringList({"alfa", "Beta", "Standard", "Zima"}));
    QCOMPARE(SkinFolders::locate("Zima", roots), user.filePath("Zima"));
    QCOMPARE(SkinFolders::locate("Beta", roots), shipped.filePath("Beta"));
    QVERIFY(SkinFolders::locate("Brak", roots).isEmpty());
    QVERIFY(SkinFolders::locate("../" + QFileInfo(user.path()).fileName(), roots).isEmpty());
    QVERIFY(SkinFolders::list({}).isEmpty());
}

void TestSkinFile::savingReplacesTheWholeFolderAtOnce()
{
    QTemporaryDir root;
    const QString folder = root.filePath("Moja");
    QString error;
    // A new skin: the staged folder simply becomes it.
    QString staged = SkinFolders::stage(folder, &error);
    QVERIFY2(!staged.isEmpty(), qPrintable(error));
    writeBytes(staged + "/skin.all", "first");
    QVERIFY(SkinFolders::commit(staged, folder, &error));
    writeBytes(folder + "/notes.txt", "the user's own file");

    staged = SkinFolders::stage(folder, &error);
    QVERIFY(QFileInfo(staged).fileName().startsWith(".Moja")); // hidden: never listed
    QCOMPARE(SkinFolders::list({root.path()}), QStringList({"Moja"}));
    writeBytes(staged + "/skin.all", "second");
    // Until the commit the skin on disk is the old one.
    QFile old(folder + "/skin.all");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("first"));
    old.close();
    QVERIFY(SkinFolders::commit(staged, folder, &error));
    QFile now(folder + "/skin.all");
    QVERIFY(now.open(QIODevice::ReadOnly));
    QCOMPARE(now.readAll(), QByteArray("second"));
    QVERIFY(QFileInfo::exists(folder + "/notes.txt"));
    QCOMPARE(QDir(root.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"Moja"}));
}

QTEST_GUILESS_MAIN(TestSkinFile)
#include "test_skin_file.moc"
