#include "core/CodecReport.h"
#include "core/CodecTable.h"
#include "core/Messages.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

using CodecReport::Report;

namespace {

QString fileWithCodes(const QTemporaryDir &dir, const QString &name, const QByteArray &handler,
                      const QByteArray &secondary, int size = 2048)
{
    QByteArray bytes(size, 'x');
    if (size >= 116)
        bytes.replace(112, handler.size(), handler);
    if (size >= 605)
        bytes.replace(601, secondary.size(), secondary);
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

class TestCodecReport : public QObject
{
    Q_OBJECT
private slots:
    void tableRowsAndLookup()
    {
        const QStringList &rows = CodecTable::rows();
        QCOMPARE(rows.size(), CodecTable::Rows);
        QCOMPARE(rows.first().left(4), QStringLiteral("ABYR"));
        QCOMPARE(rows.last().left(4), QStringLiteral("DIVX"));
        QCOMPARE(rows[55].left(4), QStringLiteral("IAN "));
        int dashes = 0, tabs = 0;
        QSet<QString> withoutAddress;
        for (const QString &row : rows) {
            dashes += row.at(4) == QLatin1Char('-');
            tabs += row.mid(5, 34).contains(QLatin1Char('\t'));
            const CodecTable::Codec c = CodecTable::columns(row);
            QVERIFY2(!c.name.isEmpty() && c.name.size() <= 31 && !c.name.contains('\t'), qPrintable(row));
            if (c.address.isEmpty())
                withoutAddress << c.code;
            else
                QVERIFY2(c.address.startsWith("https://"), qPrintable(row));
        }
        QCOMPARE(dashes, 3);
        QCOMPARE(tabs, 12);
        QCOMPARE(withoutAddress, (QSet<QString>{"AUR2", "AURA", "BT20", "BTCV", "CC12", "CPLA", "FLJP", "IJPG",
                                                "SDCC", "SPLC", "TMOT"}));

        QCOMPARE(CodecTable::find("div3")->name, QStringLiteral("DivX Version 3 alpha"));
        QCOMPARE(CodecTable::find("QPEQ")->code, QStringLiteral("qpeq"));
        QCOMPARE(CodecTable::find("rvx ")->name, QStringLiteral("Intel - RDX"));
        // A tab row keeps its whole address, and its name stops at the tab.
        QCOMPARE(CodecTable::find("CVID")->name, QStringLiteral("Supermac - Cinepak"));
        QCOMPARE(CodecTable::find("CVID")->address, CodecTable::find("CRAM")->address);
        QCOMPARE(CodecTable::find("AURA")->name, QStringLiteral("AuraVision - Aura 1 - YUV 411"));
        // The name column shows 31 characters.
        QCOMPARE(CodecTable::find("MP43")->name, QStringLiteral("Microsoft - MPEG-4 Video Codec"));
        QVERIFY(!CodecTable::find("FMP4"));
        QVERIFY(!CodecTable::find(""));
    }

    void codesAtTheirOffsets()
    {
        QTemporaryDir dir;
        auto codes = CodecReport::readCodes(fileWithCodes(dir, "a.avi", "div3", QByteArray("WM\0V", 4)));
        QCOMPARE(codes.handler, QStringLiteral("div3"));
        QCOMPARE(codes.secondary, QStringLiteral("WM"));
        // Too short for the second code; too short for either.
        codes = CodecReport::readCodes(fileWithCodes(dir, "b.avi", "XVID", "", 300));
        QCOMPARE(codes.handler, QStringLiteral("XVID"));
        QCOMPARE(codes.secondary, QString());
        codes = CodecReport::readCodes(fileWithCodes(dir, "c.avi", "", "", 100));
        QCOMPARE(codes.handler, QString());
        codes = CodecReport::readCodes(dir.filePath("missing.avi"));
        QVERIFY(codes.handler.isEmpty() && codes.secondary.isEmpty());
        QVERIFY(CodecReport::readCodes(dir.path()).handler.isEmpty());
    }

    void theOutcomes()
    {
        Messages msg;
        const QString gap = QStringLiteral("\n\r\n\r");

        Report r = CodecReport::videoCodec({"div3", ""}, "/films/a.avi", msg);
        QCOMPARE(r.kind, Report::Kind::KnownCodec);
        QCOMPARE(r.text, msg.text(9) + "DivX Version 3 alpha" + gap + msg.text(10));
        QVERIFY(r.askDownload);
        QCOMPARE(r.address, CodecTable::find("DIV3")->address);

        // No address known: the name, and no question that leads nowhere.
        r = CodecReport::videoCodec({"AURA", ""}, "a.avi", msg);
        QCOMPARE(r.text, msg.text(9) + "AuraVision - Aura 1 - YUV 411");
        QVERIFY(!r.askDownload);

        r = CodecReport::videoCodec({"ZZZZ", ""}, "/films/a.mpg", msg);
        QCOMPARE(r.kind, Report::Kind::WindowsMedia);
        QCOMPARE(r.text, msg.text(11));
        QVERIFY(r.askDownload && !r.address.isEmpty());
        QCOMPARE(CodecReport::videoCodec({"ZZZZ", "wmv"}, "a.avi", msg).kind, Report::Kind::WindowsMedia);

        r = CodecReport::videoCodec({"ZZZZ", ""}, "a.MOV", msg);
        QCOMPARE(r.kind, Report::Kind::QuickTime);
        QCOMPARE(r.text, msg.text(12));
        QVERIFY(!r.askDownload);

        r = CodecReport::videoCodec({"ZZZZ", ""}, "a.avi", msg);
        QCOMPARE(r.kind, Report::Kind::Unknown);
        QCOMPARE(r.text, msg.text(13) + "ZZZZ" + msg.text(14));
        QVERIFY(!r.askDownload);
        QVERIFY(r.text.contains("www.zendor.org"));

        // The media framework's own name for the missing decoder, in the chosen language.
        for (int i = 0; i < Messages::Count; ++i)
            msg.set(i, Messages::englishTemplate(i));
        r = CodecReport::videoCodec({"div3", ""}, "a.avi", msg, "DivX MPEG-4 Version 3 decoder");
        QCOMPARE(r.text, QStringLiteral("Lack of Video codec (or file error)\r\nYou need codec: DivX Version 3 alpha "
                                        "(DivX MPEG-4 Version 3 decoder)")
                             + gap + "Download Codec from Internet?");
        r = CodecReport::videoCodec({"FMP4", ""}, "a.mov", msg, "MPEG-4 Part 2 decoder");
        QCOMPARE(r.kind, Report::Kind::NamedDecoder);
        QVERIFY(r.text.contains("You need codec: MPEG-4 Part 2 decoder"));
        QVERIFY(r.askDownload);

        r = CodecReport::audioCodec(msg, "AC-3 (ATSC A/52) decoder");
        QCOMPARE(r.text, QStringLiteral("Lack of Audio codec (or file error)\r\n\r\nAC-3 (ATSC A/52) decoder"));
        QVERIFY(!r.askDownload);
    }
};

QTEST_GUILESS_MAIN(TestCodecReport)
#include "test_codec_report.moc"
