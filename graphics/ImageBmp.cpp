// Windows and OS/2 bitmap files: 1, 4, 8, 24 and 32 bits per pixel, RLE4 and
// RLE8, colour maps turned into grey or RGB pixels. The whole file is read
// into memory first, so every field and run is checked against its end.
#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/LogMessage.h"
#include "graphics/ImageDecoders.h"

namespace {

// Little-endian reads over the file's bytes; reading past the end clears ok.
struct ByteCursor {
    const std::vector<unsigned char>& bytes;
    size_t pos = 0;
    bool ok = true;

    int byte() {
        if (pos >= bytes.size()) {
            ok = false;
            return 0;
        }
        return bytes[pos++];
    }
    uint32_t u16() {
        const uint32_t lo = byte();
        return lo | (uint32_t(byte()) << 8);
    }
    uint32_t u32() {
        const uint32_t lo = u16();
        return lo | (u16() << 16);
    }
    void skip(size_t n) {
        if (n > bytes.size() - std::min(pos, bytes.size())) {
            pos = bytes.size();
            ok = false;
        } else {
            pos += n;
        }
    }
    size_t left() const { return pos < bytes.size() ? bytes.size() - pos : 0; }
};

struct Rgb {
    unsigned char r = 0, g = 0, b = 0;
};

// Where file row fileRow (counted from the bottom) goes in memory.
struct RowMap {
    int height;
    bool topDown; // the file stores the top row first (negative height)
    int flip;
    size_t operator()(int fileRow) const {
        const int fromBottom = topDown ? height - 1 - fileRow : fileRow;
        return size_t(flip ? fromBottom : height - 1 - fromBottom);
    }
};

// RLE4 and RLE8 streams. Runs that leave the row or the picture are clipped;
// pixels never reached keep index 0. Returns false when the data ends before
// the end-of-bitmap mark and the last row.
bool decodeRle(ByteCursor& in, int bits, int width, int height, const RowMap& rowOf,
               PixelBlock& index) {
    int x = 0;
    int y = 0;
    auto put = [&](int value) {
        if (x < width && y < height)
            index[rowOf(y) * width + x] = static_cast<unsigned char>(value);
        ++x;
    };
    while (y < height) {
        const int count = in.byte();
        const int value = in.byte();
        if (!in.ok)
            return false;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(bits == 4 ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: // end of row
            x = 0;
            ++y;
            break;
        case 1: // end of bitmap
            return true;
        case 2: { // move right and up
            const int dx = in.byte();
            const int dy = in.byte();
            x += dx;
            y += dy;
            break;
        }
        default: { // absolute run, padded to a 16-bit boundary
            const int used = bits == 4 ? (value + 1) / 2 : value;
            for (int i = 0; i < value; ++i) {
                if (bits == 4) {
                    const int b = in.bytes.size() > in.pos + i / 2 ? in.bytes[in.pos + i / 2] : 0;
                    put((i & 1) ? b & 0x0F : b >> 4);
                } else {
                    put(in.bytes.size() > in.pos + i ? in.bytes[in.pos + i] : 0);
                }
            }
            in.skip(size_t(used + (used & 1)));
            if (!in.ok)
                return false;
        }
        }
    }
    return true;
}

} // namespace

PixelBlock readBMP(const std::string& fileName, int& width, int& height, int& components,
                   int flip) {
    width = height = components = 0;
    const char* name = fileName.c_str();
    std::vector<unsigned char> bytes;
    if (!imagelimits::readFile(fileName, bytes)) {
        logMessage("Can't open BMP file %s.", name);
        return {};
    }
    ByteCursor in{bytes};

    if (in.byte() != 'B' || in.byte() != 'M') {
        logMessage("BMP file %s does not have correct header.", name);
        return {};
    }
    in.u32(); // file size: often wrong, never needed
    in.u32(); // reserved
    const uint32_t dataOffset = in.u32();

    const uint32_t headerSize = in.u32();
    int32_t w, h;
    uint32_t planes, bitCount, compression = 0, coloursUsed = 0;
    if (headerSize == 12) { // OS/2 1.x core header
        w = int32_t(in.u16());
        h = int32_t(in.u16());
        planes = in.u16();
        bitCount = in.u16();
    } else if (headerSize >= 40) { // Windows 3 header and its longer successors
        w = int32_t(in.u32());
        h = int32_t(in.u32());
        planes = in.u16();
        bitCount = in.u16();
        compression = in.u32();
        in.u32(); // image size
        in.u32(); // resolution
        in.u32();
        coloursUsed = in.u32();
        in.u32();                 // colours important
        in.skip(headerSize - 40); // masks, colour space and profile of the newer forms
    } else {
        logMessage("Illegal BMP file %s (header size=%u).", name, unsigned(headerSize));
        return {};
    }
    if (!in.ok) {
        logMessage("File %s appears truncated.", name);
        return {};
    }

    if ((bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32) ||
        planes != 1 || compression > 2) {
        logMessage("Illegal BMP file %s (bitCount=%d, Planes=%d, Compression=%d).", name,
                   int(bitCount), int(planes), int(compression));
        return {};
    }
    if (((bitCount == 1 || bitCount == 24 || bitCount == 32) && compression != 0) ||
        (bitCount == 4 && compression == 1) || (bitCount == 8 && compression == 2)) {
        logMessage("Illegal BMP file %s (bitCount=%d, Compression=%d).", name, int(bitCount),
                   int(compression));
        return {};
    }
    // A negative height marks rows stored top first (never with RLE).
    const bool topDown = h < 0 && compression == 0;
    const long long rows = h < 0 ? -(long long)h : h;
    if (!imagelimits::sizeAllowed("BMP", fileName, w, rows))
        return {};
    const int cols = int(w);
    const int rowCount = int(rows);

    // Colour map: four bytes an entry (three in the core form). Entries past
    // 256 cannot be addressed by 8-bit indices and are skipped.
    std::array<Rgb, 256> map{};
    size_t mapSize = 0;
    if (bitCount < 24) {
        const size_t entries = coloursUsed ? coloursUsed : size_t(1) << bitCount;
        const size_t entryBytes = headerSize == 12 ? 3 : 4;
        if (entries > in.left() / entryBytes) {
            logMessage("EOF reached in BMP colormap of %s.", name);
            return {};
        }
        mapSize = std::min<size_t>(entries, 256);
        for (size_t i = 0; i < entries; ++i) {
            Rgb c;
            c.b = static_cast<unsigned char>(in.byte());
            c.g = static_cast<unsigned char>(in.byte());
            c.r = static_cast<unsigned char>(in.byte());
            if (entryBytes == 4)
                in.byte();
            if (i < 256)
                map[i] = c;
        }
    }
    if (dataOffset > in.pos) {
        in.skip(dataOffset - in.pos);
        if (!in.ok) {
            logMessage("File %s appears truncated.", name);
            return {};
        }
    }

    const RowMap rowOf{rowCount, topDown, flip};
    const size_t area = size_t(cols) * rowCount;
    const int stored = bitCount == 24 ? 3 : bitCount == 32 ? 4 : 1;
    PixelBlock block;

    if (compression != 0) {
        block.assign(area, 0);
        if (!decodeRle(in, int(bitCount), cols, rowCount, rowOf, block)) {
            logMessage("File %s appears truncated.", name);
            return {};
        }
    } else {
        const size_t rowBytes = ((size_t(cols) * bitCount + 31) / 32) * 4;
        if (rowBytes * rowCount > in.left()) {
            logMessage("File %s appears truncated.", name);
            return {};
        }
        block.resize(area * stored);
        for (int r = 0; r < rowCount; ++r) {
            const unsigned char* src = bytes.data() + in.pos + rowBytes * r;
            unsigned char* dst = block.data() + rowOf(r) * cols * stored;
            switch (bitCount) {
            case 1:
                for (int x = 0; x < cols; ++x)
                    dst[x] = (src[x >> 3] >> (7 - (x & 7))) & 1;
                break;
            case 4:
                for (int x = 0; x < cols; ++x)
                    dst[x] = (x & 1) ? src[x >> 1] & 0x0F : src[x >> 1] >> 4;
                break;
            case 8:
                std::copy(src, src + cols, dst);
                break;
            default: // blue, green, red (, alpha) in the file
                for (int x = 0; x < cols; ++x, src += stored, dst += stored) {
                    dst[0] = src[2];
                    dst[1] = src[1];
                    dst[2] = src[0];
                    if (stored == 4)
                        dst[3] = src[3];
                }
            }
        }
    }

    width = cols;
    height = rowCount;
    if (bitCount >= 24) {
        components = stored;
        return block;
    }

    // Indices become grey levels when the whole map is grey, else RGB.
    // Indices past the map read as black.
    bool grey = true;
    for (size_t i = 0; i < mapSize; ++i)
        grey = grey && map[i].r == map[i].g && map[i].g == map[i].b;
    if (grey) {
        for (auto& v : block)
            v = v < mapSize ? map[v].r : 0;
        components = 1;
        return block;
    }
    PixelBlock rgb(area * 3);
    for (size_t i = 0; i < area; ++i) {
        const Rgb c = block[i] < mapSize ? map[block[i]] : Rgb{};
        rgb[3 * i] = c.r;
        rgb[3 * i + 1] = c.g;
        rgb[3 * i + 2] = c.b;
    }
    components = 3;
    return rgb;
}
