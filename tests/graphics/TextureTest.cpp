// Textures without a GL context: loads decode and register, GL work waits.
#include <gtest/gtest.h>

#include "graphics/Texture.h"

#include "ImageFixtures.h"

namespace {

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        Texture::deleteAll();
        Texture::setSharing(0);
    }
    void TearDown() override {
        Texture::deleteAll();
        Texture::setSharing(0);
    }
    std::string picture(const std::string& name, int w, int h, int planes) {
        const std::string path = dir.file(name);
        fixtures::writeFile(path, fixtures::makeSgi(w, h, planes, [](int x, int y, int z) {
                                return (x + y + z) & 255;
                            }));
        return path;
    }
    orvextest::TempDir dir;
};

} // namespace

TEST_F(TextureTest, LoadsDecodeAndRecordWithoutAContext) {
    Texture texture;
    EXPECT_EQ(texture.isLoaded(), 0);
    const std::string rgba = picture("a.rgb", 300, 200, 4);
    ASSERT_EQ(texture.load(rgba, 0), 1);
    EXPECT_EQ(texture.isLoaded(), 1);
    EXPECT_EQ(texture.getHasAlpha(), 1);
    EXPECT_EQ(texture.getWidth(), 256);
    EXPECT_EQ(texture.getHeight(), 128);
    EXPECT_EQ(texture.getGLName(), 0u);  // nothing uploaded yet
    texture.setFilter(9729.0f, 9729.0f); // recorded, no GL call
    texture.enable();
    texture.disable();

    ASSERT_EQ(texture.load(picture("b.rgb", 16, 16, 3), 0), 1);
    EXPECT_EQ(texture.getHasAlpha(), 0);

    LogCapture log;
    EXPECT_EQ(texture.load(dir.file("missing.png"), 0), 0);
    EXPECT_EQ(texture.isLoaded(), 0);
    EXPECT_EQ(texture.getName(), dir.file("missing.png"));
    EXPECT_EQ(texture.getWidth(), 0);
}

TEST_F(TextureTest, SharingRegistersByNameWithUseCounts) {
    const std::string file = picture("shared.rgb", 32, 32, 3);
    {
        Texture::setSharing(1);
        Texture first;
        Texture second;
        ASSERT_EQ(first.load(file, 0), 1);
        ASSERT_EQ(second.load(file, 0), 1);
        auto registry = Texture::getRegistry();
        ASSERT_EQ(registry.size(), 1u);
        EXPECT_EQ(registry[0].name, file);
        EXPECT_EQ(registry[0].useCount, 1);

        EXPECT_EQ(second.load(file, 0), 1); // same name again: nothing happens
        EXPECT_EQ(Texture::getRegistry()[0].useCount, 1);

        EXPECT_EQ(second.load(file, 1), 1); // forced: a second entry, the first share given up
        registry = Texture::getRegistry();
        ASSERT_EQ(registry.size(), 2u);
        EXPECT_EQ(registry[0].useCount, 0);
        EXPECT_EQ(registry[1].useCount, 0);
    }
    // Both users gone: the slots are cleared but kept.
    auto registry = Texture::getRegistry();
    ASSERT_EQ(registry.size(), 2u);
    EXPECT_TRUE(registry[0].name.empty());
    EXPECT_TRUE(registry[1].name.empty());

    Texture::deleteAll();
    EXPECT_TRUE(Texture::getRegistry().empty());
}

TEST_F(TextureTest, WithoutSharingNothingIsRegistered) {
    const std::string file = picture("own.rgb", 8, 8, 1);
    Texture a, b;
    ASSERT_EQ(a.load(file, 0), 1);
    ASSERT_EQ(b.load(file, 0), 1);
    EXPECT_TRUE(Texture::getRegistry().empty());
}
