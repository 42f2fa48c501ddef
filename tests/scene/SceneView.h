// The whole engine as the program builds it (the application root, its
// configuration, the GL state it sets, every command class) in the command
// driver's hidden view, on the scene tests' data set (tests/data/scene)
// copied into a scratch directory, or on a data set a test prepared in the
// working directory. Tests run command lines and frames and read the
// picture back, to compare it with what the sky and the globe are.
#pragma once

#include <GL/glew.h>

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <memory>
#include <string>

#include "HeadlessView.h"
#include "platform/CurrentDirGuard.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

namespace orvextest {

class SceneView {
public:
    explicit SceneView(int width = 320, int height = 240) {
        dir_ = std::make_unique<TempDir>();
        std::filesystem::copy(dataPath("scene"), dir_->path(),
                              std::filesystem::copy_options::recursive);
        guard_.change(dir_->path());
        start(width, height);
    }
    // On the data set in the working directory (a ShippedDataCopy, say).
    struct WorkingDirectory {};
    SceneView(WorkingDirectory, int width, int height) { start(width, height); }

    bool started() const { return view_->started(); }
    Orvex* root() const { return view_->getRoot(); }
    std::string path() const {
        return dir_ ? dir_->path() : std::filesystem::current_path().string();
    }
    // A line as a scenario line: false when it was refused.
    bool run(const std::string& line) { return root()->processScenarioLine(line) != 0; }
    std::string query(const std::string& name) { return root()->getCommandValue(name); }
    // Frames of 33 ms, each the program's frame step and drawing.
    void frames(int count) {
        for (int i = 0; i < count; ++i)
            view_->frame(33);
    }
    // Frames until the camera's move is over (at most ten seconds of them),
    // then one more, so the picture shows where it came to rest.
    void settle() {
        for (int i = 0; i < 300 && query("Camera.Animating") != " 0"; ++i)
            frames(1);
        frames(2);
    }
    // The last frame as it lies in the frame buffer (top row first).
    QImage picture() {
        view_->makeCurrent();
        // The hidden view draws into its own frame buffer, which stays bound
        // after the frame; the window's own buffer holds no picture.
        GLint framebuffer = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &framebuffer);
        if (framebuffer == 0)
            ADD_FAILURE() << "the hidden view's frame buffer is not bound after the frame";
        GLint viewport[4] = {0, 0, 0, 0};
        glGetIntegerv(GL_VIEWPORT, viewport);
        QImage image(viewport[2], viewport[3], QImage::Format_RGB888);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (int y = 0; y < image.height(); ++y)
            glReadPixels(0, image.height() - 1 - y, image.width(), 1, GL_RGB, GL_UNSIGNED_BYTE,
                         image.scanLine(y));
        return image;
    }

private:
    void start(int width, int height) {
        view_ = std::make_unique<HeadlessView>(width, height);
        pinGlDriver();
    }

    std::unique_ptr<TempDir> dir_;
    platform::CurrentDirGuard guard_;
    std::unique_ptr<HeadlessView> view_;
};

} // namespace orvextest
