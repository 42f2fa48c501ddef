// One image decoder, named by ORVEX_FUZZ_DECODER (readBMP, readRGB, readJPEG,
// readPNG), over a file of arbitrary bytes, flipped or not.
#include "FuzzSupport.h"
#include "graphics/ImageDecoders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    const std::string path = fuzz::writeInput(data, size, "image");
    int width = 0, height = 0, components = 0;
    const PixelBlock pixels = ORVEX_FUZZ_DECODER(path, width, height, components, int(size & 1));
    (void)pixels;
    return 0;
}
