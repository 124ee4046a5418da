// What applying the language at start-up costs, against building the windows it applies to:
//   windows: constructing a player (the nine windows, every control);
//   english: OpenLang("Start") on a desktop that is not Polish (the built-in English
//            template read, parsed and applied to every window, the menu and the key list);
//   polish:  OpenLang("Start") on a Polish desktop without a language file (nothing to apply).
// Prints the median of each and the ratios to the windows.
//
//   build/bench_language_start [ROUNDS]    (QT_QPA_PLATFORM=offscreen works)

#include "engine/GstMediaEngine.h"
#include "platform/Power.h"
#include "platform/ScreenSaver.h"
#include "ui/app/Dialogs.h"
#include "ui/app/Player.h"
#include "ui/settings/TForm4.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::unique_ptr<Player> makePlayer()
{
    Player::Services services;
    services.engine = std::make_unique<GstMediaEngine>();
    services.dialogs = std::make_unique<QtDialogs>();
    services.screenSaver = std::make_unique<DBusScreenSaver>();
    return std::make_unique<Player>(std::move(services));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 21;
    QTemporaryDir home; // no language file, no settings of the user's
    qputenv("BRIVARA_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());

    std::vector<double> windows, english, polish;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        auto player = makePlayer();
        windows.push_back(t.nsecsElapsed() / 1e6);

        player->systemLanguage = QLocale::Polish;
        t.restart();
        player->form4()->OpenLang(QStringLiteral("Start"));
        polish.push_back(t.nsecsElapsed() / 1e6);

        player->systemLanguage = QLocale::English;
        t.restart();
        player->form4()->OpenLang(QStringLiteral("Start"));
        english.push_back(t.nsecsElapsed() / 1e6);
    }
    const double w = median(windows), e = median(english), p = median(polish);
    std::printf("windows median %.3f ms\nenglish median %.3f ms\npolish  median %.3f ms\n", w, e, p);
    std::printf("ratio english / windows: %.3f\nratio polish / windows: %.4f\n", e / w, p / w);
    return 0;
}
