#include "core/CharsetGuess.h"
#include "core/TextDecoding.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

namespace {

const QString Pangram = QString::fromUtf8("Zażółć gęślą jaźń");

QByteArray encoded(const QString &text, const char *encoding)
{
    QStringEncoder encoder(encoding);
    Q_ASSERT(encoder.isValid());
    const QByteArray bytes = encoder.encode(text);
    Q_ASSERT(!encoder.hasError());
    return bytes;
}

// A subtitle file of `entries` frame-brace lines with Polish text, as an editor writes it.
QString polishFile(int entries)
{
    static const char *const texts[] = {
        "Nie wiem, co się stało.|Gdzie jesteś?", "Musimy iść dalej, bo już późno.", "Żółw śpi w ogrodzie.",
        "\\Źle się dzieje w państwie duńskim.", "Łódź, Kraków i Gdańsk.", "Ślimak, ślimak, wystaw rogi!",
    };
    QString out;
    for (int i = 0; i < entries; ++i)
        out += QStringLiteral("{%1}{%2}").arg(i * 100).arg(i * 100 + 50) + QString::fromUtf8(texts[i % 6]) + "\r\n";
    return out;
}

} // namespace

class TestTextDecoding : public QObject
{
    Q_OBJECT
private slots:
    void unicodeWithAndWithoutMark_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("encoding");
        const QString text = Pangram + "\r\n\\kursywa|druga";
        QTest::newRow("utf-8") << text.toUtf8() << "UTF-8";
        QTest::newRow("utf-8 bom") << "\xEF\xBB\xBF" + text.toUtf8() << "UTF-8";
        QTest::newRow("utf-16le bom") << "\xFF\xFE" + encoded(text, "UTF-16LE") << "UTF-16LE";
        QTest::newRow("utf-16be bom") << "\xFE\xFF" + encoded(text, "UTF-16BE") << "UTF-16BE";
        QTest::newRow("utf-16le bare") << encoded(text, "UTF-16LE") << "UTF-16LE";
        QTest::newRow("utf-16be bare") << encoded(text, "UTF-16BE") << "UTF-16BE";
        QTest::newRow("utf-32le bom") << QByteArray("\xFF\xFE\0\0", 4) + encoded(text, "UTF-32LE") << "UTF-32LE";
    }
    void unicodeWithAndWithoutMark()
    {
        QFETCH(QByteArray, bytes);
        const DecodedText decoded = decodeSubtitleText(bytes);
        QTEST(decoded.encoding, "encoding");
        // The mark is gone; "\" and "|" are as written.
        QCOMPARE(decoded.text, Pangram + "\r\n\\kursywa|druga");
    }

    void centralEuropeanEightBit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("encoding");
        for (const char *encoding : {"windows-1250", "ISO-8859-2"}) {
            QTest::addRow("pangram %s", encoding) << Pangram << QByteArray(encoding);
            QTest::addRow("one line %s", encoding) << QString::fromUtf8("{1}{2}Łódź") << QByteArray(encoding);
            QTest::addRow("short file %s", encoding) << polishFile(6) << QByteArray(encoding);
            QTest::addRow("long file %s", encoding) << polishFile(3000) << QByteArray(encoding);
        }
    }
    void centralEuropeanEightBit()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, encoding);
        const DecodedText decoded = decodeSubtitleText(encoded(text, encoding));
        QCOMPARE(decoded.text, text);
    }

    // Clear evidence of a Western file keeps it Western, short or long.
    void westernEightBit()
    {
        const QString spanish = QString::fromUtf8("{1}{2}¿Qué pasa, señor?|¡Nada!");
        QCOMPARE(decodeSubtitleText(encoded(spanish, "windows-1252")).text, spanish);
        QString french;
        for (int i = 0; i < 200; ++i)
            french += QString::fromUtf8("{%1}{%2}Où est la bibliothèque? Ça, c'est très étrange.\n").arg(i).arg(i + 1);
        const DecodedText decoded = decodeSubtitleText(encoded(french, "windows-1252"));
        QCOMPARE(decoded.text, french);
        QCOMPARE(decoded.encoding, QStringLiteral("windows-1252"));
    }

    // Korean files were read as ISO-8859-2, and a short Cyrillic one as Windows-1250.
    void koreanAndCyrillicCodePages()
    {
        // CP949 holds syllables EUC-KR lacks (똠, 뷁); both are read by the wider one.
        const QString korean = QString::fromUtf8("1\r\n00:00:01,000 --> 00:00:02,000\r\n안녕하세요, 반갑습니다.\r\n\r\n"
                                                 "2\r\n00:00:03,000 --> 00:00:04,000\r\n괜찮아요. 똠방각하 뷁\r\n");
        QCOMPARE(decodeSubtitleText(encoded(korean, "windows-949")).text, korean);
        const QString eucKr = QString::fromUtf8("{1}{2}어디 가세요?|집에 가요.");
        QCOMPARE(decodeSubtitleText(encoded(eucKr, "EUC-KR")).text, eucKr);

        QString russian;
        const char *const texts[] = {"Привет, как дела?", "Всё хорошо, спасибо.", "Куда ты идёшь?", "Домой.",
                                     "Подожди меня!", "Нет времени.", "Почему?", "Поезд уходит.", "Ладно, иди."};
        for (int i = 0; i < 9; ++i)
            russian += QStringLiteral("%1\r\n00:00:%2,000 --> 00:00:%2,500\r\n").arg(i + 1).arg(10 + i)
                       + QString::fromUtf8(texts[i]) + "\r\n\r\n";
        const QByteArray bytes = encoded(russian, "windows-1251");
        QCOMPARE(decodeSubtitleText(bytes).text, russian);
        // Whatever the detector answers, Windows-1251 is weighed: a Latin or a cousin
        // Cyrillic guess does not win over it.
        const QByteArray sample = CharsetGuess::evidence(bytes);
        for (const char *guess : {"WINDOWS-1250", "WINDOWS-1252", "ISO-8859-2", "MAC-CYRILLIC", "ISO-8859-5", ""})
            QVERIFY2(CharsetGuess::choose(sample, guess) == "windows-1251", guess);
        // A file truly in another Cyrillic page keeps it.
        QCOMPARE(CharsetGuess::choose(CharsetGuess::evidence(encoded(russian, "KOI8-R")), "KOI8-R"), QByteArray("KOI8-R"));
        // And a Polish file does not turn Cyrillic on a wrong guess.
        QCOMPARE(CharsetGuess::choose(encoded(polishFile(6), "windows-1250"), "WINDOWS-1251"), QByteArray("windows-1250"));
    }

    void brokenUtf8()
    {
        // A UTF-8 file with one stray Windows-1250 byte: strict UTF-8 refuses it, the guess
        // still sees UTF-8, and only that byte is lost.
        const QByteArray bytes = QString::fromUtf8("Zażółć ").toUtf8() + encoded(QString::fromUtf8("ś"), "windows-1250");
        const DecodedText decoded = decodeSubtitleText(bytes);
        QCOMPARE(decoded.encoding, QStringLiteral("UTF-8"));
        QCOMPARE(decoded.text, QString::fromUtf8("Zażółć ") + QChar::ReplacementCharacter);
        // Overlong forms are rejected, not read as "/".
        QVERIFY(!decodeSubtitleText("a\xC0\xAF" "b").text.contains(QLatin1Char('/')));
    }

    void implausibilityRanksReadings()
    {
        // Symbols and controls where letters belong, and case changes inside a word.
        QCOMPARE(CharsetGuess::implausibility(Pangram), 0);
        QVERIFY(CharsetGuess::implausibility(QString::fromUtf8("Za¿ó³æ gê¶l± ja¼ñ")) > 2);
        QVERIFY(CharsetGuess::implausibility(QString::fromUtf8("jaĽń")) > 0);
        QVERIFY(CharsetGuess::implausibility(QString::fromUtf8("Za\u009Cóść")) > 0);
        QVERIFY(CharsetGuess::implausibility(QString::fromUtf8("Zaαβ")) > 0); // Greek beside Latin
    }

    void lineSplitting_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("empty") << "" << QStringList{};
        QTest::newRow("no end") << "a" << QStringList{"a"};
        QTest::newRow("crlf") << "a\r\nb\r\n" << QStringList{"a", "b"};
        QTest::newRow("mixed") << "a\nb\rc\r\nd" << QStringList{"a", "b", "c", "d"};
        QTest::newRow("blank lines kept") << "a\r\n\r\n\r\nb" << QStringList{"a", "", "", "b"};
        QTest::newRow("cr cr lf") << "a\r\r\nb" << QStringList{"a", "", "b"};
        QTest::newRow("only ends") << "\n\n" << QStringList{"", ""};
    }
    void lineSplitting()
    {
        QFETCH(QString, text);
        QTEST(splitTextLines(text), "lines");
        QTEST(subtitleFileLines(text.toUtf8()), "lines");
    }

    void readingAFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("film.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(encoded(QString::fromUtf8("{1}{2}Cześć\r\n{3}{4}Świat\r\n"), "windows-1250"));
        file.close();
        QStringList lines;
        QString error;
        QString encoding;
        QVERIFY(readSubtitleFile(path, &lines, &error, &encoding));
        QCOMPARE(lines, QStringList({QString::fromUtf8("{1}{2}Cześć"), QString::fromUtf8("{3}{4}Świat")}));
        QCOMPARE(encoding, QStringLiteral("windows-1250"));
    }

    void unreadableFilesSayWhy()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("missing.srt"));
        const QString large = dir.filePath(QStringLiteral("large.srt"));
        QFile big(large);
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(SubtitleFileMaxBytes + 1)); // sparse: nothing is written
        big.close();
        const QList<std::pair<QString, QString>> cases{
            {missing, "nie istnieje"}, {dir.path(), "folder"}, {large, "50 MiB"},
            {QStringLiteral("/dev/zero"), "nie jest zwykły plik"}, {QString(), "nie podano nazwy"}};
        for (const auto &[path, reason] : cases) {
            QStringList lines{QStringLiteral("kept")};
            QString error;
            QVERIFY2(!readSubtitleFile(path, &lines, &error), qPrintable(path));
            QVERIFY2(error.contains(reason), qPrintable(error));
            QVERIFY2(error.contains(QLatin1Char('"') + path + QLatin1Char('"')), qPrintable(error));
            QCOMPARE(lines, QStringList{QStringLiteral("kept")});
        }
    }

    void unreadableForPermissions()
    {
        if (geteuid() == 0)
            QSKIP("root reads every file");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("locked.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{1}{2}x\n");
        file.close();
        QVERIFY(file.setPermissions(QFileDevice::WriteOwner));
        QStringList lines;
        QString error;
        QVERIFY(!readSubtitleFile(path, &lines, &error));
        QVERIFY2(error.contains(path), qPrintable(error));
    }
};

QTEST_APPLESS_MAIN(TestTextDecoding)
#include "test_text_decoding.moc"
