#include "sky/Fstars.h"

#include <GL/glew.h>

#include "sky/Space.h"

namespace {

// A dot of 4 by 4 pixels centred on the raster position, each row one byte.
const GLubyte dot[4] = {0x60, 0xFF, 0xFF, 0x60};

} // namespace

Fstars::Fstars(Main* owner) : SkyNameLabels("Fstars", "FstarNames", owner) {}

Fstars::~Fstars() {
    if (pointsList != 0)
        glDeleteLists(pointsList, 1);
}

int Fstars::loadNames(const std::string& path) {
    return readNames(path, "FixedStarNames:", "Can't open fixed star names file.", &fixedStars);
}

void Fstars::buildLists(int force) {
    if (!built && !force)
        return;
    built = 1;
    // Hundreds of labels are rasterised into the list: only once they show.
    if (shown)
        compileNameList();
    else
        dropNameList();
    compileList(pointsList, [this] {
        for (const FixedStar& s : fixedStars) {
            glColor3fv(s.color);
            glRasterPos3fv(s.position);
            glBitmap(4, 4, 2.0f, 2.0f, 0.0f, 0.0f, dot);
        }
    });
}

void Fstars::draw() {
    if (shown && built && nameList == 0)
        compileNameList();
    if (shown)
        callNameList();
    // The dots stand in for the brightest points only in the Points style.
    if (space && space->isStarsShown() && space->getStarsStyle() == Space::Points &&
        pointsList != 0)
        glCallList(pointsList);
}
