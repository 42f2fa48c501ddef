// A picture as a texture loads it: the format recognised by its first bytes,
// decoded, then resampled to the power-of-two sides GL 1.x takes.
#include "FuzzSupport.h"
#include "graphics/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    Image image;
    if (image.load(fuzz::writeInput(data, size, "texture"), int(size & 1)))
        image.makePowerOfTwo();
    return 0;
}
