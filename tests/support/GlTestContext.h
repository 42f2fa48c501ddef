// A visible GL window with a current compatibility context, for tests that
// draw and read pixels back. Needs a display (the gl tests run under Xvfb).
#pragma once

#include <memory>

class QWindow;
class QOpenGLContext;

namespace orvextest {

// Keeps the GL driver loaded until exit, so that LeakSanitizer can name the
// driver's own allocations (and the suppressions match them) after Qt unloads it.
void pinGlDriver();

class GlTestContext {
public:
    GlTestContext(int width = 64, int height = 64);
    ~GlTestContext();
    GlTestContext(const GlTestContext&) = delete;
    GlTestContext& operator=(const GlTestContext&) = delete;

    bool isValid() const { return valid_; }
    void makeCurrent();
    // Leaves the thread with no current context (code that must cope without one).
    void doneCurrent();
    int width() const { return width_; }
    int height() const { return height_; }
    // RGB of one pixel of the back buffer, origin at the bottom left as in GL.
    unsigned readPixel(int x, int y) const;

private:
    int width_;
    int height_;
    bool valid_ = false;
    std::unique_ptr<QWindow> window_;
    std::unique_ptr<QOpenGLContext> context_;
};

} // namespace orvextest
