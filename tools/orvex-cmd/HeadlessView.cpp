#include "HeadlessView.h"

#include <dlfcn.h>
#include <link.h>

#include <QBuffer>
#include <QGLFramebufferObject>
#include <QImage>
#include <cstring>

#include "engine/DisplayConfig.h"
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
    // The buffers of the program's window: depth, and stencil for the eye
    // mask of stencil stereo.
    target = std::make_unique<QGLFramebufferObject>(width, height,
                                                    QGLFramebufferObject::CombinedDepthStencil);
    if (!target->isValid()) {
        target.reset();
        return;
    }
    // The engine checked the hidden window's buffers; it draws into these.
    target->bind();
    DisplayConfig::instance().checkContext();
    target->release();
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
    // The colours as they are on the screen, as the program saves them: the
    // alpha that blending left in the frame buffer is no part of the picture.
    QImage picture(target->size(), QImage::Format_RGB888);
    target->bind();
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 4); // the image's rows are 4-byte aligned
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadPixels(0, 0, picture.width(), picture.height(), GL_RGB, GL_UNSIGNED_BYTE, picture.bits());
    glPopClientAttrib();
    target->release();
    picture = picture.mirrored(); // the frame buffer's rows run bottom up
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    return picture.save(&buffer, "PNG") && platform::writeFileAtomically(path, png.toStdString());
}
