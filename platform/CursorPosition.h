// Places the screen cursor, as the mouse-look mode does after every frame to
// keep the cursor at the view's centre.
#pragma once

#include <functional>

namespace platform {

// Moves the cursor to a point in global screen coordinates.
void setCursorPos(int x, int y);

// What setCursorPos calls. Tests install their own; an empty function puts
// the toolkit's cursor back. Returns the previous one.
using CursorMover = std::function<void(int x, int y)>;
CursorMover setCursorMover(CursorMover mover);

} // namespace platform
