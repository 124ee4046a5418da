#include "ui/app/IdleHook.h"

#include <QCoreApplication>
#include <glib.h>

IdleHook::IdleHook(std::function<void()> handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
    arm();
}

IdleHook::~IdleHook()
{
    if (m_source != 0)
        g_source_remove(m_source);
}

bool IdleHook::eventFilter(QObject *, QEvent *)
{
    arm();
    return false;
}

void IdleHook::arm()
{
    // Events the handler sends while it runs are its own doing, not new work.
    if (m_source != 0 || m_running)
        return;
    m_source = g_idle_add_full(G_PRIORITY_DEFAULT_IDLE, &IdleHook::dispatch, this, nullptr);
}

int IdleHook::dispatch(void *self)
{
    auto *hook = static_cast<IdleHook *>(self);
    hook->m_source = 0;
    hook->m_running = true;
    ++hook->m_runs;
    hook->m_handler();
    hook->m_running = false;
    return G_SOURCE_REMOVE;
}
