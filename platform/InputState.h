// Which modifier keys and mouse buttons are held now, as the toolkit last
// reported them. The engine asks while it handles keys, drags and device
// buttons; the windows keep it current (trackInputEvents does that for the
// whole application), and tests set it directly.
#pragma once

#include <Qt>

class QCoreApplication;

namespace platform {

bool isCtrlDown();
bool isShiftDown();
bool isAltDown();
bool isLeftButtonDown();
bool isMiddleButtonDown();
bool isRightButtonDown();

void setKeyboardModifiers(Qt::KeyboardModifiers modifiers);
void setMouseButtons(Qt::MouseButtons buttons);

// Follows every key and mouse event of the application; when the application
// loses the focus everything counts as released (releases elsewhere are never
// reported).
void trackInputEvents(QCoreApplication& app);

} // namespace platform
