// The scene tests' quadrant globe (tests/data/scene/textures/testglobe.png):
// north blue and green, south magenta and yellow. Worn in place of a body's
// map, it lets a picture tell the body's north from its south.
#pragma once

#include <QImage>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TestEnv.h"

namespace orvextest {

enum class GlobeHalf { None, North, South };

// One bright channel is the north (blue, green), two are the south (magenta,
// yellow); shading keeps the pattern, so lit and half-lit pixels both count.
// Dark, grey and white pixels are neither.
inline GlobeHalf globeHalf(QRgb p) {
    const int top = std::max({qRed(p), qGreen(p), qBlue(p)});
    if (top < 40)
        return GlobeHalf::None;
    const int high = (qRed(p) > top / 2) + (qGreen(p) > top / 2) + (qBlue(p) > top / 2);
    return high == 1 ? GlobeHalf::North : high == 2 ? GlobeHalf::South : GlobeHalf::None;
}

// In every texture folder of the data set at dataDir: the globe in place of
// each of the maps, a clear image in place of each of the cloud maps. The
// images there are links into share/: replaced, never written through.
inline bool wearTestGlobe(const std::string& dataDir, const std::vector<std::string>& maps,
                          const std::vector<std::string>& clouds) {
    namespace fs = std::filesystem;
    const QImage globe(QString::fromStdString(dataPath("scene") + "/textures/testglobe.png"));
    QImage clear(64, 32, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    bool saved = !globe.isNull();
    for (const char* dir : {"textures", "texturesLow", "texturesMid", "texturesHigh"}) {
        const fs::path folder = fs::path(dataDir) / dir;
        for (const std::string& map : maps) {
            fs::remove(folder / map);
            saved =
                globe.save(QString::fromStdString((folder / map).string()), "JPEG", 100) && saved;
        }
        for (const std::string& map : clouds) {
            fs::remove(folder / map);
            saved = clear.save(QString::fromStdString((folder / map).string()), "PNG") && saved;
        }
    }
    return saved;
}

} // namespace orvextest
