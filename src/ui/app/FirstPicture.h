#pragma once

#include <functional>

class Player;

// Work that must not stand between the start and the first picture (desktop services on
// the bus, checks and caches that can wait) is handed here. It runs on the event loop
// once Player::start() has opened the start-up film, whose first picture is then on the
// screen (or has found none to open); handed over later, it runs at once.
namespace FirstPicture {

void after(Player &player, std::function<void()> work);

// Player::start() says so when its start-up open is through.
void reached(Player &player);

} // namespace FirstPicture
