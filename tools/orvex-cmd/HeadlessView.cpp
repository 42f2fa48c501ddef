#include "HeadlessView.h"

#include <dlfcn.h>
#include <link.h>

#include <QImage>
#include <cstring>

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
    // Nothing swaps the buffers, so the back buffer holds the last frame.
    setAutoBufferSwap(false);
    setAttribute(Qt::WA_DontShowOnScreen);
    resize(width, height);
    // Showing makes the GL context and runs initializeGL and resizeGL.
    show();
    if (isValid() && !getRoot())
        glInit();
    keepGlDriverLoaded();
}

void HeadlessView::frame(unsigned elapsedMs) {
    setFixedFrameMs(int(elapsedMs));
    updateGL();
    ++frameCount;
}

bool HeadlessView::savePicture(const std::string& path) {
    if (frameCount == 0)
        return false;
    makeCurrent();
    const QImage picture = grabFrameBuffer(false);
    return !picture.isNull() && picture.save(QString::fromLocal8Bit(path.c_str()), "PNG");
}
