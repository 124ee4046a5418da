#include "core/KeyCodes.h"
#include "core/KeyTable.h"

#include <QtTest>

class TestKeyCodes : public QObject
{
    Q_OBJECT
private slots:
    // Every built-in row's key, pressed the way a user presses it, gives the table's code.
    void builtInCodesComeFromTheirKeys()
    {
        struct Press
        {
            int key;
            bool keypad;
        };
        const Press presses[KeyTable::Rows] = {
            {Qt::Key_Space, false}, {Qt::Key_N, false}, {Qt::Key_B, false},
            {Qt::Key_Right, false}, {Qt::Key_Left, false}, {Qt::Key_M, false},
            {Qt::Key_F, false}, {Qt::Key_R, false}, {Qt::Key_Escape, false},
            {Qt::Key_I, false}, {Qt::Key_Return, false}, {Qt::Key_Plus, true},
            {Qt::Key_Minus, true}, {Qt::Key_Asterisk, true}, {Qt::Key_S, false},
            {Qt::Key_1, false}, {Qt::Key_2, false}, {Qt::Key_3, false},
            {Qt::Key_4, false}, {Qt::Key_5, false}, {Qt::Key_6, false},
            {Qt::Key_7, false}, {Qt::Key_8, false}, {Qt::Key_9, false},
            {Qt::Key_Up, false}, {Qt::Key_Down, false}, {Qt::Key_8, true},
            {Qt::Key_2, true}, {Qt::Key_6, true}, {Qt::Key_4, true},
            {Qt::Key_9, true}, {Qt::Key_3, true}, {Qt::Key_5, true},
            {Qt::Key_P, false}, {Qt::Key_Home, false}, {Qt::Key_O, false},
            {Qt::Key_Equal, false}, {Qt::Key_Minus, false}, {Qt::Key_F12, false},
            {Qt::Key_7, true}, {Qt::Key_1, true}, {Qt::Key_L, false},
        };
        const QList<KeyTable::Row> &rows = KeyTable::builtIn();
        for (int i = 0; i < KeyTable::Rows; ++i)
            QVERIFY2(KeyCodes::fromQtKey(presses[i].key, presses[i].keypad) == rows[i].code,
                     qPrintable(QStringLiteral("row %1").arg(i + 1)));
    }

    // With NumLock off the keypad sends cursor keys marked as keypad keys: they stay keypad
    // codes, distinct from the cursor block's.
    void keypadIsTheSameWithNumLockOnOrOff()
    {
        const QList<QPair<int, int>> pairs{
            {Qt::Key_7, Qt::Key_Home},   {Qt::Key_8, Qt::Key_Up},   {Qt::Key_9, Qt::Key_PageUp},
            {Qt::Key_4, Qt::Key_Left},   {Qt::Key_5, Qt::Key_Clear}, {Qt::Key_6, Qt::Key_Right},
            {Qt::Key_1, Qt::Key_End},    {Qt::Key_2, Qt::Key_Down}, {Qt::Key_3, Qt::Key_PageDown},
            {Qt::Key_0, Qt::Key_Insert}, {Qt::Key_Period, Qt::Key_Delete},
        };
        for (const auto &[digit, cursor] : pairs) {
            const quint32 on = KeyCodes::fromQtKey(digit, true);
            QCOMPARE(KeyCodes::fromQtKey(cursor, true), on);
            QVERIFY(!KeyCodes::extended(on));
            // The cursor block shares the scan code but carries the flag.
            if (cursor != Qt::Key_Clear) {
                const quint32 block = KeyCodes::fromQtKey(cursor, false);
                QCOMPARE(KeyCodes::scanCode(block), KeyCodes::scanCode(on));
                QVERIFY(KeyCodes::extended(block));
            }
        }
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Left, true), 4915200u);
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Left, false), 21692416u);
        // The keypad's Enter is VK 13 too, but extended.
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Enter, true), KeyCodes::make(0x1C, true));
        QVERIFY(KeyCodes::isEnter(KeyCodes::fromQtKey(Qt::Key_Enter, true)));
        QVERIFY(!KeyCodes::isEnter(KeyCodes::fromQtKey(Qt::Key_Space, false)));
    }

    void shiftedSymbolsKeepTheirKeysCode()
    {
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Plus, false), KeyCodes::fromQtKey(Qt::Key_Equal, false));
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_Exclam, false), KeyCodes::fromQtKey(Qt::Key_1, false));
        QVERIFY(KeyCodes::fromQtKey(Qt::Key_Plus, false) != KeyCodes::fromQtKey(Qt::Key_Plus, true));
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_unknown, false), 0u);
        QCOMPARE(KeyCodes::fromQtKey(Qt::Key_VolumeUp, true), 0u);
    }

    void namesForTheEditor()
    {
        QCOMPARE(KeyCodes::name(3735552u), QStringLiteral("Space"));
        QCOMPARE(KeyCodes::name(21823488u), QStringLiteral("Right"));
        QCOMPARE(KeyCodes::name(4915200u), QStringLiteral("Num 4"));
        QCOMPARE(KeyCodes::name(21692416u), QStringLiteral("Left"));
        QCOMPARE(KeyCodes::name(5767168u), QStringLiteral("F12"));
        QCOMPARE(KeyCodes::name(KeyCodes::fromQtKey(Qt::Key_A, false)), QStringLiteral("A"));
        QCOMPARE(KeyCodes::name(5111808u), QStringLiteral("Num +"));
        // Every built-in key has a name; nonsense has none.
        for (const KeyTable::Row &r : KeyTable::builtIn())
            QVERIFY(!KeyCodes::name(r.code).isEmpty());
        QCOMPARE(KeyCodes::name(0), QString());
        QCOMPARE(KeyCodes::name(3735552u | 1u), QString());
        QCOMPARE(KeyCodes::name(KeyCodes::make(0xF0, false)), QString());
    }
};

QTEST_APPLESS_MAIN(TestKeyCodes)
#include "test_key_codes.moc"
