// An asteroid's orbit line: the shared unit circle carried onto its ellipse.
#include <GL/glew.h>

#include "model/DsAsteroid.h"
#include "model/Ssystem.h"

void DsAsteroid::drawOrbit() {
    if (!system_)
        return;
    const unsigned list = getState() == SimModeState::Hlight ? system_->getHlightOrbitList()
                                                             : system_->getAsteroidOrbitList();
    if (list == 0)
        return;
    glPushMatrix();
    nodeTilt_.glRotate();
    periTurn_.glRotate();
    ellipseOffset_.glTranslate();
    ellipseSize_.glScale();
    circleTurn_.glRotate();
    getPhaseTurn().glRotate();
    glCallList(list);
    glPopMatrix();
}
