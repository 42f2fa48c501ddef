// Image: format recognition, scaling and power-of-two rounding.
#include <gtest/gtest.h>

#include <GL/glew.h>
#include <unistd.h>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "support/TestEnv.h"

#include "ImageFixtures.h"

namespace {

// An image of the given size from a SGI file (the simplest lossless format here).
Image makeImage(const orvextest::TempDir& dir, int w, int h, int z, int (*plane)(int, int, int)) {
    const std::string path = dir.file("made.rgb");
    fixtures::writeFile(path, fixtures::makeSgi(w, h, z, plane));
    return Image(path.c_str());
}

} // namespace

TEST(ImageTest, PowerOfTwoRoundsEachSideDown) {
    EXPECT_EQ(powerOfTwoBelow(600), 512);
    EXPECT_EQ(powerOfTwoBelow(300), 256);
    EXPECT_EQ(powerOfTwoBelow(256), 256);
    EXPECT_EQ(powerOfTwoBelow(8192), 4096);
    EXPECT_EQ(powerOfTwoBelow(16), 16);
    EXPECT_EQ(powerOfTwoBelow(15), 8);
    EXPECT_EQ(powerOfTwoBelow(5), 8);

    orvextest::TempDir dir;
    Image image =
        makeImage(dir, 600, 300, 3, [](int x, int y, int z) { return (x + y + z) & 255; });
    ASSERT_TRUE(image.hasPixels());
    image.makePowerOfTwo();
    EXPECT_EQ(image.getWidth(), 512);
    EXPECT_EQ(image.getHeight(), 256);
    EXPECT_EQ(image.getComponents(), 3);

    Image small = makeImage(dir, 5, 5, 1, [](int, int, int) { return 99; });
    small.makePowerOfTwo();
    EXPECT_EQ(small.getWidth(), 8);
    EXPECT_EQ(small.getHeight(), 8);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(small.getPixels()[i], 99);

    Image square = makeImage(dir, 256, 256, 1, [](int x, int, int) { return x; });
    const unsigned char* before = square.getPixels();
    square.makePowerOfTwo();
    EXPECT_EQ(square.getPixels(), before); // left alone
}

TEST(ImageTest, ScalingAveragesTheCoveredArea) {
    orvextest::TempDir dir;
    // Columns alternate 0 and 200: halving the width gives 100 everywhere.
    Image image = makeImage(dir, 8, 4, 2, [](int x, int, int z) { return z ? 50 : (x & 1) * 200; });
    image.scale(4, 2);
    ASSERT_EQ(image.getWidth(), 4);
    ASSERT_EQ(image.getHeight(), 2);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(image.getPixels()[2 * i], 100);
        EXPECT_EQ(image.getPixels()[2 * i + 1], 50);
    }
    // A horizontal ramp keeps its order and ends when shrunk by a non-integer factor.
    Image ramp = makeImage(dir, 300, 3, 1, [](int x, int, int) { return x * 255 / 299; });
    ramp.scale(256, 2);
    for (int x = 1; x < 256; ++x)
        ASSERT_LE(ramp.getPixels()[x - 1], ramp.getPixels()[x]);
    EXPECT_LE(ramp.getPixels()[0], 1);
    EXPECT_GE(ramp.getPixels()[255], 254);

    Image empty;
    empty.scale(16, 16);
    EXPECT_FALSE(empty.hasPixels());
    image.scale(0, 4);
    EXPECT_EQ(image.getWidth(), 4);
}

TEST(ImageTest, GlDescriptionFollowsTheComponents) {
    orvextest::TempDir dir;
    const GLenum formats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA};
    for (int z = 1; z <= 4; ++z) {
        Image image = makeImage(dir, 2, 2, z, [](int, int, int) { return 1; });
        EXPECT_EQ(image.getGLFormat(), formats[z - 1]);
        EXPECT_EQ(image.getGLType(), GLenum(GL_UNSIGNED_BYTE));
    }
}

TEST(ImageTest, UnreadableFilesLeaveNoPixelsButKeepTheName) {
    orvextest::TempDir dir;
    LogCapture log;
    Image image;
    EXPECT_EQ(image.load(dir.file("missing.png"), 0), 0);
    EXPECT_TRUE(log.contains("Can't open image file"));
    EXPECT_EQ(image.getFileName(), dir.file("missing.png"));
    EXPECT_EQ(image.load("/dev/zero", 0), 0);
    EXPECT_TRUE(log.contains("/dev/zero. Not a regular file (a character device)."));

    fixtures::writeFile(dir.file("short"), {'B', 'M'});
    EXPECT_EQ(image.load(dir.file("short"), 0), 0);
    fixtures::writeFile(dir.file("text.txt"), {'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(image.load(dir.file("text.txt"), 0), 0);
    EXPECT_TRUE(log.contains("unknown format"));
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.getWidth(), 0);
    EXPECT_EQ(image.getComponents(), 0);

    // A good load followed by a failed one leaves nothing of the first.
    image.load(orvextest::dataPath("images/pil-rgb.png"), 0);
    ASSERT_TRUE(image.hasPixels());
    EXPECT_EQ(image.load(dir.file("text.txt"), 0), 0);
    EXPECT_FALSE(image.hasPixels());
    EXPECT_EQ(image.getHeight(), 0);
}

// Picture files read whole are refused when longer than any picture the
// decoders take (here 6 GB, made sparse), before anything is read.
TEST(ImageTest, FilesLongerThanAnyPictureAreRefused) {
    orvextest::TempDir dir;
    LogCapture log;
    for (const char* name : {"huge.bmp", "huge.rgb"}) {
        const std::string path = dir.file(name);
        const bool bmp = std::string(name).find("bmp") != std::string::npos;
        fixtures::writeFile(path, bmp ? std::vector<unsigned char>{'B', 'M', 0, 0}
                                      : std::vector<unsigned char>{0x01, 0xDA, 0x01, 0x01});
        ASSERT_EQ(::truncate(path.c_str(), 6LL << 30), 0);
        Image image;
        EXPECT_EQ(image.load(path, 0), 0);
        EXPECT_TRUE(log.contains("Image file " + path +
                                 " is longer than 537919488 bytes; it is "
                                 "not read."));
    }
}
