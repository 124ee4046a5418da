#pragma once

#include "ui/app/AutomationControls.h"

#include <QJsonValue>
#include <QString>
#include <QStringList>

// The modal dialog or message box now open, read and answered as its user would.
namespace AutomationDialogs {

// title, text, buttons; kind, directory, fileName, filters for a file dialog. Null when no
// modal dialog is open.
QJsonValue describeModal();

// Each presses or accepts from the event loop, after the reply has gone.
AutomationOutcome pressButton(const QString &text);
AutomationOutcome acceptFiles(const QStringList &paths);
AutomationOutcome cancel();

} // namespace AutomationDialogs
