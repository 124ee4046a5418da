#pragma once

#include "platform/Power.h"

#include <QStringList>
#include <functional>

// Records what was asked instead of turning anything off.
class FakePower : public Power
{
public:
    QStringList calls;              // "canPowerOff", "powerOff", "monitorOff" in order
    bool canAnswer = true;
    bool powerOffAnswer = true;
    bool monitorOffAnswer = true;
    QString refusal = QStringLiteral("refused by the test");
    std::function<void(const QString &call)> onCall;

    bool canPowerOff(QString *why) override { return answer("canPowerOff", canAnswer, why); }
    bool powerOff(QString *why) override { return answer("powerOff", powerOffAnswer, why); }
    bool monitorOff(QString *why) override { return answer("monitorOff", monitorOffAnswer, why); }

private:
    bool answer(const QString &call, bool result, QString *why)
    {
        calls << call;
        if (onCall)
            onCall(call);
        if (!result && why)
            *why = refusal;
        return result;
    }
};
