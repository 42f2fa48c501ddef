// A spacecraft on the screen: its model, lit and scaled to the display
// radius, turned so that its x axis points away from the parent, and the
// trail of the trajectory flown so far.
#include <GL/glew.h>

#include <algorithm>

#include "model/DsSpacecraft.h"
#include "model/ModelServices.h"
#include "model/Ssystem.h"

void DsSpacecraft::drawTrajectory(int highlighted) {
    if (!system_ || !(currentTime_ > firstTime_) || times_.empty())
        return;
    const LineSetting& line =
        highlighted ? system_->getOrbithDisp() : system_->getSpacecraftOrbitDisp();
    const int flown = std::min(trailIndex_, int(positions_.size()));
    system_->drawGlowingLine(line, true, [&] {
        for (int i = 0; i < flown; ++i) {
            const Vector3& p = positions_[size_t(i)];
            glVertex3d(p.x, p.y, p.z);
        }
        glVertex3d(trajectoryPosition_.x, trajectoryPosition_.y, trajectoryPosition_.z);
    });
}

void DsSpacecraft::draw(int pass) {
    if (!system_)
        return;
    const bool shown = getState() != SimModeState::Hide;
    glPushMatrix();
    if (pass != 0) {
        position_.glTranslate();
        for (const auto& child : children_)
            child->draw(pass);
        if (shown && isActive())
            DsAstrBody::drawBody(pass);
        glPopMatrix();
        return;
    }
    if (shown && system_->getOrbit()) {
        glPushMatrix();
        modelScale_.glScale();
        drawTrajectory(getState() == SimModeState::Hlight);
        glPopMatrix();
    }
    position_.glTranslate();
    for (const auto& child : children_)
        child->draw(0);
    if (shown && !isLanded() && isActive()) {
        rotation_.glRotate();
        const bool lighting = !system_->view().getCameraHeadLight();
        if (lighting)
            glEnable(GL_LIGHTING);
        DsAstrBody::drawBody(0);
        if (ObjModel* model = getModel()) {
            glPushMatrix();
            glPushAttrib(GL_ENABLE_BIT | GL_TRANSFORM_BIT);
            if (system_->isScaleTransitionRunning()) {
                const double k = getScaleRatio();
                glScaled(k, k, k);
            }
            glEnable(GL_NORMALIZE);
            const double r = getDisplayRadius();
            glScaled(r, r, r);
            model->draw();
            glDisable(GL_NORMALIZE);
            glPopAttrib();
            glPopMatrix();
        }
        if (lighting)
            glDisable(GL_LIGHTING);
    }
    glPopMatrix();
}
