// A window manager handles our top-level windows in its own time: it frames
// them when they are shown and lets go of them some time after they are
// hidden. Where the program must not run ahead of it, it waits here.
#pragma once

#include <cstdint>

namespace platform {

// Waits until the window manager has let go of the hidden top-level system
// window `window`, that is, until the window sits directly on the desktop
// again and no longer in the manager's frame. True at once without a window
// manager, without a system window (0) or away from X11; false when the
// manager has not let go within timeoutMs.
bool waitUntilReleased(std::uintptr_t window, int timeoutMs);

// Waits until the window manager shows the top-level system window `window`
// as a plain window again, neither maximised, full screen nor minimised, and
// so has framed it as one. True at once without a window manager, without a
// system window (0) or away from X11; false when that has not come within
// timeoutMs.
bool waitUntilPlainState(std::uintptr_t window, int timeoutMs);

// The same for a window shown back from minimised, in whatever state.
bool waitUntilShown(std::uintptr_t window, int timeoutMs);

// Whether the window manager's state for the top-level system window has
// none of maximised, full screen and minimised now. The toolkit hears of a
// new state and of the new place in separate events, in either order: the
// server's word settles which state a place was given in. True without a
// window manager, without a system window (0) or away from X11.
bool hasPlainState(std::uintptr_t window);

} // namespace platform
