#include "sky/ShootingStars.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "engine/Vector3.h"

namespace {

constexpr double degree = 0.017453292519943295;
// A draw of 0 to 999 thousandths of a turn.
constexpr double turnStep = 0.006283185307179587;
// Each draw a streak falls this far along the radiant axis.
constexpr double fallPerDraw = 0.3;
// A streak whose tail passes below this is respawned.
constexpr double lowestZ = -10.0;

} // namespace

void ShootingStars::setCenter(double raDegrees, double decDegrees) {
    centerRa_ = raDegrees;
    centerDec_ = decDegrees;
    const double ra = raDegrees * degree;
    const double dec = decDegrees * degree;
    // At declination -90 the radiant is opposite +z: the rotation between
    // them is then a half turn about an axis across z, never a zero quaternion.
    radiant_.setRotationBetween(
        Vector3(0.0, 0.0, 1.0),
        Vector3(std::cos(ra) * std::cos(dec), std::sin(ra) * std::cos(dec), std::sin(dec)));
}

int ShootingStars::getDrawnCount() const {
    return std::clamp(count_, 0, TableSize);
}

void ShootingStars::respawn(Streak& s) {
    // The order of the draws is part of what a seed reproduces.
    const double theta = (generator_.next() % 1000) * turnStep;
    if (random_) {
        const double alpha = (generator_.next() % 1000) * turnStep;
        const double beta = (generator_.next() % 1000) * turnStep;
        s.rotation = Quaternion(alpha, beta, 0.0);
    }
    const double c = std::cos(theta);
    const double sn = std::sin(theta);
    s.head[0] = c;
    s.head[1] = sn;
    s.head[2] = (generator_.next() % 1000) * 10.0 * 0.001;
    s.tail[0] = c;
    s.tail[1] = sn;
    s.tail[2] = s.head[2] - (generator_.next() % 1000) * 10.0 * 0.0001;
    s.life = (generator_.next() % 8) + 8;
}

void ShootingStars::advance() {
    const int n = getDrawnCount();
    for (int i = 0; i < n; ++i) {
        Streak& s = streaks_[i];
        s.head[2] -= fallPerDraw;
        s.tail[2] -= fallPerDraw;
        s.life -= 1.0;
        if (s.tail[2] < lowestZ || s.life < 0.0)
            respawn(s);
    }
}

void ShootingStars::draw() {
    glPushAttrib(GL_CURRENT_BIT);
    glPushMatrix();
    radiant_.glRotate();
    advance();
    const int n = getDrawnCount();
    for (int i = 0; i < n; ++i) {
        const Streak& s = streaks_[i];
        // The matrix is kept from streak to streak: each random streak turns
        // on from where the one before it left the frame.
        if (random_)
            s.rotation.glRotate();
        glBegin(GL_LINES);
        glColor3d(0.0, 0.0, 0.0);
        glVertex3dv(s.head);
        glColor3d(1.0, 1.0, 1.0);
        glVertex3dv(s.tail);
        glEnd();
    }
    glPopMatrix();
    glPopAttrib();
}
