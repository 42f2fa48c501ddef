// Label fonts without GL: font texts, sizes, families and text bitmaps.
#include <gtest/gtest.h>

#include <QFont>

#include <cmath>

#include "engine/LogMessage.h"
#include "graphics/LabelFont.h"
#include "graphics/TextBitmap.h"

namespace {

// The first and last lit columns of a band of rows of a one-bit bitmap.
std::pair<int, int> litColumns(const TextBitmap& b, int firstRow, int rows) {
    int first = b.getWidth(), last = -1;
    const int rowBytes = b.getWidth() / 8;
    for (int r = firstRow; r < firstRow + rows; ++r)
        for (int x = 0; x < b.getWidth(); ++x)
            if (b.getBits()[r * rowBytes + x / 8] & (0x80 >> (x % 8))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

class DefaultFamilyGuard {
public:
    ~DefaultFamilyGuard() { setDefaultFontFamily("Arial"); }
};

} // namespace

TEST(LabelFontTest, FontTextsWriteBlanksAsUnderscores) {
    LabelFont font;
    EXPECT_EQ(font.getFontSpec(), "Arial 12 0");
    EXPECT_EQ(font.getAlign(), 1);
    font.setFont("Times_New_Roman", 10.5f, 3);
    EXPECT_EQ(font.getFamily(), "Times New Roman");
    EXPECT_EQ(font.getFamilyToken(), "Times_New_Roman");
    EXPECT_EQ(font.getFontSpec(), "Times_New_Roman 10.5 3");
    EXPECT_FALSE(font.isInitialised()); // made at first use
    font.setAlign(12);
    EXPECT_EQ(font.getAlign(), 12);
}

TEST(LabelFontTest, SizesArePixelsAtNinetySixDpi) {
    EXPECT_EQ(LabelFont::pixelSize(12.0f), 16);
    EXPECT_EQ(LabelFont::pixelSize(10.5f), 14);
    EXPECT_EQ(LabelFont::pixelSize(9.0f), 12);
    EXPECT_EQ(LabelFont::pixelSize(0.1f), 1);

    LabelFont small, large;
    small.setFont("Liberation_Sans", 10, 0);
    large.setFont("Liberation_Sans", 20, 0);
    EXPECT_GT(large.getTextWidth("Jupiter"), small.getTextWidth("Jupiter") * 3 / 2);
    EXPECT_GE(large.getTextHeight("Jupiter"), 24);
    EXPECT_TRUE(large.isInitialised());
}

TEST(LabelFontTest, SizesStayWithinWhatAScreenShows) {
    LogCapture log;
    LabelFont font;
    font.setFont("DejaVu_Sans", 15000.0f, 0);
    EXPECT_EQ(font.getFontSpec(), "DejaVu_Sans 500 0");
    font.setFont("DejaVu_Sans", std::nanf(""), 2);
    EXPECT_EQ(font.getFontSpec(), "DejaVu_Sans 500 2");
    font.setFont("DejaVu_Sans", -4.0f, 0);
    EXPECT_EQ(font.getSize(), LabelFont::MinSize);
    EXPECT_TRUE(log.contains("Font size 15000 is out of range; 500 is used."));
    EXPECT_EQ(LabelFont::pixelSize(std::nanf("")), 1);
    font.setFont("DejaVu_Sans", 500.0f, 0);
    EXPECT_GT(font.getTextHeight("Sun"), 500);

    // A bitmap too large to allocate is empty, never rows of a null image.
    QFont huge(QStringLiteral("DejaVu Sans"));
    huge.setPixelSize(20000);
    const TextBitmap bitmap(huge, std::string(40, 'W'), 1, false);
    EXPECT_TRUE(bitmap.isEmpty());
}

TEST(LabelFontTest, TheConfiguredDefaultFamilyReachesFontsMadeLater) {
    DefaultFamilyGuard guard;
    LogCapture log;
    setDefaultFontFamily("Liberation Serif");
    LabelFont font;
    font.getTextWidth("x"); // makes the font
    EXPECT_EQ(font.getFamily(), "Liberation Serif");
    EXPECT_EQ(font.getFaceName(), "Liberation Serif");

    LabelFont arial; // Arial is served by its metric-compatible face, not reported missing
    setDefaultFontFamily("Arial");
    arial.setFont("Arial", 12, 0, 1);
    EXPECT_FALSE(log.contains("was not found"));

    font.setFont("Liberation_Mono", 12, 1); // made already: made again at once
    EXPECT_EQ(font.getFaceName(), "Liberation Mono");
}

TEST(LabelFontTest, MissingFamiliesAreReportedAndReplaced) {
    LogCapture log;
    LabelFont font;
    font.setFont("No_Such_Family_Here", 12, 0, 1);
    EXPECT_TRUE(log.contains("Font No Such Family Here was not found."));
    EXPECT_NE(font.getFamily(), "No Such Family Here");
    EXPECT_EQ(font.getFamily(), font.getFaceName());
    EXPECT_GT(font.getTextWidth("Mars"), 0);
}

TEST(LabelFontTest, LinesBreakOnlyAtTheWholeMark) {
    EXPECT_EQ(TextBitmap::splitLines("Mars<br>Jupiter"),
              (std::vector<std::string>{"Mars", "Jupiter"}));
    EXPECT_EQ(TextBitmap::splitLines("<br>a<br><br>b<br>"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(TextBitmap::splitLines("brb<b>r<br"), (std::vector<std::string>{"brb<b>r<br"}));
    EXPECT_TRUE(TextBitmap::splitLines("").empty());
}

TEST(LabelFontTest, BitmapsAndTexturesHaveTheSizesGlNeeds) {
    EXPECT_EQ(TextBitmap::nextPowerOfTwo(0), 16);
    EXPECT_EQ(TextBitmap::nextPowerOfTwo(13), 16);
    EXPECT_EQ(TextBitmap::nextPowerOfTwo(20), 32);
    EXPECT_EQ(TextBitmap::nextPowerOfTwo(2048), 2048);
    EXPECT_EQ(TextBitmap::nextPowerOfTwo(5000), 4096);

    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    const TextBitmap plain(font, "Saturn", 1, false);
    EXPECT_EQ(plain.getWidth() % 32, 0);
    EXPECT_GE(plain.getWidth(), plain.getTextWidth());
    EXPECT_EQ(plain.getHeight(), plain.getTextHeight());

    const TextBitmap single(font, "Saturn", 1, true);
    EXPECT_EQ(single.getWidth(), TextBitmap::nextPowerOfTwo(plain.getTextWidth()));
    EXPECT_EQ(single.getHeight(), TextBitmap::nextPowerOfTwo(plain.getTextHeight()));

    // Several lines: the text block is a multiple of 32 wide and the sum of
    // the lines high; as a texture it sits in power-of-two sides.
    const TextBitmap lines(font, "Sun<br>Moon<br>Io", 1, true);
    EXPECT_EQ(lines.getTextWidth() % 32, 0);
    EXPECT_EQ(lines.getTextHeight(), 3 * plain.getTextHeight());
    EXPECT_EQ(lines.getWidth(), TextBitmap::nextPowerOfTwo(lines.getTextWidth()));
    EXPECT_EQ(lines.getHeight(), 64);
}

TEST(LabelFontTest, AlignedLinesShareTheirEdge) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    const TextBitmap right(font, "Sun<br>Moon", 3, false);
    const int h = right.getHeight() / 2;
    // Rows are bottom first: the upper half of the rows in memory is "Sun".
    const auto sun = litColumns(right, h, h);
    const auto moon = litColumns(right, 0, h);
    ASSERT_GE(sun.second, 0);
    ASSERT_GE(moon.second, 0);
    EXPECT_GT(sun.first, moon.first); // the shorter line starts further right
    EXPECT_NEAR(sun.second, moon.second, 3);

    const TextBitmap left(font, "Sun<br>Moon", 7, false);
    EXPECT_NEAR(litColumns(left, h, h).first, litColumns(left, 0, h).first, 3);
}

TEST(LabelFontTest, LabelTextIsReadInTheEnginesCodec) {
    // "北" as UTF-8 and as Shift-JIS: the direction names of a Japanese data set.
    const std::string utf8 = "\xE5\x8C\x97";
    const std::string sjis = "\x96\x6B";
    EXPECT_EQ(TextBitmap::decode(utf8), QString::fromUtf8("北"));
    ASSERT_TRUE(TextBitmap::setTextCodec("Shift-JIS"));
    EXPECT_EQ(TextBitmap::decode(sjis), QString::fromUtf8("北"));
    EXPECT_FALSE(TextBitmap::setTextCodec("no-such-codec"));
    EXPECT_EQ(TextBitmap::decode(sjis), QString::fromUtf8("北")); // kept
    ASSERT_TRUE(TextBitmap::setTextCodec("UTF-8"));
    EXPECT_EQ(TextBitmap::decode(utf8), QString::fromUtf8("北"));
}
