#include "core/CpuLoad.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two processors; the "cpu" total line and the other lines are there as the kernel writes them.
QByteArray stat(quint64 user0, quint64 idle0, quint64 user1 = 0, quint64 idle1 = 0)
{
    return QStringLiteral("cpu  %1 0 0 %2 0 0 0 0 0 0\n"
                          "cpu0 %3 0 0 %4 0 0 0 0 0 0\n"
                          "cpu1 %5 0 0 %6 0 0 0 0 0 0\n"
                          "intr 12345 0 0\n"
                          "ctxt 987654\n")
        .arg(user0 + user1)
        .arg(idle0 + idle1)
        .arg(user0)
        .arg(idle0)
        .arg(user1)
        .arg(idle1)
        .toLatin1();
}

bool write(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

} // namespace

class TestCpuLoad : public QObject
{
    Q_OBJECT
private slots:
    void parsesEachProcessor()
    {
        // iowait counts as idle; guest and guest_nice are already inside user and nice.
        const QByteArray text = "cpu  10 20 30 40 50 60 70 80 90 100\n"
                                "cpu0 1 2 3 4 5 6 7 8 9 10\n"
                                "cpu3 100 0 0 300\n"; // an older kernel, processors 1-2 offline
        QString error;
        const auto sample = CpuLoad::parse(text, &error);
        QVERIFY2(sample, qPrintable(error));
        QCOMPARE(sample->keys(), (QList<int>{0, 3}));
        QCOMPARE(sample->value(0), (CpuLoad::Times{1 + 2 + 3 + 6 + 7 + 8, 36}));
        QCOMPARE(sample->value(3), (CpuLoad::Times{100, 400}));
    }

    void malformedTextIsAnError_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("total only") << QByteArray("cpu 1 2 3 4\nintr 5\n");
        QTest::newRow("binary") << QByteArray("\x00\xff\x10garbage", 10);
        QTest::newRow("short line") << QByteArray("cpu0 1 2 3\n");
        QTest::newRow("not a number") << QByteArray("cpu0 1 2 x 4 5\n");
        QTest::newRow("negative") << QByteArray("cpu0 1 2 -3 4 5\n");
        QTest::newRow("bad name") << QByteArray("cpuX 1 2 3 4 5\n");
    }
    void malformedTextIsAnError()
    {
        QFETCH(QByteArray, text);
        QString error;
        QVERIFY(!CpuLoad::parse(text, &error));
        QVERIFY(!error.isEmpty());
    }

    void loadBetweenTwoRefreshes()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("stat");
        CpuLoad load(path);
        QString error;
        QVERIFY(!load.usage(0, &error));
        QVERIFY(!error.isEmpty());

        QVERIFY(write(path, stat(100, 300, 50, 50)));
        QVERIFY2(load.refresh(&error), qPrintable(error));
        // One sample: the load since the machine started.
        QCOMPARE(*load.usage(0), 0.25);
        QCOMPARE(*load.usage(1), 0.5);

        QVERIFY(write(path, stat(100 + 90, 300 + 10, 50, 50 + 100)));
        QVERIFY(load.refresh());
        QCOMPARE(*load.usage(0), 0.9);
        QCOMPARE(*load.usage(1), 0.0);

        QVERIFY(!load.usage(2, &error));
        QCOMPARE(error, QStringLiteral("CPU index out of bounds"));
        QVERIFY(!load.usage(-1));

        // No time passed: no load, not a division by zero.
        QVERIFY(load.refresh());
        QCOMPARE(*load.usage(0), 0.0);
    }

    void aFailedRefreshKeepsTheLastLoad()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("stat");
        CpuLoad load(path);
        QVERIFY(write(path, stat(0, 0)));
        QVERIFY(load.refresh());
        QVERIFY(write(path, stat(30, 70)));
        QVERIFY(load.refresh());
        QCOMPARE(*load.usage(0), 0.3);

        QVERIFY(write(path, "intr 1\n"));
        QString error;
        QVERIFY(!load.refresh(&error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(*load.usage(0), 0.3);

        QVERIFY(QFile::remove(path));
        QVERIFY(!load.refresh(&error));
        QVERIFY(error.contains(path));
        QCOMPARE(*load.usage(0), 0.3);
    }

    void countersThatGoBackwardsGiveNoLoad()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("stat");
        CpuLoad load(path);
        QVERIFY(write(path, stat(500, 500)));
        QVERIFY(load.refresh());
        QVERIFY(write(path, stat(10, 10)));
        QVERIFY(load.refresh());
        QCOMPARE(*load.usage(0), 0.0);
    }

    void readsTheRealFile()
    {
        CpuLoad load;
        QString error;
        QVERIFY2(load.refresh(&error), qPrintable(error));
        const auto fraction = load.usage(0, &error);
        QVERIFY2(fraction, qPrintable(error));
        QVERIFY(*fraction >= 0.0 && *fraction <= 1.0);
    }
};

QTEST_APPLESS_MAIN(TestCpuLoad)
#include "test_cpu_load.moc"
