#include "engine/ViewMatrix.h"

#include <GL/glew.h>

#include <algorithm>

namespace viewmatrix {

namespace {

constexpr float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

float viewMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
float inverseMatrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Element (row, column) of a column-major matrix.
double at(const float* m, int row, int column) {
    return m[column * 4 + row];
}

} // namespace

const float* get() {
    return viewMatrix;
}

const float* getInverse() {
    return inverseMatrix;
}

void store(const float* matrix) {
    std::copy(matrix, matrix + 16, viewMatrix);
    // A singular view keeps the last good inverse rather than an arbitrary one.
    invertAffine(viewMatrix, inverseMatrix);
}

void storeModelview() {
    float matrix[16];
    std::copy(identity, identity + 16, matrix);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
    store(matrix);
}

bool invertAffine(const float* in, float* out) {
    const double a = at(in, 0, 0), b = at(in, 0, 1), c = at(in, 0, 2);
    const double d = at(in, 1, 0), e = at(in, 1, 1), f = at(in, 1, 2);
    const double g = at(in, 2, 0), h = at(in, 2, 1), i = at(in, 2, 2);
    // Cofactors of the 3x3 part.
    const double c00 = e * i - f * h, c01 = f * g - d * i, c02 = d * h - e * g;
    const double det = a * c00 + b * c01 + c * c02;
    if (!(det * det >= 1e-25))
        return false;
    const double r[3][3] = {{c00 / det, (c * h - b * i) / det, (b * f - c * e) / det},
                            {c01 / det, (a * i - c * g) / det, (c * d - a * f) / det},
                            {c02 / det, (b * g - a * h) / det, (a * e - b * d) / det}};
    const double t[3] = {at(in, 0, 3), at(in, 1, 3), at(in, 2, 3)};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            out[column * 4 + row] = float(r[row][column]);
        out[12 + row] = float(-(r[row][0] * t[0] + r[row][1] * t[1] + r[row][2] * t[2]));
        out[row * 4 + 3] = 0.0f;
    }
    out[15] = 1.0f;
    return true;
}

} // namespace viewmatrix
