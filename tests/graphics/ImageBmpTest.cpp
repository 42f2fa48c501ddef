// BMP decoding: every bit depth, RLE4 and RLE8, the header forms, top-down
// rows, colour maps, and damaged files.
#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "support/TestEnv.h"

#include "ImageFixtures.h"

using fixtures::Bmp;
using fixtures::Bytes;

namespace {

// BMP pixels arrive bottom row first; y here counts from the top.
int at(const Image& image, int x, int y, int channel = 0) {
    const int row = image.getHeight() - 1 - y;
    return image
        .getPixels()[(size_t(row) * image.getWidth() + x) * image.getComponents() + channel];
}

class BmpTest : public fixtures::ImageFileTest {
protected:
    int load(const Bmp& bmp) { return loadBytes(fixtures::makeBmp(bmp)); }
};

// A 4 x 3 picture with the bottom row first, as the file stores it.
std::vector<std::vector<int>> indicesBottomUp(int w, int h, int colours) {
    std::vector<std::vector<int>> rows;
    for (int r = 0; r < h; ++r) {
        std::vector<int> row;
        const int y = h - 1 - r;
        for (int x = 0; x < w; ++x)
            row.push_back((x + 3 * y) % colours);
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::array<unsigned char, 3>> colourPalette(int n) {
    std::vector<std::array<unsigned char, 3>> p;
    for (int i = 0; i < n; ++i)
        p.push_back({static_cast<unsigned char>(i * 10 + 1), static_cast<unsigned char>(i * 3),
                     static_cast<unsigned char>(255 - i)});
    return p;
}

} // namespace

TEST_F(BmpTest, ThirdPartyFilesOfEveryDepthDecode) {
    // Written by Pillow (tests/data/images/make-fixtures.py).
    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-1bit.bmp"), 0), 1);
    EXPECT_EQ(image.getComponents(), 1);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(at(image, x, y), (x + 2 * y) % 3 == 0 ? 255 : 0) << x << "," << y;

    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-grey8.bmp"), 0), 1);
    EXPECT_EQ(image.getComponents(), 1);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(at(image, x, y), fixtures::grey(x, y));

    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-pal8.bmp"), 0), 1);
    EXPECT_EQ(image.getComponents(), 3);
    const int pal[6][3] = {{0, 0, 0},   {255, 0, 0},   {0, 255, 0},
                           {0, 0, 255}, {255, 255, 0}, {10, 20, 30}};
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), pal[(x + 3 * y) % 6][c]);

    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-rgb24.bmp"), 0), 1);
    EXPECT_EQ(image.getComponents(), 3);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), fixtures::rgb(x, y)[c]);

    ASSERT_EQ(image.load(orvextest::dataPath("images/pil-rgba32.bmp"), 0), 1);
    EXPECT_EQ(image.getComponents(), 4);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 13; ++x) {
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), fixtures::rgb(x, y)[c]);
            ASSERT_EQ(at(image, x, y, 3), fixtures::alpha(x, y));
        }
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(BmpTest, FourBitRowsUnpackHighNibbleFirst) {
    Bmp bmp;
    bmp.width = 5;
    bmp.height = 3;
    bmp.bitCount = 4;
    bmp.palette = colourPalette(16);
    bmp.data = fixtures::packBmpRows(indicesBottomUp(5, 3, 16), 4);
    ASSERT_EQ(load(bmp), 1);
    EXPECT_EQ(image.getComponents(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(at(image, x, y, c), bmp.palette[(x + 3 * y) % 16][c]);
}

TEST_F(BmpTest, GreyMapsGiveOneComponentAndOneColourEntryGivesThree) {
    Bmp bmp;
    bmp.width = 4;
    bmp.height = 2;
    bmp.bitCount = 8;
    for (int i = 0; i < 4; ++i)
        bmp.palette.push_back({static_cast<unsigned char>(i * 60),
                               static_cast<unsigned char>(i * 60),
                               static_cast<unsigned char>(i * 60)});
    bmp.data = fixtures::packBmpRows({{0, 1, 2, 3}, {3, 2, 1, 0}}, 8);
    ASSERT_EQ(load(bmp), 1);
    ASSERT_EQ(image.getComponents(), 1);
    EXPECT_EQ(at(image, 0, 1), 0); // bottom row, first pixel
    EXPECT_EQ(at(image, 3, 1), 180);
    EXPECT_EQ(at(image, 0, 0), 180); // top row

    bmp.palette[2] = {120, 121, 120};
    ASSERT_EQ(load(bmp), 1);
    ASSERT_EQ(image.getComponents(), 3);
    EXPECT_EQ(at(image, 2, 1, 1), 121);
}

TEST_F(BmpTest, ThirtyTwoBitPixelsBecomeRgba) {
    Bmp bmp;
    bmp.width = 1;
    bmp.height = 1;
    bmp.bitCount = 32;
    bmp.data = {10, 20, 30, 40};
    ASSERT_EQ(load(bmp), 1);
    ASSERT_EQ(image.getComponents(), 4);
    EXPECT_EQ(std::vector<int>(image.getPixels(), image.getPixels() + 4),
              (std::vector<int>{30, 20, 10, 40}));
}

TEST_F(BmpTest, LongHeadersCoreHeaderAndTopDownRowsDecode) {
    auto rgbRows = [](int w, int h, bool topDown) {
        std::vector<std::vector<int>> rows;
        for (int r = 0; r < h; ++r) {
            const int y = topDown ? r : h - 1 - r;
            std::vector<int> row;
            for (int x = 0; x < w; ++x) {
                const auto p = fixtures::rgb(x, y);
                row.insert(row.end(), {p[2], p[1], p[0]});
            }
            rows.push_back(row);
        }
        return rows;
    };
    for (int headerSize : {40, 64, 108, 124}) {
        for (bool topDown : {false, true}) {
            Bmp bmp;
            bmp.headerSize = headerSize;
            bmp.width = 3;
            bmp.height = topDown ? -2 : 2;
            bmp.bitCount = 24;
            bmp.data = fixtures::packBmpRows(rgbRows(3, 2, topDown), 24);
            ASSERT_EQ(load(bmp), 1) << headerSize;
            ASSERT_EQ(image.getHeight(), 2);
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    for (int c = 0; c < 3; ++c)
                        ASSERT_EQ(at(image, x, y, c), fixtures::rgb(x, y)[c])
                            << headerSize << " " << topDown;
        }
    }

    Bmp core; // three-byte colour map entries
    core.headerSize = 12;
    core.width = 4;
    core.height = 3;
    core.bitCount = 8;
    core.palette = colourPalette(256);
    core.data = fixtures::packBmpRows(indicesBottomUp(4, 3, 7), 8);
    ASSERT_EQ(load(core), 1);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(at(image, x, y, 0), core.palette[(x + 3 * y) % 7][0]);
}

TEST_F(BmpTest, Rle8RunsAbsoluteRunsMovesAndEnds) {
    Bmp bmp;
    bmp.width = 6;
    bmp.height = 4;
    bmp.bitCount = 8;
    bmp.compression = 1;
    bmp.palette = colourPalette(10);
    bmp.data = {
        3, 5, 0, 3, 1, 2, 3, 0, 0, 0, // row 0: 5 5 5 then absolute 1 2 3 (+ pad), end of row
        0, 2, 2, 1,                   // move right 2, up 1: row 2, column 2
        2, 7, 0, 0,                   // 7 7, end of row
        6, 9, 0, 1,                   // row 3: six 9s, end of bitmap
    };
    ASSERT_EQ(load(bmp), 1);
    auto index = [&](int x, int fileRow) {
        const int red = at(image, x, 3 - fileRow, 0);
        return (red - 1) / 10;
    };
    const int expected[4][6] = {
        {5, 5, 5, 1, 2, 3}, {0, 0, 0, 0, 0, 0}, {0, 0, 7, 7, 0, 0}, {9, 9, 9, 9, 9, 9}};
    for (int r = 0; r < 4; ++r)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(index(x, r), expected[r][x]) << x << "," << r;
}

TEST_F(BmpTest, Rle4RunsAlternateNibblesAndPadAbsoluteRuns) {
    Bmp bmp;
    bmp.width = 8;
    bmp.height = 2;
    bmp.bitCount = 4;
    bmp.compression = 2;
    bmp.palette = colourPalette(16);
    bmp.data = {
        5, 0x12,                      // 1 2 1 2 1
        0, 3,    0x34, 0x50,          // absolute run of 3: 3 4 5 (two bytes, no pad)
        0, 0,                         // end of row
        0, 5,    0xAB, 0xCD, 0xE0, 0, // absolute run of 5: A B C D E (3 bytes + pad)
        0, 1,
    };
    ASSERT_EQ(load(bmp), 1);
    auto index = [&](int x, int fileRow) { return 255 - at(image, x, 1 - fileRow, 2); };
    const int expected[2][8] = {{1, 2, 1, 2, 1, 3, 4, 5}, {10, 11, 12, 13, 14, 0, 0, 0}};
    for (int r = 0; r < 2; ++r)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(index(x, r), expected[r][x]) << x << "," << r;
}

TEST_F(BmpTest, RunsAndMovesOutsideThePictureAreClipped) {
    Bmp bmp;
    bmp.width = 3;
    bmp.height = 2;
    bmp.bitCount = 8;
    bmp.compression = 1;
    bmp.palette = colourPalette(4);
    // An absolute run and a repeat run longer than the row, then a move far
    // beyond the picture.
    bmp.data = {0, 10, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 255, 2, 0, 2, 250, 250};
    ASSERT_EQ(load(bmp), 1);
    EXPECT_EQ(at(image, 2, 1, 0), 11);
    EXPECT_EQ(at(image, 2, 0, 0), 21);
}

TEST_F(BmpTest, ColourMapsLongerThanIndicesReachAreSkipped) {
    Bmp bmp;
    bmp.width = 3;
    bmp.height = 1;
    bmp.bitCount = 8;
    bmp.coloursUsed = 300;
    bmp.palette = colourPalette(300);
    bmp.data = fixtures::packBmpRows({{0, 255, 2}}, 8);
    ASSERT_EQ(load(bmp), 1);
    EXPECT_EQ(at(image, 1, 0, 0), bmp.palette[255][0]);

    bmp.coloursUsed = 2; // indices past the map read as black
    bmp.palette = colourPalette(2);
    bmp.data = fixtures::packBmpRows({{0, 200, 1}}, 8);
    ASSERT_EQ(load(bmp), 1);
    EXPECT_EQ(at(image, 1, 0, 0), 0);
    EXPECT_EQ(at(image, 2, 0, 0), bmp.palette[1][0]);
}

TEST_F(BmpTest, IllegalCombinationsAreRejected) {
    Bmp bmp;
    bmp.width = 2;
    bmp.height = 2;
    bmp.palette = colourPalette(16);
    bmp.data = Bytes(64, 0);
    bmp.bitCount = 4;
    bmp.compression = 1;
    EXPECT_EQ(load(bmp), 0);
    EXPECT_TRUE(log.contains("(bitCount=4, Compression=1)"));
    bmp.bitCount = 8;
    bmp.compression = 2;
    EXPECT_EQ(load(bmp), 0);
    EXPECT_TRUE(log.contains("(bitCount=8, Compression=2)"));
    bmp.bitCount = 16;
    bmp.compression = 0;
    EXPECT_EQ(load(bmp), 0);
    EXPECT_TRUE(log.contains("Illegal BMP file"));
    bmp.bitCount = 24;
    bmp.width = 40000;
    EXPECT_EQ(load(bmp), 0);
    EXPECT_FALSE(image.hasPixels());
}

TEST_F(BmpTest, TruncatedFilesFail) {
    Bmp bmp;
    bmp.width = 4;
    bmp.height = 4;
    bmp.bitCount = 8;
    bmp.palette = colourPalette(256);
    bmp.data = fixtures::packBmpRows(indicesBottomUp(4, 4, 256), 8);
    const Bytes whole = fixtures::makeBmp(bmp);
    ASSERT_EQ(loadBytes(whole), 1);

    EXPECT_EQ(loadBytes(Bytes(whole.begin(), whole.begin() + 30)), 0);
    EXPECT_TRUE(log.contains("appears truncated"));
    EXPECT_EQ(loadBytes(Bytes(whole.begin(), whole.begin() + 200)), 0);
    EXPECT_TRUE(log.contains("EOF reached in BMP colormap"));
    log.clear();
    EXPECT_EQ(loadBytes(Bytes(whole.begin(), whole.end() - 1)), 0);
    EXPECT_TRUE(log.contains("appears truncated"));

    bmp.compression = 1;
    bmp.data = {4, 1, 0, 0, 4, 2}; // stops inside the second row
    EXPECT_EQ(load(bmp), 0);
    EXPECT_FALSE(image.hasPixels());
}
