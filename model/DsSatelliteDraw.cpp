// The sphere bodies on the screen: display lists for both display radii
// (plain, textured, clouds), the ring, the orbit line, and the two draw
// passes.
#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>
#include <functional>

#include "graphics/GlContext.h"
#include "graphics/Texture.h"
#include "model/BodySphere.h"
#include "model/DsSatellite.h"
#include "model/ModelServices.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"

DsSatellite::~DsSatellite() {
    releaseSphereLists();
}

void DsSatellite::releaseSphereLists() {
    if (glContextIsCurrent()) {
        if (penumbraConeList_ != 0)
            glDeleteLists(penumbraConeList_, 1);
        if (umbraConeList_ != 0)
            glDeleteLists(umbraConeList_, 1);
        if (cloudLists_ != 0)
            glDeleteLists(cloudLists_, 2);
    }
    penumbraConeList_ = umbraConeList_ = cloudLists_ = 0;
    releaseOwnSphereLists();
    cloudsTexture_.reset();
    ringTexture_.reset();
}

void DsSatellite::releaseOwnSphereLists() {
    if (glContextIsCurrent()) {
        if (texturedLists_ != 0)
            glDeleteLists(texturedLists_, 2);
        if (bodyLists_ != 0)
            glDeleteLists(bodyLists_, 2);
    }
    texturedLists_ = bodyLists_ = 0;
}

void DsSatellite::clear() {
    releaseSphereLists();
    DsAstrBody::clear();
}

void DsSatellite::bindTexture(Texture& texture) {
    texture.enable();
    const float filter = system_->view().getTextureFilter() == 0 ? GL_NEAREST : GL_LINEAR;
    texture.setFilter(filter, filter);
    glEnable(GL_TEXTURE_2D);
}

namespace {

const float white[3] = {1.0f, 1.0f, 1.0f};

// A quadric for filled spheres with texture coordinates.
GLUquadric* sphereQuadric() {
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricTexture(quadric, GL_TRUE);
    return quadric;
}

} // namespace

bool DsSatellite::hasOwnGeometry() const {
    return ringOuter_ > 0.0 || polarRatio_ != 1.0;
}

void DsSatellite::makeDisplayList() {
    DsAstrBody::makeDisplayList();
    if (!system_ || !glContextIsCurrent() || !takeBuiltRadii())
        return;
    // The plain sphere needs no picture; the textured one and the clouds are
    // compiled when first drawn.
    texturedDue_ = true;
    cloudsDue_ = true;
    if (hasOwnGeometry()) {
        if (bodyLists_ == 0)
            bodyLists_ = glGenLists(2);
        GLUquadric* quadric = sphereQuadric();
        const int n = system_->view().getBodySlices();
        for (int k = 0; k < 2; ++k) {
            const double r = getRadiusAtIndex(k);
            glNewList(bodyLists_ + k, GL_COMPILE);
            emitSphere(false, r, [&] { drawBodySphere(quadric, r, polarRatio_, n); });
            glEndList();
        }
        gluDeleteQuadric(quadric);
    } else if (bodyLists_ != 0 || texturedLists_ != 0) {
        releaseOwnSphereLists();
    }
    // Cones only for a body that shows its shadows; others make them when
    // they are first asked for.
    if (fullShadow_ || halfShadow_ || umbraConeList_ != 0)
        makeShadowConeLists();
}

void DsSatellite::prepareTextured() {
    if (!texturedDue_ || !system_ || !glContextIsCurrent())
        return;
    texturedDue_ = false;
    // Loading binds and sets up each texture: the frame's texture and enable
    // state stay as they were.
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    // Textures are loaded (and uploaded) before any list is compiled, so
    // that no upload ends up recorded in a list.
    loadTexture();
    loadTextureFile(ringTexture_, ringTextureName_);
    glPopAttrib();

    // A round body without a ring is the Ssystem's unit sphere, scaled when
    // drawn; only a body of its own shape keeps its own sphere lists.
    if (bodyLists_ == 0)
        return;
    GLUquadric* quadric = sphereQuadric();
    const int n = system_->view().getBodySlices();
    if (texturedLists_ == 0)
        texturedLists_ = glGenLists(2);
    for (int k = 0; k < 2; ++k) {
        const double r = getRadiusAtIndex(k);
        glNewList(texturedLists_ + k, GL_COMPILE);
        emitSphere(true, r, [&] { drawBodySphere(quadric, r, polarRatio_, n); });
        glEndList();
    }
    gluDeleteQuadric(quadric);
}

void DsSatellite::addDueMaps(std::vector<std::string>& files) const {
    if (!system_)
        return;
    const int textureMode = system_->view().getTextureMode();
    const bool textured = textureMode == 2 || (textureMode == 1 && selected_);
    if (texturedDue_ && textured) {
        addDueMap(files, texture_, textureName_);
        if (ringOuter_ > 0.0)
            addDueMap(files, ringTexture_, ringTextureName_);
    }
    if (cloudsDue_ && textured && system_->getClouds() && system_->getCloudsOpacity() > 0.1)
        addDueMap(files, cloudsTexture_, cloudsTextureName_);
}

void DsSatellite::prepareClouds() {
    if (!cloudsDue_ || !system_ || !glContextIsCurrent())
        return;
    cloudsDue_ = false;
    glPushAttrib(GL_TEXTURE_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
    loadTextureFile(cloudsTexture_, cloudsTextureName_);
    glPopAttrib();
    if (cloudsTexture_) {
        const ModelServices& view = system_->view();
        const int n = view.getBodySlices();
        GLUquadric* quadric = sphereQuadric();
        if (cloudLists_ == 0)
            cloudLists_ = glGenLists(2);
        const bool alphaTest = view.getAlphaBlend() == 0;
        for (int k = 0; k < 2; ++k) {
            glNewList(cloudLists_ + k, GL_COMPILE);
            if (cloudsTexture_->isLoaded()) {
                glPushAttrib(GL_CURRENT_BIT);
                bindTexture(*cloudsTexture_);
                // The shell has the body's own radius; the offset lifts it
                // over the surface in depth.
                glEnable(GL_POLYGON_OFFSET_FILL);
                glPolygonOffset(0.0f, -3.0f);
                if (alphaTest) {
                    glDisable(GL_BLEND);
                    glEnable(GL_ALPHA_TEST);
                }
                drawBodySphere(quadric, getRadiusAtIndex(k), polarRatio_, n);
                if (alphaTest)
                    glDisable(GL_ALPHA_TEST);
                glDisable(GL_POLYGON_OFFSET_FILL);
                glDisable(GL_TEXTURE_2D);
                cloudsTexture_->disable();
                glPopAttrib();
            }
            glEndList();
        }
        gluDeleteQuadric(quadric);
    }
}

void DsSatellite::emitSphere(bool textured, double r, const std::function<void()>& sphere) {
    const float* ambient = system_->getAmbientColor();
    const bool pictured = textured && texture_ && texture_->isLoaded();
    const bool ring = ringOuter_ > 0.0;
    glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
    if (textured) {
        // A body without a picture keeps its own colour rather than white.
        setSurfaceColor(pictured ? white : color_, ambient);
        if (pictured)
            bindTexture(*texture_);
    }
    sphere();
    if (pictured) {
        glDisable(GL_TEXTURE_2D);
        texture_->disable();
    }
    if (ring && !textured) {
        setSurfaceColor(ringColor_, ambient);
        drawRing(r);
    } else if (ring) {
        const bool ringTextured = ringTexture_ && ringTexture_->isLoaded();
        if (ringTextured) {
            setSurfaceColor(white, ambient);
            bindTexture(*ringTexture_);
        } else {
            setSurfaceColor(ringColor_, ambient);
        }
        drawRing(r);
        if (ringTextured) {
            glDisable(GL_TEXTURE_2D);
            ringTexture_->disable();
        }
    }
    glPopAttrib();
}

void DsSatellite::callSphere(int index, bool textured) {
    if (bodyLists_ != 0) {
        const unsigned lists = textured ? texturedLists_ : bodyLists_;
        if (lists != 0)
            glCallList(lists + index);
        return;
    }
    // A globe a few pixels across needs far fewer triangles for the same
    // outline.
    const unsigned unitSphere = system_->getUnitSphereList(projectedDiameter_);
    if (unitSphere == 0)
        return;
    const double r = getRadiusAtIndex(index);
    glPushMatrix();
    glPushAttrib(GL_ENABLE_BIT);
    // The unit sphere's normals are scaled with it.
    glEnable(GL_NORMALIZE);
    glScaled(r, r, r);
    emitSphere(textured, r, [unitSphere] { glCallList(unitSphere); });
    glPopAttrib();
    glPopMatrix();
}

void DsSatellite::drawRing(double radius) {
    const int slices = system_ ? system_->view().getBodySlices() : 12;
    const double step = kPi / slices;
    const double ri = ringInner_ * radius;
    const double ro = ringOuter_ * radius;
    // The texture's s runs across the ring, t along it.
    auto corner = [](double r, double angle, double s, double t) {
        glTexCoord2d(s, t);
        glVertex3d(r * std::cos(angle), r * std::sin(angle), 0.0);
    };
    glBegin(GL_QUADS);
    for (int j = 0; j < 2 * slices; ++j) {
        const double a = j * step;
        const double b = a + step;
        glNormal3d(0.0, 0.0, -1.0);
        corner(ri, a, 0.0, 1.0);
        corner(ri, b, 0.0, 0.0);
        corner(ro, b, 1.0, 0.0);
        corner(ro, a, 1.0, 1.0);
        glNormal3d(0.0, 0.0, 1.0);
        corner(ri, b, 0.0, 1.0);
        corner(ri, a, 0.0, 0.0);
        corner(ro, a, 1.0, 0.0);
        corner(ro, b, 1.0, 1.0);
    }
    glEnd();
}

void DsSatellite::drawOrbitEllipse(unsigned list, bool inParentFrame, bool halfTurn) {
    if (getState() == SimModeState::Hlight)
        list = system_->getHlightOrbitList();
    if (list == 0)
        return;
    glPushMatrix();
    if (inParentFrame)
        parentFrame_.glRotate();
    orbitPlaneRotation_.glRotate();
    periapsisRotation_.glRotate();
    ellipseCentre_.glTranslate();
    ellipseScale_.glScale();
    orbitTilt_.glRotate();
    anomalyRotation_.glRotate();
    if (halfTurn)
        glRotated(180.0, 0.0, 1.0, 0.0);
    glCallList(list);
    glPopMatrix();
}

void DsSatellite::drawOrbit() {
    if (system_)
        drawOrbitEllipse(system_->getOrbitList(), true, false);
}

bool DsSatellite::isPlainSmallBody() const {
    // As the scene pass below takes the dot path, with no shadow cones for
    // the second pass.
    return kind_ == Asteroid && !selected_ && children_.empty() && !fullShadow_ && !halfShadow_;
}

void DsSatellite::draw(int pass) {
    if (!system_)
        return;
    if (pass != 0) {
        // Of a body's own, this pass draws only the Sun's glow and the
        // shadow cones; thousands of small bodies have neither.
        const bool own =
            (kind_ == Sun || fullShadow_ || halfShadow_) && getState() != SimModeState::Hide;
        if (children_.empty() && !own)
            return;
        glPushMatrix();
        position_.glTranslate();
        drawChildren(pass);
        if (own)
            drawBody(pass);
        glPopMatrix();
        return;
    }
    const bool shown = getState() != SimModeState::Hide;
    // The camera is asked only about the selected body.
    const ModelServices& view = system_->view();
    const bool observed = selected_ && system_->getCameraMode() == ModelServices::Observe &&
                          !view.isCameraAnimating();
    if (shown && system_->getOrbit() && !observed) {
        glPushMatrix();
        drawOrbit();
        glPopMatrix();
    }

    // The body's own matrix serves the Sun, the children, the axis and the
    // sphere; a body seen as a dot only joins the dot batch, which projects
    // its place itself.
    const bool landed = isLanded();
    const bool sunFirst = shown && !landed && kind_ == Sun;
    const bool framed = sunFirst || !children_.empty();
    if (framed) {
        glPushMatrix();
        position_.glTranslate();
    }
    if (sunFirst)
        drawBody(0);
    drawChildren(0);
    // In the first half of the camera's move away from this body the body
    // stays out of the way.
    const bool receding = selected_ && system_->getCameraMode() == ModelServices::Examine &&
                          view.getCameraPrevMode() != ModelServices::Fly &&
                          view.getCameraAnimRatio() >= 0.5;
    if (shown && !landed && !receding) {
        DsAstrBody::drawBody(0);
        const bool axis = system_->getAxis() && (kind_ == Planet || kind_ == Earth ||
                                                 kind_ == Moon || kind_ == Satellite);
        const bool sphere = kind_ != Sun && getDotSize() <= projectedDiameter_;
        if (axis || sphere) {
            glPushMatrix();
            if (!framed)
                position_.glTranslate();
            rotation_.glRotate();
            if (axis)
                system_->drawAxis(getDisplayRadius());
            // The ring is translucent and writes depth: dots already gathered
            // (the moons within it among them) show through it as they did
            // when each dot was drawn at its body's turn.
            if (sphere && ringOuter_ > 0.0)
                system_->getDotBatch().drawGathered();
            const bool lighting = sphere && !view.getCameraHeadLight();
            if (lighting)
                glEnable(GL_LIGHTING);
            if (sphere)
                drawBody(0);
            if (lighting)
                glDisable(GL_LIGHTING);
            glPopMatrix();
        }
    }
    if (framed)
        glPopMatrix();
}

void DsSatellite::drawBody(int pass) {
    if (!system_ || builtRadius1_ == 0.0)
        return;
    const bool transition = system_->isScaleTransitionRunning();
    if (pass != 0) {
        if (!transition)
            drawShadowCones();
        return;
    }
    const ModelServices& view = system_->view();
    if (transition) {
        glPushMatrix();
        glEnable(GL_NORMALIZE);
        const double k = getScaleRatio();
        glScaled(k, k, k);
    }
    const int index = getRadiusIndex();
    const int textureMode = view.getTextureMode();
    bool clouds = false;
    if (textureMode == 0 || (textureMode == 1 && !selected_)) {
        glPushAttrib(GL_CURRENT_BIT | GL_LIGHTING_BIT);
        setSurfaceColor(color_, system_->getAmbientColor());
        callSphere(index, false);
        glPopAttrib();
    } else if (textureMode == 1) {
        prepareTextured();
        callSphere(index, true);
        clouds = true;
    } else if (textureMode == 2) {
        prepareTextured();
        glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
        callSphere(index, true);
        if (kind_ == Earth || kind_ == Moon)
            drawShadow();
        glPopAttrib();
        clouds = true;
    }
    const bool cloudsShown = clouds && system_->getClouds() && system_->getCloudsOpacity() > 0.1;
    if (cloudsShown)
        prepareClouds();
    if (cloudsShown && cloudLists_ != 0) {
        glPushAttrib(GL_CURRENT_BIT);
        glColor4d(1.0, 1.0, 1.0, system_->getCloudsOpacity());
        glCallList(cloudLists_ + index);
        glPopAttrib();
    }
    if (transition) {
        glDisable(GL_NORMALIZE);
        glPopMatrix();
    }
}
