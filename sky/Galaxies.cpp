#include "sky/Galaxies.h"

#include <GL/glew.h>

Galaxies::Galaxies(Main* owner) : SkyNameLabels("Galaxies", "GalaxyNames", owner) {}

int Galaxies::loadNames(const std::string& path) {
    return readNames(path, "GalaxyNames:", "Could not open galaxy names file.", nullptr);
}

void Galaxies::buildList(int force) {
    if (!built && !force)
        return;
    built = 1;
    compileNameList();
}

void Galaxies::draw() {
    if (!shown)
        return;
    glPushMatrix();
    if (nameList == 0)
        buildList(1);
    callNameList();
    glPopMatrix();
}
