// Builders for picture files of every variant the decoders read: BMP and SGI
// written byte by byte here, PNG and JPEG written through libpng and libjpeg.
// The patterns match tests/data/images/make-fixtures.py.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <zlib.h>

#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "support/TestEnv.h"

namespace fixtures {

using Bytes = std::vector<unsigned char>;

inline std::array<unsigned char, 3> rgb(int x, int y) {
    return {static_cast<unsigned char>((x * 37 + y * 11) & 255),
            static_cast<unsigned char>((x * 5 + y * 53) & 255),
            static_cast<unsigned char>((x * 90 + y * 3) & 255)};
}
inline unsigned char grey(int x, int y) {
    return static_cast<unsigned char>((x * 19 + y * 31) & 255);
}
inline unsigned char alpha(int x, int y) {
    return static_cast<unsigned char>((x * 20 + y) & 255);
}
// Gentle gradients for lossy JPEG.
inline std::array<int, 3> smooth(int x, int y) {
    return {40 + x * 6, 60 + y * 8, 200 - x * 4 - y * 3};
}

inline void writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void put16le(Bytes& b, uint32_t v) {
    b.push_back(v & 255);
    b.push_back((v >> 8) & 255);
}
inline void put32le(Bytes& b, uint32_t v) {
    put16le(b, v & 0xFFFF);
    put16le(b, v >> 16);
}
inline void put16be(Bytes& b, uint32_t v) {
    b.push_back((v >> 8) & 255);
    b.push_back(v & 255);
}
inline void put32be(Bytes& b, uint32_t v) {
    put16be(b, v >> 16);
    put16be(b, v & 0xFFFF);
}

// ---- BMP ----

struct Bmp {
    int headerSize = 40; // 12, 40, 64, 108, 124
    int32_t width = 0;
    int32_t height = 0; // negative: top row first
    int bitCount = 24;
    int compression = 0;
    uint32_t coloursUsed = 0;
    std::vector<std::array<unsigned char, 3>> palette; // r, g, b
    Bytes data;                                        // the pixel section as stored
};

inline Bytes makeBmp(const Bmp& s) {
    Bytes info;
    if (s.headerSize == 12) {
        put32le(info, 12);
        put16le(info, uint32_t(s.width));
        put16le(info, uint32_t(s.height));
        put16le(info, 1);
        put16le(info, uint32_t(s.bitCount));
    } else {
        put32le(info, uint32_t(s.headerSize));
        put32le(info, uint32_t(s.width));
        put32le(info, uint32_t(s.height));
        put16le(info, 1);
        put16le(info, uint32_t(s.bitCount));
        put32le(info, uint32_t(s.compression));
        put32le(info, uint32_t(s.data.size()));
        put32le(info, 2835);
        put32le(info, 2835);
        // Colour maps shorter than the bit depth allows must say so.
        const size_t full = s.bitCount < 24 ? size_t(1) << s.bitCount : 0;
        put32le(info, s.coloursUsed || s.palette.size() == full ? s.coloursUsed
                                                                : uint32_t(s.palette.size()));
        put32le(info, 0);
        info.resize(size_t(s.headerSize), 0xEE); // masks and colour space: not read
    }
    for (const auto& c : s.palette) {
        info.push_back(c[2]);
        info.push_back(c[1]);
        info.push_back(c[0]);
        if (s.headerSize != 12)
            info.push_back(0);
    }
    Bytes file{'B', 'M'};
    put32le(file, uint32_t(14 + info.size() + s.data.size()));
    put32le(file, 0);
    put32le(file, uint32_t(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), s.data.begin(), s.data.end());
    return file;
}

// Packs rows of per-pixel values (indices, or bytes of 3/4-byte pixels already
// in file order) with the BMP row padding.
inline Bytes packBmpRows(const std::vector<std::vector<int>>& rows, int bitCount) {
    Bytes out;
    for (const auto& row : rows) {
        Bytes packed;
        if (bitCount >= 8) {
            for (int v : row)
                packed.push_back(static_cast<unsigned char>(v));
        } else {
            const int perByte = 8 / bitCount;
            for (size_t i = 0; i < row.size(); i += perByte) {
                int b = 0;
                for (int k = 0; k < perByte; ++k) {
                    const int v = i + k < row.size() ? row[i + k] : 0;
                    b |= v << (8 - bitCount * (k + 1));
                }
                packed.push_back(static_cast<unsigned char>(b));
            }
        }
        while (packed.size() % 4)
            packed.push_back(0);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

// ---- SGI ----

// An SGI RGB file, RLE-encoded with both literal and repeat runs. plane(x, y, z)
// gives the values with y counted from the top.
template <class Plane> Bytes makeSgi(int w, int h, int z, Plane plane, bool rle = true) {
    Bytes file;
    put16be(file, 474);
    file.push_back(rle ? 1 : 0);
    file.push_back(1);
    put16be(file, z == 1 ? 2 : 3);
    put16be(file, uint32_t(w));
    put16be(file, uint32_t(h));
    put16be(file, uint32_t(z));
    file.resize(512, 0);
    const size_t rows = size_t(h) * z;
    if (!rle) {
        for (int c = 0; c < z; ++c)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    file.push_back(static_cast<unsigned char>(plane(x, h - 1 - y, c)));
        return file;
    }
    std::vector<uint32_t> starts(rows), lengths(rows);
    Bytes body;
    const size_t bodyStart = 512 + rows * 8;
    for (int c = 0; c < z; ++c)
        for (int y = 0; y < h; ++y) {
            std::vector<int> v;
            for (int x = 0; x < w; ++x)
                v.push_back(plane(x, h - 1 - y, c));
            Bytes enc;
            size_t i = 0;
            while (i < v.size()) {
                size_t run = 1;
                while (i + run < v.size() && v[i + run] == v[i] && run < 127)
                    ++run;
                if (run >= 3) {
                    enc.push_back(static_cast<unsigned char>(run));
                    enc.push_back(static_cast<unsigned char>(v[i]));
                    i += run;
                    continue;
                }
                size_t lit = 0;
                while (i + lit < v.size() && lit < 127 &&
                       !(i + lit + 2 < v.size() && v[i + lit] == v[i + lit + 1] &&
                         v[i + lit] == v[i + lit + 2]))
                    ++lit;
                enc.push_back(static_cast<unsigned char>(0x80 | lit));
                for (size_t k = 0; k < lit; ++k)
                    enc.push_back(static_cast<unsigned char>(v[i + k]));
                i += lit;
            }
            enc.push_back(0);
            const size_t entry = size_t(y) + size_t(c) * h;
            starts[entry] = uint32_t(bodyStart + body.size());
            lengths[entry] = uint32_t(enc.size());
            body.insert(body.end(), enc.begin(), enc.end());
        }
    for (auto s : starts)
        put32be(file, s);
    for (auto l : lengths)
        put32be(file, l);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}

// ---- PNG (through libpng) ----

struct Png {
    int width = 0;
    int height = 0;
    int colorType = PNG_COLOR_TYPE_RGB;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<png_color> palette;
    Bytes trnsAlpha;                          // palette transparency
    const png_color_16* trnsColour = nullptr; // grey or RGB transparency
    std::vector<unsigned> samples;            // row-major, top row first, one value a sample
};

inline bool writePng(const std::string& path, const Png& s) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(s.width), png_uint_32(s.height), s.bitDepth, s.colorType,
                 s.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!s.palette.empty())
        png_set_PLTE(png, info, s.palette.data(), int(s.palette.size()));
    if (!s.trnsAlpha.empty() || s.trnsColour)
        png_set_tRNS(png, info, s.trnsAlpha.empty() ? nullptr : s.trnsAlpha.data(),
                     int(s.trnsAlpha.size()), s.trnsColour);
    png_write_info(png, info);
    if (s.bitDepth < 8)
        png_set_packing(png);
    const size_t perPixel = s.samples.size() / (size_t(s.width) * s.height);
    const size_t bytesPerSample = s.bitDepth == 16 ? 2 : 1;
    std::vector<Bytes> rows(size_t(s.height));
    std::vector<png_bytep> pointers;
    for (int y = 0; y < s.height; ++y) {
        for (size_t i = 0; i < size_t(s.width) * perPixel; ++i) {
            const unsigned v = s.samples[size_t(y) * s.width * perPixel + i];
            if (bytesPerSample == 2)
                rows[y].push_back(static_cast<unsigned char>(v >> 8));
            rows[y].push_back(static_cast<unsigned char>(v & 255));
        }
        pointers.push_back(rows[y].data());
    }
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    return true;
}

// ---- JPEG (through libjpeg) ----

inline bool writeJpeg(const std::string& path, int w, int h, int components, const Bytes& pixels,
                      int quality = 95, bool progressive = false) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    jpeg_compress_struct info;
    jpeg_error_mgr err;
    info.err = jpeg_std_error(&err);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, f);
    info.image_width = JDIMENSION(w);
    info.image_height = JDIMENSION(h);
    info.input_components = components;
    info.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<unsigned char*>(pixels.data()) + size_t(info.next_scanline) * w * components;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(f);
    return true;
}

// Gives every PNG chunk whose length still fits a valid checksum again.
inline void fixPngChecksums(Bytes& b) {
    size_t pos = 8;
    while (pos + 12 <= b.size()) {
        const size_t length =
            (size_t(b[pos]) << 24) | (b[pos + 1] << 16) | (b[pos + 2] << 8) | b[pos + 3];
        if (length > b.size() - pos - 12)
            return;
        const uint32_t crc = uint32_t(crc32(0, b.data() + pos + 4, uInt(length + 4)));
        for (int i = 0; i < 4; ++i)
            b[pos + 8 + length + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
        pos += length + 12;
    }
}

// One pixel byte, y counted from the first row in memory.
inline int at(const Image& image, int x, int y, int channel = 0) {
    return image.getPixels()[(size_t(y) * image.getWidth() + x) * image.getComponents() + channel];
}

// A scratch directory, an image and a log capture, with loads from bytes.
class ImageFileTest : public ::testing::Test {
protected:
    orvextest::TempDir dir;
    Image image;
    LogCapture log;

    int loadBytes(const Bytes& bytes, int flip = 0) {
        const std::string path = dir.file("picture");
        writeFile(path, bytes);
        return image.load(path, flip);
    }
};

} // namespace fixtures
