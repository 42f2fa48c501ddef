// The engine's GL view for the command driver: W by H pixels, never shown on
// the screen (it still needs a display, such as Xvfb), with frames that run
// only when asked, each of a given length, and the last frame's picture kept
// in the back buffer until it is saved.
#pragma once

#include <string>

#include "engine/Orvex.h"
#include "engine/OrvexGL.h"

class HeadlessView : public OrvexGL {
public:
    // Starts OpenGL, and with it the engine on the working directory. Needs
    // the application object.
    HeadlessView(int width, int height);

    // Whether OpenGL, and so the engine, started.
    bool started() const { return getRoot() != nullptr; }
    // Runs and draws one frame of elapsedMs milliseconds.
    void frame(unsigned elapsedMs);
    int getFrameCount() const { return frameCount; }
    // The last frame as a PNG file; false before the first frame or when the
    // file cannot be written.
    bool savePicture(const std::string& path);

private:
    int frameCount = 0;
};
