#include "HeadlessView.h"

#include <dlfcn.h>
#include <link.h>

#include <QBuffer>
#include <QGLFramebufferObject>
#include <QImage>
#include <cstring>

#include "platform/AtomicFile.h"

namespace {

// The driver stays loaded until the process ends: the toolkit unloads it with
// the application object, and the leak checker could then no longer tell
// which library the driver's own allocations came from.
void keepGlDriverLoaded() {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            const char* name = info->dlpi_name;
            if (name && (std::strstr(name, "_dri.so") || std::strstr(name, "libgallium")))
                dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace

HeadlessView::HeadlessView(int width, int height) {
    setRepaintTimer(false);
    setAutoBufferSwap(false);
    setAttribute(Qt::WA_DontShowOnScreen);
    resize(width, height);
    // Showing makes the GL context; the window is never mapped, so no paint
    // starts OpenGL: it starts here.
    show();
    if (!isValid())
        return;
    if (!getRoot())
        glInit();
    makeCurrent();
    target = std::make_unique<QGLFramebufferObject>(width, height, QGLFramebufferObject::Depth);
    if (!target->isValid()) {
        target.reset();
        return;
    }
    resizeGL(width, height);
    keepGlDriverLoaded();
}

HeadlessView::~HeadlessView() {
    makeCurrent();
    target.reset();
}

void HeadlessView::frame(unsigned elapsedMs) {
    setFixedFrameMs(int(elapsedMs));
    makeCurrent();
    // The binding stays while the paint runs in the same context.
    target->bind();
    updateGL();
    ++frameCount;
}

bool HeadlessView::savePicture(const std::string& path) {
    if (frameCount == 0)
        return false;
    makeCurrent();
    const QImage picture = target->toImage().convertToFormat(QImage::Format_RGB32);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return !picture.isNull() && picture.save(&buffer, "PNG") &&
           platform::writeFileAtomically(path, png.toStdString());
}
