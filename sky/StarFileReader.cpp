#include "sky/StarFileReader.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"

namespace {

// The ".dsp" positions are in units of 1e-5 of the star sphere's radius.
const float asciiScale = 1e-5f;

// A little-endian binary star file with the count of bytes it still holds,
// so that every count can be checked before it is trusted.
class BinaryStarStream {
public:
    bool open(const std::string& path) {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        if (error) {
            error_ = error.message();
            return false;
        }
        if (!file_.open(path, DataFile::Read, 1, DataFile::LittleEndian)) {
            error_ = file_.error();
            return false;
        }
        remaining_ = size;
        return true;
    }

    std::uintmax_t remaining() const { return remaining_; }
    // Why open failed.
    const std::string& error() const { return error_; }

    // One int32; false when fewer than four bytes are left.
    bool readInt(int& value) {
        if (remaining_ < 4)
            return false;
        file_.readInt(value);
        remaining_ -= 4;
        return true;
    }

    bool readFloat(float& value) {
        if (remaining_ < 4)
            return false;
        file_.readFloat(value);
        remaining_ -= 4;
        return true;
    }

    // True when count values of four bytes are still in the file.
    bool holds(std::uintmax_t count) const { return count <= remaining_ / 4; }

    // count f32 values appended to out; false (nothing read) when the file
    // holds fewer.
    bool readFloats(std::vector<float>& out, std::size_t count) {
        if (!holds(count))
            return false;
        const std::size_t start = out.size();
        out.resize(start + count);
        std::vector<int> raw;
        for (std::size_t done = 0; done < count;) {
            const std::size_t chunk = std::min<std::size_t>(count - done, 1 << 16);
            raw.assign(chunk, 0);
            file_.readIntArray(raw.data(), static_cast<int>(chunk));
            // The int reader has swapped the bytes as a float needs them too.
            std::memcpy(out.data() + start + done, raw.data(), chunk * 4);
            done += chunk;
        }
        remaining_ -= count * 4;
        return true;
    }

    // Passes over count four-byte values.
    bool skip(std::uintmax_t count) {
        if (!holds(count))
            return false;
        std::vector<int> raw;
        for (std::uintmax_t done = 0; done < count;) {
            const auto chunk =
                static_cast<std::size_t>(std::min<std::uintmax_t>(count - done, 1 << 16));
            raw.resize(chunk);
            file_.readIntArray(raw.data(), static_cast<int>(chunk));
            done += chunk;
        }
        remaining_ -= count * 4;
        return true;
    }

private:
    DataFile file_;
    std::uintmax_t remaining_ = 0;
    std::string error_;
};

// A star count read from a file: it must not be negative, and the values it
// announces (valuesPerStar four-byte values per star) must still be in the file.
bool starCountFits(const BinaryStarStream& in, int count, int valuesPerStar) {
    return count >= 0 && in.holds(static_cast<std::uintmax_t>(count) * valuesPerStar);
}

// Reads one text number; false when the file ends or the token is no number.
bool readTextFloat(DataFile& file, float& value) {
    value = std::numeric_limits<float>::quiet_NaN();
    file.readFloat(value);
    return !std::isnan(value);
}

int damaged(const char* kind, const std::string& path, const char* what, SpaceFileContents& out) {
    logMessage("%s %s is damaged: %s.", kind, path.c_str(), what);
    out = SpaceFileContents();
    return 0;
}

} // namespace

int StarFileReader::readAscii(const std::string& path, SpaceFileContents& out) {
    out = SpaceFileContents();
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        logFileFailure("Could not open space ascii file.", path, file.error());
        return 0;
    }
    const char* kind = "Space ascii file";
    std::string word;
    while (file.good()) {
        file.readWord(word);
        if (word.empty())
            break;
        if (word[0] == '#') {
            file.readLine(word);
        } else if (word == "Space:") {
            int ignored = 0;
            file.readInt(ignored).readWord(word);
        } else if (word == "Star:") {
            float n[7];
            for (float& v : n)
                if (!readTextFloat(file, v))
                    return damaged(kind, path, "a \"Star:\" record ends early", out);
            StarRecord record;
            for (int i = 0; i < 3; ++i)
                record.slot[i] = n[i] * asciiScale;
            record.slot[6] = n[3];
            record.slot[3] = n[4];
            record.slot[4] = n[5];
            record.slot[5] = n[6];
            out.singles.push_back(record);
            file.readLine(word);
        } else if (word == "Magnitude:") {
            StarGroupPositions group;
            if (!readTextFloat(file, group.magnitude))
                return damaged(kind, path, "a \"Magnitude:\" has no number", out);
            if (group.magnitude > out.maxMagnitude)
                out.maxMagnitude = group.magnitude;
            out.groups.push_back(std::move(group));
        } else if (word == "Positions:") {
            int count = 0;
            file.readInt(count).readWord(word);
            // Positions before any group are not read; their numbers then
            // pass as words that match nothing.
            if (out.groups.empty())
                continue;
            if (count < 0)
                return damaged(kind, path, "a position count is negative", out);
            StarGroupPositions& group = out.groups.back();
            group.xyz.clear();
            // The count is not trusted for the allocation: the numbers are
            // gathered as they come, and the file must hold all of them.
            for (long long i = 0; i < 3LL * count; ++i) {
                float v;
                if (!readTextFloat(file, v))
                    return damaged(kind, path,
                                   "a \"Positions:\" block holds fewer numbers than its count",
                                   out);
                group.xyz.push_back(v * asciiScale);
            }
            group.hasPositions = true;
        }
    }
    return 1;
}

int StarFileReader::readBinary(const std::string& path, SpaceFileContents& out) {
    out = SpaceFileContents();
    BinaryStarStream in;
    if (!in.open(path)) {
        logFileFailure("Can't open space binary file.", path, in.error());
        return 0;
    }
    const char* kind = "Space binary file";
    int singles = 0;
    if (!in.readInt(singles) || !starCountFits(in, singles, 7))
        return damaged(kind, path, "the single-star count does not fit the file", out);
    std::vector<float> values;
    if (!in.readFloats(values, static_cast<std::size_t>(singles) * 7))
        return damaged(kind, path, "the single-star records end early", out);
    out.singles.resize(singles);
    for (int i = 0; i < singles; ++i) {
        const float* v = &values[static_cast<std::size_t>(i) * 7];
        StarRecord& record = out.singles[i];
        record.slot[0] = v[0];
        record.slot[1] = v[1];
        record.slot[2] = v[2];
        record.slot[6] = v[3];
        record.slot[3] = v[4];
        record.slot[4] = v[5];
        record.slot[5] = v[6];
    }
    int groups = 0;
    // Each group takes at least its magnitude and its count.
    if (!in.readInt(groups) || groups < 0 || groups > MaxGroups || !in.holds(2ULL * groups))
        return damaged(kind, path, "the group count does not fit the file", out);
    for (int k = 0; k < groups; ++k) {
        StarGroupPositions group;
        int count = 0;
        if (!in.readFloat(group.magnitude) || !in.readInt(count) || !starCountFits(in, count, 3))
            return damaged(kind, path, "a star count does not fit the file", out);
        in.readFloats(group.xyz, static_cast<std::size_t>(count) * 3);
        group.hasPositions = true;
        if (group.magnitude > out.maxMagnitude)
            out.maxMagnitude = group.magnitude;
        out.groups.push_back(std::move(group));
    }
    return 1;
}

int StarFileReader::readHipparcosGroupCount(const std::string& path, int& groupCount) {
    groupCount = 0;
    BinaryStarStream in;
    if (!in.open(path)) {
        logFileFailure("Can't open hipparcos binary file.", path, in.error());
        return 0;
    }
    int count = 0;
    if (!in.readInt(count) || count < 0 || count > MaxGroups || !in.holds(count)) {
        logMessage("Hipparcos binary file %s is damaged: the group count does not fit the file.",
                   path.c_str());
        return 0;
    }
    groupCount = count;
    return 1;
}

int StarFileReader::readHipparcosGroups(const std::string& path, float limit, int groupCount,
                                        const std::function<bool(int)>& wanted,
                                        const std::function<void(int, std::vector<float>&)>& take) {
    BinaryStarStream in;
    if (!in.open(path)) {
        logFileFailure("Can't open hipparcos binary file.", path, in.error());
        return 0;
    }
    int ignored = 0;
    in.readInt(ignored);
    for (int k = 0; k < groupCount && k < limit + 1.0f; ++k) {
        int count = 0;
        if (!in.readInt(count) || !starCountFits(in, count, 3)) {
            logMessage("Hipparcos binary file %s is damaged: the star count of group %i does not "
                       "fit the file.",
                       path.c_str(), k);
            return 0;
        }
        const std::size_t values = static_cast<std::size_t>(count) * 3;
        if (wanted(k)) {
            std::vector<float> xyz;
            in.readFloats(xyz, values);
            take(k, xyz);
        } else {
            in.skip(values);
        }
    }
    return 1;
}

int StarFileReader::readCatalog(
    const std::string& path,
    const std::function<void(int, std::vector<float>&, std::vector<float>&)>& take) {
    BinaryStarStream in;
    if (!in.open(path)) {
        logFileFailure("Can't open dg hipparcos binary file.", path, in.error());
        return 0;
    }
    auto damagedCatalog = [&path](const char* what) {
        logMessage("Star catalogue %s is damaged: %s.", path.c_str(), what);
        return 0;
    };
    int groups = 0;
    if (!in.readInt(groups) || groups < 0 || groups > MaxGroups || !in.holds(groups))
        return damagedCatalog("the group count does not fit the file or the 256 colour groups");
    struct Group {
        std::vector<float> xyz;
        std::vector<float> magnitudes;
    };
    std::vector<Group> read(groups);
    for (Group& group : read) {
        int count = 0;
        if (!in.readInt(count) || !starCountFits(in, count, 4))
            return damagedCatalog("a star count does not fit the file");
        in.readFloats(group.xyz, static_cast<std::size_t>(count) * 3);
        in.readFloats(group.magnitudes, static_cast<std::size_t>(count));
    }
    for (int k = 0; k < groups; ++k)
        take(k, read[k].xyz, read[k].magnitudes);
    return 1;
}
