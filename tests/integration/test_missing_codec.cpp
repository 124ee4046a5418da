#include "core/CodecTable.h"
#include "support/RealEngineServices.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/video/TForm2.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <gst/gst.h>

// A real film whose video decoder is hidden from this process's plugin registry (its rank
// set to none, so no decoder bin picks it): the player must name what GStreamer names.
class TestMissingCodec : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    QString film;
    GstPluginFeature *hidden = nullptr;
    guint rank = 0;

    struct Running
    {
        FakeDialogs *dialogs = nullptr;
        std::unique_ptr<Player> player;
        QStringList opened;
    };

    std::unique_ptr<Running> start()
    {
        auto r = std::make_unique<Running>();
        Player::Services services = realEngineServices(r->dialogs);
        r->dialogs->nextButton = QMessageBox::Yes;
        r->player = std::make_unique<Player>(std::move(services));
        r->player->systemLanguage = QLocale::English;
        r->player->form2()->OpenUrl = [raw = r.get()](const QUrl &url) {
            raw->opened << url.toString();
            return true;
        };
        r->player->start({});
        r->dialogs->asked.clear(); // the first-run questions
        TForm1 *panel = r->player->form1();
        panel->OpenMovieFileName = film;
        panel->OpenGivenFile = true;
        panel->ButtonOpenClick();
        return r;
    }

private slots:
    void initTestCase()
    {
        TestSupport::isolateUserFolders(home.path());
        qputenv("BRIVARA_AUDIOSINK", "fakeaudiosink");
        film = TestMedia::movie(2);
        QVERIFY(!film.isEmpty());
        gst_init(nullptr, nullptr);
        hidden = gst_registry_lookup_feature(gst_registry_get(), "avdec_mpeg4");
        QVERIFY(hidden);
        rank = gst_plugin_feature_get_rank(hidden);
        gst_plugin_feature_set_rank(hidden, GST_RANK_NONE);
    }

    void cleanupTestCase()
    {
        if (hidden) {
            gst_plugin_feature_set_rank(hidden, rank);
            gst_object_unref(hidden);
        }
    }

    void theInstallerIsAskedForTheExactDecoder()
    {
        // A stand-in for the desktop's installer helper: it notes what it was asked for.
        const QString helper = home.filePath("install-helper");
        const QString asked = home.filePath("asked.txt");
        {
            QFile script(helper);
            QVERIFY(script.open(QIODevice::WriteOnly));
            script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$@\" > '%1.part' && mv '%1.part' '%1'\n")
                             .arg(asked)
                             .toUtf8());
            script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
        }
        qputenv("GST_INSTALL_PLUGINS_HELPER", helper.toLocal8Bit());
        auto r = start();
        QCOMPARE(r->dialogs->asked.size(), 1);
        const QString text = r->dialogs->asked[0].text;
        QVERIFY2(text.startsWith(QStringLiteral("Lack of Video codec (or file error)\r\nYou need codec: ")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("(DivX MPEG-4 Version 4 decoder)")), qPrintable(text));
        QVERIFY(text.endsWith(QStringLiteral("Download Codec from Internet?")));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(asked), 10000);
        QFile answer(asked);
        QVERIFY(answer.open(QIODevice::ReadOnly));
        QVERIFY(answer.readAll().contains("decoder-video/x-divx"));
        QVERIFY(r->opened.isEmpty());
        // The sound still plays: the open went on.
        QTRY_COMPARE(r->player->form1()->PlayState, int(TForm1::StatePlaying));
    }

    void withoutAnInstallerTheBrowserOpens()
    {
        qputenv("GST_INSTALL_PLUGINS_HELPER", home.filePath("no-such-helper").toLocal8Bit());
        auto r = start();
        QCOMPARE(r->dialogs->asked.size(), 1);
        QCOMPARE(r->opened, QStringList{CodecTable::find("DIVX")->address});
    }
};

QTEST_MAIN(TestMissingCodec)
#include "test_missing_codec.moc"
