// Decoding a 2048 x 1024 JPEG and PNG through Image::load, against the bare
// libjpeg and libpng decode loops on the same files: the libraries do the
// work, so the two should stay close.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <string>
#include <vector>

#include <QTemporaryDir>

#include <jpeglib.h>
#include <png.h>

#include "graphics/Image.h"

namespace {

constexpr int width = 2048;
constexpr int height = 1024;

// A picture with smooth shapes and some grain, so both codecs have real work.
std::vector<unsigned char> picture() {
    std::vector<unsigned char> rgb(size_t(width) * height * 3);
    unsigned noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int grain = int((noise >> 16) & 15) - 8;
            const double v = std::sin(x * 0.01) * std::cos(y * 0.013) * 100;
            unsigned char* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = static_cast<unsigned char>(std::clamp(128 + int(v) + grain, 0, 255));
            p[1] = static_cast<unsigned char>(std::clamp((x + y) / 12 + grain, 0, 255));
            p[2] = static_cast<unsigned char>(std::clamp(200 - y / 6 + grain, 0, 255));
        }
    return rgb;
}

struct Files {
    QTemporaryDir dir;
    std::string jpeg;
    std::string png;

    Files() {
        const auto rgb = picture();
        jpeg = dir.filePath("bench.jpg").toStdString();
        png = dir.filePath("bench.png").toStdString();

        std::FILE* f = std::fopen(jpeg.c_str(), "wb");
        jpeg_compress_struct c;
        jpeg_error_mgr err;
        c.err = jpeg_std_error(&err);
        jpeg_create_compress(&c);
        jpeg_stdio_dest(&c, f);
        c.image_width = width;
        c.image_height = height;
        c.input_components = 3;
        c.in_color_space = JCS_RGB;
        jpeg_set_defaults(&c);
        jpeg_set_quality(&c, 90, TRUE);
        jpeg_start_compress(&c, TRUE);
        while (c.next_scanline < c.image_height) {
            JSAMPROW row = const_cast<unsigned char*>(&rgb[size_t(c.next_scanline) * width * 3]);
            jpeg_write_scanlines(&c, &row, 1);
        }
        jpeg_finish_compress(&c);
        jpeg_destroy_compress(&c);
        std::fclose(f);

        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        image.width = width;
        image.height = height;
        image.format = PNG_FORMAT_RGB;
        png_image_write_to_file(&image, png.c_str(), 0, rgb.data(), 0, nullptr);
    }
};

const Files& files() {
    static Files f;
    return f;
}

void ImageLoadJpeg(benchmark::State& state) {
    const std::string& path = files().jpeg;
    for (auto _ : state) {
        Image image;
        if (!image.load(path, 0))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.getPixels());
    }
}

void LibjpegLoop(benchmark::State& state) {
    const std::string& path = files().jpeg;
    std::vector<unsigned char> pixels(size_t(width) * height * 3);
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        jpeg_decompress_struct d;
        jpeg_error_mgr err;
        d.err = jpeg_std_error(&err);
        jpeg_create_decompress(&d);
        jpeg_stdio_src(&d, f);
        jpeg_read_header(&d, TRUE);
        jpeg_start_decompress(&d);
        while (d.output_scanline < d.output_height) {
            JSAMPROW row = &pixels[size_t(d.output_scanline) * width * 3];
            jpeg_read_scanlines(&d, &row, 1);
        }
        jpeg_finish_decompress(&d);
        jpeg_destroy_decompress(&d);
        std::fclose(f);
        benchmark::DoNotOptimize(pixels.data());
    }
}

void ImageLoadPng(benchmark::State& state) {
    const std::string& path = files().png;
    for (auto _ : state) {
        Image image;
        if (!image.load(path, 0))
            state.SkipWithError("decode failed");
        benchmark::DoNotOptimize(image.getPixels());
    }
}

void LibpngLoop(benchmark::State& state) {
    const std::string& path = files().png;
    std::vector<unsigned char> pixels(size_t(width) * height * 3);
    std::vector<png_bytep> rows(height);
    for (int y = 0; y < height; ++y)
        rows[y] = &pixels[size_t(y) * width * 3];
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
        png_infop info = png_create_info_struct(png);
        if (setjmp(png_jmpbuf(png))) {
            state.SkipWithError("decode failed");
            break;
        }
        png_init_io(png, f);
        png_read_info(png, info);
        png_read_update_info(png, info);
        png_read_image(png, rows.data());
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        benchmark::DoNotOptimize(pixels.data());
    }
}

} // namespace

BENCHMARK(ImageLoadJpeg)->Unit(benchmark::kMillisecond);
BENCHMARK(LibjpegLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(ImageLoadPng)->Unit(benchmark::kMillisecond);
BENCHMARK(LibpngLoop)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
