#include "platform/CursorPosition.h"

#include <QCursor>
#include <utility>

namespace platform {

namespace {

CursorMover& mover() {
    static CursorMover current;
    return current;
}

} // namespace

void setCursorPos(int x, int y) {
    if (mover())
        mover()(x, y);
    else
        QCursor::setPos(x, y);
}

CursorMover setCursorMover(CursorMover next) {
    return std::exchange(mover(), std::move(next));
}

} // namespace platform
