#pragma once

#include <QObject>
#include <functional>

// Runs a handler once each time the event queue drains, the way a desktop application's
// idle event fires. Any event delivered arms a one-shot glib idle source, which glib runs
// only once nothing else is pending; a player that sits still therefore uses no processor.
// (Arming on the dispatcher's wake-ups instead would re-arm after every idle run and spin.)
class IdleHook : public QObject
{
    Q_OBJECT
public:
    explicit IdleHook(std::function<void()> handler, QObject *parent = nullptr);
    ~IdleHook() override;

    // How many times the handler has run (for tests and diagnostics).
    quint64 runs() const { return m_runs; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void arm();
    static int dispatch(void *self);

    std::function<void()> m_handler;
    unsigned m_source = 0;
    quint64 m_runs = 0;
    bool m_running = false;
};
