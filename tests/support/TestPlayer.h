#pragma once

#include "fakes/FakeCdDrive.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeDisplayModes.h"
#include "fakes/FakeMediaEngine.h"
#include "fakes/FakePower.h"
#include "fakes/FakeScreenSaver.h"
#include "support/TestSupport.h"
#include "ui/app/Player.h"

#include <QTemporaryDir>
#include <memory>

// A whole player on the fake engine, dialogs and screen saver, with handles to each fake.
// Unless given a folder, each player has settings and program folders of its own; pass the
// folder of an earlier player to see what it left behind (a restart).
struct TestPlayer
{
    std::shared_ptr<QTemporaryDir> home;
    FakeMediaEngine *engine = nullptr;
    FakeDialogs *dialogs = nullptr;
    FakeScreenSaver *screenSaver = nullptr;
    FakePower *power = nullptr;
    FakeCdDrive *cd = nullptr;
    FakeDisplayModes *displayModes = nullptr;
    std::unique_ptr<Player> player;

    explicit TestPlayer(std::shared_ptr<QTemporaryDir> folders = std::make_shared<QTemporaryDir>())
        : home(std::move(folders))
    {
        TestSupport::isolateUserFolders(home->path());
        Player::Services services;
        auto e = std::make_unique<FakeMediaEngine>();
        auto d = std::make_unique<FakeDialogs>();
        auto s = std::make_unique<FakeScreenSaver>();
        auto p = std::make_unique<FakePower>();
        auto c = std::make_unique<FakeCdDrive>();
        auto m = std::make_unique<FakeDisplayModes>();
        engine = e.get();
        dialogs = d.get();
        screenSaver = s.get();
        power = p.get();
        cd = c.get();
        displayModes = m.get();
        services.engine = std::move(e);
        services.dialogs = std::move(d);
        services.screenSaver = std::move(s);
        services.power = std::move(p);
        services.cdDrive = std::move(c);
        services.displayModes = std::move(m);
        player = std::make_unique<Player>(std::move(services));
        // The windows' built-in texts are Polish; tests of other languages say so.
        player->systemLanguage = QLocale::Polish;
    }

    Player *operator->() const { return player.get(); }
};
