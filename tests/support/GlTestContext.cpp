#include "support/GlTestContext.h"

#include <cstring>
#include <dlfcn.h>
#include <link.h>

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

namespace orvextest {

// GL calls live in GlTestGlew.cpp: GLEW's header may not meet Qt's GL headers.
bool initGlewForTest(int width, int height);
unsigned readPixelRgb(int x, int y);

void pinGlDriver() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libGLX_mesa") ||
                         std::strstr(name, "libgallium") || std::strstr(name, "libLLVM")))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

GlTestContext::GlTestContext(int width, int height) : width_(width), height_(height) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);
    window_ = std::make_unique<QWindow>();
    window_->setSurfaceType(QWindow::OpenGLSurface);
    window_->setFormat(format);
    window_->resize(width, height);
    window_->create();
    window_->show();
    context_ = std::make_unique<QOpenGLContext>();
    context_->setFormat(format);
    if (!context_->create() || !context_->makeCurrent(window_.get()))
        return;
    pinGlDriver();
    valid_ = initGlewForTest(width, height);
}

GlTestContext::~GlTestContext() {
    if (context_)
        context_->doneCurrent();
}

void GlTestContext::makeCurrent() {
    context_->makeCurrent(window_.get());
}

void GlTestContext::doneCurrent() {
    context_->doneCurrent();
}

unsigned GlTestContext::readPixel(int x, int y) const {
    return readPixelRgb(x, y);
}

} // namespace orvextest
