#include "engine/Orvex.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdio>

#include "engine/InputDevice.h"
#include "engine/KeyMap.h"
#include "engine/LabelFontLink.h"
#include "engine/OrvexServices.h"
#include "engine/Render.h"
#include "engine/Timer.h"
#include "engine/ViewMatrix.h"
#include "graphics/LabelFont.h"
#include "graphics/PicturePrefetch.h"
#include "graphics/Texture.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Constes.h"
#include "sky/Fstars.h"
#include "sky/Galaxies.h"
#include "sky/Lscape.h"
#include "sky/Space.h"
#include "view/Camera.h"
#include "view/Console.h"
#include "view/Detail.h"
#include "view/Markers.h"

namespace {

// The ecliptic's tilt against the equator, which the star sphere is drawn in.
constexpr double eclipticTiltDegrees = 23.4;
constexpr double degreesPerRadian = 57.29577951308232;
// The sixteen joystick buttons reach the key map as codes 0x100 + n.
constexpr int deviceButtonCount = 16;
constexpr int deviceButtonKeyBase = 0x100;

} // namespace

Orvex::Orvex() : Main("Orvex"), inputDevice(std::make_unique<InputDevice>()) {}

Orvex::~Orvex() {
    inputDevice->close();
    inputDevice.reset();
    // Each object may still reach the ones deleted after it.
    detail.reset();
    render.reset();
    lscape.reset();
    markers.reset();
    ssystem.reset();
    fstars.reset();
    galaxies.reset();
    constes.reset();
    space.reset();
    console.reset();
    camera.reset();
    timer.reset();
    glText.reset();
    modelServices.reset();
    services.reset();
    lists = ListSettings();
    Texture::deleteAll();
}

ListSettings Orvex::getListSettings() const {
    ListSettings settings = lists;
    settings.dataDir = getDataDir();
    settings.version = getVersion();
    return settings;
}

void Orvex::setInputDevice(std::unique_ptr<InputDevice> device) {
    if (device)
        inputDevice = std::move(device);
}

void Orvex::init() {
    if (!glText)
        glText = std::make_unique<LabelFont>();
    // Old drivers only announce their extensions to the loader this way.
    glewExperimental = GL_TRUE;
    const GLenum error = glewInit();
    if (error != GLEW_OK)
        std::fprintf(stderr, "Error: %s\n",
                     reinterpret_cast<const char*>(glewGetErrorString(error)));
    initGLState();
    Texture::setSharing(1);
    resetLabelTexture();
    Main::init();
}

void Orvex::initGLState() {
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glClearDepth(1.0);
    glPolygonMode(GL_FRONT, GL_FILL);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glAlphaFunc(GL_GREATER, 0.25f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
    // Texture coordinates generated in eye space, each from its own axis.
    const GLfloat planes[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
    const GLenum coords[4] = {GL_S, GL_T, GL_R, GL_Q};
    for (int i = 0; i < 4; ++i) {
        glTexGeni(coords[i], GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
        glTexGenfv(coords[i], GL_EYE_PLANE, planes[i]);
    }
    glEnableClientState(GL_VERTEX_ARRAY);
}

void Orvex::initCommandObjects(int force) {
    ssystem->makeDisplayLists(force);
    space->buildLists(force);
    constes->buildLists(force);
    fstars->buildLists(force);
    lscape->buildLists(force);
    render->init(force);
}

int Orvex::frame(unsigned elapsedMs) {
    if (!isConfigured())
        return 0;
    runDeviceButtons();
    const int ended = Main::frame(elapsedMs);
    frameRateMeter.tick();
    advanceClock(elapsedMs);
    ssystem->update(timer->getTime());
    return ended;
}

void Orvex::advanceClock(unsigned elapsedMs) {
    // A negative frame rate steps the clock once per frame, whatever the time:
    // the clock's update takes 0 for that. A frame in which no millisecond
    // passed (the first one, or two paints within one millisecond) must not
    // pass 0 as well, or it would jump a whole step; only a running "...To"
    // animation, which counts nominal frames, goes on.
    if (getFps() < 0.0)
        timer->update(0);
    else if (elapsedMs > 0 || timer->isAnimating())
        timer->update(elapsedMs);
}

void Orvex::runDeviceButtons() {
    constexpr std::int32_t allButtons = (1 << deviceButtonCount) - 1;
    if (inputDevice->getStatus() == 0 || !inputDevice->testButtons(allButtons))
        return;
    const int modifier = KeyMap::modifierCode(isShiftDown() != 0, isCtrlDown() != 0);
    for (int i = 0; i < deviceButtonCount; ++i) {
        // Cleared first, so that each press runs once.
        if (!inputDevice->testAndClearButtons(std::int32_t(1) << i))
            continue;
        const std::string line = getKeyMap().find(deviceButtonKeyBase + i, modifier);
        if (line.empty())
            continue;
        processScenarioLine(line);
        notifyPending = 1;
    }
}

void Orvex::draw(double eyeOffset) {
    if (!isConfigured())
        return;
    // Textures and files a drawing step loads are relative to the data directory.
    const platform::CurrentDirGuard dataDirectory(getDataDir());
    render->drawBlur();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    camera->updateView(eyeOffset);
    // The eclipse shadows map eye points back into the world with its inverse.
    viewmatrix::storeModelview();
    // The maps the bodies' first frame needs decode while the sky is drawn.
    ssystem->prefetchMaps();
    drawStarSphere(eyeOffset);
    // The bodies, the landscape and the markers hide each other by depth; the
    // overlays after them do not.
    glEnable(GL_DEPTH_TEST);
    ssystem->draw(camera->getViewRot().inverse());
    lscape->draw();
    markers->draw();
    glDisable(GL_DEPTH_TEST);
    camera->drawParticles();
    console->draw(0);
    render->drawFade();
    // Pictures decoded ahead for what this frame did not draw after all are
    // not kept.
    if (picture_prefetch::pending() != 0)
        picture_prefetch::dropUntaken();
}

void Orvex::drawStarSphere(double eyeOffset) {
    glPushMatrix();
    glLoadIdentity();
    // The sky is infinitely far: of the eye offset only its parallax turn is left.
    glRotated(std::atan2(eyeOffset, 10.0) * degreesPerRadian, 0.0, 1.0, 0.0);
    const Quaternion viewRotation = camera->getViewRot();
    viewRotation.glRotate();
    // The equatorial star sphere in the ecliptic frame of the bodies.
    glRotated(180.0, 0.0, 0.0, 1.0);
    glRotated(eclipticTiltDegrees, 1.0, 0.0, 0.0);
    glRotated(180.0, 0.0, 0.0, 1.0);
    space->drawMwayAndFrame();
    space->drawStars();
    constes->draw(viewRotation.inverse());
    fstars->draw();
    galaxies->draw();
    glPopMatrix();
}

void Orvex::setSize(int w, int h) {
    Main::setSize(w, h);
    glViewport(0, 0, w, h);
}

void Orvex::mouseButton(int code, int pressed, int x, int y) {
    if (getInput() && camera)
        camera->mouseButton(code, pressed, x, y);
}

void Orvex::mouseMove(int x, int y) {
    if (getInput() && camera)
        camera->mouseMove(x, y);
}

void Orvex::setMousePosition(int x, int y) {
    if (getInput() && camera)
        camera->setMousePosition(x, y);
}

void Orvex::setMouseMode(int mode) {
    mouseMode = mode;
    if (camera)
        camera->setMouseMode(mode);
    if (console)
        console->setMouseMode(mode);
}
