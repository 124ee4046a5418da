#include "platform/Dpms.h"

#include "platform/XlibSupport.h"

#include <X11/extensions/dpms.h>

namespace {

using Xlib::DisplayPtr;

void tell(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

} // namespace

bool Dpms::forceOff(QString *why)
{
    // A connection of our own: the request must reach the server even if the program's
    // windows are already gone.
    const DisplayPtr display(XOpenDisplay(nullptr));
    if (!display) {
        tell(why, QStringLiteral("No X display"));
        return false;
    }
    int eventBase = 0, errorBase = 0;
    if (!DPMSQueryExtension(display.get(), &eventBase, &errorBase) || !DPMSCapable(display.get())) {
        tell(why, QStringLiteral("The display has no power management"));
        return false;
    }
    Xlib::ErrorTrap trap;
    CARD16 level = 0;
    BOOL enabled = False;
    DPMSInfo(display.get(), &level, &enabled);
    // Forcing a level is refused while power management is switched off.
    if (!enabled)
        DPMSEnable(display.get());
    DPMSForceLevel(display.get(), DPMSModeOff);
    XSync(display.get(), False);
    if (trap.lastError() != 0) {
        tell(why, QStringLiteral("The display refused to power down (X error %1)").arg(trap.lastError()));
        return false;
    }
    return true;
}
