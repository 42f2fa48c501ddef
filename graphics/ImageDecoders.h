// The picture-file decoders behind Image::load, one source file each. Every
// decoder opens and closes the file itself and returns the pixels (empty on
// failure, with the reason sent to the log sink); flip 1 puts the bottom row
// first in memory. Sizes are checked before anything is allocated, so a
// damaged header cannot ask for gigabytes.
#pragma once

#include <string>
#include <vector>

#include "graphics/PixelBlock.h"

PixelBlock readJPEG(const std::string& fileName, int& width, int& height, int& components,
                    int flip);
PixelBlock readRGB(const std::string& fileName, int& width, int& height, int& components, int flip);
PixelBlock readPNG(const std::string& fileName, int& width, int& height, int& components, int flip);
PixelBlock readBMP(const std::string& fileName, int& width, int& height, int& components, int flip);

namespace imagelimits {

// Larger than any texture needs (GL 1.x textures stop at 4096), small enough
// that a corrupt header never makes the program allocate more than 256 MB.
constexpr long long maxSide = 32768;
constexpr long long maxPixels = 64LL * 1024 * 1024;
// The largest picture file read whole: four bytes for each of maxPixels,
// doubled for run-length coding at its worst, and room for the tables.
constexpr long long maxFileBytes = 8 * maxPixels + (1LL << 20);

// True when a picture of this size may be decoded; logs the refusal otherwise.
bool sizeAllowed(const char* format, const std::string& fileName, long long width,
                 long long height);

// Reads the whole file; false when it cannot be opened or read, or is longer
// than maxFileBytes (logged).
bool readFile(const std::string& fileName, std::vector<unsigned char>& bytes);

} // namespace imagelimits
