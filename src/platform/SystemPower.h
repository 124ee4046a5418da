#pragma once

#include "platform/Power.h"

// The machine's own power services: systemd-logind on the system bus for power off, the
// X server's DPMS extension for the monitor. Every bus call has a time limit, so a hung
// service never holds the program.
class SystemPower : public Power
{
public:
    explicit SystemPower(int callTimeoutMs = 5000) : m_timeoutMs(callTimeoutMs) {}

    // login1 CanPowerOff: only "yes" is accepted, since the request is not interactive.
    bool canPowerOff(QString *why) override;
    // login1 PowerOff(false).
    bool powerOff(QString *why) override;
    bool monitorOff(QString *why) override;

private:
    int m_timeoutMs;
};
