// A comet on the screen: the nucleus as a small lit sphere (plain or
// textured), the coma as a translucent sphere, the tail pointing away from the
// parent and growing towards perihelion, the dust along the orbit and the
// orbit path itself.
#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>
#include <map>
#include <vector>

#include "graphics/GlContext.h"
#include "graphics/PixelUnpacking.h"
#include "graphics/Texture.h"
#include "model/BodySphere.h"
#include "model/DsComet.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

DsComet::~DsComet() {
    releaseLists();
}

void DsComet::releaseLists() {
    if (glContextIsCurrent()) {
        for (unsigned lists : {nucleusLists_, texturedNucleusLists_, comaLists_}) {
            if (lists != 0)
                glDeleteLists(lists, 2);
        }
    }
    nucleusLists_ = texturedNucleusLists_ = comaLists_ = 0;
}

void DsComet::clear() {
    orbitPoints_.clear();
    orbitPointTimes_.clear();
    releaseLists();
    DsAstrBody::clear();
}

void DsComet::makeDisplayList() {
    DsAstrBody::makeDisplayList();
    if (!system_ || !glContextIsCurrent() || !takeBuiltRadii())
        return;
    // The nucleus and coma lists wait for the first draw that shows each:
    // most comets are only ever dots, and a far one's tail shows no nucleus.
    nucleusDue_ = true;
    comaDue_ = true;
    for (auto& offset : dustOffsets_) {
        for (double& component : offset)
            component = (random_.next() % 1000) * 0.001 - 0.5;
    }
    makeOrbitPoints(system_->getOrbitPoints());
}

void DsComet::prepareNucleus() {
    if (!nucleusDue_ || !system_ || !glContextIsCurrent())
        return;
    nucleusDue_ = false;
    // Loading binds and sets up the texture: the frame's texture and enable
    // state stay as they were.
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    loadTexture();
    glPopAttrib();
    const ModelServices& view = system_->view();
    const int n = view.getBodySlices();
    const float* ambient = system_->getAmbientColor();
    const bool textured = texture_ && texture_->isLoaded();
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    if (nucleusLists_ == 0)
        nucleusLists_ = glGenLists(2);
    if (texturedNucleusLists_ == 0)
        texturedNucleusLists_ = glGenLists(2);
    auto nucleus = [&](double r) { drawBodySphere(quadric, 0.9 * r, polarRatio_, n); };
    for (int k = 0; k < 2; ++k) {
        const double r = getRadiusAtIndex(k);
        glNewList(nucleusLists_ + k, GL_COMPILE);
        glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
        setSurfaceColor(color_, ambient);
        gluQuadricTexture(quadric, GL_FALSE);
        nucleus(r);
        glPopAttrib();
        glEndList();

        glNewList(texturedNucleusLists_ + k, GL_COMPILE);
        glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
        static const float white[3] = {1.0f, 1.0f, 1.0f};
        setSurfaceColor(white, ambient);
        if (textured) {
            texture_->enable();
            const float filter = view.getTextureFilter() == 0 ? GL_NEAREST : GL_LINEAR;
            texture_->setFilter(filter, filter);
            glEnable(GL_TEXTURE_2D);
        }
        gluQuadricTexture(quadric, GL_TRUE);
        nucleus(r);
        if (textured) {
            glDisable(GL_TEXTURE_2D);
            texture_->disable();
        }
        glPopAttrib();
        glEndList();
    }
    gluDeleteQuadric(quadric);
}

void DsComet::addDueMaps(std::vector<std::string>& files) const {
    if (nucleusDue_)
        addDueMap(files, texture_, textureName_);
}

void DsComet::prepareComa() {
    if (!comaDue_ || !system_ || !glContextIsCurrent())
        return;
    comaDue_ = false;
    const int n = system_->view().getBodySlices();
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricTexture(quadric, GL_FALSE);
    if (comaLists_ == 0)
        comaLists_ = glGenLists(2);
    for (int k = 0; k < 2; ++k) {
        glNewList(comaLists_ + k, GL_COMPILE);
        gluSphere(quadric, getRadiusAtIndex(k), n, n);
        glEndList();
    }
    gluDeleteQuadric(quadric);
}

double DsComet::distanceFactor() const {
    const double scaledPerihelion = getOrbitScale() * periRadius_;
    if (!(scaledPerihelion > 0.0))
        return 0.0;
    return 5.0 - position_.length() / scaledPerihelion;
}

double DsComet::tailFactor() const {
    const double f = distanceFactor();
    return f < 1.0 ? 1.0 : f;
}

void DsComet::draw(int pass) {
    if (!system_)
        return;
    const ModelServices& view = system_->view();
    const int index = getRadiusIndex();
    const double R = getRadiusAtIndex(index);
    const bool shown = getState() != SimModeState::Hide;
    const bool transition = system_->isScaleTransitionRunning();
    auto beginTransition = [&] {
        if (!transition)
            return;
        glPushMatrix();
        glEnable(GL_NORMALIZE);
        const double k = getScaleRatio();
        glScaled(k, k, k);
    };
    auto endTransition = [&] {
        if (!transition)
            return;
        glDisable(GL_NORMALIZE);
        glPopMatrix();
    };

    glPushMatrix();
    if (pass != 0) {
        position_.glTranslate();
        for (const auto& child : children_)
            child->draw(pass);
        const double f = tailFactor();
        const float colour[4] = {1.0f, 1.0f, 1.0f, float(f - 1.0) * 0.33333334f};
        // Beyond four perihelion distances the coma and the tail are wholly
        // transparent.
        if (shown && colour[3] > 0.0f)
            prepareComa();
        if (!shown || comaLists_ == 0 || !(colour[3] > 0.0f)) {
            glPopMatrix();
            return;
        }
        // +z away from the parent.
        Quaternion(Vector3(0, 0, 1), position_).glRotate();
        glPushAttrib(GL_CURRENT_BIT);
        glEnable(GL_BLEND);
        glColor4fv(colour);
        beginTransition();
        glCallList(comaLists_ + index);
        glScaled(R, R, f * R);
        drawTail(0, colour);
        glDisable(GL_BLEND);
        glPopAttrib();
        endTransition();
        glPopMatrix();
        return;
    }

    if (shown && system_->getOrbit()) {
        orbitRotation_.glRotate();
        orbitScale_.glScale();
        drawOrbitPath(currentJd_, getState() == SimModeState::Hlight);
        if (system_->getCameraMode() == ModelServices::Examine && system_->getDust() &&
            !system_->getScale()) {
            // Dust shows while the comet is within 4.75 perihelion distances.
            const double amount = (distanceFactor() - 0.25) * 0.25;
            drawDust(currentJd_, R, amount);
        }
        glPopMatrix();
        glPushMatrix();
    }
    position_.glTranslate();
    for (const auto& child : children_)
        child->draw(0);
    // A hidden comet (or one outside the sim mode) shows not even its dot.
    if (!shown) {
        glPopMatrix();
        return;
    }
    DsAstrBody::drawBody(0);
    const bool sphere = getDotSize() <= projectedDiameter_ && !isLanded();
    if (sphere)
        prepareNucleus();
    if (!sphere || nucleusLists_ == 0) {
        glPopMatrix();
        return;
    }
    const bool lighting = !view.getCameraHeadLight();
    if (lighting)
        glEnable(GL_LIGHTING);
    beginTransition();
    switch (view.getTextureMode()) {
    case 0:
        glCallList(nucleusLists_ + index);
        break;
    case 1:
        glCallList((selected_ ? texturedNucleusLists_ : nucleusLists_) + index);
        break;
    case 2:
        glCallList(texturedNucleusLists_ + index);
        break;
    default:
        break;
    }
    endTransition();
    if (lighting)
        glDisable(GL_LIGHTING);
    glPopMatrix();
}

namespace {

// The tail's cone for a number of segments: per segment two triangles (or
// three lines) between the ring of radius 1 at the head and the ring of
// radius 0.5 at z = 5, the head vertices marked for the head colour. Built
// once for each segment count the detail settings give.
struct TailCone {
    std::vector<GLfloat> vertices; // x, y, z
    std::vector<bool> atHead;
};

const TailCone& tailCone(int segments) {
    static std::map<int, TailCone> cones;
    TailCone& cone = cones[segments];
    if (!cone.vertices.empty())
        return cone;
    const double step = 2.0 * kPi / segments;
    for (int i = 0; i < segments; ++i) {
        const double a = i * step + kPi;
        const double b = a + step;
        const GLfloat ca = GLfloat(std::cos(a)), sa = GLfloat(std::sin(a));
        const GLfloat cb = GLfloat(std::cos(b)), sb = GLfloat(std::sin(b));
        const GLfloat corners[6][3] = {{ca, sa, 0.0f},
                                       {0.5f * ca, 0.5f * sa, 5.0f},
                                       {0.5f * cb, 0.5f * sb, 5.0f},
                                       {cb, sb, 0.0f},
                                       {ca, sa, 0.0f},
                                       {0.5f * cb, 0.5f * sb, 5.0f}};
        for (const auto& c : corners) {
            cone.vertices.insert(cone.vertices.end(), c, c + 3);
            cone.atHead.push_back(c[2] == 0.0f);
        }
    }
    return cone;
}

} // namespace

void DsComet::drawTail(int wire, const float* colour) {
    const int n = system_ ? system_->view().getBodySlices() : 12;
    if (n <= 0)
        return;
    const TailCone& cone = tailCone(n);
    // The head in the given colour, fading to transparent white at the end.
    std::vector<GLfloat> colours;
    colours.reserve(cone.atHead.size() * 4);
    static const GLfloat end[4] = {1.0f, 1.0f, 1.0f, 0.0f};
    for (bool head : cone.atHead) {
        const GLfloat* c = head ? colour : end;
        colours.insert(colours.end(), c, c + 4);
    }
    glPushAttrib(GL_CURRENT_BIT);
    glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, cone.vertices.data());
    glColorPointer(4, GL_FLOAT, 0, colours.data());
    glDrawArrays(wire ? GL_LINES : GL_TRIANGLES, 0, GLsizei(cone.atHead.size()));
    glPopClientAttrib();
    glPopAttrib();
}

void DsComet::drawOrbitPath(double jd, int highlighted) {
    if (!system_)
        return;
    // The path has the points it was built with; a later change of the orbit
    // detail takes effect when it is built again.
    const int n = int(orbitPoints_.size());
    if (n < 2)
        return;
    const LineSetting& line = highlighted ? system_->getOrbithDisp() : system_->getCometOrbitDisp();
    Vector3 current;
    M2f(jd, current);
    system_->drawGlowingLine(line, true, [&] {
        for (int i = 0; i < n - 1; ++i) {
            if (i > 0 && orbitPointTimes_[size_t(i - 1)] < jd && jd < orbitPointTimes_[size_t(i)])
                glVertex3d(current.x, current.y, current.z);
            const Vector3& p = orbitPoints_[size_t(i)];
            glVertex3d(p.x, p.y, p.z);
        }
    });
}

void DsComet::drawDust(double jd, double spread, double amount) {
    if (!system_ || !(amount > 0.0) || dustLength_ <= 0)
        return;
    static const GLubyte grain[2] = {0xFF, 0xFF};
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    const PixelUnpacking unpacking;
    if (system_->view().getAlphaBlend())
        glEnable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int i = 0; i < dustLength_; ++i) {
        const int k = dustLength_ / 2 - i;
        Vector3 p;
        M2f(jd + 0.5 * k, p);
        const double* offset = dustOffsets_[random_.next() % 16];
        glRasterPos3f(float(p.x + spread * offset[0]), float(p.y + spread * offset[1]),
                      float(p.z + spread * offset[2]));
        glBitmap(2, 2, 1.0f, 1.0f, 0.0f, 0.0f, grain);
    }
    glPopAttrib();
}
