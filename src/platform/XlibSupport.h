#pragma once

// What every direct talk to the X server needs: a connection that closes itself and a
// trap that turns a refused request into a failed call instead of the end of the process.

#include <X11/Xlib.h>

#include <memory>

namespace Xlib {

struct DisplayCloser
{
    void operator()(Display *display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Xlib's default error handler ends the process. While a trap lives, errors are only
// recorded; read them after an XSync.
class ErrorTrap
{
public:
    ErrorTrap();
    ~ErrorTrap();
    ErrorTrap(const ErrorTrap &) = delete;
    ErrorTrap &operator=(const ErrorTrap &) = delete;

    // The code of the last error since the trap was set; 0 for none.
    int lastError() const;

private:
    XErrorHandler m_previous;
};

} // namespace Xlib
