#include "platform/Compositor.h"

#include <X11/Xlib.h>

#include <memory>
#include <string>

namespace {
struct DisplayCloser
{
    void operator()(Display *display) const { XCloseDisplay(display); }
};
} // namespace

bool Compositor::running()
{
    // A connection of our own, closed at once: the question is asked rarely.
    const std::unique_ptr<Display, DisplayCloser> display(XOpenDisplay(nullptr));
    if (!display)
        return false;
    const std::string name = "_NET_WM_CM_S" + std::to_string(DefaultScreen(display.get()));
    const Atom selection = XInternAtom(display.get(), name.c_str(), False);
    return selection != None && XGetSelectionOwner(display.get(), selection) != None;
}
