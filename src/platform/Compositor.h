#pragma once

// Whether the X server's screen has a compositing manager: only then do windows with an
// alpha channel blend with what lies below them.
namespace Compositor {

// True when some client owns the default screen's _NET_WM_CM_S<n> selection, the mark a
// compositing manager sets. False without an X display.
bool running();

} // namespace Compositor
