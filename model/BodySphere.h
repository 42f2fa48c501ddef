// The sphere of a body: flattened along its pole (z) by the polar ratio, with
// its map laid north-up. Maps are equirectangular pictures whose top row is
// the north; the quadric puts texture row t = 0 at the south pole (-z), so the
// picture's rows run the other way on it.
#pragma once

#include <GL/glu.h>

// Emits the sphere (for a display list or at once); the texture matrix is
// left as it was.
void drawBodySphere(GLUquadric* quadric, double radius, double polarRatio, int slices);
