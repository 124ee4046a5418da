#include "platform/ControlClient.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The real program finds the skins the build drew and starts in the one stored.
class TestE2ESkins : public QObject
{
    Q_OBJECT

    QString socket;
    QTemporaryDir home;
    QProcess player;

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }

private slots:
    void storedShippedSkinDressesThePanelAtStart()
    {
        socket = QStringLiteral("brivara-e2e-skins-%1").arg(QCoreApplication::applicationPid());
        QDir().mkpath(home.filePath("config/Zendor"));
        QFile settings(home.filePath("config/Zendor/Brivara.conf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[General]\nFirst=false\nSkinName=Grafit\n");
        settings.close();
        player.setProcessEnvironment(TestSupport::playerEnvironment(home.path(), socket));
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {});
        QVERIFY(player.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(ask({{"cmd", "state"}}).value("ok").toBool(), 20000);

        const QImage background(QStringLiteral(BRIVARA_BUILD_DIR "/share/brivara/SKINS/Grafit/Background.bmp"));
        QVERIFY(!background.isNull());
        const QJsonObject panel = ask({{"cmd", "state"}}).value("state").toObject()
                                      .value("windows").toObject().value("TForm1").toObject();
        QCOMPARE(panel.value("clientWidth").toInt(), background.width());
        QCOMPARE(panel.value("clientHeight").toInt(), background.height());
        // The built-in skin was written into the program folder before the panel changed.
        QVERIFY(QFile::exists(home.filePath("program/SKINS/Standard/skin.all")));

        // On screen the rounded corner is cut away: the key colour the background paints
        // there never shows. (The window settles in its place shortly after it is shown.)
        QCOMPARE(background.pixelColor(1, background.height() - 2), QColor(255, 0, 255));
        const QString shot = home.filePath("shot.png");
        auto cutOnScreen = [&] {
            const QJsonObject w = ask({{"cmd", "state"}}).value("state").toObject()
                                      .value("windows").toObject().value("TForm1").toObject();
            if (!ask({{"cmd", "screenshot"}, {"path", shot}, {"overwrite", true}}).value("ok").toBool())
                return false;
            const QImage screen(shot);
            const QPoint at(w.value("x").toInt(), w.value("y").toInt());
            const QPoint corner = at + QPoint(1, background.height() - 2), inside = at + QPoint(240, 4);
            return screen.rect().contains(corner) && screen.rect().contains(inside)
                   && screen.pixelColor(inside) == background.pixelColor(240, 4)
                   && screen.pixelColor(corner) != QColor(255, 0, 255);
        };
        QTRY_VERIFY_WITH_TIMEOUT(cutOnScreen(), 10000);
        ask({{"cmd", "quit"}});
        QVERIFY(player.waitForFinished(20000));
    }

    void cleanupTestCase()
    {
        if (player.state() != QProcess::NotRunning) {
            player.kill();
            player.waitForFinished();
        }
    }
};

QTEST_MAIN(TestE2ESkins)
#include "test_skins.moc"
