// JPEG files through libjpeg(-turbo). The library reports fatal errors through
// error_exit, which must not return: ours jumps back to the decoder, so a
// corrupt or truncated file ends as a failed load instead of ending the
// program. Warnings that mean the picture data is damaged count as failures.
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
// jerror.h after jpeglib.h: the warning codes.
#include <jerror.h>

#include "engine/LogMessage.h"
#include "graphics/ImageDecoders.h"
#include "platform/RegularFile.h"

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    const char* fileName;
};

[[noreturn]] void failJpeg(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    char text[JMSG_LENGTH_MAX];
    (*info->err->format_message)(info, text);
    logMessage("JPEG file %s: %s.", error->fileName, text);
    std::longjmp(error->jump, 1);
}

void jpegMessage(j_common_ptr info, int level) {
    if (level >= 0)
        return; // trace messages
    switch (info->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_ARITH_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
        failJpeg(info);
    default:
        break; // harmless: unknown JFIF revision, stray bytes between markers...
    }
}

// Everything between setjmp and a possible longjmp lives in objects owned by
// the caller, so nothing is left half-built or leaked after a jump.
bool decode(jpeg_decompress_struct* info, JpegError* error, std::FILE* file, PixelBlock* pixels,
            int flip) {
    if (setjmp(error->jump))
        return false;
    jpeg_create_decompress(info);
    jpeg_stdio_src(info, file);
    jpeg_read_header(info, TRUE);
    if (!imagelimits::sizeAllowed("JPEG", error->fileName, info->image_width, info->image_height))
        return false;
    jpeg_start_decompress(info);
    // CMYK and other multi-plane colour spaces have no GL pixel format here.
    if (info->output_components != 1 && info->output_components != 3) {
        logMessage("JPEG file %s has an unsupported colour space.", error->fileName);
        return false;
    }
    const size_t width = info->output_width;
    const size_t height = info->output_height;
    const size_t rowBytes = width * info->output_components;
    pixels->resize(rowBytes * height);
    JSAMPROW rows[16];
    while (info->output_scanline < height) {
        const size_t first = info->output_scanline;
        const size_t batch = std::min<size_t>(16, height - first);
        for (size_t i = 0; i < batch; ++i) {
            const size_t row = flip ? height - 1 - (first + i) : first + i;
            rows[i] = pixels->data() + row * rowBytes;
        }
        if (jpeg_read_scanlines(info, rows, JDIMENSION(batch)) == 0)
            return false;
    }
    jpeg_finish_decompress(info);
    return true;
}

} // namespace

PixelBlock readJPEG(const std::string& fileName, int& width, int& height, int& components,
                    int flip) {
    width = height = components = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::openRegularFile(fileName, true),
                                                         &std::fclose);
    if (!file) {
        logMessage("Can't open JPEG file %s.", fileName.c_str());
        return {};
    }
    jpeg_decompress_struct info{};
    JpegError error{};
    error.fileName = fileName.c_str();
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = failJpeg;
    error.manager.emit_message = jpegMessage;

    PixelBlock pixels;
    const bool ok = decode(&info, &error, file.get(), &pixels, flip);
    if (ok) {
        width = int(info.output_width);
        height = int(info.output_height);
        components = info.output_components;
    }
    jpeg_destroy_decompress(&info);
    if (!ok)
        return {};
    return pixels;
}
