// SGI RGB decoding: one to four planes, row order, and damaged run tables.
#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "graphics/ImageDecoders.h"
#include "support/TestEnv.h"

#include "ImageFixtures.h"

using fixtures::Bytes;

namespace {

int plane(int x, int y, int z) {
    // Repeats along x make the encoder use both run kinds.
    return z == 3 ? fixtures::alpha(x, y) : x < 4 ? 7 * z + y : fixtures::rgb(x, y)[z % 3];
}

using SgiTest = fixtures::ImageFileTest;

} // namespace

TEST_F(SgiTest, EveryPlaneCountInterleavesTopRowFirst) {
    for (int z = 1; z <= 4; ++z) {
        ASSERT_EQ(loadBytes(fixtures::makeSgi(9, 5, z, plane)), 1) << z;
        ASSERT_EQ(image.getWidth(), 9);
        ASSERT_EQ(image.getHeight(), 5);
        ASSERT_EQ(image.getComponents(), z);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 9; ++x)
                for (int c = 0; c < z; ++c)
                    ASSERT_EQ(image.getPixels()[(y * 9 + x) * z + c], plane(x, y, c))
                        << z << ": " << x << "," << y << "," << c;
    }
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(SgiTest, FlipPutsTheBottomRowFirst) {
    const std::string path = dir.file("flip.rgb");
    fixtures::writeFile(path, fixtures::makeSgi(6, 4, 3, plane));
    int w, h, c;
    const auto pixels = readRGB(path, w, h, c, 1);
    ASSERT_EQ(pixels.size(), size_t(6 * 4 * 3));
    for (int x = 0; x < 6; ++x)
        EXPECT_EQ(pixels[x * 3 + 1], plane(x, 3, 1));
}

TEST_F(SgiTest, VerbatimStorageDecodesButIsNotRecognisedByLoad) {
    const std::string path = dir.file("verbatim.rgb");
    fixtures::writeFile(path, fixtures::makeSgi(5, 3, 3, plane, false));
    int w, h, c;
    const auto pixels = readRGB(path, w, h, c, 0);
    ASSERT_EQ(pixels.size(), size_t(5 * 3 * 3));
    EXPECT_EQ(pixels[(2 * 5 + 4) * 3 + 2], plane(4, 2, 2));
    EXPECT_EQ(image.load(path, 0), 0);
}

TEST_F(SgiTest, DamagedTablesAndHeadersFail) {
    const Bytes good = fixtures::makeSgi(8, 4, 3, plane);
    ASSERT_EQ(loadBytes(good), 1);

    EXPECT_EQ(loadBytes(Bytes(good.begin(), good.begin() + 60)), 0);
    EXPECT_TRUE(log.contains("appears truncated"));
    EXPECT_EQ(loadBytes(Bytes(good.begin(), good.begin() + 530)), 0); // inside the table
    EXPECT_EQ(loadBytes(Bytes(good.begin(), good.end() - 3)), 0);     // last row cut

    Bytes badOffset = good;
    badOffset[512] = 0x7F; // first row starts far beyond the end
    EXPECT_EQ(loadBytes(badOffset), 0);
    Bytes badLength = good;
    badLength[512 + 12 * 4] = 0x10; // first row's length runs past the end
    EXPECT_EQ(loadBytes(badLength), 0);

    for (int zsize : {0, 5}) {
        Bytes planes = good;
        planes[10] = 0;
        planes[11] = static_cast<unsigned char>(zsize);
        EXPECT_EQ(loadBytes(planes), 0);
        EXPECT_FALSE(image.hasPixels());
    }
    EXPECT_TRUE(log.contains("is not supported"));
}

TEST_F(SgiTest, RunsLongerThanTheRowAreClipped) {
    Bytes file = fixtures::makeSgi(4, 1, 1, [](int, int, int) { return 0; });
    // Point the only row at a run of 127 repeats followed by a 127-byte literal.
    const uint32_t start = uint32_t(file.size());
    file.insert(file.end(), {127, 9, 0x80 | 127});
    file.insert(file.end(), 127, 5);
    file.push_back(0);
    const uint32_t length = uint32_t(file.size() - start);
    for (int i = 0; i < 4; ++i) {
        file[512 + i] = static_cast<unsigned char>(start >> (24 - 8 * i));
        file[516 + i] = static_cast<unsigned char>(length >> (24 - 8 * i));
    }
    ASSERT_EQ(loadBytes(file), 1);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(image.getPixels()[x], 9);
}
