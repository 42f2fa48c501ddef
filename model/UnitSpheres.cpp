#include <GL/glew.h>

#include "model/UnitSpheres.h"

#include <GL/glu.h>
#include <cmath>

#include "graphics/GlContext.h"
#include "model/BodySphere.h"
#include "model/OrbitMath.h"

int UnitSpheres::slicesFor(double projectedDiameter, int fullSlices) {
    if (!(projectedDiameter > 0.0))
        return fullSlices;
    // The equator is the coarsest outline: a polygon of n sides lies up to
    // r (1 - cos(pi / n)) inside the circle of radius r; the meridians have
    // twice the sides.
    const double r = 0.5 * projectedDiameter;
    for (int n : {6, 8, 12, 16}) {
        if (n >= fullSlices)
            break;
        if (r * (1.0 - std::cos(kPi / n)) <= maxOutlineError)
            return n;
    }
    return fullSlices;
}

unsigned UnitSpheres::list(int slices) {
    for (const auto& built : lists_) {
        if (built.first == slices)
            return built.second;
    }
    if (!glContextIsCurrent())
        return 0;
    const unsigned list = glGenLists(1);
    // The same quadric sphere at every detail: its maps north-up, its
    // texture coordinates alike.
    GLUquadric* quadric = gluNewQuadric();
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluQuadricTexture(quadric, GL_TRUE);
    glNewList(list, GL_COMPILE);
    drawBodySphere(quadric, 1.0, 1.0, slices);
    glEndList();
    gluDeleteQuadric(quadric);
    lists_.emplace_back(slices, list);
    return list;
}

void UnitSpheres::release() {
    if (glContextIsCurrent()) {
        for (const auto& built : lists_)
            glDeleteLists(built.second, 1);
    }
    lists_.clear();
}
