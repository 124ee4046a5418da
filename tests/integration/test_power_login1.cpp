#include "platform/SystemPower.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QProcess>
#include <QThread>
#include <QtTest>

// A stand-in for systemd-logind's manager. It answers from a thread of its own, because
// the player's calls block until the answer comes.
class StandInLogin1 : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    QString canAnswer = QStringLiteral("yes");
    bool hang = false;
    QList<bool> powerOffs;   // the "interactive" argument of each request

public slots:
    QString CanPowerOff() { return canAnswer; }
    void PowerOff(bool interactive, const QDBusMessage &message)
    {
        if (hang) {
            // Never answered: the caller's time limit must end the wait.
            message.setDelayedReply(true);
            return;
        }
        powerOffs << interactive;
    }
};

class TestPowerLogin1 : public QObject
{
    Q_OBJECT

    QProcess m_bus;
    QString m_address;
    QThread m_serviceThread;
    StandInLogin1 *m_standIn = nullptr;

    // Reads the stand-in's state on its own thread.
    template <class F> auto onService(F f)
    {
        decltype(f()) result;
        QMetaObject::invokeMethod(m_standIn, [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }

private slots:
    void initTestCase()
    {
        // A private bus stands in for the system bus. It must be in place before anything
        // touches QtDBus, so that no call can ever reach the machine's real login manager.
        m_bus.start(QStringLiteral("dbus-daemon"),
                    {QStringLiteral("--session"), QStringLiteral("--nofork"),
                     QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        QVERIFY2(m_bus.waitForStarted(10000), "dbus-daemon is needed (scripts/setup)");
        QTRY_VERIFY(m_bus.canReadLine());
        m_address = QString::fromLatin1(m_bus.readLine().trimmed());
        QVERIFY(!m_address.isEmpty());
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", m_address.toLatin1());

        QDBusConnection service = QDBusConnection::connectToBus(m_address, "login1-standin");
        QVERIFY(service.isConnected());
        QDBusConnection system = QDBusConnection::systemBus();
        QVERIFY(system.isConnected());
        QVERIFY2(service.interface()->isServiceRegistered(system.baseService()),
                 "the system bus must be the private one");

        m_serviceThread.start();
    }

    void cleanupTestCase()
    {
        m_serviceThread.quit();
        m_serviceThread.wait();
        QDBusConnection::disconnectFromBus("login1-standin");
        m_bus.terminate();
        m_bus.waitForFinished(5000);
    }

    void aMissingServiceIsReported()
    {
        SystemPower power(2000);
        QString why;
        QVERIFY(!power.canPowerOff(&why));
        QVERIFY2(why.contains("ServiceUnknown") || why.contains("NameHasNoOwner"), qPrintable(why));
        why.clear();
        QVERIFY(!power.powerOff(&why));
        QVERIFY(!why.isEmpty());
    }

    void powerOffAsksTheLoginManager()
    {
        m_standIn = new StandInLogin1;
        m_standIn->moveToThread(&m_serviceThread);
        connect(&m_serviceThread, &QThread::finished, m_standIn, &QObject::deleteLater);
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "login1-standin");
        QVERIFY(service.registerObject("/org/freedesktop/login1", m_standIn,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.login1"));

        SystemPower power(5000);
        QString why;
        QVERIFY2(power.canPowerOff(&why), qPrintable(why));
        QVERIFY2(power.powerOff(&why), qPrintable(why));
        // Never interactive: nobody is there to answer a password prompt.
        QCOMPARE(onService([&] { return m_standIn->powerOffs; }), QList<bool>{false});
    }

    void onlyAPlainYesAllowsPowerOff()
    {
        QVERIFY(m_standIn);
        SystemPower power(5000);
        for (const char *answer : {"no", "challenge", "na"}) {
            onService([&] { return m_standIn->canAnswer = QString::fromLatin1(answer); });
            QString why;
            QVERIFY(!power.canPowerOff(&why));
            QVERIFY2(why.contains(QLatin1String(answer)), qPrintable(why));
        }
        onService([&] { return m_standIn->canAnswer = QStringLiteral("yes"); });
    }

    void aHungServiceDoesNotHoldTheProgram()
    {
        QVERIFY(m_standIn);
        onService([&] { return m_standIn->hang = true; });
        SystemPower power(300);
        QString why;
        QVERIFY(!power.powerOff(&why));
        QVERIFY2(why.contains("NoReply") || why.contains("Timeout"), qPrintable(why));
        onService([&] { return m_standIn->hang = false; });
        QCOMPARE(onService([&] { return m_standIn->powerOffs.size(); }), 1);
    }
};

QTEST_GUILESS_MAIN(TestPowerLogin1)
#include "test_power_login1.moc"
