#pragma once

#include "core/ControlProtocol.h"

#include <QJsonObject>
#include <QObject>
#include <QString>
#include <QStringList>

class AutomationHost;

// Answers control-socket requests over the live widgets: the nine windows are found by class
// name among the top-level widgets, their controls by object name. Whatever may open a modal
// dialog or end the program (clicks, remote keys, hand-over, quit) runs from the event loop
// after the reply, so the reply never waits on a dialog.
class Automation
{
public:
    // The host may be null (only widget commands then work); it must outlive this object.
    explicit Automation(AutomationHost *host);
    explicit Automation(AutomationHost &host) : Automation(&host) {}
    Automation(const Automation &) = delete;
    Automation &operator=(const Automation &) = delete;

    QJsonObject handle(const ControlRequest &request);

    // The class names of the player's windows, in their order of creation.
    static const QStringList &windowNames();

private:
    QJsonObject state() const;
    QJsonObject get(const ControlRequest &request) const;
    QJsonObject set(const ControlRequest &request);
    QJsonObject click(const ControlRequest &request);
    QJsonObject answer(const ControlRequest &request);
    QJsonObject screenshot(const QString &requestedPath, bool overwrite) const;
    QJsonObject toHost(const ControlRequest &request);

    AutomationHost *m_host;
    // Context of the deferred host calls: they are dropped if we are gone by then.
    QObject m_context;
};
