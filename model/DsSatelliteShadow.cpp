// Eclipse shadows of the sphere bodies: the cones a body casts away from the
// Sun (worked out after each planet update and shown as translucent cones),
// and the darkening where the Earth's and the Moon's cones fall on the other.
#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>

#include "engine/Matrix4.h"
#include "engine/ViewMatrix.h"
#include "graphics/GlContext.h"
#include "model/DsSatellite.h"
#include "model/EclipseCones.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

namespace {

constexpr double degreesPerRadian = 57.29577951308232;
// The near plane of the shadow projections, which the cones must outreach.
constexpr double projectionNear = 0.0001;

double parentDistance(const DsAstrBody* parent) {
    return parent ? parent->getTrans().length() : 0.0;
}

double trueParentDistance(const DsAstrBody* parent) {
    return parent ? parent->getTrueTrans().length() : 0.0;
}

} // namespace

// The darkening follows the true sizes and distances, whatever the scale the
// bodies are drawn at: an Earth drawn a thousand times larger would otherwise
// put the full Moon in its shadow every month.
void DsSatellite::updateShadow() {
    const Vector3 trans = getTrueTrans();
    const double D = trans.length();
    const double Rs = system_ ? system_->getSunTrueRadius() : 1.0;
    const EclipseCones cones = EclipseCones::compute(Rs, radius_, D, trueParentDistance(parent_));
    if (!cones.valid) {
        umbraLength_ = penumbraLength_ = -1.0;
        return;
    }
    const Quaternion q(Vector3(0, 0, 1), trans);
    const double umbraEnd = cones.umbraLength + D;
    umbraLength_ = cones.umbraLength;
    umbraApex_ = q.rotateVector(Vector3(0, 0, umbraEnd));
    umbraAngle_ = std::atan2(cones.umbraWidth, umbraEnd) * degreesPerRadian;
    const double Lp = cones.penumbraCross;
    penumbraApex_ = q.rotateVector(Vector3(0, 0, Lp));
    penumbraAngle_ = std::atan2(cones.penumbraWidth, Lp) * degreesPerRadian;
    penumbraLength_ = cones.divergingLength + Lp;
}

void DsSatellite::makeShadowConeLists() {
    const int n = system_ ? system_->view().getBodySlices() : 12;
    const double step = 2.0 * kPi / n;
    if (umbraConeList_ == 0)
        umbraConeList_ = glGenLists(1);
    if (penumbraConeList_ == 0)
        penumbraConeList_ = glGenLists(1);
    // A cone with its apex at z = 0.5 and its base of radius 1 at z = -0.5,
    // its triangles wound to face outwards. Each is seen once from any eye:
    // drawConeFacingEye culls the far side from outside and the outer side
    // from inside, so overlapping surfaces never stack into an opaque red.
    auto cone = [&](const GLfloat* apexColor, const GLfloat* baseColor) {
        glBegin(GL_TRIANGLES);
        for (int j = 0; j < n; ++j) {
            const double a = j * step, b = a + step;
            glColor4fv(apexColor);
            glVertex3d(0.0, 0.0, 0.5);
            glColor4fv(baseColor);
            glVertex3d(std::cos(a), std::sin(a), -0.5);
            glVertex3d(std::cos(b), std::sin(b), -0.5);
        }
        glEnd();
    };
    static const GLfloat umbraApexColor[4] = {1.0f, 0.0f, 0.0f, 0.8f};
    static const GLfloat umbraBaseColor[4] = {1.0f, 0.0f, 0.0f, 0.0f};
    static const GLfloat penumbraColor[4] = {1.0f, 0.0f, 0.0f, 0.5f};
    // Translucent whatever was drawn before: the cones set their own blend
    // function, and neither light nor texture alters their colours.
    auto translucentCone = [&](unsigned list, const GLfloat* apexColor, const GLfloat* baseColor) {
        glNewList(list, GL_COMPILE);
        glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_CULL_FACE);
        cone(apexColor, baseColor);
        glPopAttrib();
        glEndList();
    };
    translucentCone(umbraConeList_, umbraApexColor, umbraBaseColor);
    translucentCone(penumbraConeList_, penumbraColor, penumbraColor);
}

namespace {

// Calls a cone list (placed by the current matrix) with the faces that look
// at the eye: the outer side from outside the cone, the inner side from
// within it, so the shadow tints what lies behind it once.
void drawConeFacingEye(unsigned list) {
    Matrix4 modelview;
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview.m);
    Matrix4 toCone;
    Vector3 eye;
    modelview.inverse(toCone);
    toCone.transform(Vector3(0.0, 0.0, 0.0), eye);
    const bool inside =
        eye.z >= -0.5 && eye.z <= 0.5 && std::sqrt(eye.x * eye.x + eye.y * eye.y) <= 0.5 - eye.z;
    glPushAttrib(GL_POLYGON_BIT);
    glCullFace(inside ? GL_FRONT : GL_BACK);
    glCallList(list);
    glPopAttrib();
}

} // namespace

void DsSatellite::drawShadowCones() {
    if (!fullShadow_ && !halfShadow_)
        return;
    if (umbraConeList_ == 0 || penumbraConeList_ == 0)
        makeShadowConeLists();
    const Vector3 trans = getTrans();
    const double D = trans.length();
    const EclipseCones cones = EclipseCones::compute(system_->getSunRadius(), getDisplayRadius(), D,
                                                     parentDistance(parent_));
    if (!cones.valid)
        return;
    // The matrix stands at the body; +z of q points away from the Sun, so the
    // Sun's centre is at z = -D.
    const Quaternion q(Vector3(0, 0, 1), trans);
    auto place = [&](double centre, double width, double length) {
        glPushMatrix();
        q.glRotate();
        glTranslated(0.0, 0.0, centre - D);
        glScaled(width, width, length);
    };
    if (fullShadow_) {
        const double length = cones.umbraLength + D;
        place(0.5 * length, cones.umbraWidth, length);
        drawConeFacingEye(umbraConeList_);
        glPopMatrix();
    }
    if (halfShadow_) {
        const double Lp = cones.penumbraCross;
        place(0.5 * Lp, cones.penumbraWidth, Lp);
        drawConeFacingEye(umbraConeList_);
        glPopMatrix();
        const double len = cones.divergingLength;
        if (len > 0.0) {
            place(Lp + 0.5 * len, cones.divergingWidth, len);
            glRotated(180.0, 1.0, 0.0, 0.0);
            drawConeFacingEye(penumbraConeList_);
            glPopMatrix();
        }
    }
}

void DsSatellite::drawShadow() {
    if (!system_)
        return;
    const unsigned sphere = system_->getShadowSphereList();
    if (sphere == 0)
        return;
    glPushAttrib(GL_CURRENT_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_TRANSFORM_BIT);
    glDepthMask(GL_FALSE);
    // Texture coordinates are the eye coordinates; the texture matrix carries
    // them back into the world and projects them from each caster's apex.
    static const GLfloat planes[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    static const GLenum coords[4] = {GL_S, GL_T, GL_R, GL_Q};
    static const GLenum gens[4] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R,
                                   GL_TEXTURE_GEN_Q};
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    for (int i = 0; i < 4; ++i) {
        glTexGeni(coords[i], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
        glTexGenfv(coords[i], GL_EYE_PLANE, planes[i]);
        glEnable(gens[i]);
    }
    glPopMatrix();
    glDisable(GL_LIGHTING);
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.0f, -3.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ZERO, GL_SRC_COLOR); // darkens what is there

    const double r = getDisplayRadius();
    // The casters' cones stand in the true solar system: the texture matrix
    // carries this body's surface, as drawn, onto its true place and size.
    const Vector3 drawnAt = getTrans();
    const Vector3 trueAt = getTrueTrans();
    const double drawnRadius = getCurrentDisplayRadius();
    const double toTrue = drawnRadius > 0.0 ? radius_ / drawnRadius : 1.0;
    for (DsAstrBody* body : system_->getShadowCasters()) {
        if (body == this || !body->isShown())
            continue;
        const auto* caster = static_cast<const DsSatellite*>(body);
        if (caster->umbraLength_ <= projectionNear || caster->penumbraLength_ <= projectionNear)
            continue;
        glPushMatrix();
        glScaled(r, r, r * polarRatio_);
        glMatrixMode(GL_TEXTURE);
        glPushMatrix();
        const auto project = [&](float shade, double angle, double length, const Vector3& apex) {
            glLoadIdentity();
            glTranslatef(0.5f, 0.5f, 0.0f);
            glScalef(0.25f, 0.25f, 1.0f);
            glColor3f(shade, shade, shade);
            gluPerspective(angle, 1.0, projectionNear, length);
            // Looking from the apex at the Sun; an up direction along the
            // line of sight would leave no frame.
            Vector3 up(0, 1, 0);
            if (std::fabs(apex.x) + std::fabs(apex.z) < 1e-12 * (1.0 + std::fabs(apex.y)))
                up = Vector3(0, 0, 1);
            gluLookAt(apex.x, apex.y, apex.z, 0.0, 0.0, 0.0, up.x, up.y, up.z);
            trueAt.glTranslate();
            glScaled(toTrue, toTrue, toTrue);
            (drawnAt * -1.0).glTranslate();
            glMultMatrixf(viewmatrix::getInverse());
            glCallList(sphere);
        };
        project(0.5f, caster->umbraAngle_, caster->umbraLength_, caster->umbraApex_);
        project(0.35f, caster->penumbraAngle_, caster->penumbraLength_, caster->penumbraApex_);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glPopAttrib();
}
