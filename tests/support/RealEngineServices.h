#pragma once

#include "engine/GstMediaEngine.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakePower.h"
#include "fakes/FakeScreenSaver.h"
#include "ui/app/Player.h"

#include <memory>

// What a player needs to run on the real media engine, with the dialogs, the screen saver
// and power answered by stand-ins; `dialogs` is pointed at the dialogs handed over.
inline Player::Services realEngineServices(FakeDialogs *&dialogs)
{
    Player::Services services;
    services.engine = std::make_unique<GstMediaEngine>();
    auto answers = std::make_unique<FakeDialogs>();
    dialogs = answers.get();
    services.dialogs = std::move(answers);
    services.screenSaver = std::make_unique<FakeScreenSaver>();
    services.power = std::make_unique<FakePower>();
    return services;
}
