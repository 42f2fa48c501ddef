#include <GL/glew.h>

namespace orvextest {

bool initGlewForTest(int width, int height) {
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        return false;
    glViewport(0, 0, width, height);
    glDrawBuffer(GL_BACK);
    glReadBuffer(GL_BACK);
    return true;
}

unsigned readPixelRgb(int x, int y) {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return (unsigned(rgba[0]) << 16) | (unsigned(rgba[1]) << 8) | rgba[2];
}

} // namespace orvextest
