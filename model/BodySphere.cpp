#include <GL/glew.h>

#include "model/BodySphere.h"

void drawBodySphere(GLUquadric* quadric, double radius, double polarRatio, int slices) {
    // t' = 1 - t: the picture's top row at the north pole, its columns (the
    // longitudes) where they were.
    glMatrixMode(GL_TEXTURE);
    glPushMatrix();
    glTranslatef(0.0f, 1.0f, 0.0f);
    glScalef(1.0f, -1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glScaled(1.0, 1.0, polarRatio);
    gluSphere(quadric, radius, slices, slices);
    glPopMatrix();
    glMatrixMode(GL_TEXTURE);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
