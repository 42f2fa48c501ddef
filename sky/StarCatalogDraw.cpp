// The GL side of the star catalogue: its frame, its texture and its display list.
#include <GL/glew.h>

#include "engine/Matrix4.h"
#include "engine/Quaternion.h"
#include "graphics/Texture.h"
#include "sky/StarCatalog.h"

namespace {

// IAU 1958 rotation from B1950 equatorial to galactic coordinates, by rows.
// Held with element (r, c) at m[r*4 + c], the transposing glMultMatrix
// applies it to column vectors as written.
const double galacticFromB1950[16] = {
    -0.0669887394, -0.8727557659, -0.4835389146, 0.0, //
    0.4927284661,  -0.4503469580, 0.7445846333,  0.0, //
    -0.8676008112, -0.1883746017, 0.4601997848,  0.0, //
    0.0,           0.0,           0.0,           1.0,
};

const double obliquityDeg = 23.4;
// B1950 to J2000: the equinox moves 0.698 degrees along the ecliptic.
const double precessionRad = 0.01218;
// Half-side of a square of brightness 1 at size factor 1, in position units.
const float squareHalfSide = 0.7f;

} // namespace

StarCatalog::StarCatalog() = default;

StarCatalog::~StarCatalog() {
    dropList();
}

void StarCatalog::dropList() {
    if (list)
        glDeleteLists(list, 1);
    list = 0;
}

int StarCatalog::loadTexture(const std::string& path) {
    texture = std::make_unique<Texture>();
    texture->setMipmap(0);
    const int ok = texture->load(path, 0);
    texture->setFilter(GL_NEAREST, GL_NEAREST);
    texture->setWrap(GL_CLAMP, GL_CLAMP);
    if (!ok)
        texture.reset();
    dropList();
    return ok;
}

bool StarCatalog::hasTexture() const {
    return texture && texture->isLoaded();
}

void StarCatalog::setPointSprites(int on) {
    if (on == sprites)
        return;
    dropList();
    sprites = on;
}

bool StarCatalog::spritesInUse() {
    if (!sprites)
        return false;
    if (spriteSupport < 0)
        spriteSupport = GLEW_ARB_point_sprite || GLEW_NV_point_sprite ? 1 : 0;
    return spriteSupport != 0;
}

void StarCatalog::applyFrame() {
    glRotated(obliquityDeg, 1.0, 0.0, 0.0);
    Quaternion(0.0, 0.0, precessionRad).glRotate();
    glRotated(-obliquityDeg, 1.0, 0.0, 0.0);
    Matrix4 galactic, toEquatorial;
    galactic.set(galacticFromB1950);
    galactic.inverse(toEquatorial);
    toEquatorial.glMultMatrix();
    Quaternion(Vector3(0.0, 0.0, 1.0), 3.141592653589793).glRotate();
}

void StarCatalog::draw(float s) {
    if (!list || (!spritesInUse() && s != sizeFactor))
        buildList(s);
    else
        glCallList(list);
    sizeFactor = s;
}

void StarCatalog::buildList(float s) {
    // The picture goes to GL now, so that the list only binds it.
    if (hasTexture()) {
        texture->enable();
        texture->disable();
    }
    if (!list)
        list = glGenLists(1);
    ++buildCount;
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    applyFrame();
    if (spritesInUse())
        drawSprites();
    else
        drawSquares(s);
    glPopAttrib();
    glPopMatrix();
    glEndList();
}

void StarCatalog::drawSprites() {
    const bool textured = hasTexture();
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        texture->enable();
        glEnable(GL_POINT_SPRITE_ARB);
        glTexEnvi(GL_POINT_SPRITE_ARB, GL_COORD_REPLACE_ARB, GL_TRUE);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    for (const CatalogGroup& group : groups) {
        glColor4f(group.color[0], group.color[1], group.color[2], 1.0f);
        for (int i = 0; i < group.count(); ++i) {
            // A point size must be positive; below a pixel GL draws one anyway.
            const double size = brightness(group.magnitudes[i]) * SpritePixels;
            glPointSize(size >= 1.0 ? static_cast<float>(size) : 1.0f);
            glBegin(GL_POINTS);
            glVertex3fv(&group.positions[i * 3]);
            glEnd();
        }
    }
    glDisable(GL_BLEND);
    if (textured) {
        glDisable(GL_POINT_SPRITE_ARB);
        glDisable(GL_TEXTURE_2D);
        texture->disable();
    }
}

void StarCatalog::drawSquares(float s) {
    const bool textured = hasTexture();
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        texture->enable();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    for (const CatalogGroup& group : groups) {
        glColor4f(group.color[0], group.color[1], group.color[2], 1.0f);
        glBegin(GL_QUADS);
        for (int i = 0; i < group.count(); ++i) {
            const float* p = &group.positions[i * 3];
            const float* r = &group.rights[i * 3];
            const float* u = &group.ups[i * 3];
            const float h = static_cast<float>(brightness(group.magnitudes[i]) * s * squareHalfSide);
            auto corner = [&](float tu, float tv, float sr, float su) {
                glTexCoord2f(tu, tv);
                glVertex3f(p[0] + (sr * r[0] + su * u[0]) * h, p[1] + (sr * r[1] + su * u[1]) * h,
                           p[2] + (sr * r[2] + su * u[2]) * h);
            };
            corner(0, 0, -1, -1);
            corner(1, 0, 1, -1);
            corner(1, 1, 1, 1);
            corner(0, 1, -1, 1);
        }
        glEnd();
    }
    glDisable(GL_BLEND);
    if (textured) {
        texture->disable();
        glDisable(GL_TEXTURE_2D);
    }
}
