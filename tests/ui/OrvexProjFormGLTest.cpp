// The GL window moving between its three places (a window of its own, a pane
// of the control window, full screen) with a real GL view inside. Moving the
// window, not the view, keeps the view's native window and context: the view
// is initialised once and its GL objects (textures, display lists) stay, so
// the engine inside loses nothing on the way.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QGLWidget>
#include <QSplitter>
#include <QTest>

#include "app/OrvexMainForm.h"
#include "support/FakeEngine.h"
#include "support/GlTestContext.h"
#include "support/SettingsSandbox.h"
#include "ui/OrvexMediaForm.h"
#include "ui/OrvexProjForm.h"

namespace {

class CountingView : public QGLWidget {
public:
    int initializations = 0;
    int paints = 0;
    GLuint texture = 0;

    // Whether the texture made at the first initialisation still names one in
    // the current context.
    bool textureSurvives() {
        makeCurrent();
        return texture != 0 && glIsTexture(texture) == GL_TRUE;
    }

protected:
    void initializeGL() override {
        ++initializations;
        if (initializations == 1) {
            glGenTextures(1, &texture);
            glBindTexture(GL_TEXTURE_2D, texture);
            const unsigned char pixel[4] = {255, 0, 0, 255};
            glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
        }
        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    }
    void paintGL() override {
        ++paints;
        glClear(GL_COLOR_BUFFER_BIT);
    }
};

void settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QTest::qWait(20);
    }
}

} // namespace

TEST(OrvexProjFormGL, TheViewKeepsDrawingWhereverTheWindowGoes) {
    orvextest::SettingsSandbox sandbox;
    orvextest::FakeEngine engine;
    auto* view = new CountingView;
    OrvexProjForm projForm(view, &engine);
    OrvexMediaForm mediaForm;
    OrvexMainForm mainForm;
    mainForm.setForms(&projForm, &mediaForm);
    mainForm.show();
    projForm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&projForm));
    settle();
    orvextest::pinGlDriver();
    ASSERT_TRUE(view->isValid());
    EXPECT_EQ(view->initializations, 1);

    const int before = view->paints;
    mainForm.viewEmbedAction->setChecked(true);
    mainForm.viewEmbed();
    ASSERT_TRUE(mainForm.isEmbedded());
    settle();
    view->updateGL();
    EXPECT_TRUE(view->isValid());
    EXPECT_GT(view->paints, before);
    const int afterEmbed = view->initializations;
    const bool textureAfterEmbed = view->textureSurvives();

    mainForm.viewNormalAction->setChecked(true);
    mainForm.viewNormal();
    settle();
    view->updateGL();
    EXPECT_TRUE(view->isValid());
    const int afterNormal = view->initializations;

    mainForm.viewFullScreen();
    settle();
    view->updateGL();
    EXPECT_TRUE(view->isValid());
    EXPECT_TRUE(projForm.isFullScreen());
    const int afterFullScreen = view->initializations;

    RecordProperty("initializeGL_after_embed", afterEmbed);
    RecordProperty("initializeGL_after_normal", afterNormal);
    RecordProperty("initializeGL_after_full_screen", afterFullScreen);
    RecordProperty("texture_survives_embed", textureAfterEmbed ? 1 : 0);
    std::printf("initializeGL runs: start 1, embedded %d, normal %d, full screen %d; "
                "first texture after embedding: %s\n",
                afterEmbed, afterNormal, afterFullScreen, textureAfterEmbed ? "kept" : "lost");
    EXPECT_EQ(afterEmbed, 1);
    EXPECT_EQ(afterNormal, 1);
    EXPECT_EQ(afterFullScreen, 1);
    EXPECT_TRUE(textureAfterEmbed);
    EXPECT_TRUE(view->textureSurvives());
}
