// The display lists the bodies share (the unit orbit circle in three line
// settings, the sphere that carries the eclipse-shadow picture, the asteroid
// belt) and the rebuild of every body's own lists. The root builds them once
// (force 1) when every command object exists; until then a rebuild asked for
// by a command (a sim-mode change, the name font, the sun and ambient
// colours, the line settings) has nothing to rebuild.
#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>

#include "graphics/GlContext.h"
#include "graphics/Texture.h"
#include "model/BodySphere.h"
#include "model/DsAstrBody.h"
#include "model/ListFile.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

std::vector<double> Ssystem::orbitCircleAngles(int points) {
    const int n = points >= 4 ? points : 64;
    const double step = 2.0 * kPi / n;
    std::vector<double> angles;
    angles.reserve(size_t(n + 31));
    // The two segments on either side of the start, where the body stands,
    // are eight times finer than the rest.
    for (int i = 0; i <= 16; ++i)
        angles.push_back(i * step / 8.0 - kPi / 2);
    for (int k = 2; k <= n - 2; ++k)
        angles.push_back(k * step - kPi / 2);
    for (int i = 0; i <= 16; ++i)
        angles.push_back((n - 2 + i / 8.0) * step - kPi / 2);
    return angles;
}

void Ssystem::emitOrbitCircle() {
    for (double a : orbitCircleAngles(view().getOrbitPoints()))
        glVertex3d(std::cos(a), 0.0, std::sin(a));
}

void Ssystem::makeDisplayLists(int force) {
    const DataDirScope dataDir(getListSettings().dataDir);
    if (!listsBuilt_ && !force)
        return;
    if (!glContextIsCurrent()) {
        listsPending_ = 1;
        pendingForce_ |= force;
        return;
    }
    listsPending_ = pendingForce_ = 0;
    // The labels follow the name font.
    labels_.clear();
    // A body may compile its orbit points, never add or remove bodies.
    for (DsAstrBody* body : allBodies_)
        body->makeDisplayList();
    mapsPrefetchDue_ = true;
    if (!fullRebuild_)
        return;
    fullRebuild_ = 0;
    listsBuilt_ = 1;
    makeOrbitList();
    makeHlightOrbitList();
    if (!shadowTexture_) {
        shadowTexture_ = std::make_unique<Texture>();
        shadowTexture_->enable();
        shadowTexture_->setWrap(GL_CLAMP, GL_CLAMP);
    }
    makeShadowSphereList();
    makeAsteroidOrbitList();
    makeBeltList();
}

unsigned Ssystem::getUnitSphereList() {
    return unitSpheres_.list(view().getBodySlices());
}

unsigned Ssystem::getUnitSphereList(float projectedDiameter) {
    return unitSpheres_.list(UnitSpheres::slicesFor(projectedDiameter, view().getBodySlices()));
}

void Ssystem::makeBodyDisplayLists(DsAstrBody& body) {
    if (!listsBuilt_)
        return;
    if (!glContextIsCurrent()) {
        listsPending_ = 1;
        return;
    }
    const DataDirScope dataDir(getListSettings().dataDir);
    body.makeDisplayList();
    for (const auto& child : body.getChildren())
        makeBodyDisplayLists(*child);
}

void Ssystem::rebuildAllDisplayLists() {
    fullRebuild_ = 1;
    makeDisplayLists(0);
}

void Ssystem::drawGlowingLine(const LineSetting& line, bool glowWritesNoDepth,
                              const std::function<void()>& vertices) const {
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_LIGHTING_BIT);
    if (view().getOrbitLevel() > 0) {
        if (glowWritesNoDepth)
            glDepthMask(GL_FALSE);
        glColor3d(line.color[0] * 0.5, line.color[1] * 0.5, line.color[2] * 0.5);
        glLineWidth(GLfloat(line.width + 2.0));
        glBegin(GL_LINE_STRIP);
        vertices();
        glEnd();
        if (glowWritesNoDepth)
            glDepthMask(GL_TRUE);
    }
    glColor3dv(line.color);
    glLineWidth(GLfloat(line.width));
    glBegin(GL_LINE_STRIP);
    vertices();
    glEnd();
    glPopAttrib();
}

void Ssystem::compileOrbitList(unsigned& list, const LineSetting& line, bool glowWritesNoDepth) {
    if (!listsBuilt_ || !glContextIsCurrent())
        return;
    if (list == 0)
        list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    drawGlowingLine(line, glowWritesNoDepth, [this] { emitOrbitCircle(); });
    glEndList();
}

void Ssystem::makeOrbitList() {
    compileOrbitList(orbitList_, orbitLine_, true);
}

void Ssystem::makeHlightOrbitList() {
    compileOrbitList(hlightOrbitList_, hlightOrbitLine_, false);
}

void Ssystem::makeAsteroidOrbitList() {
    compileOrbitList(asteroidOrbitList_, asteroidOrbitLine_, true);
}

void Ssystem::makeShadowSphereList() {
    if (!glContextIsCurrent())
        return;
    if (shadowSphereList_ == 0)
        shadowSphereList_ = glGenLists(1);
    const std::string path = view().getTexturePath(shadowTextureName_);
    if (shadowTexture_ && (path != shadowTexture_->getName() || !shadowTexture_->isLoaded())) {
        shadowTexture_->enable();
        shadowTexture_->load(path, 0);
    }
    glNewList(shadowSphereList_, GL_COMPILE);
    if (shadowTexture_ && shadowTexture_->isLoaded()) {
        GLUquadric* quadric = gluNewQuadric();
        gluQuadricDrawStyle(quadric, GLU_FILL);
        gluQuadricTexture(quadric, GL_TRUE);
        glPushAttrib(GL_CURRENT_BIT | GL_TEXTURE_BIT);
        shadowTexture_->enable();
        // The picture is white around a dark disc: added to the shade of the
        // projection, it leaves the body as it is outside the disc and
        // darkens it by the shade inside (a product would dim all of it).
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_ADD);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
        // Beyond the picture lies sunlight too: a dark border would dim the
        // whole body wherever smooth filtering reaches it.
        static const GLfloat border[4] = {1.0f, 1.0f, 1.0f, 1.0f};
        glTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
        const GLint filter = view().getTextureFilter() == 0 ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glEnable(GL_TEXTURE_2D);
        const int n = view().getBodySlices();
        gluSphere(quadric, 1.0, n, n);
        glDisable(GL_TEXTURE_2D);
        shadowTexture_->disable();
        glPopAttrib();
        gluDeleteQuadric(quadric);
    }
    glEndList();
}

void Ssystem::makeBeltList() {
    if (!listsBuilt_ || !glContextIsCurrent())
        return;
    const ModelServices& services = view();
    const int level = services.getOrbitLevel();
    const std::string path = services.getTexturePath(beltTextureName_);
    if (beltList_ != 0 && level == beltBuiltLevel_ && path == beltBuiltPath_ && !fullRebuild_)
        return;
    if (beltList_ == 0)
        beltList_ = glGenLists(1);
    if (!beltTexture_)
        beltTexture_ = std::make_unique<Texture>();
    beltTexture_->enable();
    beltTexture_->load(path, 0);
    const bool textured = beltTexture_->isLoaded();

    const int n = services.getOrbitPoints();
    const double step = 2.0 * kPi / n;
    const double ri = beltInnerRadius_;
    const double ro = beltOuterRadius_;
    glNewList(beltList_, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT);
    // A faint veil of specks: the picture's clear parts let the stars and
    // orbits behind show, and the specks themselves are half transparent.
    glDisable(GL_LIGHTING);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (textured) {
        beltTexture_->enable();
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glEnable(GL_TEXTURE_2D);
    }
    // Without its picture the belt is an even haze.
    glColor4f(1.0f, 1.0f, 1.0f, textured ? 0.5f : 0.1f);
    auto corner = [](double r, double angle, double s, double t) {
        glTexCoord2d(s, t);
        glVertex3d(r * std::cos(angle), r * std::sin(angle), 0.0);
    };
    glBegin(GL_QUADS);
    for (int i = 0; i < n; ++i) {
        const double a = i * step;
        const double b = a + step;
        // Each segment takes the specks from another place of the picture.
        const double u = (beltRandom_.next() % 100) * 0.01;
        const double t1 = u + 0.2 * 128.0 / n;
        glNormal3d(0.0, 0.0, -1.0);
        corner(ri, a, u, t1);
        corner(ri, b, u, u);
        corner(ro, b, u + 2.0, u);
        corner(ro, a, u + 2.0, t1);
        glNormal3d(0.0, 0.0, 1.0);
        corner(ri, b, u, t1);
        corner(ri, a, u, u);
        corner(ro, a, u + 2.0, u);
        corner(ro, b, u + 2.0, t1);
    }
    glEnd();
    if (textured) {
        glDisable(GL_TEXTURE_2D);
        beltTexture_->disable();
    }
    glPopAttrib();
    glEndList();
    beltBuiltLevel_ = level;
    beltBuiltPath_ = path;
}

void Ssystem::releaseDisplayLists() {
    if (glContextIsCurrent()) {
        for (unsigned list :
             {shadowSphereList_, beltList_, orbitList_, hlightOrbitList_, asteroidOrbitList_}) {
            if (list != 0)
                glDeleteLists(list, 1);
        }
    }
    shadowSphereList_ = beltList_ = orbitList_ = hlightOrbitList_ = asteroidOrbitList_ = 0;
    unitSpheres_.release();
    shadowTexture_.reset();
    beltTexture_.reset();
}
