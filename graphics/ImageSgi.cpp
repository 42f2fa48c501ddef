// SGI RGB files: one byte per channel, stored verbatim or run-length encoded,
// planes stored one after the other and rows bottom first. One to four planes
// give grey, grey-alpha, RGB or RGBA pixels.
#include <algorithm>
#include <cstdint>

#include "engine/LogMessage.h"
#include "graphics/ImageDecoders.h"

namespace {

uint32_t bigEndian16(const unsigned char* p) {
    return (uint32_t(p[0]) << 8) | p[1];
}

uint32_t bigEndian32(const unsigned char* p) {
    return (bigEndian16(p) << 16) | bigEndian16(p + 2);
}

constexpr size_t headerBytes = 104;
constexpr size_t tableOffset = 512;

// Expands one RLE row into out (xsize bytes). A count byte's low seven bits
// give the run length; with the top bit set that many literal bytes follow,
// else one byte repeated. A zero count ends the row. Runs are clipped to the
// row and to the stored row length; bytes not reached stay 0.
void expandRow(const unsigned char* in, size_t inLength, unsigned char* out, size_t xsize) {
    size_t i = 0;
    size_t o = 0;
    while (i < inLength) {
        const unsigned c = in[i++];
        size_t n = c & 0x7F;
        if (n == 0)
            return;
        if (c & 0x80) {
            n = std::min(n, inLength - i);
            for (size_t k = 0; k < n && o < xsize; ++k)
                out[o++] = in[i + k];
            i += n;
        } else {
            if (i >= inLength)
                return;
            const unsigned char v = in[i++];
            for (size_t k = 0; k < n && o < xsize; ++k)
                out[o++] = v;
        }
    }
}

} // namespace

PixelBlock readRGB(const std::string& fileName, int& width, int& height, int& components,
                   int flip) {
    width = height = components = 0;
    const char* name = fileName.c_str();
    std::vector<unsigned char> bytes;
    if (!imagelimits::readFile(fileName, bytes)) {
        logMessage("Can't open RGB file %s.", name);
        return {};
    }
    if (bytes.size() < headerBytes) {
        logMessage("File %s appears truncated.", name);
        return {};
    }
    const unsigned char* h = bytes.data();
    const unsigned storage = h[2];
    const unsigned bytesPerChannel = h[3];
    const size_t xsize = bigEndian16(h + 6);
    const size_t ysize = bigEndian16(h + 8);
    const size_t zsize = bigEndian16(h + 10);
    if (bigEndian16(h) != 474 || storage > 1 || bytesPerChannel != 1 || zsize < 1 || zsize > 4) {
        logMessage("RGB file %s is not supported (storage=%u, bpc=%u, zsize=%u).", name, storage,
                   bytesPerChannel, unsigned(zsize));
        return {};
    }
    if (!imagelimits::sizeAllowed("RGB", fileName, (long long)xsize, (long long)ysize))
        return {};

    // The row table: start offsets, then lengths, for row y of plane z at y + z * ysize.
    const size_t rowCount = ysize * zsize;
    if (storage == 1 && bytes.size() < tableOffset + rowCount * 8) {
        logMessage("File %s appears truncated.", name);
        return {};
    }
    if (storage == 0 && bytes.size() < tableOffset + rowCount * xsize) {
        logMessage("File %s appears truncated.", name);
        return {};
    }

    PixelBlock pixels(xsize * ysize * zsize);
    std::vector<unsigned char> plane(xsize);
    for (size_t r = 0; r < ysize; ++r) {
        // SGI stores the bottom row first.
        const size_t y = flip ? r : ysize - 1 - r;
        unsigned char* outRow = pixels.data() + r * xsize * zsize;
        for (size_t z = 0; z < zsize; ++z) {
            const size_t entry = y + z * ysize;
            if (storage == 1) {
                const size_t start = bigEndian32(bytes.data() + tableOffset + entry * 4);
                const size_t length =
                    bigEndian32(bytes.data() + tableOffset + (rowCount + entry) * 4);
                if (start > bytes.size() || length > bytes.size() - start) {
                    logMessage("File %s appears truncated.", name);
                    return {};
                }
                std::fill(plane.begin(), plane.end(), 0);
                expandRow(bytes.data() + start, length, plane.data(), xsize);
            } else {
                const unsigned char* src = bytes.data() + tableOffset + entry * xsize;
                std::copy(src, src + xsize, plane.begin());
            }
            for (size_t x = 0; x < xsize; ++x)
                outRow[x * zsize + z] = plane[x];
        }
    }
    width = int(xsize);
    height = int(ysize);
    components = int(zsize);
    return pixels;
}
