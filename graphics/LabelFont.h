// A font for text drawn into the GL scene: body, star and constellation
// names, direction letters, markers and the console overlay. The font is
// family, size in points and style bits (1 bold, 2 italic, 4 underline,
// 8 strike-out); its text form "%s %g %i" (blanks in the family written as
// "_") is what font commands show and read back. Text is rasterised with Qt at
// a fixed 96 dpi, so sizes do not depend on the screen, and drawn as a
// glBitmap at the raster position or as a small additive texture.
#pragma once

#include <memory>
#include <string>
#include <vector>

class QFont;
class Quaternion;
class TextBitmap;

// A text as the untextured draw puts it on the screen: one byte a pixel (255
// where a pixel is set), rows bottom first, and the bitmap's origin, the
// offset of its lower-left corner from the raster position.
struct LabelImage {
    int width = 0;
    int height = 0;
    int xOrigin = 0;
    int yOrigin = 0;
    std::vector<unsigned char> alpha;
};

class LabelFont {
public:
    // The default family, 12 points, align 1, no style; the font itself is
    // made at the first draw or measurement.
    LabelFont();
    ~LabelFont();
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

    // Makes the font (needs the Qt application); measuring and drawing do it
    // on first use.
    void init();
    bool isInitialised() const { return font != nullptr; }

    // Sizes a screen can show, in points. A larger glyph bitmap costs memory
    // by the gigabyte and the rasteriser fails on it.
    static constexpr float MinSize = 1.0f;
    static constexpr float MaxSize = 500.0f;
    // The size held between MinSize and MaxSize; a size that is not a number
    // keeps the current one. Either is reported.
    static float boundSize(float points, float current);

    // "_" in the family reads as a blank. The size is bounded (boundSize).
    // The font is made again at once when it was made before or force is
    // set, else at first use. A family the system lacks is reported and
    // replaced by the face Qt falls back to.
    void setFont(const std::string& family, float size, int style, int force = 0);

    // "%s %g %i": family token, size, style.
    std::string getFontSpec() const;
    // The family with every blank written as "_".
    std::string getFamilyToken() const;
    const std::string& getFamily() const { return family; }
    // The face the font is actually drawn with (empty before it is made).
    std::string getFaceName() const;
    float getSize() const { return size; }
    int getStyle() const { return style; }
    // 1 bottom-left ... 5 centre ... 9 top-right: the point of the text
    // placed at the drawing position. Stored unchecked; codes outside 1-9
    // draw as 1.
    int getAlign() const { return align; }
    void setAlign(int code) { align = code; }

    // Pixel sizes of the text; without a font, size-based estimates.
    int getTextWidth(const std::string& text);
    int getTextHeight(const std::string& text);

    // Draws at the current raster position (textured 0, recordable in a
    // display list) or as a texture at the current point (textured 1, in the
    // frame pushLabelTransform sets up).
    void draw(const std::string& text, int textured);
    // The pixels the untextured draw of the text sets; false for an empty
    // text or without a font.
    bool rasterise(const std::string& text, LabelImage& image);

    // The GL character height for a size in points at 96 dpi.
    static int pixelSize(float points);

private:
    // The text's bitmap and the offset of the align code's point in it.
    bool layout(const std::string& text, bool textured, std::unique_ptr<TextBitmap>& bitmap,
                int& xOffset, int& yOffset);
    void drawBitmap(const TextBitmap& bitmap, int xOffset, int yOffset);
    void drawTexture(const TextBitmap& bitmap, int xOffset, int yOffset);

    std::unique_ptr<QFont> font;
    std::string family;
    float size = 12.0f;
    int align = 1;
    int style = 0;
};

// The family of every LabelFont created afterwards ("DefaultFont:" of the
// main configuration); "Arial" until set.
void setDefaultFontFamily(const std::string& family);
const std::string& getDefaultFontFamily();

// Forgets the texture that textured labels share (after a new GL context).
void resetLabelTexture();

// Pushes the GL matrix and sets up a frame at the current point, turned by
// the view rotation, in which one unit is one screen pixel and y grows
// downwards. The caller pops the matrix.
void pushLabelTransform(const Quaternion& viewRotation);
