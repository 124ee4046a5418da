#include "ui/app/FirstPicture.h"

#include "ui/app/Player.h"

#include <QObject>
#include <QTimer>

#include <utility>
#include <vector>

namespace {

// Lives as the player's child, so that work never outlives the windows it was handed by.
class Waiting : public QObject
{
    Q_OBJECT
public:
    explicit Waiting(Player &player) : QObject(&player) { setObjectName(QStringLiteral("FirstPictureWaiting")); }

    static Waiting &of(Player &player)
    {
        auto *waiting = player.findChild<Waiting *>(QStringLiteral("FirstPictureWaiting"), Qt::FindDirectChildrenOnly);
        return waiting ? *waiting : *new Waiting(player);
    }

    bool past = false;
    std::vector<std::function<void()>> work;
};

} // namespace

namespace FirstPicture {

void after(Player &player, std::function<void()> work)
{
    Waiting &waiting = Waiting::of(player);
    if (waiting.past)
        work();
    else
        waiting.work.push_back(std::move(work));
}

void reached(Player &player)
{
    Waiting &waiting = Waiting::of(player);
    QTimer::singleShot(0, &waiting, [&waiting] {
        waiting.past = true;
        const std::vector<std::function<void()>> queued = std::exchange(waiting.work, {});
        for (const std::function<void()> &work : queued)
            work();
    });
}

} // namespace FirstPicture

#include "FirstPicture.moc"
