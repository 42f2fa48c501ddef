#include "sky/Lscape.h"

#include <GL/glew.h>

#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "graphics/Texture.h"
#include "platform/CurrentDirGuard.h"
#include "sky/LscapeServices.h"

namespace {

// "北" and "表面" in Shift-JIS: a Japanese names file makes the place every
// body keeps the Japanese "surface".
const char* const japaneseNorth = "\x96\x6B";
const char* const japaneseSurface = "\x95\x5C\x96\xCA";

void deleteList(unsigned& list) {
    if (list != 0 && glIsList(list))
        glDeleteLists(list, 1);
    list = 0;
}

} // namespace

Lscape::Lscape(Main* owner, LscapeServices* services)
    : Base("Lscape", owner), owner_(owner), services_(services),
      font_(std::make_unique<LabelFont>()), cursorTexture_(std::make_unique<Texture>()),
      panoramaTexture_(std::make_unique<Texture>()) {
    registerCommands();
    cursorTexture_->setMipmap(0);
    panoramaTexture_->setMipmap(0);
    horizonColor_.set(0.0, 0.0, 0.0, 1.0);
    groundColor_.set(0.0, 0.0, 0.0, 1.0);
    weatherOpacity_.set(1.0);
}

Lscape::~Lscape() {
    // Lists exist only once built, and then a GL context was current.
    if (built_) {
        deleteList(cursorList_);
        deleteList(panoramaList_);
        deleteList(meshList_);
        deleteList(directionList_);
    }
}

std::string Lscape::dataDir() const {
    return owner_ ? owner_->getDataDir() : std::string();
}

int Lscape::loadDirectionNames(const std::string& path) {
    {
        platform::CurrentDirGuard guard;
        if (!dataDir().empty())
            guard.change(dataDir());
        if (!names_.read(path))
            return 0;
    }
    if (built_)
        buildDirectionList();
    if (names_.north == japaneseNorth)
        defaultPlaceName_ = japaneseSurface;
    return 1;
}

void Lscape::buildLists(int force) {
    if (!force && !built_)
        return;
    buildMeshList();
    buildCursorLists();
    buildPanoramaList();
    buildDirectionList();
    built_ = 1;
}

void Lscape::topColorTo(const double* rgba, int n) {
    topColor_.startTo(rgba, n < 1 ? 1 : n);
}

void Lscape::bottomColorTo(const double* rgba, int n) {
    bottomColor_.startTo(rgba, n < 1 ? 1 : n);
}

void Lscape::dirColor(double r, double g, double b) {
    dirColor_[0] = r;
    dirColor_[1] = g;
    dirColor_[2] = b;
}

void Lscape::dirFont(const std::string& family, float size, int style) {
    if (family == font_->getFamilyToken() && size == font_->getSize() && style == font_->getStyle())
        return;
    font_->setFont(family, size, style);
    font_->setAlign(2);
    if (built_)
        buildDirectionList();
}

void Lscape::setLabelFont(const std::string& family, float size, int style) {
    font_->setFont(family, size, style);
    // The names are compiled with the font: without a new list the change
    // would not show.
    if (built_)
        buildDirectionList();
}

std::string Lscape::getLabelFontSpec() const {
    return font_->getFontSpec();
}

void Lscape::cursorType(int type) {
    cursorType_ = type;
    if (built_)
        buildCursorLists();
}

void Lscape::sstarsCenter(double raDegrees, double decDegrees) {
    sstars_.setCenter(raDegrees, decDegrees);
    sstars_.setRandom(0);
}

int Lscape::alphaBlend() const {
    return services_ ? services_->getAlphaBlend() : 1;
}

int Lscape::bodySlices() const {
    const int slices = services_ ? services_->getBodySlices() : 12;
    return slices > 0 ? slices : 12;
}

std::string Lscape::texturePath(const std::string& name) const {
    return services_ ? services_->getTexturePath(name) : name;
}
