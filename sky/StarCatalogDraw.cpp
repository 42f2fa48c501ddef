// The GL side of the star catalogue: its frame, its texture, the sprite list
// and the square arrays.
#include <GL/glew.h>

#include <algorithm>

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

// Corner signs along right and up, and texture coordinates, in drawing order.
const float cornerSigns[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
const float cornerTexCoords[8] = {0, 0, 1, 0, 1, 1, 0, 1};

float spriteSize(float magnitude) {
    // A point size must be positive; below a pixel GL draws one anyway.
    const double size = StarCatalog::brightness(magnitude) * StarCatalog::SpritePixels;
    return size >= 1.0 ? static_cast<float>(size) : 1.0f;
}

} // namespace

StarCatalog::StarCatalog() = default;

StarCatalog::~StarCatalog() {
    if (list)
        glDeleteLists(list, 1);
}

void StarCatalog::dropList() {
    if (list)
        glDeleteLists(list, 1);
    list = 0;
    squaresValid = false;
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
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    applyFrame();
    if (spritesInUse()) {
        if (list)
            glCallList(list);
        else
            buildSpriteList();
    } else {
        if (!squaresValid || s != squareFactor)
            layOutSquares(s);
        drawSquares();
    }
    glPopAttrib();
    glPopMatrix();
    sizeFactor = s;
}

void StarCatalog::buildSpriteList() {
    // Stars of equal size go into one primitive, the sizes in rising order.
    struct Star {
        float size;
        const CatalogGroup* group;
        int index;
    };
    std::vector<Star> stars;
    stars.reserve(getStarCount());
    for (const CatalogGroup& group : groups)
        for (int i = 0; i < group.count(); ++i)
            stars.push_back({spriteSize(group.magnitudes[i]), &group, i});
    std::stable_sort(stars.begin(), stars.end(),
                     [](const Star& a, const Star& b) { return a.size < b.size; });

    // The picture goes to GL first, so that the list only binds it.
    const bool textured = hasTexture();
    if (textured) {
        texture->enable();
        texture->disable();
    }
    list = glGenLists(1);
    ++buildCount;
    glNewList(list, GL_COMPILE_AND_EXECUTE);
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        texture->enable();
        glEnable(GL_POINT_SPRITE_ARB);
        glTexEnvi(GL_POINT_SPRITE_ARB, GL_COORD_REPLACE_ARB, GL_TRUE);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    for (std::size_t i = 0; i < stars.size();) {
        const float size = stars[i].size;
        glPointSize(size);
        glBegin(GL_POINTS);
        for (; i < stars.size() && stars[i].size == size; ++i) {
            const CatalogGroup& group = *stars[i].group;
            glColor4f(group.color[0], group.color[1], group.color[2], 1.0f);
            glVertex3fv(&group.positions[stars[i].index * 3]);
        }
        glEnd();
    }
    glDisable(GL_BLEND);
    if (textured) {
        glDisable(GL_POINT_SPRITE_ARB);
        glDisable(GL_TEXTURE_2D);
        texture->disable();
    }
    glEndList();
}

void StarCatalog::layOutSquares(float s) {
    const std::size_t corners = std::size_t(getStarCount()) * 4;
    squareCorners.resize(corners * 3);
    if (squareTexCoords.size() != corners * 2) {
        squareTexCoords.resize(corners * 2);
        for (std::size_t c = 0; c < corners; ++c)
            std::copy_n(&cornerTexCoords[(c % 4) * 2], 2, &squareTexCoords[c * 2]);
    }
    float* out = squareCorners.data();
    for (const CatalogGroup& group : groups) {
        for (int i = 0; i < group.count(); ++i) {
            const float* p = &group.positions[i * 3];
            const float* r = &group.rights[i * 3];
            const float* u = &group.ups[i * 3];
            const float h =
                static_cast<float>(brightness(group.magnitudes[i]) * s * squareHalfSide);
            for (const float* sign : cornerSigns)
                for (int k = 0; k < 3; ++k)
                    *out++ = p[k] + (sign[0] * r[k] + sign[1] * u[k]) * h;
        }
    }
    squareFactor = s;
    squaresValid = true;
    ++buildCount;
}

void StarCatalog::drawSquares() {
    const bool textured = hasTexture();
    if (textured) {
        glEnable(GL_TEXTURE_2D);
        texture->enable();
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, squareCorners.data());
    if (textured) {
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, 0, squareTexCoords.data());
    }
    GLint first = 0;
    for (const CatalogGroup& group : groups) {
        if (!group.count())
            continue;
        glColor4f(group.color[0], group.color[1], group.color[2], 1.0f);
        glDrawArrays(GL_QUADS, first, group.count() * 4);
        first += group.count() * 4;
    }
    glPopClientAttrib();
    glDisable(GL_BLEND);
    if (textured) {
        texture->disable();
        glDisable(GL_TEXTURE_2D);
    }
}
