#include "sky/Space.h"

#include <GL/glew.h>

#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "graphics/GlContext.h"
#include "graphics/PicturePrefetch.h"
#include "platform/CurrentDirGuard.h"
#include "sky/CelestialGrid.h"
#include "sky/MilkyWay.h"
#include "sky/SpaceServices.h"
#include "sky/StarCatalog.h"
#include "sky/StarFileReader.h"
#include "sky/StarPointSize.h"

namespace {

// Star bitmaps, bottom row first, leftmost pixel in the top bit.
struct StarBitmap {
    int size;
    float origin;
    GLubyte rows[4];
};
const StarBitmap squareBitmap = {2, 1.0f, {0xC0, 0xC0}};
const StarBitmap plusBitmap = {3, 1.5f, {0x40, 0xE0, 0x40}};
const StarBitmap discBitmap = {4, 2.0f, {0x60, 0xF0, 0xF0, 0x60}};

void bitmapsAt(const std::vector<float>& xyz, const StarBitmap& b) {
    for (std::size_t i = 0; i + 2 < xyz.size(); i += 3) {
        glRasterPos3f(xyz[i], xyz[i + 1], xyz[i + 2]);
        glBitmap(b.size, b.size, b.origin, b.origin, 0.0f, 0.0f, b.rows);
    }
}

void vertexArrayPoints(const std::vector<float>& xyz) {
    if (xyz.size() < 3)
        return;
    // The array is read while the list is compiled; client state is not part of it.
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, xyz.data());
    glDrawArrays(GL_POINTS, 0, static_cast<GLsizei>(xyz.size() / 3));
    glPopClientAttrib();
}

// The list of a ".dsb" group: the bigger the star, the bolder its mark.
void compileBinaryGroup(const std::vector<float>& xyz, float size) {
    if (size < 2.0f) {
        glBegin(GL_POINTS);
        for (std::size_t i = 0; i + 2 < xyz.size(); i += 3)
            glVertex3f(xyz[i], xyz[i + 1], xyz[i + 2]);
        glEnd();
    } else if (size < 3.0f) {
        bitmapsAt(xyz, squareBitmap);
    } else if (size < 4.0f) {
        bitmapsAt(xyz, plusBitmap);
    } else {
        bitmapsAt(xyz, discBitmap);
    }
}

void compileHipparcosGroup(const std::vector<float>& xyz, float size) {
    glPushMatrix();
    Space::applyHipparcosGroupFrame();
    if (size < 1.5f) {
        vertexArrayPoints(xyz);
    } else if (size >= 3.5f) {
        bitmapsAt(xyz, discBitmap);
    } else if (size >= 2.5f) {
        bitmapsAt(xyz, plusBitmap);
    } else {
        glPointSize(size);
        vertexArrayPoints(xyz);
        glPointSize(1.0f);
    }
    glPopMatrix();
}

std::string extensionOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

} // namespace

Space::Space(Main* owner, SpaceServices* services)
    : Base("Space", owner), owner(owner), services(services),
      milkyWay(std::make_unique<MilkyWay>()), grid(std::make_unique<CelestialGrid>()),
      catalog(std::make_unique<StarCatalog>()) {
    registerCommands();
}

Space::~Space() {
    catalog.reset();
    clearGroups();
    grid.reset();
    milkyWay.reset();
    if (pointsList)
        glDeleteLists(pointsList, 1);
}

const char* Space::getName() const {
    return "Space";
}

float Space::getStarSize(float m) {
    return starPointSize(m);
}

void Space::applyPointsFrame() {
    glRotated(-90.0, 0.0, 0.0, 1.0);
}

void Space::applyHipparcosGroupFrame() {
    glRotated(90.0, 0.0, 0.0, 1.0);
    glRotated(90.0, 1.0, 0.0, 0.0);
    glRotated(90.0, 0.0, 1.0, 0.0);
}

void Space::enterDataDir(platform::CurrentDirGuard& guard) const {
    if (owner && !owner->getDataDir().empty())
        guard.change(owner->getDataDir());
}

std::string Space::texturePath(const std::string& name) const {
    return services ? services->getTexturePath(name) : name;
}

double Space::starSizeFactor() const {
    const double angle = services ? services->getViewAngle() : 45.0;
    return angle * 0.022222222222222223; // 1/45: factor 1 at a 45-degree view
}

// ---- star files -----------------------------------------------------------------

void Space::clearGroups() {
    for (const StarGroup& group : groups)
        if (group.list)
            glDeleteLists(group.list, 1);
    groups.clear();
    singles.clear();
    hipparcosReads.clear();
}

bool Space::isHipparcosFile() const {
    return extensionOf(spaceFilePath) == ".dhb";
}

int Space::loadSpaceFile(const std::string& path) {
    spaceFilePath = path;
    const std::string extension = extensionOf(path);
    if (extension == ".dsp")
        return readAsciiStars(path);
    if (extension == ".dsb")
        return readBinaryStars(path);
    if (extension == ".dhb")
        return readHipparcosStars(path);
    logMessage("Undefined stars file format.");
    return 0;
}

int Space::readAsciiStars(const std::string& path) {
    return readGroupFile(path, StarFileReader::readAscii, [](const StarGroupPositions& read) {
        if (!read.hasPositions)
            return false; // a group without positions draws nothing
        vertexArrayPoints(read.xyz);
        return true;
    });
}

int Space::readBinaryStars(const std::string& path) {
    return readGroupFile(path, StarFileReader::readBinary, [](const StarGroupPositions& read) {
        compileBinaryGroup(read.xyz, starPointSize(read.magnitude));
        return true;
    });
}

int Space::readGroupFile(const std::string& path,
                         int (*read)(const std::string&, SpaceFileContents&),
                         bool (*compile)(const StarGroupPositions&)) {
    clearGroups();
    maxMagnitude = -1.0f;
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    SpaceFileContents contents;
    if (!read(path, contents))
        return 0;
    maxMagnitude = contents.maxMagnitude;
    singles = std::move(contents.singles);
    const bool gl = glContextIsCurrent();
    for (const StarGroupPositions& positions : contents.groups) {
        StarGroup group;
        group.magnitude = positions.magnitude;
        if (gl) {
            group.list = glGenLists(1);
            glNewList(group.list, GL_COMPILE);
            const bool drawn = compile(positions);
            glEndList();
            if (!drawn) {
                glDeleteLists(group.list, 1);
                group.list = 0;
            }
        }
        groups.push_back(group);
    }
    return 1;
}

int Space::readHipparcosStars(const std::string& path) {
    clearGroups();
    maxMagnitude = -1.0f;
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    int count = 0;
    if (!StarFileReader::readHipparcosGroupCount(path, count))
        return 0;
    StarGroup notLoaded;
    notLoaded.magnitude = StarGroup::NotLoaded;
    groups.assign(count, notLoaded);
    maxMagnitude = static_cast<float>(count - 1);
    if (maxMagnitude <= magnitude)
        magnitude = maxMagnitude;
    return 1;
}

int Space::loadHipparcosGroups() {
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    const bool compile = glContextIsCurrent();
    return StarFileReader::readHipparcosGroups(
        spaceFilePath, magnitude, static_cast<int>(groups.size()),
        [this](int k) { return groups[k].magnitude >= 128.0f; },
        [this, compile](int k, std::vector<float>& xyz) {
            StarGroup& group = groups[k];
            group.magnitude = static_cast<float>(k);
            hipparcosReads.push_back(k);
            if (!compile)
                return;
            group.list = glGenLists(1);
            glNewList(group.list, GL_COMPILE);
            compileHipparcosGroup(xyz, starPointSize(group.magnitude));
            glEndList();
        });
}

int Space::loadStars(const std::string& path) {
    return catalog->loadStars(path);
}

int Space::loadStarsColorMap(const std::string& path) {
    return catalog->loadColorMap(path);
}

int Space::loadStarTexture(const std::string& name) {
    if (name.empty())
        return 0;
    return catalog->loadTexture(texturePath(name));
}

// ---- lists and drawing ------------------------------------------------------------

void Space::buildLists(int force) {
    if (!built && !force)
        return;
    built = 1;
    buildStarLists();
    if (glContextIsCurrent())
        grid->buildLists();
    loadMwayTexture();
}

void Space::loadMwayTexture() {
    if (!built)
        return;
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    if (!mwayFile.empty())
        milkyWay->setTexture(texturePath(mwayFile));
    milkyWay->buildList();
}

void Space::prefetchMwayTexture() const {
    if (mwayFile.empty())
        return;
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    picture_prefetch::request({texturePath(mwayFile)});
}

void Space::setMwayTexture(const std::string& name) {
    if (name.empty() || name == mwayFile)
        return;
    mwayFile = name;
    platform::CurrentDirGuard guard;
    enterDataDir(guard);
    milkyWay->setTexture(texturePath(name));
    milkyWay->buildList();
}

void Space::buildStarLists() {
    if (!built)
        return;
    if (isHipparcosFile())
        loadHipparcosGroups();
    if (!glContextIsCurrent())
        return;
    if (!pointsList)
        pointsList = glGenLists(1);
    glNewList(pointsList, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT | GL_POINT_BIT);
    glPushMatrix();
    applyPointsFrame();
    glPointSize(1.0f);
    for (const StarGroup& group : groups) {
        if (group.magnitude > magnitude)
            continue;
        const float grey = (4.0f - group.magnitude * 0.0625f) * 0.25f;
        glColor3f(grey, grey, grey);
        if (group.list)
            glCallList(group.list);
    }
    glPopAttrib();
    glPopMatrix();
    glEndList();
}

void Space::drawMwayAndFrame() {
    glPushMatrix();
    milkyWay->draw();
    grid->draw();
    glPopMatrix();
}

void Space::drawStars() {
    if (!stars)
        return;
    glPushMatrix();
    if (starsStyle == Points) {
        if (pointsList)
            glCallList(pointsList);
    } else {
        catalog->draw(static_cast<float>(starSizeFactor()));
    }
    glPopMatrix();
}

void Space::setMagnitude(float m) {
    if (m == magnitude)
        return;
    magnitude = m > maxMagnitude ? maxMagnitude : m;
    buildStarLists();
}

void Space::setStarsStyle(int style) {
    if (style != starsStyle) {
        starsStyle = style;
        buildStarLists();
    }
    if (style == Textured)
        catalog->setPointSprites(0);
    else if (style == PointSprites)
        catalog->setPointSprites(1);
}
