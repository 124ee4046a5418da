// The movie menu as it appears over a real playing film on an X server: yellow outlined
// letters at the left of the picture, the film showing between them.
#include "core/AviJunkStore.h"
#include "engine/GstMediaEngine.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePower.h"
#include "fakes/FakeScreenSaver.h"
#include "support/TestMedia.h"
#include "support/TestSupport.h"
#include "ui/app/Player.h"
#include "ui/app/TForm1.h"
#include "ui/moviemenu/TFormMenu.h"
#include "ui/settings/TForm4.h"
#include "ui/video/TForm2.h"

#include <QCheckBox>
#include <QDir>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

class TestMovieMenuScreen : public QObject
{
    Q_OBJECT
private slots:
    void theMenuLiesOverThePlayingFilm()
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X server (run under xvfb-run)");
        QTemporaryDir home;
        TestSupport::isolateUserFolders(home.path());
        qputenv("BRIVARA_AUDIOSINK", "fakeaudiosink");
        const QString source = TestMedia::movie(6, QStringLiteral("smpte"));
        QVERIFY(!source.isEmpty());
        const QString film = QDir(home.path()).filePath(QStringLiteral("film.avi"));
        QVERIFY(QFile::copy(source, film));
        {
            MovieMenu menu;
            menu.title = QStringLiteral("Movie Menu:");
            const char *const texts[] = {"Play Movie", "Go Scene1", "Go Scene2", "Go Scene3", "www.zendor.org"};
            for (int i = 0; i < 5; ++i)
                menu.entries[i] = {QString::fromLatin1(texts[i]), i == 4, i * 60};
            menu.displaySeconds = 30;
            QFile file(film);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QCOMPARE(AviJunkStore::save(file, menu).status, AviJunkStore::WriteStatus::Written);
        }

        Player::Services services;
        services.engine = std::make_unique<GstMediaEngine>();
        services.dialogs = std::make_unique<FakeDialogs>();
        services.screenSaver = std::make_unique<FakeScreenSaver>();
        services.power = std::make_unique<FakePower>();
        Player player(std::move(services));
        player.systemLanguage = QLocale::Polish;
        player.start({});
        player.form4()->MenuStopMovie->setChecked(false); // the film plays under its menu
        TForm1 *panel = player.form1();
        panel->OpenMovieFileName = film;
        panel->OpenGivenFile = true;
        panel->ButtonOpenClick();
        QVERIFY(panel->MenuInFile);
        TFormMenu *menu = player.formMenu();
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QTRY_COMPARE_WITH_TIMEOUT(panel->PlayState.value(), int(TForm1::StatePlaying), 5000);
        QTest::qWait(1500);

        const QImage shot =
            QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
        const QRect area(menu->mapToGlobal(QPoint(0, 0)), menu->size());
        const QRect video(player.form2()->mapToGlobal(QPoint(0, 0)), player.form2()->size());
        const QString file = QDir::temp().filePath(QStringLiteral("brivara-movie-menu.png"));
        shot.copy(video.united(area).adjusted(-10, -10, 10, 10)).save(file);
        qInfo("screenshot: %s", qPrintable(file));

        // Inside the menu's rectangle: yellow letters, their dark outline, and the film
        // (the colour bars) where there are no letters.
        int letters = 0, outline = 0, seeThrough = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x) {
                const QRgb p = shot.pixel(x, y);
                if (qRed(p) > 200 && qGreen(p) > 200 && qBlue(p) < 60 && menu->mask().contains(menu->mapFromGlobal(QPoint(x, y))))
                    ++letters;
                else if (qRed(p) < 40 && qGreen(p) < 40 && qBlue(p) < 40)
                    ++outline;
                else if (!menu->mask().contains(menu->mapFromGlobal(QPoint(x, y))))
                    ++seeThrough;
            }
        const int all = area.width() * area.height();
        QVERIFY2(letters > all / 50, qPrintable(QStringLiteral("%1 of %2 yellow").arg(letters).arg(all)));
        QVERIFY2(outline > all / 100, qPrintable(QStringLiteral("%1 of %2 dark").arg(outline).arg(all)));
        QVERIFY2(seeThrough > all / 3, qPrintable(QStringLiteral("%1 of %2 film").arg(seeThrough).arg(all)));
        QVERIFY(video.contains(area.topLeft()));
    }
};

QTEST_MAIN(TestMovieMenuScreen)
#include "test_movie_menu_screen.moc"
