// The Sun on the screen, a disc facing the viewer with a glow around it and
// the light of the scene at its centre, and the planets' orbit lines.
#include <GL/glew.h>

#include <cmath>

#include "graphics/GlContext.h"
#include "model/DsPlanet.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

void DsPlanet::makeDisplayList() {
    if (kind_ != Sun) {
        DsSatellite::makeDisplayList();
        return;
    }
    DsAstrBody::makeDisplayList();
    if (!system_ || !glContextIsCurrent() || !takeBuiltRadii())
        return;
    if (bodyLists_ == 0)
        bodyLists_ = glGenLists(2);
    for (int k = 0; k < 2; ++k) {
        glNewList(bodyLists_ + k, GL_COMPILE);
        glPushAttrib(GL_CURRENT_BIT);
        drawSunDisc(getRadiusAtIndex(k), k, 0);
        glPopAttrib();
        glEndList();
    }
}

void DsPlanet::drawSunDisc(double radius, int large, int solid) {
    const int n = system_ ? system_->view().getBodySlices() : 12;
    const double step = 2.0 * kPi / n;
    const double inner = (large ? 0.6 : 1.0) * radius;
    const double glow = (large ? 1.5 : 1.1) * radius;
    static const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float* color = system_ ? system_->getSunColor() : white;
    auto point = [](double r, double angle) {
        glVertex3d(r * std::cos(angle), r * std::sin(angle), 0.0);
    };
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT);
    if (solid) {
        glColor4fv(color);
        glBegin(GL_TRIANGLES);
        for (int j = 0; j < n; ++j) {
            const double a = kPi + j * step;
            glVertex3d(0.0, 0.0, 0.0);
            glEdgeFlag(GL_FALSE);
            point(inner, a);
            point(inner, a + step);
            glEdgeFlag(GL_TRUE);
        }
        glEnd();
    } else {
        glEnable(GL_BLEND);
        for (int j = 0; j < n; ++j) {
            const double a = kPi + j * step;
            glBegin(GL_POLYGON);
            glColor4fv(color);
            glEdgeFlag(GL_FALSE);
            point(inner, a + step);
            glEdgeFlag(GL_TRUE);
            point(inner, a);
            glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
            glEdgeFlag(GL_FALSE);
            point(glow, a);
            glEdgeFlag(GL_TRUE);
            point(glow, a + step);
            glEnd();
        }
    }
    glPopAttrib();
}

void DsPlanet::drawOrbit() {
    if (!system_ || !system_->getOrbit() || kind_ == Sun)
        return;
    // A planet's ellipse lies in its parent's frame as it is; the Earth's
    // starts on the other side (its position is the reflection of the Sun's
    // geocentric one).
    drawOrbitEllipse(system_->getOrbitList(), false, kind_ == Earth);
}

void DsPlanet::drawBody(int pass) {
    if (kind_ != Sun) {
        DsSatellite::drawBody(pass);
        return;
    }
    if (!system_ || bodyLists_ == 0)
        return;
    const ModelServices& view = system_->view();
    const bool scaleOn = system_->getScale() != 0;
    const bool transition = system_->isScaleTransitionRunning();
    const double r0 = getRadiusAtIndex(0);
    const double r1 = getRadiusAtIndex(1);
    // The frame of the disc: the scale change under way, and turned to face
    // the viewer.
    auto discFrame = [&] {
        glPushMatrix();
        if (transition) {
            const double k = getScaleRatio();
            glScaled(k, k, k);
        }
        view.getCameraViewRot().inverse().glRotate();
    };
    // While the scale changes to real, the wide disc is drawn shrunk.
    const bool shrinking = transition && scaleOn && r1 != 0.0;
    auto solidDisc = [&] {
        if (shrinking) {
            glScaled(r0 / r1, r0 / r1, r0 / r1);
            drawSunDisc(r1, 1, 1);
        } else if (scaleOn) {
            drawSunDisc(r0, 0, 1);
        } else {
            drawSunDisc(r1, 1, 1);
        }
    };
    const bool observedFrom = selected_ && system_->getCameraMode() == ModelServices::Observe &&
                              !view.isCameraAnimating();
    if (pass == 0) {
        if (!view.getCameraHeadLight()) {
            const float* ambient = system_->getAmbientColor();
            const GLfloat lightAmbient[4] = {ambient[0] / 3.0f, ambient[1] / 3.0f,
                                             ambient[2] / 3.0f, 1.0f};
            const GLfloat position[4] = {0.0f, 0.0f, 0.0f, 1.0f};
            const GLfloat modelAmbient[4] = {0.0f, 0.0f, 0.0f, 1.0f};
            glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
            glLightfv(GL_LIGHT0, GL_POSITION, position);
            glLightModelfv(GL_LIGHT_MODEL_AMBIENT, modelAmbient);
        }
        // The disc hides what lies behind it; its colours come in pass 1.
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
        discFrame();
        solidDisc();
        glPopMatrix();
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        return;
    }
    discFrame();
    if (!observedFrom) {
        if (shrinking) {
            glScaled(r0 / r1, r0 / r1, r0 / r1);
            glCallList(bodyLists_ + 1);
        } else {
            glCallList(bodyLists_ + (scaleOn ? 0 : 1));
        }
    }
    glPopMatrix();
    discFrame();
    if (!observedFrom)
        solidDisc();
    glPopMatrix();
}
