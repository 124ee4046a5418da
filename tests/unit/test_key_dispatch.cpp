#include "core/KeyCodes.h"
#include "core/KeyDispatch.h"

#include <QtTest>

using KeyDispatch::Outcome;

class TestKeyDispatch : public QObject
{
    Q_OBJECT
private slots:
    void groupsRunOneRowEachAndShiftsOnlyInFullScreen()
    {
        KeyBindings keys;
        KeyDispatch::State window;
        KeyDispatch::State full;
        full.fullScreen = true;

        // Space: row 1 only.
        KeyDispatch::Decision d = KeyDispatch::decide(3735552u, window, keys);
        QCOMPARE(d.outcome, Outcome::Run);
        QCOMPARE(d.rows, QList<int>{1});

        // Num 8 moves the picture only in full screen.
        QVERIFY(KeyDispatch::decide(4718592u, window, keys).rows.isEmpty());
        QCOMPARE(KeyDispatch::decide(4718592u, full, keys).rows, QList<int>{27});

        // One code in all three groups: the first of A, every one of B, the first of C.
        const quint32 p = 1638400u;
        keys.setCode(2, p);
        keys.setCode(5, p);
        keys.setCode(28, p);
        keys.setCode(30, p);
        keys.setCode(42, p);
        QCOMPARE(KeyDispatch::decide(p, full, keys).rows, (QList<int>{2, 28, 30, 34}));
        QCOMPARE(KeyDispatch::decide(p, window, keys).rows, (QList<int>{2, 34}));

        // Unbound keys and a cell waiting for its key match nothing.
        QVERIFY(KeyDispatch::decide(KeyCodes::make(0x2C, false), full, keys).rows.isEmpty());
        keys.setCode(1, 0);
        QVERIFY(KeyDispatch::decide(0, full, keys).rows.isEmpty());
    }

    void stopsInTheirOrder()
    {
        KeyBindings keys;
        KeyDispatch::State s;
        s.countdownRunning = s.dialogOpen = s.capturing = s.preferencesActive = true;
        QCOMPARE(KeyDispatch::decide(3735552u, s, keys).outcome, Outcome::BreakCountdown);
        s.countdownRunning = false;
        QCOMPARE(KeyDispatch::decide(3735552u, s, keys).outcome, Outcome::Ignored);
        s.dialogOpen = false;
        // Capture comes before the preferences window's own stop: the editor is in it.
        KeyDispatch::Decision d = KeyDispatch::decide(2162688u, s, keys);
        QCOMPARE(d.outcome, Outcome::Capture);
        QCOMPARE(d.code, 2162688u);
        QVERIFY(!d.keepEditorOpen);
        QVERIFY(KeyDispatch::decide(1835008u, s, keys).keepEditorOpen);
        QVERIFY(KeyDispatch::decide(KeyCodes::make(0x1C, true), s, keys).keepEditorOpen);
        s.capturing = false;
        QCOMPARE(KeyDispatch::decide(3735552u, s, keys).outcome, Outcome::Ignored);
    }

    void remoteCommandNamesARow()
    {
        KeyBindings keys;
        keys.setCode(18, 2031616u); // row 18 shares S with row 15
        KeyDispatch::State s;
        s.remoteRow = 18;
        KeyDispatch::Decision d = KeyDispatch::decide(0, s, keys);
        QCOMPARE(d.code, 2031616u);
        QCOMPARE(d.rows, QList<int>{15}); // the row's code runs, as a key would
        s.remoteRow = 43;
        QVERIFY(KeyDispatch::decide(3735552u, s, keys).rows.isEmpty());
        s.remoteRow = 36;
        s.dialogOpen = true;
        QCOMPARE(KeyDispatch::decide(0, s, keys).outcome, Outcome::Ignored);
    }

    void frameStepCounts()
    {
        QCOMPARE(KeyDispatch::frameStepCount(15), 0);
        QCOMPARE(KeyDispatch::frameStepCount(16), 1);
        QCOMPARE(KeyDispatch::frameStepCount(18), 3);
        QCOMPARE(KeyDispatch::frameStepCount(24), 9);
        QCOMPARE(KeyDispatch::frameStepCount(25), 0);
    }
};

QTEST_APPLESS_MAIN(TestKeyDispatch)
#include "test_key_dispatch.moc"
