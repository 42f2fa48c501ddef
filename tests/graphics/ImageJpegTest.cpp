// JPEG decoding through libjpeg: grey, colour and progressive files, the JFIF
// marker the format is recognised by, and damaged files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "support/TestEnv.h"

#include "ImageFixtures.h"

using fixtures::Bytes;

namespace {

using fixtures::at;

// Largest difference from the expected gradient (JPEG is lossy).
template <class Expected> int worstError(const Image& image, Expected expected) {
    int worst = 0;
    for (int y = 0; y < image.getHeight(); ++y)
        for (int x = 0; x < image.getWidth(); ++x)
            for (int c = 0; c < image.getComponents(); ++c)
                worst = std::max(worst, std::abs(at(image, x, y, c) - expected(x, y, c)));
    return worst;
}

using JpegTest = fixtures::ImageFileTest;

} // namespace

TEST_F(JpegTest, ColourGreyAndProgressiveFilesDecode) {
    auto colour = [](int x, int y, int c) { return fixtures::smooth(x, y)[c]; };
    for (const char* name : {"pil-rgb.jpg", "pil-progressive.jpg"}) {
        ASSERT_EQ(image.load(orvextest::dataPath(std::string("images/") + name), 0), 1) << name;
        EXPECT_EQ(image.getWidth(), 13);
        EXPECT_EQ(image.getHeight(), 7);
        EXPECT_EQ(image.getComponents(), 3);
        EXPECT_LE(worstError(image, colour), 12) << name;
    }
    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-grey.jpg"), 0), 1);
    EXPECT_EQ(image.getComponents(), 1);
    EXPECT_LE(worstError(image, [](int x, int y, int) { return 50 + x * 8 + y * 5; }), 8);
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(JpegTest, FlipPutsTheBottomRowFirst) {
    const std::string path = orvextest::dataPath("images/pil-grey.jpg");
    ASSERT_EQ(image.load(path, 0), 1);
    const int topRowFirst = at(image, 3, 0);
    ASSERT_EQ(image.load(path, 1), 1);
    EXPECT_EQ(at(image, 3, 6), topRowFirst);
}

TEST_F(JpegTest, OnlyJfifFilesAreRecognised) {
    Bytes file = fixtures::readFile(orvextest::dataPath("images/pil-rgb.jpg"));
    ASSERT_EQ(loadBytes(file), 1);
    file[3] = 0xE1; // an EXIF marker where JFIF's APP0 stands
    EXPECT_EQ(loadBytes(file), 0);
    EXPECT_TRUE(log.contains("unknown format"));
}

TEST_F(JpegTest, TruncatedAndCorruptFilesFail) {
    const Bytes good = fixtures::readFile(orvextest::dataPath("images/pil-rgb.jpg"));
    for (size_t cut : {size_t(8), size_t(100), good.size() / 2, good.size() - 40}) {
        EXPECT_EQ(loadBytes(Bytes(good.begin(), good.begin() + long(cut))), 0) << cut;
        EXPECT_FALSE(image.hasPixels());
    }
    Bytes table = good;
    table[good.size() / 4] ^= 0xFF; // inside the quantisation or Huffman tables
    Bytes frame = good;
    for (size_t i = 0; i + 1 < frame.size(); ++i)
        if (frame[i] == 0xFF && frame[i + 1] == 0xC0) {
            frame[i + 9] = 7; // seven components
            break;
        }
    EXPECT_EQ(loadBytes(frame), 0);
    loadBytes(table); // may or may not decode, but must come back
    EXPECT_TRUE(log.contains("JPEG file"));
}

TEST_F(JpegTest, LargerPicturesRoundTrip) {
    const int w = 100, h = 37;
    Bytes pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int c = 0; c < 3; ++c)
                pixels.push_back(static_cast<unsigned char>((x + y + c * 40) & 255));
    const std::string path = dir.file("big.jpg");
    ASSERT_TRUE(fixtures::writeJpeg(path, w, h, 3, pixels, 98));
    ASSERT_EQ(image.load(path, 0), 1);
    EXPECT_EQ(image.getWidth(), w);
    EXPECT_EQ(image.getHeight(), h);
    EXPECT_LE(worstError(image, [&](int x, int y, int c) { return pixels[(y * w + x) * 3 + c]; }),
              40);
}
