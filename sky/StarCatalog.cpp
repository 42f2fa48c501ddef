#include "sky/StarCatalog.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/Quaternion.h"
#include "engine/RealToInt.h"
#include "platform/NumericLocale.h"
#include "sky/StarFileReader.h"

namespace {

// The colour map's lines are at most 255 characters.
const std::size_t maxColorLine = 255;

// Right and up vectors of a square facing the origin from position p: the
// rotation that turns the view axis (0, 0, −1) toward p carries the square's
// x and y axes along. A star straight along +z gets the half turn, so every
// star has a valid square.
void squareAxes(const float* p, float* right, float* up) {
    const Quaternion r(Vector3(0.0, 0.0, -1.0), Vector3(p[0], p[1], p[2]));
    const Vector3 x = r.rotateVector(Vector3(1.0, 0.0, 0.0));
    const Vector3 y = r.rotateVector(Vector3(0.0, 1.0, 0.0));
    right[0] = static_cast<float>(x.x);
    right[1] = static_cast<float>(x.y);
    right[2] = static_cast<float>(x.z);
    up[0] = static_cast<float>(y.x);
    up[1] = static_cast<float>(y.y);
    up[2] = static_cast<float>(y.z);
}

} // namespace

int StarCatalog::loadStars(const std::string& path) {
    std::array<CatalogGroup, GroupCount> loaded;
    const int ok = StarFileReader::readCatalog(
        path, [&loaded](int k, std::vector<float>& xyz, std::vector<float>& magnitudes) {
            CatalogGroup& group = loaded[k];
            group.positions.swap(xyz);
            group.magnitudes.swap(magnitudes);
            const std::size_t n = group.magnitudes.size();
            group.rights.resize(n * 3);
            group.ups.resize(n * 3);
            for (std::size_t i = 0; i < n; ++i)
                squareAxes(&group.positions[i * 3], &group.rights[i * 3], &group.ups[i * 3]);
        });
    if (!ok)
        return 0;
    for (int k = 0; k < GroupCount; ++k) {
        CatalogGroup& group = groups[k];
        group.positions.swap(loaded[k].positions);
        group.rights.swap(loaded[k].rights);
        group.ups.swap(loaded[k].ups);
        group.magnitudes.swap(loaded[k].magnitudes);
    }
    dropList();
    return 1;
}

int StarCatalog::loadColorMap(const std::string& path) {
    if (path.empty())
        return 0;
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder))
        return 0;
    std::string line;
    file.readLine(line);
    // The count is clamped to the groups there are (a count that is no number reads as none).
    int count = truncToInt(platform::parseDouble(line.c_str()));
    if (count > GroupCount)
        count = GroupCount;
    // A file that ends early repeats its last colour line.
    std::string colorLine;
    for (int k = 0; k < count; ++k) {
        if (file.good()) {
            file.readLine(line);
            if (!line.empty() || file.good())
                colorLine = line.substr(0, maxColorLine);
        }
        if (colorLine.empty())
            continue;
        const char* text = colorLine.c_str();
        float* color = groups[k].color;
        for (int c = 0; c < 3; ++c) {
            const char* end = text;
            const float value = platform::parseFloat(text, &end);
            if (end == text)
                break; // as scanf: the components from here on keep their value
            color[c] = value;
            text = end;
        }
    }
    dropList();
    return 1;
}

int StarCatalog::getStarCount() const {
    int total = 0;
    for (const CatalogGroup& group : groups)
        total += group.count();
    return total;
}

double StarCatalog::brightness(float magnitude) {
    const double base = 1.0 - (magnitude - 1.5) * 0.05555555555555555;
    return base > 0.0 ? std::pow(base, 4.5) : 0.0;
}
