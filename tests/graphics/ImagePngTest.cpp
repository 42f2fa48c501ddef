// PNG decoding through libpng: every colour type and bit depth, transparency,
// interlacing, and damaged files.
#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "support/TestEnv.h"

#include "ImageFixtures.h"

using fixtures::Bytes;
using fixtures::Png;

namespace {

using fixtures::at;

class PngTest : public fixtures::ImageFileTest {
protected:
    int load(const Png& png) {
        const std::string path = dir.file("test.png");
        EXPECT_TRUE(fixtures::writePng(path, png));
        return image.load(path, 0);
    }
};

Png greyPng(int bitDepth, int w = 11, int h = 3) {
    Png png;
    png.width = w;
    png.height = h;
    png.colorType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = bitDepth;
    const unsigned levels = (1u << bitDepth) - 1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            png.samples.push_back(unsigned(x + 2 * y) % (levels + 1));
    return png;
}

} // namespace

TEST_F(PngTest, ThirdPartyFilesOfEveryColourTypeDecode) {
    auto load = [&](const char* name) {
        return image.load(orvextest::dataPath(std::string("images/") + name), 0);
    };
    ASSERT_EQ(load("pil-grey8.png"), 1);
    EXPECT_EQ(image.getComponents(), 1);
    EXPECT_EQ(at(image, 12, 6), fixtures::grey(12, 6)); // first memory row is the top

    ASSERT_EQ(load("pil-grey16.png"), 1);
    EXPECT_EQ(image.getComponents(), 1);
    EXPECT_EQ(at(image, 5, 2), (fixtures::grey(5, 2) * 257 + 99) >> 8); // the high byte

    ASSERT_EQ(load("pil-grey1.png"), 1);
    EXPECT_EQ(image.getComponents(), 1);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(at(image, x, y), (x + 2 * y) % 3 == 0 ? 255 : 0);

    ASSERT_EQ(load("pil-greyalpha.png"), 1);
    EXPECT_EQ(image.getComponents(), 2);
    EXPECT_EQ(at(image, 7, 3, 0), fixtures::grey(7, 3));
    EXPECT_EQ(at(image, 7, 3, 1), fixtures::alpha(7, 3));

    ASSERT_EQ(load("pil-rgb.png"), 1);
    EXPECT_EQ(image.getComponents(), 3);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), fixtures::rgb(x, y)[c]);

    ASSERT_EQ(load("pil-rgba.png"), 1);
    EXPECT_EQ(image.getComponents(), 4);
    EXPECT_EQ(at(image, 9, 4, 3), fixtures::alpha(9, 4));
    EXPECT_EQ(at(image, 9, 4, 2), fixtures::rgb(9, 4)[2]);

    const int pal[6][3] = {{0, 0, 0},   {255, 0, 0},   {0, 255, 0},
                           {0, 0, 255}, {255, 255, 0}, {10, 20, 30}};
    ASSERT_EQ(load("pil-pal.png"), 1); // 4-bit palette
    EXPECT_EQ(image.getComponents(), 3);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), pal[(x + 3 * y) % 6][c]);

    ASSERT_EQ(load("pil-pal-trns.png"), 1);
    EXPECT_EQ(image.getComponents(), 4);
    const int alphas[6] = {255, 128, 0, 255, 255, 7};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            ASSERT_EQ(at(image, x, y, 0), pal[(x + 3 * y) % 6][0]);
            ASSERT_EQ(at(image, x, y, 3), alphas[(x + 3 * y) % 6]);
        }
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(PngTest, LowBitGreyExpandsToFullRange) {
    for (int depth : {1, 2, 4}) {
        const Png png = greyPng(depth);
        ASSERT_EQ(load(png), 1) << depth;
        ASSERT_EQ(image.getComponents(), 1);
        const int levels = (1 << depth) - 1;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 11; ++x)
                ASSERT_EQ(at(image, x, y), int(png.samples[y * 11 + x]) * 255 / levels)
                    << depth << ": " << x << "," << y;
    }
}

TEST_F(PngTest, GreyWithTransparencyGivesGreyAndAlpha) {
    Png png = greyPng(8);
    png_color_16 key{};
    key.gray = 5;
    png.trnsColour = &key;
    ASSERT_EQ(load(png), 1);
    ASSERT_EQ(image.getComponents(), 2);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 11; ++x) {
            const int v = int(png.samples[y * 11 + x]);
            ASSERT_EQ(at(image, x, y, 0), v);
            ASSERT_EQ(at(image, x, y, 1), v == 5 ? 0 : 255);
        }

    png = greyPng(2); // low bit depth and transparency together
    key.gray = 3;
    png.trnsColour = &key;
    ASSERT_EQ(load(png), 1);
    ASSERT_EQ(image.getComponents(), 2);
    EXPECT_EQ(at(image, 3, 0, 0), 255);
    EXPECT_EQ(at(image, 3, 0, 1), 0);
    EXPECT_EQ(at(image, 2, 0, 0), 170);
    EXPECT_EQ(at(image, 2, 0, 1), 255);
}

TEST_F(PngTest, RgbTransparencySixteenBitsAndInterlacing) {
    Png png;
    png.width = 10;
    png.height = 9;
    png.colorType = PNG_COLOR_TYPE_RGB;
    png.bitDepth = 16;
    png.interlaced = true;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 10; ++x)
            for (int c = 0; c < 3; ++c)
                png.samples.push_back(fixtures::rgb(x, y)[c] * 256u + 77);
    png_color_16 key{};
    key.red = png.samples[0];
    key.green = png.samples[1];
    key.blue = png.samples[2];
    png.trnsColour = &key;
    ASSERT_EQ(load(png), 1);
    ASSERT_EQ(image.getComponents(), 4);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 10; ++x) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), fixtures::rgb(x, y)[c]) << x << "," << y;
            ASSERT_EQ(at(image, x, y, 3), x == 0 && y == 0 ? 0 : 255);
        }
}

TEST_F(PngTest, FlipPutsTheBottomRowFirst) {
    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-rgb.png"), 1), 1);
    EXPECT_EQ(at(image, 4, 0, 1), fixtures::rgb(4, 6)[1]);
}

TEST_F(PngTest, TruncatedAndCorruptFilesFail) {
    const Bytes good = fixtures::readFile(orvextest::dataPath("images/pil-rgb.png"));
    ASSERT_GT(good.size(), 60u);
    for (size_t cut : {size_t(10), size_t(30), good.size() / 2, good.size() - 13}) {
        EXPECT_EQ(loadBytes(Bytes(good.begin(), good.begin() + long(cut))), 0) << cut;
        EXPECT_FALSE(image.hasPixels());
    }
    Bytes crc = good;
    crc[29] ^= 0xFF; // IHDR checksum
    EXPECT_EQ(loadBytes(crc), 0);
    Bytes data = good;
    data[good.size() - 20] ^= 0x55; // inside the compressed data
    EXPECT_EQ(loadBytes(data), 0);
    EXPECT_TRUE(log.contains("PNG file"));

    Bytes reversed = good; // "GNP" order is recognised but is not a PNG
    std::swap(reversed[0], reversed[3]);
    std::swap(reversed[1], reversed[2]);
    reversed[0] = 'G';
    reversed[1] = 'N';
    reversed[2] = 'P';
    EXPECT_EQ(loadBytes(reversed), 0);
    EXPECT_TRUE(log.contains("is not a PNG file"));
}

TEST_F(PngTest, HugeDeclaredSizesAreRefused) {
    Png png = greyPng(8, 1, 1);
    const std::string path = dir.file("huge.png");
    ASSERT_TRUE(fixtures::writePng(path, png));
    Bytes bytes = fixtures::readFile(path);
    // IHDR width and height: 40000 x 40000, with a fresh checksum.
    for (int i : {16, 20}) {
        bytes[i] = 0;
        bytes[i + 1] = 0;
        bytes[i + 2] = 0x9C;
        bytes[i + 3] = 0x40;
    }
    fixtures::fixPngChecksums(bytes);
    EXPECT_EQ(loadBytes(bytes), 0);
}
