#include "sky/NamesFile.h"

#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/NumericLocale.h"
#include "sky/SkyPosition.h"

namespace {

// Tokens of a names file with one token of look-back: a field that turns out
// to be no number may be the next record's keyword or the block's end.
class Tokens {
public:
    explicit Tokens(DataFile& file) : file_(file) {}

    // The next token; false at the end of the file.
    bool next(std::string& token) {
        if (pushedBack_) {
            pushedBack_ = false;
            token = std::move(pending_);
            return true;
        }
        file_.readWord(token);
        return !token.empty();
    }
    void pushBack(std::string token) {
        pending_ = std::move(token);
        pushedBack_ = true;
    }
    void skipLine() {
        std::string rest;
        file_.readLine(rest);
    }

private:
    DataFile& file_;
    std::string pending_;
    bool pushedBack_ = false;
};

// One field of a record. Numbers are read from the start of the token with
// "." decimals, as the format has always been written.
class Fields {
public:
    explicit Fields(Tokens& tokens) : tokens_(tokens) {}

    bool number(double& value) {
        std::string token;
        if (!take(token))
            return false;
        const char* end = nullptr;
        value = platform::parseDouble(token.c_str(), &end);
        if (end == token.c_str() || !std::isfinite(value))
            return refuse(std::move(token));
        return true;
    }
    // The signed degrees token: its sign counts even when the number is 0.
    bool degrees(double& value, bool& south) {
        if (!number(value))
            return false;
        south = lastToken_[0] == '-';
        return true;
    }
    bool name(std::string& value) {
        if (!take(value))
            return false;
        if (value[0] == '}')
            return refuse(std::move(value));
        return true;
    }

private:
    bool take(std::string& token) {
        if (!tokens_.next(token))
            return false;
        lastToken_ = token;
        return true;
    }
    bool refuse(std::string token) {
        tokens_.pushBack(std::move(token));
        return false;
    }

    Tokens& tokens_;
    std::string lastToken_;
};

void setPosition(float position[3], double ra, double decl) {
    const Vector3 v = skyDirection(ra, decl);
    position[0] = float(v.x);
    position[1] = float(v.y);
    position[2] = float(v.z);
}

bool readName(Fields& fields, StarName& out) {
    double h = 0, m = 0, d = 0, dm = 0;
    bool south = false;
    if (!fields.name(out.name) || !fields.number(h) || !fields.number(m) ||
        !fields.degrees(d, south) || !fields.number(dm))
        return false;
    out.ra = (h / 24.0 + m / 1440.0) * 360.0;
    out.decl = south ? d - dm / 60.0 : d + dm / 60.0;
    setPosition(out.position, out.ra, out.decl);
    return true;
}

bool readStar(Fields& fields, FixedStar& out) {
    double h = 0, m = 0, s = 0, d = 0, dm = 0, ds = 0, extra = 0, rgb[3] = {0, 0, 0};
    bool south = false;
    if (!fields.number(h) || !fields.number(m) || !fields.number(s) || !fields.degrees(d, south) ||
        !fields.number(dm) || !fields.number(ds) || !fields.number(extra) ||
        !fields.number(rgb[0]) || !fields.number(rgb[1]) || !fields.number(rgb[2]))
        return false;
    const double ra = (h / 24.0 + m / 1440.0 + s / 86400.0) * 360.0;
    const double minutes = dm / 60.0 + ds / 3600.0;
    setPosition(out.position, ra, south ? d - minutes : d + minutes);
    out.extra = float(extra);
    for (int i = 0; i < 3; ++i)
        out.color[i] = float(rgb[i]);
    return true;
}

} // namespace

bool readNamesFile(const std::string& path, const std::string& header, std::vector<StarName>& names,
                   std::vector<FixedStar>* stars, std::string* error) {
    DataFile file;
    if (!file.open(path, DataFile::Read, 0, DataFile::HostOrder)) {
        if (error)
            *error = file.error();
        return false;
    }
    Tokens tokens(file);
    Fields fields(tokens);
    bool inBlock = false;
    int nameRecords = 0;
    int starRecords = 0;
    std::string token;
    while (tokens.next(token)) {
        if (token[0] == '#') {
            tokens.skipLine();
        } else if (!inBlock) {
            if (token != header)
                continue;
            inBlock = true;
            // The count is not needed; the brace after it is dropped, unless
            // it is missing and this is already a record.
            for (int i = 0; i < 2 && tokens.next(token); ++i) {
                if (token[0] == '{')
                    break;
                if (i == 1 || token[0] == '}' || token.back() == ':') {
                    tokens.pushBack(token);
                    break;
                }
            }
        } else if (token[0] == '}') {
            inBlock = false;
        } else if (token == "Name:") {
            ++nameRecords;
            StarName name;
            if (readName(fields, name))
                names.push_back(std::move(name));
            else
                logMessage("Bad Name: record %d in %s.", nameRecords, path.c_str());
        } else if (token == "Star:" && stars) {
            ++starRecords;
            FixedStar star;
            if (readStar(fields, star))
                stars->push_back(star);
            else
                logMessage("Bad Star: record %d in %s.", starRecords, path.c_str());
        }
    }
    return true;
}
