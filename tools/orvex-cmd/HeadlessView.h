// The engine's GL view for the command driver: never shown on the screen (it
// still needs a display, such as Xvfb, for its GL context), drawing W by H
// pixels into a frame buffer of its own, with frames that run only when
// asked, each of a given length, and the last frame's picture kept until it
// is saved.
#pragma once

#include <memory>
#include <string>

#include "engine/Orvex.h"
#include "engine/OrvexGL.h"

class QGLFramebufferObject;

class HeadlessView : public OrvexGL {
public:
    // Starts OpenGL, and with it the engine on the working directory. Needs
    // the application object.
    HeadlessView(int width, int height);
    ~HeadlessView() override;

    // Whether OpenGL, and so the engine, started.
    bool started() const { return getRoot() != nullptr && target != nullptr; }
    // Runs and draws one frame of elapsedMs milliseconds.
    void frame(unsigned elapsedMs);
    int getFrameCount() const { return frameCount; }
    // The last frame as a PNG file; false before the first frame or when the
    // file cannot be written.
    bool savePicture(const std::string& path);

private:
    // The picture: a window that is never mapped has no pixels of its own.
    std::unique_ptr<QGLFramebufferObject> target;
    int frameCount = 0;
};
