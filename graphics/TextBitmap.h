// Text rasterised with Qt for GL: white on black, rows bottom first as
// glBitmap and glTexImage2D take them. A bitmap is one bit a pixel (rows a
// multiple of 32 pixels wide) for glBitmap, or RGB at power-of-two sides for
// the label texture. "<br>" breaks the text into lines, placed left, centred
// or right by the column of the align code.
#pragma once

#include <string>
#include <vector>

class QFont;
class QString;

class TextBitmap {
public:
    TextBitmap(const QFont& font, const std::string& text, int align, bool textured);

    // The bitmap's size in pixels.
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // The part of the bitmap the text covers, from its top-left corner.
    int getTextWidth() const { return textWidth; }
    int getTextHeight() const { return textHeight; }
    const unsigned char* getBits() const { return bits.data(); }
    bool isEmpty() const { return width == 0 || height == 0; }

    // 16 for sizes up to 16, then the next power of two, 4096 at most.
    static int nextPowerOfTwo(int size);
    // The pieces of the text between "<br>" marks; empty pieces are dropped.
    static std::vector<std::string> splitLines(const std::string& text);

    // Engine text is 8-bit in the codec the configuration names ("UTF-8",
    // "Shift-JIS", ...); labels decode it with that codec. False, keeping the
    // current one, for a name the toolkit does not know.
    static bool setTextCodec(const std::string& name);
    static QString decode(const std::string& text);

private:
    int width = 0;
    int height = 0;
    int textWidth = 0;
    int textHeight = 0;
    std::vector<unsigned char> bits;
};
