// The landscape's draw pass and its display lists.
#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>

#include "graphics/LabelFont.h"
#include "graphics/Texture.h"
#include "platform/CurrentDirGuard.h"
#include "platform/SteadyClock.h"
#include "sky/Lscape.h"
#include "sky/LscapeServices.h"
#include "sky/ReliefMesh.h"

namespace {

constexpr double pi = 3.141592653589793;
constexpr double degree = 0.017453292519943295;
constexpr int ObserveMode = 1;

void newList(unsigned& list) {
    if (list == 0 || !glIsList(list))
        list = glGenLists(1);
}

// Degrees to radians with whole turns removed.
double turnRadians(double degrees) {
    return degrees * degree - std::trunc(degrees * 0.002777777777777778) * 2.0 * pi;
}

void vertex(const ReliefMesh::Point& p) {
    glVertex3f(p.x, p.y, p.z);
}

} // namespace

void Lscape::draw() {
    if (!built_)
        buildLists(1);
    glPushMatrix();
    // No selected body or place: neither landscape nor cursor.
    if (services_ && services_->getPlaceIndex() >= 0) {
        const int mode = services_->getCameraMode();
        if (mode != ObserveMode || services_->isCameraAnimating()) {
            glEnable(GL_DEPTH_TEST);
            drawCursor(services_->getRadius());
        } else if (show_) {
            // The landscape lies around the eye: nothing may hide it.
            glDisable(GL_DEPTH_TEST);
            const int modes = services_->getSimModeCount();
            if (services_->getDust() && services_->getSimModeIndex() == modes - 1)
                drawShootingStars();
            services_->getObserveTrans(1, -1.0).glTranslate();
            services_->getObserveRot().glRotate();
            drawGround();
            drawDirections();
        }
    }
    glPopMatrix();
}

void Lscape::drawShootingStars() {
    // The streaks stand in the star sphere's frame, as the root draws it.
    glPushMatrix();
    glLoadIdentity();
    services_->getViewRot().glRotate();
    glRotated(180.0, 0.0, 0.0, 1.0);
    glRotated(23.4, 1.0, 0.0, 0.0);
    glRotated(180.0, 0.0, 0.0, 1.0);
    sstars_.draw();
    glPopMatrix();
}

void Lscape::drawDirections() {
    const double latitude = services_->getPlaceLat();
    // At a pole every direction is south (or north): no names.
    if (!dir_ || latitude == 90.0 || latitude == -90.0)
        return;
    if (keepDirVisible_) {
        // Facing the names by the view's heading only, a little below the
        // centre of the view whatever its pitch.
        glPushMatrix();
        glLoadIdentity();
        glRotated(-services_->getOrientAzimuth(), 0.0, 1.0, 0.0);
        const double a = turnRadians(0.375 * services_->getZoom());
        glTranslated(0.0, -0.95 * std::tan(a), 0.0);
    }
    glPushAttrib(GL_CURRENT_BIT);
    glColor3dv(dirColor_);
    glCallList(directionList_);
    glPopAttrib();
    if (keepDirVisible_)
        glPopMatrix();
}

void Lscape::drawGround() {
    if (alphaBlend())
        drawSky();
    if (groundType_ == Panorama) {
        // Places store "None" for no picture, like their weather.
        const std::string name = services_->getPlacePanorama();
        if (!name.empty() && name != "None" && preparePanorama(name)) {
            const int blend = alphaBlend();
            panoramaTexture_->enable();
            glPushAttrib(GL_COLOR_BUFFER_BIT);
            if (!blend) {
                // Without blending the transparent sky of the picture is cut
                // away instead; the default test function would pass it all.
                glDisable(GL_BLEND);
                glEnable(GL_ALPHA_TEST);
                glAlphaFunc(GL_GREATER, 0.5f);
            }
            glCallList(panoramaList_);
            glPopAttrib();
            panoramaTexture_->disable();
            return;
        }
    }
    // Mesh and Horizon grounds, and a Panorama ground without a usable picture.
    glPushMatrix();
    if (groundType_ == Horizon) {
        drawHorizon();
    } else {
        glTranslatef(0.0f, -0.34f, 0.0f);
        glEnable(GL_LIGHTING);
        glCallList(meshList_);
        glDisable(GL_LIGHTING);
    }
    glPopMatrix();
}

bool Lscape::preparePanorama(const std::string& name) {
    const std::string texDir = services_->getTexDir();
    const int filter = services_->getFilter();
    if (!panoramaRecorded_) {
        recordedTexDir_ = texDir;
        recordedFilter_ = filter;
        panoramaRecorded_ = true;
    }
    if (name != loadedPanorama_ || texDir != recordedTexDir_ || filter != recordedFilter_) {
        platform::CurrentDirGuard guard;
        if (!dataDir().empty())
            guard.change(dataDir());
        panoramaTexture_->enable();
        glDisable(GL_BLEND);
        if (panoramaTexture_->load(texturePath(name), 1)) {
            panoramaTexture_->setWrap(GL_REPEAT, GL_CLAMP);
            const float f = filter == 0 ? GL_NEAREST : GL_LINEAR;
            panoramaTexture_->setFilter(f, f);
            panoramaTexture_->setEnvMode(GL_MODULATE);
        }
        panoramaTexture_->disable();
        // A picture that failed is remembered too, so it is not tried again
        // every frame; a new name, directory or filter tries again.
        loadedPanorama_ = name;
        recordedTexDir_ = texDir;
        recordedFilter_ = filter;
    }
    return panoramaTexture_->isLoaded();
}

void Lscape::drawSky() {
    const double* top = topColor_.getValue();
    const double* bottom = bottomColor_.getValue();
    if (top[3] == 0.0 && bottom[3] == 0.0)
        return;
    const int slices = bodySlices();
    const double step = 2.0 * pi / slices;
    glPushAttrib(GL_CURRENT_BIT);
    glEnable(GL_BLEND);
    glBegin(GL_TRIANGLES);
    for (int i = 0; i < slices; ++i) {
        const double t = i * step;
        const double t2 = t + step;
        glColor4dv(top);
        glVertex3d(0.0, 20.0, 0.0);
        glColor4dv(bottom);
        glVertex3d(20.0 * std::cos(t), -5.0, 20.0 * std::sin(t));
        glVertex3d(20.0 * std::cos(t2), -5.0, 20.0 * std::sin(t2));
    }
    glEnd();
    glDisable(GL_BLEND);
    glPopAttrib();
}

void Lscape::drawHorizon() {
    const double* ground = groundColor_.getValue();
    const double* horizon = horizonColor_.getValue();
    const int slices = bodySlices();
    const double step = 2.0 * pi / slices;
    const double h = lscapeHeight_;
    const bool translucent = ground[3] < 1.0 || horizon[3] < 1.0;
    glDisable(GL_DEPTH_TEST);
    if (translucent && alphaBlend())
        glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    for (int i = 0; i < slices; ++i) {
        const double t = i * step;
        const double t2 = t + step;
        glColor4dv(ground);
        glVertex3d(std::cos(t), -1.0, std::sin(t));
        glVertex3d(std::cos(t2), -1.0, std::sin(t2));
        glColor4dv(horizon);
        glVertex3d(std::cos(t2), h, std::sin(t2));
        glVertex3d(std::cos(t), h, std::sin(t));
    }
    glEnd();
    if (translucent)
        glDisable(GL_BLEND);
}

void Lscape::moveToSurface() const {
    services_->getObserveTrans(0, 1.0).glTranslate();
    services_->getObserveRot().glRotate();
}

void Lscape::drawCursor(double radius) {
    const double s = radius * cursorSize_;
    // Reduced to one period first: a float angle of a day's milliseconds
    // would jitter.
    const double ms = platform::steadyMilliseconds();
    switch (cursorType_) {
    case Arrow:
        glPushMatrix();
        moveToSurface();
        glRotated(std::fmod(ms * 0.3141592653589793, 360.0), 0.0, 1.0, 0.0);
        glScaled(0.5 * s, 0.5 * s, 0.5 * s);
        glCallList(cursorList_);
        glPopMatrix();
        break;
    case Light: {
        glPushMatrix();
        moveToSurface();
        glPushAttrib(GL_CURRENT_BIT);
        // A red that pulses once every two seconds.
        const double alpha = (std::sin(std::fmod(ms, 2000.0) * 0.0031415926535897933) + 1.0) * 0.5;
        glColor4d(1.0, 0.0, 0.0, alpha);
        glScaled(0.1 * s, 0.1 * s, 0.1 * s);
        glCallList(cursorList_);
        glPopAttrib();
        glPopMatrix();
        break;
    }
    case Annotate: {
        glPushMatrix();
        glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
        moveToSurface();
        glScaled(0.5 * s, 0.5 * s, 0.5 * s);
        glColor3d(1.0, 0.0, 0.0);
        glLineWidth(1.0f);
        glBegin(GL_LINES);
        glVertex3d(0.0, -1.0, 0.0);
        glVertex3d(0.0, 0.5, 0.0);
        glEnd();
        glColor3d(1.0, 1.0, 1.0);
        glRasterPos3f(0.0f, 0.5f, 0.0f);
        LabelFont& font = services_->getNameFont();
        const int align = font.getAlign();
        font.setAlign(1);
        font.draw(services_->getPlaceName(), 0);
        font.setAlign(align);
        glPopAttrib();
        glPopMatrix();
        break;
    }
    default:
        break;
    }
}

void Lscape::buildMeshList() {
    static const ReliefMesh mesh;
    const auto& v = mesh.getVertices();
    const auto& n = mesh.getNormals();
    newList(meshList_);
    glNewList(meshList_, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT);
    glColor3f(0.12f, 0.12f, 0.12f);
    glPushMatrix();
    glBegin(GL_TRIANGLES);
    for (const ReliefMesh::Triangle& t : mesh.getTriangles())
        for (int corner : t) {
            glNormal3f(n[corner].x, n[corner].y, n[corner].z);
            vertex(v[corner]);
        }
    glEnd();
    glBegin(GL_TRIANGLES);
    for (const ReliefMesh::Triangle& t : mesh.getWallTriangles())
        for (int corner : t)
            vertex(mesh.getWallVertices()[corner]);
    glEnd();
    // Outlines a hair above the faces, so they are not lost in them.
    glTranslatef(0.0f, 2e-5f, 0.0f);
    glLineWidth(1.0f);
    glColor3f(0.0f, 0.0f, 0.12f);
    for (const ReliefMesh::Triangle& t : mesh.getTriangles()) {
        glBegin(GL_LINE_LOOP);
        for (int corner : t)
            vertex(v[corner]);
        glEnd();
    }
    glPopMatrix();
    glPopAttrib();
    glEndList();
}

void Lscape::buildCursorLists() {
    ++cursorListBuilds_;
    if (cursorList_ != 0 && glIsList(cursorList_))
        glDeleteLists(cursorList_, 1);
    cursorList_ = glGenLists(1);
    if (cursorType_ == Arrow) {
        // An upside-down pyramid whose tip touches the place.
        static const double corners[4][2] = {
            {0.125, 0.125}, {0.125, -0.125}, {-0.125, -0.125}, {-0.125, 0.125}};
        glNewList(cursorList_, GL_COMPILE);
        glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT);
        glColor3d(1.0, 0.0, 0.0);
        glLineWidth(1.0f);
        for (int i = 0; i < 4; ++i) {
            const double* a = corners[i];
            const double* b = corners[(i + 1) % 4];
            glBegin(GL_LINE_LOOP);
            glVertex3d(a[0], 0.5, a[1]);
            glVertex3d(0.0, 0.0, 0.0);
            glVertex3d(b[0], 0.5, b[1]);
            glEnd();
        }
        glPopAttrib();
        glEndList();
    } else if (cursorType_ == Light) {
        {
            platform::CurrentDirGuard guard;
            if (!dataDir().empty())
                guard.change(dataDir());
            cursorTexture_->load(texturePath(cursorPicture_), 0);
        }
        glNewList(cursorList_, GL_COMPILE);
        cursorTexture_->enable();
        glPushAttrib(GL_CURRENT_BIT | GL_LINE_BIT | GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT);
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glBegin(GL_QUADS);
        glTexCoord2d(0.0, 0.0);
        glVertex3d(0.05, 0.0, 0.05);
        glTexCoord2d(0.0, 1.0);
        glVertex3d(0.05, 0.0, -0.05);
        glTexCoord2d(1.0, 1.0);
        glVertex3d(-0.05, 0.0, -0.05);
        glTexCoord2d(1.0, 0.0);
        glVertex3d(-0.05, 0.0, 0.05);
        glEnd();
        glPopAttrib();
        cursorTexture_->disable();
        glEndList();
    }
    // Annotate draws the place name each frame and compiles nothing.
}

void Lscape::buildPanoramaList() {
    newList(panoramaList_);
    glNewList(panoramaList_, GL_COMPILE);
    glEnable(GL_TEXTURE_2D);
    glPushAttrib(GL_CURRENT_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricTexture(quadric, GL_TRUE);
    gluQuadricOrientation(quadric, GLU_INSIDE);
    // The cylinder spans y from 3.75 down to -6.25; the picture's top row is
    // at its upper edge and it goes once around.
    glPushMatrix();
    glTranslatef(0.0f, 3.75f, 0.0f);
    glRotated(90.0, 1.0, 0.0, 0.0);
    gluCylinder(quadric, 10.0, 10.0, 10.0, 24, 1);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    // A black floor closes the bottom.
    glColor3f(0.0f, 0.0f, 0.0f);
    glPushMatrix();
    glTranslatef(0.0f, -6.25f, 0.0f);
    glRotated(90.0, 1.0, 0.0, 0.0);
    gluDisk(quadric, 0.0, 10.0, 24, 1);
    glPopMatrix();
    gluDeleteQuadric(quadric);
    glPopAttrib();
    glEndList();
}

void Lscape::buildDirectionList() {
    ++directionListBuilds_;
    newList(directionList_);
    glNewList(directionList_, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos3d(0.0, 0.0, 0.9);
    font_->draw(names_.north, 0);
    glRasterPos3d(0.0, 0.0, -0.9);
    font_->draw(names_.south, 0);
    glRasterPos3d(-0.9, 0.0, 0.0);
    font_->draw(names_.east, 0);
    glRasterPos3d(0.9, 0.0, 0.0);
    font_->draw(names_.west, 0);
    glPopAttrib();
    glEndList();
}
