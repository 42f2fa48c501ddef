// The solar system's part of a frame: the bodies in two passes (the scene,
// then the translucent extras over it), the angular marks, the asteroid belt
// and the name labels, and the rotation axes the sphere bodies ask for.
#include <GL/glew.h>

#include "graphics/PicturePrefetch.h"
#include "model/DsAstrBody.h"
#include "model/NeutralModelServices.h"
#include "model/Ssystem.h"

const ModelServices& Ssystem::view() const {
    static const NeutralModelServices neutral;
    if (services_)
        return *services_;
    return neutral;
}

void Ssystem::draw(const Quaternion& rotation) {
    if (listsPending_)
        makeDisplayLists(pendingForce_);
    const ModelServices& services = view();
    glPushAttrib(GL_CURRENT_BIT);
    const int drawMode = services.getDrawMode();
    // Adaptive draws wire frames while the mouse moves the view.
    const bool wire = drawMode == 0 || (drawMode == 1 && services.getCameraMouseState() != 0);
    glPolygonMode(GL_FRONT_AND_BACK, wire ? GL_LINE : GL_FILL);

    glColor4dv(getNameColor());
    glEnable(GL_POINT_SMOOTH);
    // The bodies seen as dots are drawn together once the scene is walked.
    refreshFrameBodies();
    dots_.open();
    gatherRecordDots();
    for (const auto& body : topBodies_)
        body->draw(0);
    recordPass_ = false;
    dots_.flush();
    recordDots_.flush();
    glDisable(GL_POINT_SMOOTH);

    // The translucent extras are seen through one another.
    glDepthMask(GL_FALSE);
    if (angular_) {
        glPushAttrib(GL_ENABLE_BIT);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        drawAngulars();
        glPopAttrib();
    }
    for (const auto& body : topBodies_)
        body->draw(1);
    if (astrBelt_ && beltList_ != 0)
        glCallList(beltList_);
    glDepthMask(GL_TRUE);

    if (name_) {
        glColor4dv(getNameColor());
        // The labels are placed with the frame's matrices and drawn
        // together.
        dots_.open();
        for (const auto& body : topBodies_)
            body->drawNames(rotation);
        labels_.flush(dots_.getViewport());
        dots_.flush();
    }
    if (drawMode != 2)
        glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glPopAttrib();
}

void Ssystem::prefetchMaps() {
    if (!mapsPrefetchDue_ || !listsBuilt_)
        return;
    mapsPrefetchDue_ = false;
    // The same test the scene pass makes: a body is a globe when its
    // projected diameter reaches its dot's size; the Sun always is.
    DotBatch view;
    view.open();
    std::vector<std::string> files;
    for (const DsAstrBody* body : allBodies_) {
        if (body->getState() == SimModeState::Hide)
            continue;
        const double diameter =
            view.projectedDiameter(view.toEye(body->getTrans()), body->getCurrentDisplayRadius());
        if (body->getType() == DsAstrBody::Sun || body->getDotSize() <= diameter)
            body->addDueMaps(files);
    }
    picture_prefetch::request(files);
}

void Ssystem::drawAxis(double radius) {
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
    glColor3dv(axisLine_.color);
    glLineWidth(GLfloat(axisLine_.width));
    glBegin(GL_LINES);
    glVertex3d(0.0, 0.0, 2.0 * radius);
    glVertex3d(0.0, 0.0, -2.0 * radius);
    glEnd();
    glPopAttrib();
}

void Ssystem::drawAngulars() {
    glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
    const double* c = angularLine_.color;
    glLineWidth(GLfloat(angularLine_.width));
    // A vertical triangle from the Sun to each marked body and down to the
    // ecliptic, seen from both sides, then its outline.
    glColor4d(c[0], c[1], c[2], 0.25);
    glBegin(GL_TRIANGLES);
    for (const DsAstrBody* body : allBodies_) {
        if (!body->getAngular())
            continue;
        const Vector3 p = body->getTrans();
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(p.x, p.y, p.z);
        glVertex3d(p.x, p.y, 0.0);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(p.x, p.y, 0.0);
        glVertex3d(p.x, p.y, p.z);
    }
    glEnd();
    glColor4d(c[0], c[1], c[2], 1.0);
    for (const DsAstrBody* body : allBodies_) {
        if (!body->getAngular())
            continue;
        const Vector3 p = body->getTrans();
        glBegin(GL_LINE_STRIP);
        glVertex3d(0.0, 0.0, 0.0);
        glVertex3d(p.x, p.y, p.z);
        glVertex3d(p.x, p.y, 0.0);
        glVertex3d(0.0, 0.0, 0.0);
        glEnd();
    }
    glPopAttrib();
}
