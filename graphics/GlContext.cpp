#include "graphics/GlContext.h"

#include <QOpenGLContext>

bool glContextIsCurrent() {
    return QOpenGLContext::currentContext() != nullptr;
}
