#include "model/GlmModel.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <set>
#include <sstream>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "platform/NumericLocale.h"

namespace {

// The whitespace-separated words of a line.
std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    std::string word;
    while (in >> word)
        words.push_back(word);
    return words;
}

// The line after its first word, without surrounding blanks.
std::string restAfterFirstWord(const std::string& line) {
    const size_t start = line.find_first_not_of(" \t");
    size_t pos = line.find_first_of(" \t", start);
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string::npos)
        return "";
    const size_t end = line.find_last_not_of(" \t");
    return line.substr(pos, end - pos + 1);
}

// Reads count floats from words[1..count] into out; false when a word is
// missing or no number (the value is then 0).
bool readFloats(const std::vector<std::string>& words, int count, float* out) {
    bool ok = true;
    for (int i = 0; i < count; ++i) {
        out[i] = 0.0f;
        if (size_t(i + 1) >= words.size()) {
            ok = false;
            continue;
        }
        const char* text = words[size_t(i + 1)].c_str();
        const char* end = text;
        out[i] = platform::parseFloat(text, &end);
        if (end == text || *end != '\0')
            ok = false;
    }
    return ok;
}

// Lines of a text file without their line ends.
class LineReader {
public:
    explicit LineReader(const std::string& path) { open_ = file_.open(path); }
    bool isOpen() const { return open_; }
    // Why the file did not open.
    const std::string& error() const { return file_.error(); }
    bool next(std::string& line) {
        while (file_.good()) {
            line.clear();
            file_.readLine(line);
            if (!file_.good() && line.empty())
                return false;
            ++number_;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            return true;
        }
        return false;
    }
    int number() const { return number_; }

private:
    DataFile file_;
    bool open_ = false;
    int number_ = 0;
};

// What the OBJ reader keeps between lines.
class ObjReader {
public:
    explicit ObjReader(GlmModel& model) : model_(model) {
        model_.materials.push_back(GlmMaterial{});
        model_.materials[0].name = "default";
        currentGroup_ = groupFor("default", 0);
    }

    void readLine(const std::string& line, int lineNumber);
    // Drops the faces whose indices point outside the arrays read.
    void dropBadFaces();

private:
    int groupFor(const std::string& name, int material);
    void readFace(const std::vector<std::string>& words, int lineNumber);
    // One corner "v", "v/t", "v//n" or "v/t/n"; false when malformed.
    bool readCorner(const std::string& word, int& v, int& t, int& n) const;
    void reportUnknown(const std::string& token);

    GlmModel& model_;
    int currentGroup_ = 0;
    std::string currentGroupName_ = "default";
    int currentMaterial_ = 0;
    // The face each triangle came from, to drop whole faces.
    std::vector<int> faceOfTriangle_;
    int faces_ = 0;
    std::set<std::string> reported_;
};

int ObjReader::groupFor(const std::string& name, int material) {
    // A group keeps one material: a material change inside a group continues
    // it in a group of the same name with the new material.
    for (size_t i = 0; i < model_.groups.size(); ++i) {
        if (model_.groups[i].name == name && model_.groups[i].material == material)
            return int(i);
    }
    GlmGroup group;
    group.name = name;
    group.material = material;
    model_.groups.push_back(group);
    return int(model_.groups.size()) - 1;
}

void ObjReader::reportUnknown(const std::string& token) {
    if (reported_.insert(token).second)
        logMessage("glmReadOBJ(): unknown token \"%s\" in %s skipped.", token.c_str(),
                   model_.pathname.c_str());
}

bool ObjReader::readCorner(const std::string& word, int& v, int& t, int& n) const {
    v = t = n = 0;
    int* fields[3] = {&v, &t, &n};
    const int counts[3] = {model_.numvertices(), model_.numtexcoords(), model_.numnormals()};
    size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t slash = std::min(word.find('/', pos), word.size());
        const std::string part = word.substr(pos, slash - pos);
        if (part.empty()) {
            if (k == 0)
                return false; // every corner names its vertex
        } else {
            char* end = nullptr;
            errno = 0;
            const long value = std::strtol(part.c_str(), &end, 10);
            if (*end != '\0' || errno == ERANGE || value == 0 || value > INT_MAX ||
                value < -INT_MAX)
                return false;
            // A negative index counts back from the last element read so far.
            const long resolved = value < 0 ? counts[k] + 1 + value : value;
            if (resolved < 1)
                return false;
            *fields[k] = int(resolved);
        }
        if (slash == word.size())
            return true;
        pos = slash + 1;
    }
    return false; // more than three parts
}

void ObjReader::readFace(const std::vector<std::string>& words, int lineNumber) {
    std::vector<int> v, t, n;
    for (size_t i = 1; i < words.size(); ++i) {
        int vi, ti, ni;
        if (!readCorner(words[i], vi, ti, ni)) {
            logMessage("glmReadOBJ(): bad face corner \"%s\" in %s line %d, face dropped.",
                       words[i].c_str(), model_.pathname.c_str(), lineNumber);
            return;
        }
        v.push_back(vi);
        t.push_back(ti);
        n.push_back(ni);
    }
    if (v.size() < 3) {
        logMessage("glmReadOBJ(): face of fewer than 3 corners in %s line %d dropped.",
                   model_.pathname.c_str(), lineNumber);
        return;
    }
    ++faces_;
    // A fan about the first corner.
    for (size_t k = 2; k < v.size(); ++k) {
        GlmTriangle tri;
        const size_t corners[3] = {0, k - 1, k};
        for (int c = 0; c < 3; ++c) {
            tri.vindices[c] = v[corners[c]];
            tri.tindices[c] = t[corners[c]];
            tri.nindices[c] = n[corners[c]];
        }
        model_.groups[size_t(currentGroup_)].triangles.push_back(model_.numtriangles());
        model_.triangles.push_back(tri);
        faceOfTriangle_.push_back(faces_);
    }
}

void ObjReader::readLine(const std::string& line, int lineNumber) {
    const std::vector<std::string> words = splitWords(line);
    if (words.empty() || words[0][0] == '#')
        return;
    const std::string& key = words[0];
    float values[3];
    if (key == "v") {
        if (!readFloats(words, 3, values))
            logMessage("glmReadOBJ(): bad vertex in %s line %d.", model_.pathname.c_str(),
                       lineNumber);
        model_.vertices.insert(model_.vertices.end(), values, values + 3);
    } else if (key == "vn") {
        if (!readFloats(words, 3, values))
            logMessage("glmReadOBJ(): bad normal in %s line %d.", model_.pathname.c_str(),
                       lineNumber);
        model_.normals.insert(model_.normals.end(), values, values + 3);
    } else if (key == "vt") {
        // A third (w) coordinate may follow; only u and v are used.
        if (!readFloats(words, 2, values))
            logMessage("glmReadOBJ(): bad texture coordinate in %s line %d.",
                       model_.pathname.c_str(), lineNumber);
        model_.texcoords.insert(model_.texcoords.end(), values, values + 2);
    } else if (key == "f") {
        readFace(words, lineNumber);
    } else if (key == "g") {
        currentGroupName_ = restAfterFirstWord(line);
        if (currentGroupName_.empty())
            currentGroupName_ = "default";
        currentGroup_ = groupFor(currentGroupName_, currentMaterial_);
    } else if (key == "usemtl") {
        currentMaterial_ = glmFindMaterial(model_, restAfterFirstWord(line));
        currentGroup_ = groupFor(currentGroupName_, currentMaterial_);
    } else if (key == "mtllib") {
        for (size_t i = 1; i < words.size(); ++i) {
            if (model_.mtllibname.empty())
                model_.mtllibname = words[i];
            glmReadMTL(model_, words[i]);
        }
    } else if (key == "o" || key == "s" || key == "l" || key == "p") {
        // Object names, smoothing groups, lines and points draw nothing here.
    } else {
        reportUnknown(key);
    }
}

void ObjReader::dropBadFaces() {
    const int nv = model_.numvertices(), nt = model_.numtexcoords(), nn = model_.numnormals();
    std::set<int> badFaces;
    for (size_t i = 0; i < model_.triangles.size(); ++i) {
        const GlmTriangle& tri = model_.triangles[i];
        for (int c = 0; c < 3; ++c) {
            if (tri.vindices[c] > nv || tri.tindices[c] > nt || tri.nindices[c] > nn)
                badFaces.insert(faceOfTriangle_[i]);
        }
    }
    if (badFaces.empty())
        return;
    logMessage("glmReadOBJ(): %d faces of %s name missing vertices and are dropped.",
               int(badFaces.size()), model_.pathname.c_str());
    std::vector<int> newIndex(model_.triangles.size(), -1);
    std::vector<GlmTriangle> kept;
    for (size_t i = 0; i < model_.triangles.size(); ++i) {
        if (badFaces.count(faceOfTriangle_[i]))
            continue;
        newIndex[i] = int(kept.size());
        kept.push_back(model_.triangles[i]);
    }
    model_.triangles.swap(kept);
    for (GlmGroup& group : model_.groups) {
        std::vector<int> triangles;
        for (int index : group.triangles) {
            if (newIndex[size_t(index)] >= 0)
                triangles.push_back(newIndex[size_t(index)]);
        }
        group.triangles.swap(triangles);
    }
}

std::string directoryOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

} // namespace

std::unique_ptr<GlmModel> glmReadOBJ(const std::string& path) {
    LineReader reader(path);
    if (!reader.isOpen()) {
        logMessage("glmReadOBJ() failed: can't open data file \"%s\". %s.", path.c_str(),
                   reader.error().c_str());
        return nullptr;
    }
    auto model = std::make_unique<GlmModel>();
    model->pathname = path;
    ObjReader obj(*model);
    std::string line;
    while (reader.next(line))
        obj.readLine(line, reader.number());
    obj.dropBadFaces();
    // Groups that no face went into are of no use to the drawing.
    model->groups.erase(std::remove_if(model->groups.begin() + 1, model->groups.end(),
                                       [](const GlmGroup& g) { return g.triangles.empty(); }),
                        model->groups.end());
    return model;
}

bool glmReadMTL(GlmModel& model, const std::string& name) {
    const std::string path = directoryOf(model.pathname) + name;
    LineReader reader(path);
    if (!reader.isOpen()) {
        logMessage("glmReadMTL() failed: can't open material file \"%s\". %s.", path.c_str(),
                   reader.error().c_str());
        return false;
    }
    if (model.materials.empty()) {
        model.materials.push_back(GlmMaterial{});
        model.materials[0].name = "default";
    }
    // Statements before the first "newmtl" have no material to go to.
    GlmMaterial unused;
    GlmMaterial* current = &unused;
    std::string line;
    float values[3];
    while (reader.next(line)) {
        const std::vector<std::string> words = splitWords(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        const std::string& key = words[0];
        if (key == "newmtl") {
            model.materials.push_back(GlmMaterial{});
            current = &model.materials.back();
            current->name = restAfterFirstWord(line);
        } else if (key == "Ns") {
            readFloats(words, 1, values);
            // The file's exponent runs to 1000, GL's to 128.
            current->shininess = std::clamp(values[0] / 1000.0f * 128.0f, 0.0f, 128.0f);
        } else if (key == "Kd" || key == "Ks" || key == "Ka") {
            if (!readFloats(words, 3, values))
                logMessage("glmReadMTL(): bad colour in %s line %d.", path.c_str(),
                           reader.number());
            float* colour = key == "Kd"   ? current->diffuse
                            : key == "Ks" ? current->specular
                                          : current->ambient;
            std::copy(values, values + 3, colour);
        }
        // Other statements (Ni, d, illum, texture maps) are not used.
    }
    return true;
}

int glmFindMaterial(const GlmModel& model, const std::string& name) {
    for (size_t i = 0; i < model.materials.size(); ++i) {
        if (model.materials[i].name == name)
            return int(i);
    }
    logMessage("glmFindMaterial():  can't find material \"%s\".", name.c_str());
    return 0;
}
