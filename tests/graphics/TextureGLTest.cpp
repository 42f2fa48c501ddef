// Textures with a GL context: uploads, sharing of GL names and their deletion.
#include <gtest/gtest.h>

#include <GL/glew.h>

#include "graphics/Texture.h"
#include "support/GlTestContext.h"

#include "ImageFixtures.h"

namespace {

class TextureGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        Texture::deleteAll();
        Texture::setSharing(1);
    }
    void TearDown() override {
        gl.makeCurrent();
        Texture::deleteAll();
        Texture::setSharing(0);
    }
    std::string picture(const std::string& name, int w, int h, int planes,
                        int (*value)(int, int, int)) {
        const std::string path = dir.file(name);
        fixtures::writeFile(path, fixtures::makeSgi(w, h, planes, value));
        return path;
    }
    static int gradient(int x, int y, int z) { return (x + y + z) & 255; }
    static int red(int, int, int z) { return z == 0 ? 255 : 0; }

    orvextest::GlTestContext gl{64, 64};
    orvextest::TempDir dir;
};

GLint levelSize(GLenum which) {
    GLint v = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &v);
    return v;
}

} // namespace

TEST_F(TextureGLTest, SharedTexturesAreDeletedWithTheirLastUser) {
    const std::string file = picture("shared.rgb", 16, 16, 3, gradient);
    auto first = std::make_unique<Texture>();
    auto second = std::make_unique<Texture>();
    ASSERT_EQ(first->load(file, 0), 1);
    ASSERT_EQ(second->load(file, 0), 1);
    const GLuint name = first->getGLName();
    ASSERT_NE(name, 0u);
    EXPECT_EQ(second->getGLName(), name);
    EXPECT_EQ(Texture::getRegistry()[0].useCount, 1);

    first.reset();
    EXPECT_TRUE(glIsTexture(name));
    second.reset();
    EXPECT_FALSE(glIsTexture(name));
}

TEST_F(TextureGLTest, ReloadingReleasesThePreviousPicture) {
    const std::string a = picture("a.rgb", 16, 16, 3, gradient);
    const std::string b = picture("b.rgb", 16, 16, 3, red);
    Texture texture;
    ASSERT_EQ(texture.load(a, 0), 1);
    const GLuint first = texture.getGLName();
    ASSERT_EQ(texture.load(a, 1), 1); // forced: new GL texture, old one freed
    const GLuint second = texture.getGLName();
    EXPECT_NE(second, first);
    EXPECT_FALSE(glIsTexture(first));
    EXPECT_EQ(Texture::getRegistry().size(), 2u);

    ASSERT_EQ(texture.load(b, 0), 1); // another file into the same texture
    EXPECT_FALSE(glIsTexture(second));
    EXPECT_TRUE(glIsTexture(texture.getGLName()));

    Texture::setSharing(0);
    Texture own;
    ASSERT_EQ(own.load(a, 0), 1);
    const GLuint ownName = own.getGLName();
    ASSERT_EQ(own.load(b, 0), 1);
    EXPECT_FALSE(glIsTexture(ownName));
    EXPECT_EQ(Texture::getRegistry().size(), 3u); // nothing registered without sharing
}

TEST_F(TextureGLTest, PicturesUploadAtPowerOfTwoSizes) {
    Texture texture;
    ASSERT_EQ(texture.load(picture("odd.rgb", 300, 200, 3, gradient), 0), 1);
    texture.enable();
    EXPECT_EQ(levelSize(GL_TEXTURE_WIDTH), 256);
    EXPECT_EQ(levelSize(GL_TEXTURE_HEIGHT), 128);
    texture.disable();

    Texture mipmapped;
    mipmapped.setMipmap(1);
    ASSERT_EQ(mipmapped.load(picture("mip.rgb", 40, 20, 4, gradient), 0), 1);
    mipmapped.enable();
    EXPECT_TRUE(glIsEnabled(GL_BLEND)); // RGBA
    GLint lastLevel = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 5, GL_TEXTURE_WIDTH, &lastLevel);
    EXPECT_EQ(lastLevel, 1); // 32x16 down to 1x1
    mipmapped.disable();
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureGLTest, LoadsMadeWithoutAContextUploadWhenOneIsCurrent) {
    const std::string file = picture("red.rgb", 16, 16, 3, red);
    Texture texture;
    gl.doneCurrent();
    ASSERT_EQ(texture.load(file, 0), 1);
    texture.setFilter(GL_LINEAR, GL_LINEAR);
    EXPECT_EQ(texture.getGLName(), 0u);
    gl.makeCurrent();

    texture.enable();
    ASSERT_NE(texture.getGLName(), 0u);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);

    // Drawn over the whole view, the texture shows its colour.
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(-1, -1);
    glTexCoord2f(1, 0);
    glVertex2f(1, -1);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(-1, 1);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    texture.disable();
    glFinish();
    EXPECT_EQ(gl.readPixel(32, 32), 0xff0000u);
}

TEST_F(TextureGLTest, DeleteAllFreesEveryRegisteredTexture) {
    Texture a, b;
    ASSERT_EQ(a.load(picture("a.rgb", 8, 8, 1, gradient), 0), 1);
    ASSERT_EQ(b.load(picture("b.rgb", 8, 8, 2, gradient), 0), 1);
    const GLuint na = a.getGLName(), nb = b.getGLName();
    Texture::deleteAll();
    EXPECT_FALSE(glIsTexture(na));
    EXPECT_FALSE(glIsTexture(nb));
    EXPECT_TRUE(Texture::getRegistry().empty());
}
