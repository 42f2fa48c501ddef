// The drawing every body shares: the compiled name label, the point a body
// is seen as from afar (with the measure of its projected diameter), the
// labels of a subtree, and the textures and display radii the kinds compile
// their geometry with.
#include <GL/glew.h>

#include "graphics/GlContext.h"
#include "graphics/LabelBatch.h"
#include "graphics/LabelFont.h"
#include "graphics/Texture.h"
#include "model/DotBatch.h"
#include "model/DsAstrBody.h"
#include "model/ModelServices.h"
#include "model/Ssystem.h"
#include "sky/Space.h"

void DsAstrBody::releaseDrawing() {
    if (labelList_ != 0 && glContextIsCurrent())
        glDeleteLists(labelList_, 1);
    labelList_ = 0;
    texture_.reset();
    builtRadius2_ = builtRadius1_ = 0.0;
}

void DsAstrBody::makeDisplayList() {
    // A label is compiled when it is first drawn: thousands of small bodies
    // seen with the names off never need one. One made before follows the
    // name font now.
    if (labelList_ != 0)
        compileLabel();
}

void DsAstrBody::compileLabel() {
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

void DsAstrBody::addDueMap(std::vector<std::string>& files, const std::unique_ptr<Texture>& texture,
                           const std::string& name) const {
    if (name.empty() || name == "None")
        return;
    const std::string path = system_ ? system_->view().getTexturePath(name) : name;
    // What loadTextureFile would load again.
    if (!texture || path != texture->getName() || !texture->isLoaded())
        files.push_back(path);
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
    drawChildren(pass);
}

void DsAstrBody::drawChildren(int pass) {
    const bool slotted = system_ && childSlots_.size() == children_.size();
    for (std::size_t i = 0; i < children_.size(); ++i) {
        if (slotted && system_->isDrawnFromRecord(childSlots_[i], pass))
            continue;
        children_[i]->draw(pass);
    }
}

float DsAstrBody::getProjectedDiameter() const {
    float diameter = projectedDiameter_;
    if (system_)
        system_->recordedDiameter(this, diameter);
    return diameter;
}

float DsAstrBody::getStarSize() const {
    if (magnitude_ != starSizeMagnitude_) {
        starSize_ = Space::getStarSize(float(magnitude_));
        starSizeMagnitude_ = magnitude_;
    }
    return starSize_;
}

void DsAstrBody::drawBody(int pass) {
    if (pass != 0)
        return;
    // The Ssystem's scene pass holds the batch open; the body's place in the
    // solar-system frame is projected with the frame's matrices, whatever
    // the current matrix is.
    DotBatch* batch = system_ ? &system_->getDotBatch() : nullptr;
    if (!batch || !batch->isOpen()) {
        projectedDiameter_ = 0.0f;
        return;
    }
    const Vector3 centre = batch->toEye(getTrans());
    projectedDiameter_ = float(batch->projectedDiameter(centre, getCurrentDisplayRadius()));
    const float size = getDotSize();
    // A body hidden in the sim mode shows no dot; one large enough is drawn
    // as a sphere or model by its kind.
    if (size > projectedDiameter_ && getState() != SimModeState::Hide)
        batch->add(centre, size, color_);
}

void DsAstrBody::drawNames(const Quaternion& viewRot) {
    if (!system_)
        return;
    const ModelServices& view = system_->view();
    const bool standingOn = selected_ && system_->getCameraMode() == ModelServices::Observe &&
                            !view.isCameraAnimating();
    if (getState() != SimModeState::Hide && isActive() && !standingOn) {
        // The label floats above the body on the screen: the camera's up
        // turned back into the frame of the bodies.
        const Quaternion screen = view.getCameraViewRot().inverse();
        const double r = getCurrentDisplayRadius() * 1.2;
        Vector3 anchor = getTrans() + screen.rotateVector(Vector3(0, r, 0));
        const bool satellite = kind_ == ASatellite && parent_;
        if (satellite) {
            const double lift = 0.5 * parent_->getCurrentDisplayRadius();
            anchor += screen.rotateVector(Vector3(0, 0, lift));
        }
        // The selected satellite's label shows through everything.
        const bool overAll = satellite && selected_;
        DotBatch& frame = system_->getDotBatch();
        Vector3 window;
        if (overAll || !frame.isOpen())
            drawLabel(anchor, viewRot, overAll);
        else if (frame.project(frame.toEye(anchor), window) &&
                 !system_->getLabelBatch().add(system_->getNameFont(), name_, window,
                                               system_->getNameColor()))
            drawLabel(anchor, viewRot, false);
    }
    for (const auto& child : children_)
        child->drawNames(viewRot);
}

void DsAstrBody::drawLabel(const Vector3& anchor, const Quaternion& viewRot, bool overAll) {
    if (labelList_ == 0)
        compileLabel();
    if (labelList_ == 0)
        return;
    glRasterPos3d(anchor.x, anchor.y, anchor.z);
    if (overAll)
        glDisable(GL_DEPTH_TEST);
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
    if (overAll)
        glEnable(GL_DEPTH_TEST);
}
