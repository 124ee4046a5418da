#include "core/KeyTable.h"

#include <QSet>
#include <QtTest>

class TestKeyTable : public QObject
{
    Q_OBJECT
private slots:
    void builtInTableHasItsKeys()
    {
        const QList<KeyTable::Row> &rows = KeyTable::builtIn();
        QCOMPARE(rows.size(), 42);
        QSet<QString> descriptions;
        for (int i = 0; i < rows.size(); ++i) {
            QCOMPARE(rows[i].row, i + 1);
            QVERIFY(!descriptions.contains(rows[i].description));
            descriptions.insert(rows[i].description);
            // Scan code in bits 16-23, extended flag in bit 24, nothing else.
            QCOMPARE(rows[i].code & ~0x01FF0000u, 0u);
        }
        QCOMPARE(rows[0].code, 3735552u);   // Space
        QCOMPARE(rows[3].code, 21823488u);  // Right arrow (extended)
        QCOMPARE(rows[4].code, 21692416u);  // Left arrow (extended)
        QCOMPARE(rows[29].code, 4915200u);  // keypad 4: same scan code as Left, no flag
        QCOMPARE(rows[29].code >> 16 & 0xFF, rows[4].code >> 16 & 0xFF);
        QCOMPARE(rows[15].code, 131072u);   // 1: one frame
        QCOMPARE(rows[23].code, 655360u);   // 9: nine frames
        QCOMPARE(rows[41].command, KeyTable::Command::PlayList);
        QCOMPARE(QString::fromUtf8(rows[13].description), QStringLiteral("Rozmiar Oryginalny "));
    }

    void fileLinesReplaceRowsByPosition()
    {
        KeyBindings keys;
        QStringList lines = keys.toLines();
        QCOMPARE(lines.size(), 42);
        QCOMPARE(lines[0], QStringLiteral("Play/Pause=3735552"));
        lines[0] = QStringLiteral("Graj=3276800");          // rebound to M
        lines[1] = QStringLiteral("a = b=2031616\r");         // "=" inside, CR from elsewhere
        lines[2] = QStringLiteral("no code here");            // skipped: keeps built-in
        lines[3] = QStringLiteral("Right=twelve");            // skipped
        lines << QStringLiteral("Extra=1") << QStringLiteral("More=2"); // past the table: ignored
        KeyBindings edited;
        QCOMPARE(edited.applyLines(lines), 42 - 2);
        QCOMPARE(edited.entry(1).description, QStringLiteral("Graj"));
        QCOMPARE(edited.entry(1).code, 3276800u);
        QCOMPARE(edited.entry(2).description, QStringLiteral("a = b"));
        QCOMPARE(edited.entry(2).code, 2031616u);
        QCOMPARE(edited.entry(3).code, KeyTable::builtIn()[2].code);
        QCOMPARE(edited.entry(4).code, KeyTable::builtIn()[3].code);
        QCOMPARE(edited.entry(43).code, 0u);
        // M is now bound twice, in row order; the untouched trailing space survives a round trip.
        QCOMPARE(edited.rowsFor(3276800u), (QList<int>{1, 6}));
        KeyBindings again;
        again.applyLines(edited.toLines());
        QCOMPARE(again.toLines(), edited.toLines());
        QCOMPARE(again.entry(14).description, QStringLiteral("Rozmiar Oryginalny "));
    }

    void shortFilesChangeOnlyTheirRows()
    {
        KeyBindings keys;
        QCOMPARE(keys.applyLines({QStringLiteral("Pauza=65536")}), 1);
        QCOMPARE(keys.entry(1).code, 65536u);
        QCOMPARE(keys.entry(2).code, KeyTable::builtIn()[1].code);
        QCOMPARE(keys.applyLines({}), 0);
    }
};

QTEST_APPLESS_MAIN(TestKeyTable)
#include "test_key_table.moc"
