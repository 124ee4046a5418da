#pragma once

#include <QString>

// The X server's display power management.
namespace Dpms {

// Turns the monitor off now (it comes back at the next key or mouse movement). False,
// with the reason, when there is no X display or it has no power management.
bool forceOff(QString *why);

} // namespace Dpms
