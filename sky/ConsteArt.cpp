#include "sky/ConsteArt.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>

#include "engine/CommandArgs.h"
#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "sky/SkyPosition.h"

namespace {

const Vector3 zAxis(0.0, 0.0, 1.0);

// Collects line strips from an index stream. Out-of-range indices end the
// strip like a negative one: joining the points on either side would draw a
// line the artist never drew.
class StripBuilder {
public:
    StripBuilder(const std::vector<ArtPoint>& points, ArtBlock& block)
        : points_(points), block_(block) {}
    ~StripBuilder() { endStrip(); }

    void add(int64_t index) {
        if (index < 0 || index >= static_cast<int64_t>(points_.size())) {
            if (index >= 0)
                ++outOfRange_;
            endStrip();
            return;
        }
        current_.push_back(points_[static_cast<std::size_t>(index)]);
    }
    int outOfRange() const { return outOfRange_; }

private:
    void endStrip() {
        if (!current_.empty())
            block_.strips.push_back(std::move(current_));
        current_.clear();
    }

    const std::vector<ArtPoint>& points_;
    ArtBlock& block_;
    std::vector<ArtPoint> current_;
    int outOfRange_ = 0;
};

void reportOutOfRange(const std::string& path, int count) {
    if (count > 0)
        logMessage("Art file %s: %i indices beyond its points left out.", path.c_str(), count);
}

// A constellation without its art file is no news; anything else in its
// place is told.
void tellUnopened(const std::string& path, const DataFile& file) {
    std::error_code error;
    if (std::filesystem::exists(path, error))
        logMessage("Art file %s not read. %s.", path.c_str(), file.error().c_str());
}

// A text number of a ".cat" file; false (and 0) when the next token is not a
// finite number, or the file has ended.
bool readNumber(DataFile& file, float& value) {
    value = std::numeric_limits<float>::quiet_NaN(); // the reader never yields NaN
    file.readFloat(value);
    if (std::isfinite(value))
        return true;
    value = 0.0f;
    return false;
}

} // namespace

Vector3 ArtPlacement::place(const ArtPoint& p) const {
    Vector3 v(-p.x, p.y, 0.0);
    if (!placed)
        return v;
    v = Quaternion(zAxis, angleDeg * 0.017453292519943295).rotateVector(v);
    v = Vector3(v.x * scale.x, v.y * scale.y, v.z * scale.z);
    return rotation.rotateVector(v) + translation;
}

int ConsteArt::strokeCount() const {
    int n = 0;
    for (const ArtBlock& block : blocks)
        n += static_cast<int>(block.strips.size());
    return n;
}

int ConsteArt::pointCount() const {
    int n = 0;
    for (const ArtBlock& block : blocks)
        for (const auto& strip : block.strips)
            n += static_cast<int>(strip.size());
    return n;
}

int readArtCab(const std::string& path, ConsteArt& art) {
    art.blocks.clear();
    DataFile file;
    if (!file.open(path, DataFile::Read, 1, DataFile::LittleEndian)) {
        tellUnopened(path, file);
        return 0;
    }
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    const auto damaged = [&](const char* why) {
        logMessage("Art file %s is damaged: %s.", path.c_str(), why);
        art.blocks.clear();
        return 0;
    };
    constexpr std::uintmax_t headerSize = 24; // position, scale, angle, point count
    if (error || size < headerSize + 4)
        return damaged("it is too short");

    float position[3] = {0.0f, 0.0f, 0.0f};
    float scale = 1.0f;
    float angle = 0.0f;
    int pointCount = -1;
    file.readFloat(position[0]).readFloat(position[1]).readFloat(position[2]);
    file.readFloat(scale).readFloat(angle).readInt(pointCount);
    // The counts come from the file: check them against its size before
    // anything is allocated for them.
    if (pointCount < 0 || (size - headerSize - 4) / 8 < static_cast<std::uintmax_t>(pointCount))
        return damaged("its point count does not fit the file");
    std::vector<ArtPoint> points(static_cast<std::size_t>(pointCount));
    bool finite = std::isfinite(position[0]) && std::isfinite(position[1]) &&
                  std::isfinite(position[2]) && std::isfinite(scale) && std::isfinite(angle);
    for (ArtPoint& p : points) {
        file.readFloat(p.x).readFloat(p.y);
        finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
    }
    if (!finite)
        return damaged("it holds a number that is not finite");
    int indexCount = -1;
    file.readInt(indexCount);
    const std::uintmax_t indexBytes = size - headerSize - 8u * points.size() - 4;
    if (indexCount < 0 || indexBytes / 4 < static_cast<std::uintmax_t>(indexCount))
        return damaged("its index count does not fit the file");
    std::vector<int> indices(static_cast<std::size_t>(indexCount));
    file.readIntArray(indices.data(), indexCount);

    ArtBlock block;
    ArtPlacement& placement = block.placement;
    if (scale != 1.0f) {
        Vector3 n(0.5 * position[0], 0.5 * position[1], 0.5 * position[2]);
        double length = n.normalize();
        if (length == 0.0) {
            // No direction to place it in: drawn around the origin, unscaled
            // by the (missing) distance.
            logMessage("Art file %s has no position.", path.c_str());
            length = 1.0;
        }
        placement.placed = true;
        placement.translation = n;
        placement.rotation = Quaternion(zAxis, n);
        const double s = scale / length;
        placement.scale = Vector3(s, s, 1.0);
        placement.angleDeg = angle;
    }
    int outOfRange = 0;
    {
        StripBuilder strips(points, block);
        for (int index : indices)
            strips.add(index);
        outOfRange = strips.outOfRange();
    }
    reportOutOfRange(path, outOfRange);
    art.blocks.push_back(std::move(block));
    return 1;
}

int readArtCat(const std::string& path, ConsteArt& art) {
    art.blocks.clear();
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        tellUnopened(path, file);
        return 0;
    }
    std::vector<ArtPoint> points;
    Vector3 direction; // of "Pos:"; none until given
    float angle = 0.0f;
    float size = 1.0f;
    int outOfRange = 0;
    bool badNumber = false;
    std::string token;
    std::string rest;
    while (file.good()) {
        file.readWord(token);
        if (token.empty())
            continue; // the end of the file; good() stops the loop
        if (token[0] == '#') {
            file.readLine(rest);
        } else if (token == "Points:") {
            int count = 0;
            file.readInt(count).readWord(rest);
            points.clear();
            if (count < 0)
                logMessage("Art file %s: %i is no point count.", path.c_str(), count);
            // Read point by point: the count is the file's word, the points
            // are what is really there.
            for (int i = 0; i < count; ++i) {
                ArtPoint p;
                if (!readNumber(file, p.x) || !readNumber(file, p.y)) {
                    logMessage("Art file %s: the points end after %zu of %i.", path.c_str(),
                               points.size(), count);
                    break;
                }
                points.push_back(p);
            }
        } else if (token == "Pos:") {
            float ra = 0.0f;
            float decl = 0.0f;
            badNumber |= !readNumber(file, ra);
            badNumber |= !readNumber(file, decl);
            direction = skyDirection(ra, decl);
        } else if (token == "Rot:") {
            badNumber |= !readNumber(file, angle);
        } else if (token == "Size:") {
            badNumber |= !readNumber(file, size);
        } else if (token == "Lines:") {
            file.readWord(rest); // the opening brace
            ArtBlock block;
            if (size != 1.0f) {
                ArtPlacement& placement = block.placement;
                placement.placed = true;
                placement.translation = direction * 0.5;
                // Without a "Pos:" the direction is zero and the turn the
                // identity: the drawing stays around the origin.
                placement.rotation = Quaternion(zAxis, direction);
                placement.scale = Vector3(size, size, size);
                placement.angleDeg = angle;
            }
            {
                StripBuilder strips(points, block);
                while (file.good()) {
                    file.readWord(token);
                    if (token.empty() || token[0] == '}')
                        break;
                    if (token[0] == '#')
                        file.readLine(rest);
                    else
                        strips.add(CommandArgs::toInt(token));
                }
                outOfRange += strips.outOfRange();
            }
            art.blocks.push_back(std::move(block));
        }
    }
    if (badNumber)
        logMessage("Art file %s: a placement number is missing or not finite; 0 used.",
                   path.c_str());
    reportOutOfRange(path, outOfRange);
    return 1;
}

void drawArt(const ConsteArt& art) {
    for (const ArtBlock& block : art.blocks) {
        glPushMatrix();
        const ArtPlacement& p = block.placement;
        if (p.placed) {
            p.translation.glTranslate();
            p.rotation.glRotate();
            glScaled(p.scale.x, p.scale.y, p.scale.z);
            glRotated(p.angleDeg, 0.0, 0.0, 1.0);
        }
        for (const auto& strip : block.strips) {
            glBegin(GL_LINE_STRIP);
            for (const ArtPoint& point : strip)
                glVertex2f(-point.x, point.y);
            glEnd();
        }
        glPopMatrix();
    }
}
