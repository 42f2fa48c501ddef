// Views of the star sphere for the sky's GL tests and benchmarks: the camera
// at the sphere's centre looking at a sky place with north up, and the pixels
// read back. Include after GL/glew.h.
#pragma once

#include <GL/glu.h>

#include <cmath>
#include <string>
#include <vector>

#include <QImage>

namespace orvextest {

// Projection and model-view of a view toward right ascension and declination
// (degrees) with the given vertical field of view. The star sphere's frame is
// the model-view's: the star-sphere classes draw straight into it.
inline void lookAtSky(double raDeg, double decDeg, double fovDeg, double aspect) {
    const double k = 3.141592653589793 / 180.0;
    const double a = raDeg * k;
    const double d = decDeg * k;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(fovDeg, aspect, 0.01, 1000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // North at the place: perpendicular to the view, toward the pole.
    gluLookAt(0.0, 0.0, 0.0, std::cos(a) * std::cos(d), std::sin(a) * std::cos(d), std::sin(d),
              -std::cos(a) * std::sin(d), -std::sin(a) * std::sin(d), std::cos(d));
}

// The back buffer as RGB rows, bottom row first.
inline std::vector<unsigned char> readFrame(int width, int height) {
    std::vector<unsigned char> rgb(std::size_t(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Pixels whose brightest channel exceeds the level.
inline int litPixels(const std::vector<unsigned char>& rgb, int level = 0) {
    int count = 0;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        if (rgb[i] > level || rgb[i + 1] > level || rgb[i + 2] > level)
            ++count;
    return count;
}

// Saves the frame as a PNG (top row first) when a directory is given.
inline void saveFrame(const std::vector<unsigned char>& rgb, int width, int height,
                      const std::string& path) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::copy_n(&rgb[std::size_t(height - 1 - y) * width * 3], width * 3, image.scanLine(y));
    image.save(QString::fromStdString(path));
}

} // namespace orvextest
