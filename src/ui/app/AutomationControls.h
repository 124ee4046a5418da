#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QVariant>

class QObject;
class QWidget;

// What an automation step produced: the fields of its reply, or why it could not be done.
struct AutomationOutcome
{
    QJsonObject fields;
    QString error;

    static AutomationOutcome done(QJsonObject fields = {}) { return {std::move(fields), {}}; }
    static AutomationOutcome fail(QString error) { return {{}, std::move(error)}; }
    bool ok() const { return error.isEmpty(); }
};

// Reading and driving the live widgets by the names the windows give them. Controls are
// found by objectName; menu items are QActions (also those only added to a menu), timers
// are QTimer children.
namespace AutomationControls {

// A top-level window whose class name (or, failing that, object name) is `name`.
QWidget *findWindow(const QString &name);
QObject *findControl(QWidget *window, const QString &name);

// visible, x, y, width, height (frame geometry), clientWidth, clientHeight and more.
QJsonObject describeWindow(const QWidget *window);
// visible, enabled, geometry within its parent and what the control holds.
QJsonObject describe(QObject *control);

// Changes the control as a user would, so its change handlers run; returns its new state.
AutomationOutcome setValue(QObject *control, const QJsonValue &value);
// Clicks it as a user would; the click itself runs from the event loop, after the reply.
AutomationOutcome click(QObject *control);

// Reads a value by property name, else through an invokable getter (custom controls that
// keep their state behind methods, such as the skinned button).
QVariant readValue(const QObject *object, const char *property, const char *getter);
// "&Open" -> "Open", "Save && quit" -> "Save & quit".
QString withoutMnemonic(const QString &text);

} // namespace AutomationControls
