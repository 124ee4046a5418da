#include "core/TextFile.h"
#include "platform/ControlClient.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"

#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The film's own subtitle file, found beside it, shown at its seconds by the real program,
// and IQ Text holding a line that comes too fast.
class TestSubtitlesE2E : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString socket;
    QProcess player;

    struct Sample
    {
        qint64 positionMs;
        bool visible;
        QString text;
    };

    QJsonObject ask(const QJsonObject &request) { return ControlClient::send(socket, request).object; }
    QJsonObject state() { return ask({{"cmd", "state"}}).value("state").toObject(); }

    // Watches the subtitle window while the film plays up to `untilMs`.
    QList<Sample> watch(qint64 untilMs)
    {
        QList<Sample> samples;
        QElapsedTimer guard;
        guard.start();
        while (guard.elapsed() < 30000) {
            const QJsonObject s = state();
            const Sample sample{qint64(s.value("positionMs").toDouble()), s.value("subtitleVisible").toBool(),
                                s.value("subtitleText").toString()};
            samples << sample;
            if (sample.positionMs >= untilMs)
                break;
            QTest::qWait(80);
        }
        return samples;
    }
    static qint64 firstSeen(const QList<Sample> &samples, const QString &text)
    {
        for (const Sample &s : samples)
            if (s.visible && s.text == text)
                return s.positionMs;
        return -1;
    }

private slots:
    void initTestCase()
    {
        socket = QStringLiteral("brivara-subs-%1").arg(QCoreApplication::applicationPid());
        const QString film = home.filePath("film.avi");
        QVERIFY(QFile::copy(TestMedia::movie(12, "ball"), film));
        // A long first line (3.6 s of reading at the default speed) and a second one a second later.
        QVERIFY(TextFile::writeLines(home.filePath("film.txt"),
                                     {"00:00:01:To jest pierwszy napis, dość długi, żeby go czytać chwilę.",
                                      "00:00:02:Drugi napis|w dwóch liniach", "00:00:09:Koniec."}));
        const QProcessEnvironment env = TestSupport::playerEnvironment(home.path(), socket);
        player.setProcessEnvironment(env);
        player.setProcessChannelMode(QProcess::ForwardedChannels);
        player.start(qEnvironmentVariable("BRIVARA_EXE"), {film});
        QVERIFY(player.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(state().value("playState").toInt(), 1, 20000);
    }

    void iqTextHoldsTheFirstLineAndQueuesTheSecond()
    {
        const QJsonObject check = ask({{"cmd", "get"}, {"window", "TForm1"}, {"control", "NapisyCheck"}});
        QVERIFY(check.value("down").toBool());
        const QList<Sample> samples = watch(7000);
        const QString first = "To jest pierwszy napis, dość długi, żeby go czytać chwilę.";
        const QString second = "Drugi napis|w dwóch liniach";
        const qint64 firstAt = firstSeen(samples, first);
        const qint64 secondAt = firstSeen(samples, second);
        QVERIFY2(firstAt >= 900 && firstAt < 1900, qPrintable(QString::number(firstAt)));
        // Due at 2 s, the second waits until the first has been read (about 3.6 s).
        QVERIFY2(secondAt > 4000, qPrintable(QString::number(secondAt)));
        for (const Sample &s : samples)
            if (s.positionMs > 2200 && s.positionMs < 3800)
                QVERIFY2(s.visible && s.text == first, qPrintable(s.text));
    }

    void withoutIqTextTheNextLineReplacesTheFirstAtItsSecond()
    {
        QVERIFY(ask({{"cmd", "set"}, {"window", "TForm4"}, {"control", "IQNapisow"}, {"value", false}})
                    .value("ok").toBool());
        ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BStop"}});
        QTRY_COMPARE(state().value("playState").toInt(), 2);
        QTRY_VERIFY(state().value("positionMs").toDouble() < 500);
        ask({{"cmd", "click"}, {"window", "TForm1"}, {"control", "BPlay"}});
        QTRY_COMPARE(state().value("playState").toInt(), 1);
        const QList<Sample> samples = watch(4000);
        const qint64 secondAt = firstSeen(samples, "Drugi napis|w dwóch liniach");
        QVERIFY2(secondAt >= 1900 && secondAt < 2900, qPrintable(QString::number(secondAt)));
    }

    void cleanupTestCase()
    {
        if (player.state() == QProcess::Running) {
            ask({{"cmd", "quit"}});
            QVERIFY(player.waitForFinished(15000));
        }
    }
};

QTEST_GUILESS_MAIN(TestSubtitlesE2E)
#include "test_subtitles.moc"
