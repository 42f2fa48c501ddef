#include "sky/Conste.h"

#include <GL/gl.h>
#include <cmath>

#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "graphics/LabelFont.h"
#include "platform/CurrentDirGuard.h"
#include "platform/NumericLocale.h"
#include "sky/ConsteArt.h"
#include "sky/SkyPosition.h"

namespace {

// The numbers at the start of a line as sscanf("%f %f ...") converts them: at
// most max, up to the first text that is not a finite number.
int scanNumbers(const std::string& line, float* out, int max) {
    const char* p = line.c_str();
    int n = 0;
    while (n < max) {
        const char* end = p;
        const float v = platform::parseFloat(p, &end);
        if (end == p || !std::isfinite(v))
            break;
        out[n++] = v;
        p = end;
    }
    return n;
}

// One line of a block; false at the end of the file or at the closing line.
bool readBlockLine(DataFile& file, std::string& line) {
    if (!file.good())
        return false;
    file.readLine(line);
    if (line.empty() && !file.good())
        return false;
    return line.empty() || line[0] != '}';
}

// A number token; a value that is not finite (a "nan" token) reads as 0.
bool readFinite(DataFile& file, double& value) {
    value = 0.0;
    file.readDouble(value);
    if (std::isfinite(value))
        return true;
    value = 0.0;
    return false;
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// The art file of a constellation, by its extension, read in dir. Result as
// Conste::loadArt gives it.
int readArtFile(const std::string& dir, const std::string& fileName, ConsteArt& art) {
    art.blocks.clear();
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return 0;
    const std::string extension = fileName.substr(dot);
    if (extension != ".cab" && extension != ".cat")
        return 0;
    platform::CurrentDirGuard guard;
    if (!dir.empty() && !guard.change(dir)) {
        logMessage("Can't open constellation directory %s.", dir.c_str());
        return 0;
    }
    if (extension == ".cab")
        return readArtCab(fileName, art);
    readArtCat(fileName, art);
    return 1;
}

void deleteList(unsigned& list) {
    if (list != 0)
        glDeleteLists(list, 1);
    list = 0;
}

void newList(unsigned& list) {
    deleteList(list);
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
}

} // namespace

Conste::~Conste() {
    deleteList(sepsList);
    deleteList(artList);
    deleteList(linesList);
    deleteList(nameList);
}

bool Conste::load(const std::string& filePath) {
    DataFile file;
    if (!file.open(filePath, DataFile::Read, 0, DataFile::HostOrder)) {
        logMessage("Can't open conste file %s. %s.", filePath.c_str(), file.error().c_str());
        return false;
    }
    path = filePath;
    bool badNumber = false;
    std::string token;
    std::string rest;
    // A keyword at the very end of the file keeps the earlier value.
    const auto readToken = [&](std::string& target) {
        file.readWord(rest);
        if (!rest.empty())
            target = rest;
    };
    while (file.good()) {
        file.readWord(token);
        if (token.empty())
            continue; // the end of the file
        if (token[0] == '#') {
            file.readLine(rest);
        } else if (token == "Name:") {
            readToken(name);
        } else if (token == "Categ:") {
            readToken(category);
        } else if (token == "Art:" || token == "Figure:") {
            readToken(artName);
        } else if (token == "Pos:") {
            badNumber |= !readFinite(file, ra);
            badNumber |= !readFinite(file, decl);
        } else if (token == "Area:") {
            badNumber |= !readFinite(file, area);
        } else if (token == "Sep:") {
            readSepBlock(file);
        } else if (token == "Lines:") {
            readLinesBlock(file);
        }
    }
    if (badNumber)
        logMessage("Conste file %s: a number of Pos: or Area: is not finite; 0 used.",
                   path.c_str());
    return true;
}

void Conste::readSepBlock(DataFile& file) {
    std::string line;
    file.readLine(line); // the rest of the keyword's line
    int bad = 0;
    while (readBlockLine(file, line)) {
        float v[2];
        if (scanNumbers(line, v, 2) == 2)
            seps.push_back({v[0], v[1]});
        else if (!isBlank(line))
            ++bad;
    }
    if (bad > 0)
        logMessage("Conste file %s: %i boundary lines without two numbers left out.", path.c_str(),
                   bad);
    // The outline repeats its first two points; a one-point outline repeats
    // the one it has.
    if (!seps.empty()) {
        const SepPoint first = seps[0];
        const SepPoint second = seps.size() > 1 ? seps[1] : first;
        seps.push_back(first);
        seps.push_back(second);
    }
}

void Conste::readLinesBlock(DataFile& file) {
    std::string line;
    file.readLine(line); // the rest of the keyword's line
    strokes.clear();
    minDist = 1000000.0;
    maxDist = 0.0;
    int atOrigin = 0;
    while (readBlockLine(file, line)) {
        float v[3];
        if (scanNumbers(line, v, 3) < 3) {
            strokes.emplace_back(); // a break between two strips
            continue;
        }
        const Vector3 p(v[2], v[0], v[1]);
        const double length = p.length();
        if (length == 0.0) {
            // No direction to put the star in: the strip goes on without it.
            ++atOrigin;
            continue;
        }
        if (length >= maxDist)
            maxDist = length;
        if (length <= minDist)
            minDist = length;
        strokes.emplace_back(p);
    }
    if (atOrigin > 0)
        logMessage("Conste file %s: %i figure stars at the origin left out.", path.c_str(),
                   atOrigin);
    if (getFigureStarCount() == 0) {
        // No star to measure: the label stays where a file without a figure
        // puts it, instead of half a million units out.
        minDist = 0.0;
        maxDist = 1.0;
    }
}

int Conste::getFigureStarCount() const {
    int n = 0;
    for (const auto& s : strokes)
        n += s.has_value() ? 1 : 0;
    return n;
}

Vector3 Conste::getLabelPosition() const {
    return skyDirection(ra, decl) * (0.5 * (minDist + maxDist));
}

void Conste::setFont(LabelFont* f) {
    font = f;
    if (nameList != 0)
        buildName();
}

ConsteArt Conste::readArt() const {
    ConsteArt art;
    readArtFile(dataDir, artName, art);
    return art;
}

int Conste::loadArt(const std::string& fileName) {
    ConsteArt art;
    const int result = readArtFile(dataDir, fileName, art);
    ::drawArt(art);
    return result;
}

void Conste::buildName() {
    if (!font)
        return;
    newList(nameList);
    const Vector3 p = getLabelPosition();
    glRasterPos3d(p.x, p.y, p.z);
    font->draw(name, 0);
    glEndList();
}

void Conste::buildLines() {
    newList(linesList);
    glBegin(GL_LINE_STRIP);
    for (const auto& star : strokes) {
        if (!star) {
            glEnd();
            glBegin(GL_LINE_STRIP);
            continue;
        }
        // Stars lie on the unit sphere whatever distance the file gives.
        const Vector3 p = *star * (1.0 / star->length());
        glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
    glEndList();
}

void Conste::buildArt() {
    newList(artList);
    loadArt(artName);
    glEndList();
}

void Conste::buildSeps() {
    newList(sepsList);
    glBegin(GL_LINE_LOOP);
    for (const SepPoint& s : seps) {
        const Vector3 p = skyDirection(s.ra, s.decl);
        glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
    glEndList();
}

void Conste::drawName() {
    if (nameList == 0)
        buildName();
    if (nameList != 0)
        glCallList(nameList);
}

void Conste::drawLines() {
    if (linesList == 0)
        buildLines();
    glCallList(linesList);
}

void Conste::drawArt() {
    if (artList == 0)
        buildArt();
    glCallList(artList);
}

void Conste::drawSeps() {
    if (sepsList == 0)
        buildSeps();
    glCallList(sepsList);
}
