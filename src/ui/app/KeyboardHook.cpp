#include "ui/app/KeyboardHook.h"

#include "core/KeyCodes.h"
#include "ui/app/Player.h"
#include "ui/playlist/TFormPlayList.h"
#include "ui/video/TForm2.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

KeyboardHook::KeyboardHook(Player &app, QObject *parent) : QObject(parent), m_app(app)
{
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            &KeyboardHook::applicationStateChanged);
    applicationStateChanged(QGuiApplication::applicationState());
}

KeyboardHook::~KeyboardHook()
{
    setInstalled(false);
}

void KeyboardHook::applicationStateChanged(Qt::ApplicationState state)
{
    setInstalled(state == Qt::ApplicationActive);
}

void KeyboardHook::setInstalled(bool on)
{
    if (on == m_installed)
        return;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
    m_installed = on;
}

bool KeyboardHook::alreadySeen(const QKeyEvent *event, QWidget *receiver)
{
    // The same event object handed on to an ancestor of its last receiver is the same
    // press; a new press may reuse the address but starts at a focus widget again.
    const bool same = event == m_lastEvent && event->timestamp() == m_lastTimestamp && m_lastReceiver
                      && receiver != m_lastReceiver && receiver->isAncestorOf(m_lastReceiver);
    m_lastEvent = event;
    m_lastTimestamp = event->timestamp();
    m_lastReceiver = receiver;
    return same;
}

bool KeyboardHook::eventFilter(QObject *watched, QEvent *event)
{
    // Releases are never commands; a press reaches the window object before its widgets,
    // so only deliveries to widgets count.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    if (alreadySeen(key, static_cast<QWidget *>(watched)))
        return false;
    if (QApplication::activeWindow() == m_app.formPlayList())
        return false;
    // Auto-repeated presses run their command again, at the keyboard's repeat rate.
    const quint32 code = KeyCodes::fromQtKey(key->key(), key->modifiers().testFlag(Qt::KeypadModifier));
    m_app.form2()->dispatchKey(code);
    return false;
}
