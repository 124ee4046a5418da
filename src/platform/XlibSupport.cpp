#include "platform/XlibSupport.h"

namespace Xlib {

namespace {
int recorded = 0;
int record(Display *, XErrorEvent *event)
{
    recorded = event->error_code;
    return 0;
}
} // namespace

ErrorTrap::ErrorTrap() : m_previous(XSetErrorHandler(record)) { recorded = 0; }
ErrorTrap::~ErrorTrap() { XSetErrorHandler(m_previous); }
int ErrorTrap::lastError() const { return recorded; }

} // namespace Xlib
