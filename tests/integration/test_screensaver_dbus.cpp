#include "platform/ScreenSaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QtTest>

// A stand-in for the desktop's screen-saver service, on its own bus connection.
class StandInScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList applications;
    QList<quint32> released;
    quint32 nextCookie = 41;

public slots:
    quint32 Inhibit(const QString &application, const QString &reason)
    {
        Q_UNUSED(reason);
        applications << application;
        return ++nextCookie;
    }
    void UnInhibit(quint32 cookie) { released << cookie; }
};

class TestScreenSaverDBus : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(),
                 "the tests run on a private session bus (scripts/test starts one)");
    }

    void inhibitsForTheRunAndReleasesTheSameCookie()
    {
        StandInScreenSaver standIn;
        QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "standin");
        QVERIFY(service.registerObject("/org/freedesktop/ScreenSaver", &standIn,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService("org.freedesktop.ScreenSaver"));

        DBusScreenSaver saver;
        saver.inhibit();
        saver.inhibit(); // asked again before the answer: still one request
        QTRY_VERIFY(saver.isInhibited());
        QCOMPARE(standIn.applications, QStringList{"Brivara"});
        saver.inhibit(); // and after it: nothing more
        QCOMPARE(standIn.applications.size(), 1);

        // UnInhibit is a blocking call, so the stand-in must answer from another thread.
        QThread serviceThread;
        standIn.moveToThread(&serviceThread);
        serviceThread.start();
        saver.release();
        QVERIFY(!saver.isInhibited());
        QMetaObject::invokeMethod(&standIn, [&] { standIn.moveToThread(thread()); },
                                  Qt::BlockingQueuedConnection);
        serviceThread.quit();
        serviceThread.wait();
        QCOMPARE(standIn.released, QList<quint32>{42});

        service.unregisterService("org.freedesktop.ScreenSaver");
        QDBusConnection::disconnectFromBus("standin");
    }

    void aMissingServiceIsNoError()
    {
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(
            "org.freedesktop.ScreenSaver"));
        DBusScreenSaver saver;
        saver.inhibit();
        QTRY_VERIFY(!saver.lastError().isEmpty());
        QVERIFY(!saver.isInhibited());
        saver.release(); // nothing to release, nothing sent
        QVERIFY(!saver.isInhibited());
    }
};

QTEST_GUILESS_MAIN(TestScreenSaverDBus)
#include "test_screensaver_dbus.moc"
