#include "platform/Dpms.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>

#include <memory>

namespace {

struct DisplayCloser
{
    void operator()(Display *display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Xlib's default error handler ends the process; a refused request must only fail the call.
int lastError = 0;
int recordError(Display *, XErrorEvent *event)
{
    lastError = event->error_code;
    return 0;
}

class ErrorTrap
{
public:
    ErrorTrap() : m_previous(XSetErrorHandler(recordError)) { lastError = 0; }
    ~ErrorTrap() { XSetErrorHandler(m_previous); }
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

private:
    XErrorHandler m_previous;
};

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
    ErrorTrap trap;
    CARD16 level = 0;
    BOOL enabled = False;
    DPMSInfo(display.get(), &level, &enabled);
    // Forcing a level is refused while power management is switched off.
    if (!enabled)
        DPMSEnable(display.get());
    DPMSForceLevel(display.get(), DPMSModeOff);
    XSync(display.get(), False);
    if (lastError != 0) {
        tell(why, QStringLiteral("The display refused to power down (X error %1)").arg(lastError));
        return false;
    }
    return true;
}
