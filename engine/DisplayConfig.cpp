#include "engine/DisplayConfig.h"

#include <QGLFormat>
#include <filesystem>
#include <system_error>
#include <utility>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"

DisplayConfig::DisplayConfig(const std::string& dir) {
    for (const char* place : {"/../../", "/../", "/"})
        read(dir + place + fileName);
}

DisplayConfig::~DisplayConfig() = default;

DisplayConfig& DisplayConfig::instance() {
    static DisplayConfig config;
    return config;
}

namespace {

void readValue(DataFile& file, int& value) {
    file.readInt(value);
}
void readValue(DataFile& file, float& value) {
    file.readFloat(value);
}
void readValue(DataFile& file, double& value) {
    file.readDouble(value);
}
// Bit counts are one byte of the pixel format: the low byte of the number.
void readValue(DataFile& file, std::uint8_t& value) {
    int number = value;
    file.readInt(number);
    value = std::uint8_t(number);
}

// Reads the value of word when the table holds it as a keyword.
template <typename T, std::size_t N>
bool readKeyword(DataFile& file, const std::string& word,
                 const std::pair<const char*, T*> (&table)[N]) {
    for (const auto& entry : table) {
        if (word == entry.first) {
            readValue(file, *entry.second);
            return true;
        }
    }
    return false;
}

} // namespace

void DisplayConfig::read(const std::string& path) {
    DataFile file;
    if (!file.open(path)) {
        // A missing file leaves the values as they are; anything else in its
        // place is told.
        std::error_code error;
        if (std::filesystem::exists(path, error))
            logFileFailure("Could not read display configuration file.", path, file.error());
        return;
    }
    const std::pair<const char*, int*> ints[] = {{"StereoSwap:", &stereoSwap_},
                                                 {"TextureWidth:", &textureWidth_},
                                                 {"TextureHeight:", &textureHeight_},
                                                 {"ProjectRes:", &projectRes_}};
    const std::pair<const char*, double*> reals[] = {{"FieldOfView:", &fieldOfView_},
                                                     {"TopAngle:", &topAngle_},
                                                     {"BottomAngle:", &bottomAngle_}};
    const std::pair<const char*, float*> floats[] = {{"StereoOffset:", &stereoOffset_}};
    const std::pair<const char*, std::uint8_t*> bytes[] = {{"ColorBit:", &colorBits_},
                                                           {"DepthBit:", &depthBits_}};
    std::string word;
    while (file.good()) {
        file.readWord(word);
        if (word.empty())
            break;
        if (word[0] == '#')
            file.readLine(word);
        else if (!readKeyword(file, word, ints) && !readKeyword(file, word, reals) &&
                 !readKeyword(file, word, floats) && !readKeyword(file, word, bytes))
            readSetting(file, word, path);
    }
}

void DisplayConfig::readSetting(DataFile& file, const std::string& word, const std::string& path) {
    int value = 0;
    if (word == "Stereo:") {
        value = stereoMode_;
        file.readInt(value);
        // The view would ask for stereo buffers for any other value.
        if (value < Mono || value > Stencil) {
            logMessage("%s: unknown stereo mode %d; drawing mono.", path.c_str(), value);
            value = Mono;
        }
        stereoMode_ = value;
    } else if (word == "Accelerated:") {
        file.readInt(value);
        pixelFlags_ &= ~(value ? GenericFormat : GenericAccelerated);
        pixelFlags_ |= value ? GenericAccelerated : GenericFormat;
    } else if (word == "DepthDontCare:") {
        file.readInt(value);
        if (value)
            pixelFlags_ |= DepthDontCare;
    } else if (word == "ProjectType:") {
        std::string name;
        file.readWord(name);
        const char* const names[] = {"Direct", "Plane", "Fisheye", "Dome"};
        for (int type = Direct; type <= Dome; ++type)
            if (name == names[type])
                projectType_ = type;
    }
}

double DisplayConfig::getEyeOffset() const {
    if (stereoSwap_ == 1)
        return stereoOffset_;
    if (stereoSwap_ == 2)
        return -stereoOffset_;
    return 0.0;
}

QGLFormat DisplayConfig::glFormat() const {
    QGLFormat format = QGLFormat::defaultFormat();
    format.setDoubleBuffer(true);
    format.setDepth(true);
    // A wish, not a minimum: the toolkit settles for the deepest buffer it has.
    if (depthBits_ > 0)
        format.setDepthBufferSize(depthBits_);
    format.setStereo(stereoMode_ == QuadBuffer);
    if (stereoMode_ == Stencil) {
        format.setStencil(true);
        format.setStencilBufferSize(8);
    }
    return format;
}

bool DisplayConfig::acceptFormat(const QGLFormat& actual) {
    return acceptContext(actual.stereo(), actual.depth() ? actual.depthBufferSize() : 0,
                         actual.stencil() ? actual.stencilBufferSize() : 0);
}

bool DisplayConfig::acceptContext(bool stereo, int depthBits, int stencilBits) {
    const char* missing = nullptr;
    if (depthBits <= 0 && stereoMode_ != Mono)
        missing = "a depth buffer";
    else if (stereoMode_ == QuadBuffer && !stereo)
        missing = "quad buffers";
    else if (stereoMode_ == Stencil && stencilBits <= 0)
        missing = "a stencil buffer";
    if (!missing)
        return true;
    // Drivers that cannot give stereo buffers may hand out a context without
    // depth instead of failing; mono with depth is better than that picture.
    logMessage("Stereo mode %d needs %s; the GL context has stereo %d, depth %d bits, stencil %d "
               "bits. Drawing mono.",
               stereoMode_, missing, stereo ? 1 : 0, depthBits, stencilBits);
    stereoMode_ = Mono;
    return false;
}
