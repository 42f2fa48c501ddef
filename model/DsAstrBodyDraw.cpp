// The drawing every body shares: the compiled name label, the point a body
// is seen as from afar (with the measure of its projected diameter), the
// labels of a subtree, and the textures and display radii the kinds compile
// their geometry with.
#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>

#include "graphics/GlContext.h"
#include "graphics/LabelFont.h"
#include "graphics/PixelUnpacking.h"
#include "graphics/Texture.h"
#include "model/DsAstrBody.h"
#include "model/ModelServices.h"
#include "model/Ssystem.h"
#include "sky/Space.h"

namespace {

// A round dot of 4 x 4 pixels, one byte a row, the leftmost pixel in the
// most significant bit.
const GLubyte roundDot[4] = {0x60, 0xFF, 0xFF, 0x60};

// A small bitmap at the origin; its rows are single bytes.
void drawDot(int size, float origin, const GLubyte* rows) {
    const PixelUnpacking unpacking;
    glRasterPos3d(0.0, 0.0, 0.0);
    glBitmap(size, size, origin, origin, 0.0f, 0.0f, rows);
}

} // namespace

void drawPoint(float size) {
    static const GLubyte square[2] = {0xC0, 0xC0};
    static const GLubyte cross[3] = {0x40, 0xE0, 0x40};
    if (size < 2.0f) {
        glPointSize(size);
        glBegin(GL_POINTS);
        glVertex3d(0.0, 0.0, 0.0);
        glEnd();
    } else if (size < 3.0f) {
        drawDot(2, 1.0f, square);
    } else if (size < 4.0f) {
        drawDot(3, 1.5f, cross);
    } else {
        drawDot(4, 2.0f, roundDot);
    }
}

void DsAstrBody::releaseDrawing() {
    if (labelList_ != 0 && glContextIsCurrent())
        glDeleteLists(labelList_, 1);
    labelList_ = 0;
    texture_.reset();
    builtRadius2_ = builtRadius1_ = 0.0;
}

void DsAstrBody::makeDisplayList() {
    if (!system_ || !glContextIsCurrent())
        return;
    if (labelList_ == 0)
        labelList_ = glGenLists(1);
    glNewList(labelList_, GL_COMPILE);
    system_->getNameFont().draw(name_, 0);
    glEndList();
}

void DsAstrBody::loadTextureFile(std::unique_ptr<Texture>& texture, const std::string& name) const {
    if (name.empty() || name == "None")
        return;
    if (!texture) {
        texture = std::make_unique<Texture>();
        texture->setEnvMode(GL_MODULATE);
        texture->setWrap(GL_REPEAT, GL_REPEAT);
    }
    const std::string path = system_ ? system_->view().getTexturePath(name) : name;
    if (path != texture->getName() || !texture->isLoaded()) {
        texture->enable();
        texture->load(path, 0);
    }
}

void DsAstrBody::setSurfaceColor(const float* rgb, const float* ambient) {
    const GLfloat diffuse[4] = {rgb[0], rgb[1], rgb[2], 1.0f};
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glColor3fv(rgb);
}

bool DsAstrBody::takeBuiltRadii() {
    const double r2 = getRadiusAtRate2();
    const double r1 = getRadiusAtRate1();
    const bool rebuild = system_ && system_->isFullRebuildPending();
    if (!rebuild && r2 == builtRadius2_ && r1 == builtRadius1_)
        return false;
    builtRadius2_ = r2;
    builtRadius1_ = r1;
    return true;
}

double DsAstrBody::getRadiusAtIndex(int index) const {
    return index == 0 ? getRadiusAtRate2() : getRadiusAtRate1();
}

int DsAstrBody::getRadiusIndex() const {
    return system_ && system_->getScale() ? 0 : 1;
}

double DsAstrBody::getCurrentDisplayRadius() const {
    const SimModeState* s = currentState();
    if (!s || !system_ || !system_->isScaleTransitionRunning())
        return getDisplayRadius();
    const double t = system_->getScaleTransitionValue();
    return (t * (s->radiusRate1 - s->radiusRate2) + s->radiusRate2) * radius_;
}

bool DsAstrBody::isLanded() const {
    if (!system_ || !system_->getHideIfLanding() || !selected_)
        return false;
    const ModelServices& view = system_->view();
    return system_->getCameraMode() == ModelServices::Observe && !view.isCameraAnimating();
}

void DsAstrBody::draw(int pass) {
    for (const auto& child : children_)
        child->draw(pass);
}

void DsAstrBody::drawBody(int pass) {
    if (pass != 0)
        return;
    // The body's radius seen from the eye, straight up the screen from its
    // centre: the projected diameter is twice its height in pixels.
    GLdouble model[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    static const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const double cx = model[12], cy = model[13], cz = model[14];
    const double r = getCurrentDisplayRadius();
    GLdouble wx, wyCentre, wyTop, wz;
    gluProject(cx, cy, cz, identity, projection, viewport, &wx, &wyCentre, &wz);
    gluProject(cx, cy + r, cz, identity, projection, viewport, &wx, &wyTop, &wz);
    projectedDiameter_ = float(2.0 * (wyTop - wyCentre));
    // Behind the eye there is nothing to measure.
    if (cz >= 0.0 || std::isnan(projectedDiameter_))
        projectedDiameter_ = 0.0f;

    const float size = Space::getStarSize(float(magnitude_));
    if (0.75f * size <= projectedDiameter_)
        return; // the kind draws its sphere or model
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_POINT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glColor3fv(color_);
    drawPoint(0.75f * size);
    drawDot(4, 2.0f, roundDot);
    glPopAttrib();
}

void DsAstrBody::drawNames(const Quaternion& viewRot) {
    if (!system_)
        return;
    const ModelServices& view = system_->view();
    glPushMatrix();
    const bool standingOn = system_->getCameraMode() == ModelServices::Observe &&
                            !view.isCameraAnimating() && selected_;
    if (getState() != SimModeState::Hide && isActive() && !standingOn && labelList_ != 0) {
        // The label floats above the body on the screen: the camera's up
        // turned back into the frame of the bodies.
        const Quaternion screen = view.getCameraViewRot().inverse();
        const double r = getCurrentDisplayRadius() * 1.2;
        Vector3 anchor = position_ + screen.rotateVector(Vector3(0, r, 0));
        glRasterPos3d(anchor.x, anchor.y, anchor.z);
        bool depthOff = false;
        if (kind_ == ASatellite && parent_) {
            const double lift = 0.5 * parent_->getCurrentDisplayRadius();
            anchor += screen.rotateVector(Vector3(0, 0, lift));
            glRasterPos3d(anchor.x, anchor.y, anchor.z);
            if (selected_) {
                glDisable(GL_DEPTH_TEST);
                depthOff = true;
            }
        }
        glPushMatrix();
        anchor.glTranslate();
        pushLabelTransform(viewRot);
        const bool blend = system_->getNameColor()[3] < 1.0;
        if (blend)
            glEnable(GL_BLEND);
        glCallList(labelList_);
        if (blend)
            glDisable(GL_BLEND);
        glPopMatrix();
        glPopMatrix();
        if (depthOff)
            glEnable(GL_DEPTH_TEST);
    }
    position_.glTranslate();
    for (const auto& child : children_)
        child->drawNames(viewRot);
    glPopMatrix();
}
