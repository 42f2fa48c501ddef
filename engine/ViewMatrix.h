// The view of the frame being drawn: the modelview matrix right after the
// camera set up its view, and that matrix's inverse, which carries points of
// the eye frame back into the world (the eclipse shadows of the sphere bodies
// project through it). The root stores both once per eye, before anything is
// drawn; the matrices are GL's column-major sixteen floats.
#pragma once

namespace viewmatrix {

// The matrix of the current frame and its inverse (identity until stored).
const float* get();
const float* getInverse();

// Stores a view matrix and its inverse.
void store(const float* matrix);
// Reads GL's current modelview matrix and stores it (needs GL).
void storeModelview();

// The inverse of an affine matrix: the upper 3x3 part inverted by cofactors
// over the determinant, the translation -(R^-1 t), the last row 0 0 0 1. A
// singular matrix (squared determinant below 1e-25) leaves out unchanged and
// returns false.
bool invertAffine(const float* in, float* out);

} // namespace viewmatrix
