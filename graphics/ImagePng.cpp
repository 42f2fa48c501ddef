// PNG files through libpng 1.6. libpng reports errors by calling our handler,
// which must not return: it jumps back to the decoder, so a corrupt or
// truncated file ends as a failed load. Every colour type becomes 8-bit grey,
// grey-alpha, RGB or RGBA; the component count is taken after the transforms.
#include <cstdio>
#include <memory>

#include <png.h>

#include "engine/LogMessage.h"
#include "graphics/ImageDecoders.h"
#include "platform/RegularFile.h"

namespace {

struct PngContext {
    const char* fileName;
};

[[noreturn]] void failPng(png_structp png, png_const_charp message) {
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    logMessage("PNG file %s: %s.", context->fileName, message);
    png_longjmp(png, 1);
}

void ignorePngWarning(png_structp, png_const_charp) {
    // Warnings concern ancillary chunks (colour profiles, text); the pixels are fine.
}

struct PngResult {
    int width = 0;
    int height = 0;
    int components = 0;
};

// Only C objects and objects owned by the caller change between setjmp and a
// possible longjmp.
bool decode(png_structp png, png_infop info, std::FILE* file, PixelBlock* pixels,
            std::vector<png_bytep>* rows, PngResult* result, int flip) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_init_io(png, file);
    png_set_sig_bytes(png, 4);
    png_set_user_limits(png, imagelimits::maxSide, imagelimits::maxSide);
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    auto* context = static_cast<PngContext*>(png_get_error_ptr(png));
    if (!imagelimits::sizeAllowed("PNG", context->fileName, width, height))
        return false;

    // Palettes and transparency chunks expand to RGB or an alpha channel,
    // low-bit grey to 8 bits, 16-bit samples are cut to their high byte.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const size_t rowBytes = png_get_rowbytes(png, info);
    const int channels = png_get_channels(png, info);
    if (rowBytes != size_t(width) * channels)
        png_error(png, "unexpected row layout");
    pixels->resize(rowBytes * height);
    rows->resize(height);
    for (png_uint_32 i = 0; i < height; ++i)
        (*rows)[i] = pixels->data() + rowBytes * (flip ? height - 1 - i : i);
    png_read_image(png, rows->data());

    result->width = int(width);
    result->height = int(height);
    result->components = channels;
    return true;
}

} // namespace

PixelBlock readPNG(const std::string& fileName, int& width, int& height, int& components,
                   int flip) {
    width = height = components = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::openRegularFile(fileName, true),
                                                         &std::fclose);
    if (!file) {
        logMessage("Can't open PNG file %s.", fileName.c_str());
        return {};
    }
    png_byte signature[4] = {0, 0, 0, 0};
    if (std::fread(signature, 1, 4, file.get()) != 4 || png_sig_cmp(signature, 0, 4) != 0) {
        logMessage("%s is not a PNG file.", fileName.c_str());
        return {};
    }
    PngContext context{fileName.c_str()};
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, &context, failPng, ignorePngWarning);
    if (!png) {
        logMessage("Can't alloc memory for PNG file %s.", fileName.c_str());
        return {};
    }
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        logMessage("Can't alloc memory for PNG file %s.", fileName.c_str());
        return {};
    }
    PixelBlock pixels;
    std::vector<png_bytep> rows;
    PngResult result;
    const bool ok = decode(png, info, file.get(), &pixels, &rows, &result, flip);
    png_destroy_read_struct(&png, &info, nullptr);
    if (!ok)
        return {};
    width = result.width;
    height = result.height;
    components = result.components;
    return pixels;
}
