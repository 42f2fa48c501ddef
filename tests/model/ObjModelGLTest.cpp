// Spacecraft models drawn through their display list.
#include "model/ObjModel.h"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"

TEST(ObjModelGLTest, DrawsTheCubeFromOneList) {
    orvextest::GlTestContext gl(64, 64);
    ASSERT_TRUE(gl.isValid());
    LogCapture log;
    ObjModel model;
    ASSERT_TRUE(model.load(orvextest::dataPath("objects/cube.obj")));
    glViewport(0, 0, 64, 64);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    // The light looks down the z axis at the cube's top face.
    const float light[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glTranslatef(-0.5f, -0.5f, 0.0f);

    EXPECT_EQ(model.getList(), 0u);
    model.draw();
    const unsigned list = model.getList();
    EXPECT_NE(list, 0u);
    model.draw();
    EXPECT_EQ(model.getList(), list); // compiled once
    glFinish();
    const unsigned centre = gl.readPixel(32, 32);
    EXPECT_NE(centre & 0xffffff, 0u);
    // The top is grey: red, green and blue alike.
    EXPECT_EQ((centre >> 16) & 0xff, centre & 0xff);
    EXPECT_EQ(gl.readPixel(2, 2) & 0xffffff, 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    model.releaseList();
    EXPECT_EQ(model.getList(), 0u);
    EXPECT_FALSE(glIsList(list));
    EXPECT_TRUE(log.messages().empty());
}
