// One decoded picture: 8-bit pixels with 1 to 4 components per pixel, rows
// tightly packed. Decoding and scaling make no GL calls, so images can be
// loaded and checked without a display; the GL format and type only describe
// the pixels for the texture upload.
#pragma once

#include <string>

#include "graphics/PixelBlock.h"

class Image {
public:
    // Loads the file at once (top row first) when a name is given.
    explicit Image(const char* fileName = nullptr);

    // Decodes a BMP, SGI RGB, JPEG or PNG file, recognised by its first four
    // bytes. flip 0 puts the top row first in memory, flip 1 the bottom row
    // (GL's order); BMP files always arrive bottom row first. Returns 1 when
    // pixels were decoded, else 0 with no pixels. The name is kept either way.
    int load(const std::string& fileName, int flip);

    // Resamples to the new size with a box filter (each output pixel averages
    // the source area it covers). Needs pixels and positive sizes.
    void scale(int newWidth, int newHeight);
    // Rounds each side down to a power of two between 16 and 4096, and sides
    // below 16 to 8, which is what GL 1.x textures accept.
    void makePowerOfTwo();

    const std::string& getFileName() const { return fileName; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    // Bytes per pixel: 1 luminance, 2 luminance-alpha, 3 RGB, 4 RGBA.
    int getComponents() const { return components; }
    const unsigned char* getPixels() const { return pixels.empty() ? nullptr : pixels.data(); }
    bool hasPixels() const { return !pixels.empty(); }
    // GL pixel format and type of the pixels (GL enum values).
    unsigned getGLFormat() const;
    unsigned getGLType() const;

private:
    std::string fileName;
    int width = 0;
    int height = 0;
    int components = 0;
    PixelBlock pixels;
};

// The side makePowerOfTwo gives a side of this size.
int powerOfTwoBelow(int size);
