#include "sky/CelestialGrid.h"

#include <GL/glew.h>
#include <GL/glu.h>

#include <cmath>

#include "engine/CommandArgs.h"
#include "graphics/LabelFont.h"

namespace {

const double pi = 3.141592653589793;

// Degrees to radians with whole turns removed, as every angle of the grid.
double radians(double degrees) {
    return degrees * pi / 180.0 - std::trunc(degrees / 360.0) * 2.0 * pi;
}

} // namespace

CelestialGrid::CelestialGrid() : font(std::make_unique<LabelFont>()) {}

CelestialGrid::~CelestialGrid() {
    deleteLists();
}

void CelestialGrid::deleteLists() {
    if (listBase)
        glDeleteLists(listBase, 2);
    listBase = 0;
}

void CelestialGrid::setDisp(double width, const double color[3]) {
    lineWidth = width > 0.0 ? width : 1.0;
    for (int i = 0; i < 3; ++i)
        lineColor[i] = color[i];
}

std::string CelestialGrid::getDispText() const {
    return CommandArgs::formatReal(lineWidth).substr(1) + CommandArgs::formatReal(lineColor[0]) +
           CommandArgs::formatReal(lineColor[1]) + CommandArgs::formatReal(lineColor[2]);
}

void CelestialGrid::setColor(const double color[3]) {
    for (int i = 0; i < 3; ++i)
        labelColor[i] = color[i];
}

void CelestialGrid::setFont(const std::string& family, float size, int style) {
    if (family == font->getFamilyToken() && size == font->getSize() && style == font->getStyle())
        return;
    font = std::make_unique<LabelFont>();
    font->setFont(family, size, style);
    if (built)
        buildLists();
}

std::string CelestialGrid::getFontSpec() const {
    return font->getFontSpec();
}

std::vector<GridLabel> CelestialGrid::labels() {
    std::vector<GridLabel> out;
    for (double a = 0.0; a < 360.0; a += 15.0) {
        const double t = radians(a);
        const int hour = static_cast<int>(a * (1.0f / 15.0f));
        out.push_back(
            {Vector3(std::cos(t), std::sin(t), 0.01), " " + std::to_string(hour) + "h", 1});
    }
    // Just below each parallel, so the label reads beside its line.
    const double below = 0.01f;
    for (double r = 0.0; r < 360.0; r += 90.0) {
        for (double d = -90.0; d <= 90.0; d += 10.0) {
            if (std::fabs(d) == 90.0 && r != 0.0)
                continue;
            const double dr = radians(d);
            const double rr = radians(r);
            out.push_back({Vector3(std::cos(dr) * std::cos(rr), std::cos(dr) * std::sin(rr),
                                   std::sin(dr) - below),
                           " " + std::to_string(static_cast<int>(d)), 7});
        }
    }
    return out;
}

void CelestialGrid::buildLists() {
    deleteLists();
    listBase = glGenLists(2);
    ++buildCount;

    glNewList(listBase, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT);
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_LINE);
    gluSphere(quadric, 1.0, 24, 18);
    gluDeleteQuadric(quadric);
    glPopAttrib();
    glEndList();

    glNewList(listBase + 1, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT);
    for (const GridLabel& label : labels()) {
        font->setAlign(label.anchor);
        glRasterPos3d(label.position.x, label.position.y, label.position.z);
        font->draw(label.text, 0);
    }
    glPopAttrib();
    glEndList();
    built = 1;
}

void CelestialGrid::draw() {
    if (!shown)
        return;
    if (!listBase)
        buildLists();
    glPushAttrib(GL_LINE_BIT | GL_CURRENT_BIT);
    glLineWidth(static_cast<float>(lineWidth));
    glColor3dv(lineColor);
    glCallList(listBase);
    glColor3dv(labelColor);
    glCallList(listBase + 1);
    glPopAttrib();
}
