#include "graphics/Image.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

#include "engine/LogMessage.h"
#include "graphics/ImageDecoders.h"
#include "platform/RegularFile.h"

namespace {

// The source cells one output pixel covers along one axis, with the share of
// each (box filter, the same coverage gluScaleImage uses). Edge pixels clamp
// rather than wrap, so small labels and icons keep clean borders.
struct AxisWeights {
    std::vector<int> first; // per output index: start into taps, plus a final end
    std::vector<int> source;
    std::vector<float> weight;
};

AxisWeights boxWeights(int inSize, int outSize) {
    AxisWeights w;
    const double conv = double(inSize) / outSize;
    for (int i = 0; i < outSize; ++i) {
        const double centre = conv * (i + 0.5);
        const double half = inSize > outSize ? conv / 2 : 0.5;
        const double low = centre - half;
        const double high = centre + half;
        w.first.push_back(int(w.source.size()));
        const size_t start = w.weight.size();
        double total = 0;
        for (double cell = std::floor(low), x = low; x < high; cell += 1, x = cell) {
            const double share = std::min(high, cell + 1) - x;
            if (share <= 0)
                continue;
            w.source.push_back(std::clamp(int(cell), 0, inSize - 1));
            w.weight.push_back(float(share));
            total += share;
        }
        for (size_t k = start; k < w.weight.size(); ++k)
            w.weight[k] = float(w.weight[k] / total);
    }
    w.first.push_back(int(w.source.size()));
    return w;
}

} // namespace

Image::Image(const char* name) {
    if (name)
        load(name, 0);
}

int Image::load(const std::string& name, int flip) {
    width = height = components = 0;
    pixels.clear();
    pixels.shrink_to_fit();

    std::string why;
    std::FILE* file = platform::openRegularFile(name, true, &why);
    if (!file) {
        logMessage("Can't open image file %s. %s.", name.c_str(), why.c_str());
        fileName = name;
        return 0;
    }
    unsigned char b[4] = {0, 0, 0, 0};
    const size_t got = std::fread(b, 1, 4, file);
    std::fclose(file);

    // The magic is compared read either way round, as little- and big-endian words.
    const uint32_t little = b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t(b[3]) << 24);
    const uint32_t big = b[3] | (b[2] << 8) | (b[1] << 16) | (uint32_t(b[0]) << 24);
    auto is = [&](uint32_t magic) { return little == magic || big == magic; };
    const bool png =
        (b[1] == 'P' && b[2] == 'N' && b[3] == 'G') || (b[2] == 'P' && b[1] == 'N' && b[0] == 'G');
    const bool bmp = (b[0] == 'B' && b[1] == 'M') || (b[3] == 'B' && b[2] == 'M');

    if (got < 4)
        logMessage("Image file %s is too short.", name.c_str());
    else if (is(0xFFD8FFE0)) // JPEG start of image followed by the JFIF marker
        pixels = readJPEG(name, width, height, components, flip);
    else if (is(0x01DA0101)) // SGI magic 474, RLE, one byte per channel
        pixels = readRGB(name, width, height, components, flip);
    else if (png)
        pixels = readPNG(name, width, height, components, flip);
    else if (bmp)
        pixels = readBMP(name, width, height, components, 1);
    else
        logMessage("Image file %s has an unknown format.", name.c_str());

    if (pixels.empty())
        width = height = components = 0;
    fileName = name;
    return pixels.empty() ? 0 : 1;
}

void Image::scale(int newWidth, int newHeight) {
    if (pixels.empty() || newWidth <= 0 || newHeight <= 0 || width <= 0 || height <= 0)
        return;
    const AxisWeights across = boxWeights(width, newWidth);
    const AxisWeights down = boxWeights(height, newHeight);
    const int c = components;
    PixelBlock out(size_t(newWidth) * newHeight * c);
    std::vector<float> sum(size_t(newWidth) * c);

    for (int oy = 0; oy < newHeight; ++oy) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        for (int t = down.first[oy]; t < down.first[oy + 1]; ++t) {
            const unsigned char* src = pixels.data() + size_t(down.source[t]) * width * c;
            const float wy = down.weight[t];
            for (int ox = 0; ox < newWidth; ++ox) {
                float acc[4] = {0, 0, 0, 0};
                for (int k = across.first[ox]; k < across.first[ox + 1]; ++k) {
                    const unsigned char* p = src + size_t(across.source[k]) * c;
                    for (int ch = 0; ch < c; ++ch)
                        acc[ch] += p[ch] * across.weight[k];
                }
                for (int ch = 0; ch < c; ++ch)
                    sum[size_t(ox) * c + ch] += acc[ch] * wy;
            }
        }
        unsigned char* dst = out.data() + size_t(oy) * newWidth * c;
        for (size_t i = 0; i < sum.size(); ++i)
            dst[i] = static_cast<unsigned char>(std::min(255.0f, sum[i] + 0.5f));
    }
    pixels.swap(out);
    width = newWidth;
    height = newHeight;
}

int powerOfTwoBelow(int size) {
    for (int p = 4096; p >= 16; p /= 2)
        if (size >= p)
            return p;
    return 8;
}

void Image::makePowerOfTwo() {
    const int w = powerOfTwoBelow(width);
    const int h = powerOfTwoBelow(height);
    if (w != width || h != height)
        scale(w, h);
}

unsigned Image::getGLFormat() const {
    switch (components) {
    case 0:
        return GL_COLOR_INDEX;
    case 1:
        return GL_LUMINANCE;
    case 2:
        return GL_LUMINANCE_ALPHA;
    case 4:
        return GL_RGBA;
    default:
        return GL_RGB;
    }
}

unsigned Image::getGLType() const {
    return components > 0 ? GL_UNSIGNED_BYTE : GL_BITMAP;
}

namespace imagelimits {

bool sizeAllowed(const char* format, const std::string& fileName, long long w, long long h) {
    if (w > 0 && h > 0 && w <= maxSide && h <= maxSide && w * h <= maxPixels)
        return true;
    logMessage("%s file %s has an unusable size (%lldx%lld).", format, fileName.c_str(), w, h);
    return false;
}

bool readFile(const std::string& fileName, std::vector<unsigned char>& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(platform::openRegularFile(fileName, true),
                                                         &std::fclose);
    if (!file)
        return false;
    bytes.clear();
    const auto tooLong = [&] {
        logMessage("Image file %s is longer than %lld bytes; it is not read.", fileName.c_str(),
                   maxFileBytes);
        bytes.clear();
        return false;
    };
    // The size the file reports refuses a huge one at once; the count of
    // bytes read, one that reports none and never ends (a /proc file).
    struct stat info {};
    if (::fstat(fileno(file.get()), &info) == 0 && info.st_size > maxFileBytes)
        return tooLong();
    unsigned char chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        if (static_cast<long long>(bytes.size() + n) > maxFileBytes)
            return tooLong();
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    return !std::ferror(file.get());
}

} // namespace imagelimits
