#include "graphics/Texture.h"
#include "graphics/PixelUnpacking.h"

#include <GL/glew.h>

#include <GL/glu.h>

#include "engine/LogMessage.h"
#include "graphics/GlContext.h"
#include "graphics/Image.h"
#include "graphics/PicturePrefetch.h"

// A loaded picture and the GL texture made of it. Registered shares live in
// the registry in load order; a cleared share (its last user gone) keeps its
// slot with an empty name, as the registry is only ever emptied as a whole.
struct Texture::Share {
    std::string name;
    int hasAlpha = 0;
    unsigned glName = 0;
    int useCount = 0; // users beyond the first
    int width = 0;
    int height = 0;
    int mipmap = 0;
    std::unique_ptr<Image> picture; // decoded, waiting for a GL context

    void upload();
    void clear();
};

namespace {

int sharing = 0;

} // namespace

std::vector<std::shared_ptr<Texture::Share>>& Texture::registry() {
    static std::vector<std::shared_ptr<Share>> entries;
    return entries;
}

void Texture::Share::upload() {
    if (glName != 0 || !picture)
        return;
    glGenTextures(1, &glName);
    glBindTexture(GL_TEXTURE_2D, glName);
    // The pixels are tightly packed; whatever the caller set for its own
    // transfers must not apply.
    {
        const PixelUnpacking unpacking;
        const Image& p = *picture;
        if (mipmap)
            gluBuild2DMipmaps(GL_TEXTURE_2D, p.getComponents(), p.getWidth(), p.getHeight(),
                              p.getGLFormat(), p.getGLType(), p.getPixels());
        else
            glTexImage2D(GL_TEXTURE_2D, 0, p.getComponents(), p.getWidth(), p.getHeight(), 0,
                         p.getGLFormat(), p.getGLType(), p.getPixels());
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    picture.reset();
}

void Texture::Share::clear() {
    // GL names belong to the context; without one current there is nothing to delete with.
    if (glName != 0 && glContextIsCurrent())
        glDeleteTextures(1, &glName);
    name.clear();
    glName = 0;
    useCount = 0;
    picture.reset();
}

Texture::Texture() = default;

Texture::~Texture() {
    release();
}

void Texture::setSharing(int on) {
    sharing = on;
}

int Texture::getSharing() {
    return sharing;
}

void Texture::deleteAll() {
    for (auto& entry : registry())
        entry->clear();
    registry().clear();
}

void Texture::release() {
    if (share && --share->useCount < 0)
        share->clear();
    share.reset();
    loaded = 0;
}

int Texture::load(const std::string& fileName, int force) {
    if (loaded && name == fileName && !force)
        return 1;
    release();
    name = fileName;
    pending = 0;

    if (sharing && !force) {
        for (auto& entry : registry()) {
            if (!entry->name.empty() && entry->name == fileName) {
                ++entry->useCount;
                share = entry;
                loaded = 1;
                makeCurrentWork();
                return 1;
            }
        }
    }

    std::unique_ptr<Image> picture = picture_prefetch::take(fileName);
    if (!picture) {
        picture = std::make_unique<Image>();
        if (!picture->load(fileName, 0))
            return 0;
        picture->makePowerOfTwo();
    }

    share = std::make_shared<Share>();
    share->name = fileName;
    share->hasAlpha = picture->getComponents() == 2 || picture->getComponents() == 4;
    share->width = picture->getWidth();
    share->height = picture->getHeight();
    share->mipmap = mipmap;
    share->picture = std::move(picture);
    if (sharing)
        registry().push_back(share);
    loaded = 1;
    makeCurrentWork();
    return 1;
}

bool Texture::makeCurrentWork() {
    if (!glContextIsCurrent())
        return false;
    if (share)
        share->upload();
    if (pending) {
        glBindTexture(GL_TEXTURE_2D, getGLName());
        if (pending & envPending)
            glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, envMode);
        if (pending & wrapPending) {
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
        }
        if (pending & filterPending) {
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
            glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
        }
        pending = 0;
    }
    return true;
}

void Texture::setEnvMode(float mode) {
    envMode = mode;
    pending |= envPending;
    makeCurrentWork();
}

void Texture::setWrap(float s, float t) {
    wrapS = s;
    wrapT = t;
    pending |= wrapPending;
    makeCurrentWork();
}

void Texture::setFilter(float min, float mag) {
    minFilter = min;
    magFilter = mag;
    pending |= filterPending;
    makeCurrentWork();
}

void Texture::enable() {
    if (!makeCurrentWork())
        return;
    if (getHasAlpha())
        glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, getGLName());
}

void Texture::disable() {
    if (getHasAlpha() && glContextIsCurrent())
        glDisable(GL_BLEND);
}

unsigned Texture::getGLName() const {
    return share ? share->glName : 0;
}

int Texture::getHasAlpha() const {
    return share ? share->hasAlpha : 0;
}

int Texture::getWidth() const {
    return share ? share->width : 0;
}

int Texture::getHeight() const {
    return share ? share->height : 0;
}

std::vector<Texture::RegistryEntry> Texture::getRegistry() {
    std::vector<RegistryEntry> copy;
    for (const auto& entry : registry())
        copy.push_back({entry->name, entry->hasAlpha, entry->glName, entry->useCount});
    return copy;
}
