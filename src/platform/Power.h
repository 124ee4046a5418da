#pragma once

#include <QString>

// Turning the computer or the monitor off at the end of a film. Each call says whether it
// was done; when not, `why` tells the reason (for the user or the log).
class Power
{
public:
    virtual ~Power() = default;
    // Whether a power-off request would be accepted now, asked before the program starts
    // closing so that a refusal can still be shown.
    virtual bool canPowerOff(QString *why) = 0;
    virtual bool powerOff(QString *why) = 0;
    virtual bool monitorOff(QString *why) = 0;
};

// For a player built without a power service: refuses everything.
class NoPower : public Power
{
public:
    bool canPowerOff(QString *why) override { return refuse(why); }
    bool powerOff(QString *why) override { return refuse(why); }
    bool monitorOff(QString *why) override { return refuse(why); }

private:
    static bool refuse(QString *why)
    {
        if (why)
            *why = QStringLiteral("no power service");
        return false;
    }
};
