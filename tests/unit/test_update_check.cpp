#include "core/Messages.h"
#include "core/UpdateCheck.h"

#include <QTest>
#include <QUrlQuery>

using namespace UpdateCheck;

namespace {

const QString kDashes(40, u'-');
const QString kEquals(32, u'=');

QStringList nothingNewHeading()
{
    return {QStringLiteral("NIE MA NIC NOWEGO !!!"), QStringLiteral(" "), kDashes,
            QStringLiteral("Ostatnie co było i masz to:"), kDashes};
}

QStringList newVersionHeading()
{
    return {QStringLiteral("JEST NOWA WERSJA PROGRAMU !!!"), kEquals};
}

QString subjectOf(const QUrl &mail)
{
    return QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded);
}

} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data();
    void verdicts();
    void notAVersionFile_data();
    void notAVersionFile();
    void lineBreaks_data();
    void lineBreaks();
    void encodings();
    void textsFollowTheLanguage();
    void addressesFromEnvironment();
};

void TestUpdateCheck::verdicts_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<int>("verdict");
    QTest::addColumn<int>("published");
    QTest::addColumn<QStringList>("lines");

    const QStringList notes{QStringLiteral("- napisy"), QString(), QStringLiteral("- skórki")};
    QTest::newRow("same version") << QByteArray("45\nOK\n") << int(Verdict::NothingNew) << 45
                                  << nothingNewHeading() + QStringList{"OK"};
    QTest::newRow("older published") << QByteArray("12") << int(Verdict::NothingNew) << 12
                                     << nothingNewHeading();
    QTest::newRow("newer") << QByteArray("46\n- napisy\n\n- skórki\n") << int(Verdict::NewVersion)
                           << 46 << newVersionHeading() + notes;
    QTest::newRow("only the version line, new") << QByteArray("46") << int(Verdict::NewVersion)
                                                << 46 << newVersionHeading();
    QTest::newRow("only the version line, same") << QByteArray("45\r\n")
                                                 << int(Verdict::NothingNew) << 45
                                                 << nothingNewHeading();
    QTest::newRow("spaces around the number") << QByteArray(" \t46  \nx") << int(Verdict::NewVersion)
                                              << 46 << newVersionHeading() + QStringList{"x"};
    QTest::newRow("spaces in notes are kept") << QByteArray("44\n  indented  ")
                                              << int(Verdict::NothingNew) << 44
                                              << nothingNewHeading() + QStringList{"  indented  "};
}

void TestUpdateCheck::verdicts()
{
    QFETCH(QByteArray, body);
    QFETCH(int, verdict);
    QFETCH(int, published);
    QFETCH(QStringList, lines);
    const Messages msg;
    const Result result = interpret(body, 45, msg);
    QCOMPARE(int(result.verdict), verdict);
    QCOMPARE(result.publishedVersion, published);
    QCOMPARE(result.lines, lines);
}

void TestUpdateCheck::notAVersionFile_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("only a line break") << QByteArray("\r\n");
    QTest::newRow("blank first line") << QByteArray("   \n46");
    QTest::newRow("html page") << QByteArray("<html><body>Not here</body></html>\n");
    QTest::newRow("number with trailing letters") << QByteArray("45abc\nnotes");
    QTest::newRow("decimal") << QByteArray("45.5");
    QTest::newRow("two numbers") << QByteArray("4 6");
    QTest::newRow("too large") << QByteArray("99999999999999");
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01", 4);
}

void TestUpdateCheck::notAVersionFile()
{
    QFETCH(QByteArray, body);
    const Messages msg;
    const Result result = interpret(body, 45, msg);
    QCOMPARE(result.verdict, Verdict::NotVersionFile);
    QVERIFY(result.lines.isEmpty());
}

void TestUpdateCheck::lineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("LF") << "a\nb" << QStringList{"a", "b"};
    QTest::newRow("CRLF") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("lone CR") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("mixed with empty lines") << "a\r\n\r\n\nb\n" << QStringList{"a", "", "", "b"};
    QTest::newRow("CR then CRLF") << "a\r\r\nb" << QStringList{"a", "", "b"};
    QTest::newRow("trailing empty line kept") << "a\n\n" << QStringList{"a", ""};
    QTest::newRow("nothing") << "" << QStringList{};
}

void TestUpdateCheck::lineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(splitLines(text), lines);
}

void TestUpdateCheck::encodings()
{
    const Messages msg;
    // UTF-8 with its mark: the mark must not spoil the number.
    Result bom = interpret(QByteArray("\xEF\xBB\xBF" "46\nzażółć"), 45, msg);
    QCOMPARE(bom.verdict, Verdict::NewVersion);
    QCOMPARE(bom.lines.last(), QStringLiteral("zażółć"));

    // UTF-16 with its mark.
    const QString wide = QStringLiteral("46\r\nłódź");
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char *>(wide.utf16()), wide.size() * 2);
    QCOMPARE(interpret(utf16, 45, msg).lines.last(), QStringLiteral("łódź"));

    // Windows-1250, as a Polish editor writes it.
    Result polish = interpret(QByteArray("46\n\xB3\xB9\x9C\xE6"), 45, msg);
    QCOMPARE(polish.lines.last(), QStringLiteral("łąść"));

    QCOMPARE(decodeBody(QByteArray("zażółć")), QStringLiteral("zażółć"));
}

void TestUpdateCheck::textsFollowTheLanguage()
{
    Messages msg;
    msg.set(25, QStringLiteral("NEW VERSION"));
    msg.set(26, QStringLiteral("NOTHING NEW"));
    msg.set(27, QStringLiteral("What you have:"));
    QCOMPARE(interpret(QByteArray("46"), 45, msg).lines,
             (QStringList{"NEW VERSION", kEquals}));
    QCOMPARE(interpret(QByteArray("45"), 45, msg).lines,
             (QStringList{"NOTHING NEW", " ", kDashes, "What you have:", kDashes}));
    // The comparison is against the version handed in, not a fixed one.
    QCOMPARE(interpret(QByteArray("46"), 46, msg).verdict, Verdict::NothingNew);
}

void TestUpdateCheck::addressesFromEnvironment()
{
    qunsetenv("BRIVARA_UPDATE_URL");
    qunsetenv("BRIVARA_DOWNLOAD_URL");
    qunsetenv("BRIVARA_SUPPORT_MAIL");
    const Addresses builtIn = Addresses::fromEnvironment();
    QCOMPARE(builtIn.versionFile, QUrl("http://www.zendor.org/Brivara/Brivara.zdr"));
    QCOMPARE(builtIn.downloadPage, QUrl("http://www.zendor.org/Brivara/"));
    QCOMPARE(builtIn.errorReportMail().path(), QStringLiteral("brivara@zendor.org"));
    QCOMPARE(builtIn.errorReportMail().scheme(), QStringLiteral("mailto"));
    QCOMPARE(subjectOf(builtIn.errorReportMail()), QStringLiteral("Brivara V1.7 - błąd"));
    QCOMPARE(subjectOf(builtIn.suggestionMail()), QStringLiteral("Brivara V1.7 - propozycje"));

    qputenv("BRIVARA_UPDATE_URL", " http://127.0.0.1:8080/v.zdr ");
    qputenv("BRIVARA_DOWNLOAD_URL", "mirror.example.org/get");
    qputenv("BRIVARA_SUPPORT_MAIL", "help@example.org");
    Addresses custom = Addresses::fromEnvironment();
    QCOMPARE(custom.versionFile, QUrl("http://127.0.0.1:8080/v.zdr"));
    QCOMPARE(custom.downloadPage, QUrl("http://mirror.example.org/get"));
    // A bare address is a mail address, not a web host with a user name.
    QCOMPARE(custom.suggestionMail().scheme(), QStringLiteral("mailto"));
    QCOMPARE(custom.suggestionMail().path(), QStringLiteral("help@example.org"));

    // A subject already in the configured address wins.
    qputenv("BRIVARA_SUPPORT_MAIL", "MAILTO:help@example.org?subject=Player");
    custom = Addresses::fromEnvironment();
    QCOMPARE(subjectOf(custom.errorReportMail()), QStringLiteral("Player"));

    // Set but empty means not set.
    qputenv("BRIVARA_UPDATE_URL", "");
    QCOMPARE(Addresses::fromEnvironment().versionFile, builtIn.versionFile);
    qunsetenv("BRIVARA_UPDATE_URL");
    qunsetenv("BRIVARA_DOWNLOAD_URL");
    qunsetenv("BRIVARA_SUPPORT_MAIL");
}

QTEST_GUILESS_MAIN(TestUpdateCheck)
#include "test_update_check.moc"
