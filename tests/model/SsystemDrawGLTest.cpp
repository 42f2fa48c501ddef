// The solar system drawn: orbit lines per detail level (counted through GL
// feedback), the Sun's disc, a lit planet, a comet's tail, shadow cones and
// the comet's orbit path, checked by reading pixels back.
#include "model/Ssystem.h"

#include <GL/glew.h>

#include <GL/glu.h>
#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "DrawTestServices.h"
#include "engine/LogMessage.h"
#include "engine/ViewMatrix.h"
#include "graphics/PicturePrefetch.h"
#include "graphics/Texture.h"
#include "model/DsAsteroid.h"
#include "model/DsComet.h"
#include "model/DsPlanet.h"
#include "platform/CurrentDirGuard.h"
#include "support/GlScreen.h"
#include "support/GlTestContext.h"
#include "support/ProgramGlState.h"
#include "support/TestEnv.h"

namespace {

// 2000-01-01 12:00 UTC, the test comet's perihelion, in seconds since 1970.
constexpr double perihelionTime = (2451545.0 - 2440587.5) * 86400.0;
constexpr int size = 128;

// What GL feedback saw: line segments and the window position of the first
// vertex of the first line.
struct Feedback {
    int lines = 0;
    int polygons = 0;
    float first[3] = {0, 0, 0};
};

template <class Draw> Feedback feedback(Draw draw) {
    std::vector<GLfloat> buffer(1 << 20);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const int count = glRenderMode(GL_RENDER);
    Feedback result;
    for (int i = 0; i < count;) {
        const int token = int(buffer[size_t(i++)]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            if (result.lines++ == 0) {
                for (int k = 0; k < 3; ++k)
                    result.first[k] = buffer[size_t(i + k)];
            }
            i += 6;
        } else if (token == GL_POLYGON_TOKEN) {
            ++result.polygons;
            i += 1 + 3 * int(buffer[size_t(i)]);
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN ||
                   token == GL_DRAW_PIXEL_TOKEN || token == GL_COPY_PIXEL_TOKEN) {
            i += 3;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            ADD_FAILURE() << "feedback token " << token;
            break;
        }
    }
    return result;
}

int red(unsigned rgb) {
    return int((rgb >> 16) & 0xff);
}
int green(unsigned rgb) {
    return int((rgb >> 8) & 0xff);
}
int blue(unsigned rgb) {
    return int(rgb & 0xff);
}
int brightness(unsigned rgb) {
    return red(rgb) + green(rgb) + blue(rgb);
}

// The test solar system at the comet's perihelion, seen from above the
// ecliptic (the camera's view rotation is the identity: the eye looks down
// -z with +y up).
class DrawScene : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        // The shipped pictures: the shadow, the belt and the asteroids' one.
        services.textureDir = orvextest::shareDir() + "/textures";
        platform::CurrentDirGuard guard(orvextest::dataPath("draw"));
        ASSERT_EQ(system.readData("solar.def"), 1);
        system.update(perihelionTime);
        orvextest::useProgramGlState();
        glViewport(0, 0, size, size);
    }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    void buildLists() {
        platform::CurrentDirGuard guard(orvextest::dataPath("draw"));
        system.makeDisplayLists(1);
    }
    // Only the named bodies (blank-separated) are shown.
    void showOnly(const std::string& names) {
        system.hideAstrBodies("All");
        system.showAstrBodies(names);
    }
    // The eye above the scene, looking down with the given field of view.
    void look(const Vector3& eye, double fovy) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(fovy, 1.0, 0.0001, 1000.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        services.viewRot.glRotate();
        (-eye).glTranslate();
        viewmatrix::storeModelview();
    }
    void drawFrame() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_DEPTH_TEST);
        system.draw(services.viewRot.inverse());
        glDisable(GL_DEPTH_TEST);
        glFinish();
    }
    // The window position of a point of the solar-system frame.
    Vector3 project(const Vector3& p) const { return orvextest::windowOf(p); }
    unsigned pixelAt(const Vector3& world) const {
        const Vector3 w = project(world);
        return gl.readPixel(int(std::lround(w.x)), int(std::lround(w.y)));
    }

    orvextest::GlTestContext gl{size, size};
    DrawTestServices services;
    Ssystem system{nullptr, &services};
};

} // namespace

TEST_F(DrawScene, OrbitRingsHaveThePointsOfTheOrbitDetail) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2, 2, -2, 2, -2, 2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // Low draws one strip of 95 points; Mid and High draw a wider glow strip
    // beneath the line, each of 159 or 287 points.
    const struct {
        int level;
        int lines;
    } cases[] = {{0, 94}, {1, 2 * 158}, {2, 2 * 286}, {0, 94}};
    bool first = true;
    for (const auto& c : cases) {
        services.setOrbitLevel(c.level);
        if (first)
            buildLists();
        else
            system.rebuildAllDisplayLists();
        first = false;
        for (unsigned list :
             {system.getOrbitList(), system.getHlightOrbitList(), system.getAsteroidOrbitList()}) {
            ASSERT_NE(list, 0u);
            EXPECT_EQ(feedback([&] { glCallList(list); }).lines, c.lines) << c.level;
        }
    }
}

TEST_F(DrawScene, OrbitLinesRunThroughTheirBodies) {
    services.setOrbitLevel(0);
    buildLists();
    look(Vector3(0, 0, 8), 60.0);
    // The shared circle starts where the body stands.
    for (const char* name : {"Rock", "Earth"}) {
        DsAstrBody* body = system.findBody(name);
        ASSERT_NE(body, nullptr);
        glPushMatrix();
        if (body->getParent())
            body->getParent()->getTrans().glTranslate();
        const Feedback seen = feedback([&] { body->drawOrbit(); });
        glPopMatrix();
        ASSERT_GT(seen.lines, 0) << name;
        const Vector3 w = project(body->getTrans());
        EXPECT_NEAR(seen.first[0], w.x, 0.01) << name;
        EXPECT_NEAR(seen.first[1], w.y, 0.01) << name;
    }
}

TEST_F(DrawScene, SunDiscSitsAtItsProjectedCentre) {
    showOnly("Sun");
    buildLists();
    // Off the axis, so that the disc is not simply in the middle of the view.
    look(Vector3(0.3, -0.2, 2.0), 30.0);
    drawFrame();
    const Vector3 c = project(Vector3(0, 0, 0));
    ASSERT_GT(c.x, 10);
    ASSERT_LT(c.x, size - 10);
    const unsigned centre = gl.readPixel(int(std::lround(c.x)), int(std::lround(c.y)));
    // The sun colour of the solar system (white).
    EXPECT_EQ(centre & 0xffffff, 0xffffffu);
    // The disc (0.093 AU across) is round about its centre, and fades out
    // in its glow.
    const double r = project(Vector3(0.093, 0, 0)).x - c.x;
    ASSERT_GT(r, 4.0);
    for (const Vector3 d :
         {Vector3(1, 0, 0), Vector3(-1, 0, 0), Vector3(0, 1, 0), Vector3(0, -1, 0)}) {
        const unsigned inside = gl.readPixel(int(std::lround(c.x + 0.5 * r * d.x)),
                                             int(std::lround(c.y + 0.5 * r * d.y)));
        EXPECT_EQ(inside, centre);
        const unsigned glow = gl.readPixel(int(std::lround(c.x + 1.2 * r * d.x)),
                                           int(std::lround(c.y + 1.2 * r * d.y)));
        EXPECT_GT(brightness(glow), 0);
        EXPECT_LT(brightness(glow), brightness(centre));
        const unsigned outside = gl.readPixel(int(std::lround(c.x + 1.6 * r * d.x)),
                                              int(std::lround(c.y + 1.6 * r * d.y)));
        EXPECT_EQ(outside & 0xffffff, 0u);
    }
}

TEST_F(DrawScene, LitPlanetIsBrighterOnItsDaySide) {
    showOnly("Sun Earth");
    system.orbitOff();
    buildLists();
    const DsAstrBody* earth = system.findBody("Earth");
    const Vector3 p = earth->getTrans();
    look(p + Vector3(0, 0, 0.3), 30.0);
    drawFrame();
    Vector3 sunward = -p;
    sunward.normalize();
    const double r = earth->getDisplayRadius();
    const unsigned day = pixelAt(p + sunward * (0.6 * r));
    const unsigned night = pixelAt(p - sunward * (0.6 * r));
    // The Earth's own colour (0.2, 0.5, 1.0), lit by the Sun alone.
    EXPECT_GT(blue(day), 120);
    EXPECT_GT(blue(day), green(day));
    EXPECT_GT(green(day), red(day));
    EXPECT_LT(brightness(night), 10);
    // Towards the terminator the light falls off.
    Vector3 slant = sunward + Vector3(-sunward.y, sunward.x, 0.0);
    slant.normalize();
    const unsigned dusk = pixelAt(p + slant * (0.6 * r));
    EXPECT_LT(brightness(dusk), brightness(day));
    EXPECT_GT(brightness(dusk), brightness(night) + 30);
}

TEST_F(DrawScene, CometTailPointsAwayFromTheSun) {
    showOnly("Sun Kite");
    system.orbitOff();
    buildLists();
    const auto* comet = dynamic_cast<const DsComet*>(system.findBody("Kite"));
    ASSERT_NE(comet, nullptr);
    const Vector3 head = comet->getTrans();
    ASSERT_NEAR(head.x, 0.5, 1e-9);
    ASSERT_NEAR(comet->tailFactor(), 4.0, 1e-6);
    // Its lists wait for the first frame that shows the comet; that frame
    // shows its coma and tail.
    EXPECT_EQ(comet->getComaLists(), 0u);
    look(Vector3(0.5, 0.0, 1.5), 60.0);
    drawFrame();
    EXPECT_NE(comet->getComaLists(), 0u);
    // The tail is 20 display radii long at perihelion.
    const double R = comet->getDisplayRadius();
    const Vector3 away(1, 0, 0);
    EXPECT_GT(brightness(pixelAt(head + away * (4 * R))), 150);
    EXPECT_GT(brightness(pixelAt(head + away * (12 * R))), 60);
    EXPECT_EQ(pixelAt(head + away * (25 * R)) & 0xffffff, 0u);
    // Towards the Sun there is only the coma.
    EXPECT_EQ(pixelAt(head - away * (4 * R)) & 0xffffff, 0u);
    EXPECT_EQ(pixelAt(head + Vector3(0, 4 * R, 0)) & 0xffffff, 0u);
}

TEST_F(DrawScene, ShadowConesShowOnlyWhereTheyExist) {
    showOnly("Sun Earth");
    system.orbitOff();
    buildLists();
    DsAstrBody* earth = system.findBody("Earth");
    earth->setFullShadow(1);
    earth->setHalfShadow(1);
    const Vector3 p = earth->getTrans();
    Vector3 away = p;
    away.normalize();
    look(p + Vector3(0, 0, 1.2), 60.0);
    auto reddish = [&](const Vector3& at) {
        const unsigned rgb = pixelAt(at);
        return red(rgb) > 20 && red(rgb) > 2 * green(rgb);
    };
    drawFrame();
    // The umbra behind the Earth (0.85 AU long in model scale).
    EXPECT_TRUE(reddish(p + away * 0.3));
    // Drawn larger than the Sun, the Earth casts no cone at all.
    system.simMode(1);
    system.update(perihelionTime);
    buildLists();
    earth->setFullShadow(1);
    earth->setHalfShadow(1);
    drawFrame();
    EXPECT_FALSE(reddish(earth->getTrans() + away * 0.3));
}

TEST_F(DrawScene, CometOrbitPathKeepsThePointsItWasBuiltWith) {
    services.setOrbitLevel(0);
    buildLists();
    auto* comet = dynamic_cast<DsComet*>(system.findBody("Kite"));
    ASSERT_NE(comet, nullptr);
    ASSERT_EQ(comet->getOrbitPoints().size(), 128u);
    look(Vector3(0, 0, 30), 60.0);
    // At perihelion the comet stands on the middle point: nothing is put in.
    const Feedback low = feedback([&] { comet->drawOrbitPath(comet->getCurrentJd(), 0); });
    EXPECT_EQ(low.lines, 126);
    // A finer orbit detail, not yet built: the path keeps its 128 points
    // (and now draws a glow beneath).
    services.setOrbitLevel(2);
    const Feedback high = feedback([&] { comet->drawOrbitPath(comet->getCurrentJd(), 0); });
    EXPECT_EQ(high.lines, 2 * 126);
    // Between two points the comet's place is put in.
    const Feedback between =
        feedback([&] { comet->drawOrbitPath(comet->getCurrentJd() + 0.01, 0); });
    EXPECT_EQ(between.lines, 2 * 127);
}

TEST_F(DrawScene, TexturedBodyShowsItsPictureWhateverWasDrawnBefore) {
    // The Earth wears the grey picture of the Moon here; the green orbit
    // lines drawn before it must not tint it, nor the Sun's disc blacken it.
    showOnly("Sun Earth");
    services.textureMode = 2;
    buildLists();
    const DsAstrBody* earth = system.findBody("Earth");
    const Vector3 p = earth->getTrans();
    look(p + Vector3(0, 0, 0.3), 30.0);
    Vector3 sunward = -p;
    sunward.normalize();
    const Vector3 probe = p + sunward * (0.5 * earth->getDisplayRadius());
    drawFrame();
    const unsigned day = pixelAt(probe);
    EXPECT_GT(brightness(day), 100);
    EXPECT_NEAR(red(day), green(day), 12);
    EXPECT_NEAR(blue(day), green(day), 12);
    // The same without orbits, and with the texture on the selected body only.
    system.orbitOff();
    drawFrame();
    EXPECT_EQ(pixelAt(probe), day);
    system.astrName("Earth", 0, 0);
    services.textureMode = 1;
    system.orbitOn();
    drawFrame();
    EXPECT_EQ(pixelAt(probe), day);
    // Texture mode None shows the Earth's own colour.
    services.textureMode = 0;
    drawFrame();
    EXPECT_GT(blue(pixelAt(probe)), red(pixelAt(probe)) + 40);
}

TEST_F(DrawScene, FarSmallBodiesAreDotsInTheirColourWhereTheyStand) {
    system.orbitOff();
    buildLists();
    look(Vector3(0, 0, 30), 60.0);
    const DsAstrBody* rock = system.findBody("Rock");
    const DsAstrBody* kite = system.findBody("Kite");
    showOnly("Sun Rock Kite");
    drawFrame();
    EXPECT_EQ(pixelAt(rock->getTrans()) & 0xffffff, 0xffffffu); // white
    EXPECT_EQ(pixelAt(kite->getTrans()) & 0xffffff, 0xccccccu); // 0.8 grey
    EXPECT_LT(rock->getProjectedDiameter(), 1.0f);
    EXPECT_GT(rock->getProjectedDiameter(), 0.0f);
    // A hidden body, comets too, shows no dot.
    showOnly("Sun Kite");
    drawFrame();
    EXPECT_EQ(pixelAt(rock->getTrans()) & 0xffffff, 0u);
    showOnly("Sun Rock");
    drawFrame();
    EXPECT_EQ(pixelAt(kite->getTrans()) & 0xffffff, 0u);
    EXPECT_EQ(pixelAt(rock->getTrans()) & 0xffffff, 0xffffffu);
}

TEST_F(DrawScene, DotsDrawnFromTheRecordsFollowBodiesThatGoAndTheSelection) {
    system.orbitOff();
    buildLists();
    look(Vector3(0, 0, 30), 60.0);
    showOnly("Sun Earth Rock Kite");
    const DsAstrBody* rock = system.findBody("Rock");
    const Vector3 rockAt = rock->getTrans();
    const Vector3 earthAt = system.findBody("Earth")->getTrans();
    drawFrame();
    ASSERT_EQ(pixelAt(rockAt) & 0xffffff, 0xffffffu);
    const unsigned earthDot = pixelAt(earthAt) & 0xffffff;
    ASSERT_NE(earthDot, 0u);
    // The comet before the asteroid goes: the asteroid's record moves up a
    // slot, and nothing is passed over by an old slot.
    system.removeComet("Kite");
    drawFrame();
    EXPECT_EQ(pixelAt(rockAt) & 0xffffff, 0xffffffu);
    EXPECT_EQ(pixelAt(earthAt) & 0xffffff, earthDot);
    EXPECT_GT(rock->getProjectedDiameter(), 0.0f);
    // Selected, the asteroid is drawn by itself, in the same place.
    const auto& all = system.getAllBodies();
    system.select(int(std::find(all.begin(), all.end(), rock) - all.begin()), 0, -1);
    ASSERT_TRUE(rock->isSelected());
    system.update(perihelionTime);
    drawFrame();
    EXPECT_EQ(pixelAt(rockAt) & 0xffffff, 0xffffffu);
    EXPECT_EQ(pixelAt(earthAt) & 0xffffff, earthDot);
}

TEST_F(DrawScene, RoundBodiesDrawTheSharedUnitSphere) {
    showOnly("Sun Rock");
    system.orbitOff();
    buildLists();
    auto* rock = dynamic_cast<DsAsteroid*>(system.findBody("Rock"));
    ASSERT_NE(rock, nullptr);
    // No sphere lists of its own.
    EXPECT_EQ(rock->getBodyLists(), 0u);
    EXPECT_EQ(rock->getTexturedLists(), 0u);
    EXPECT_NE(system.getUnitSphereList(), 0u);
    const Vector3 p = rock->getTrans();
    const double r = rock->getDisplayRadius();
    look(p + Vector3(0, 0, 20 * r), 30.0);
    drawFrame();
    ASSERT_GT(rock->getProjectedDiameter(), 20.0f);
    Vector3 sunward = -p;
    sunward.normalize();
    // Lit by the Sun on its day side only, and round: nothing beyond its
    // radius.
    EXPECT_GT(brightness(pixelAt(p + sunward * (0.6 * r))), 150);
    EXPECT_LT(brightness(pixelAt(p - sunward * (0.6 * r))), 10);
    EXPECT_EQ(pixelAt(p + Vector3(0.7 * r, 0.7 * r, 0)) & 0xffffff, 0u);
}

TEST_F(DrawScene, CometFarFromTheSunDrawsNoComaNorTail) {
    showOnly("Sun Kite");
    buildLists();
    auto* comet = dynamic_cast<DsComet*>(system.findBody("Kite"));
    ASSERT_NE(comet, nullptr);
    // The fragments the translucent pass makes (a wholly transparent tail
    // leaves no mark in the picture, yet costs as much).
    auto fragments = [&] {
        look(comet->getTrans() + Vector3(0, 0, 0.5), 60.0);
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_SAMPLES_PASSED, query);
        comet->draw(1);
        glEndQuery(GL_SAMPLES_PASSED);
        GLuint samples = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &samples);
        glDeleteQueries(1, &query);
        return samples;
    };
    EXPECT_GT(fragments(), 100u);
    // Three years on the comet is far beyond four perihelion distances.
    system.update(perihelionTime + 3 * 365.25 * 86400.0);
    ASSERT_EQ(comet->tailFactor(), 1.0);
    EXPECT_EQ(fragments(), 0u);
}

TEST_F(DrawScene, MapIsLoadedWhenTheGlobeIsFirstDrawn) {
    showOnly("Sun Earth");
    services.textureMode = 2;
    buildLists();
    const DsAstrBody* earth = system.findBody("Earth");
    EXPECT_EQ(earth->getTexture(), nullptr) << "no picture before it is needed";
    // Seen as a dot, the Earth needs no map.
    look(Vector3(0, 0, 30), 60.0);
    drawFrame();
    EXPECT_EQ(earth->getTexture(), nullptr);
    // The first frame that shows the globe shows its picture (grey here).
    const Vector3 p = earth->getTrans();
    look(p + Vector3(0, 0, 0.3), 30.0);
    Vector3 sunward = -p;
    sunward.normalize();
    drawFrame();
    ASSERT_NE(earth->getTexture(), nullptr);
    EXPECT_TRUE(earth->getTexture()->isLoaded());
    const unsigned day = pixelAt(p + sunward * (0.5 * earth->getDisplayRadius()));
    EXPECT_GT(brightness(day), 100);
    EXPECT_NEAR(red(day), green(day), 12);
    EXPECT_NEAR(blue(day), green(day), 12);
}

TEST_F(DrawScene, TheFirstFramesMapsAreDecodedAheadAndAllTaken) {
    showOnly("Sun Earth");
    services.textureMode = 2;
    const DsAstrBody* earth = system.findBody("Earth");
    const Vector3 p = earth->getTrans();
    // From afar the Earth is a dot: no map is foreseen.
    buildLists();
    look(Vector3(0, 0, 30), 60.0);
    system.prefetchMaps();
    EXPECT_EQ(picture_prefetch::pending(), 0);
    // Close by, its map is decoded ahead (the Sun has none), and the frame
    // takes it.
    buildLists();
    look(p + Vector3(0, 0, 0.3), 30.0);
    system.prefetchMaps();
    EXPECT_EQ(picture_prefetch::pending(), 1);
    drawFrame();
    EXPECT_EQ(picture_prefetch::pending(), 0);
    ASSERT_NE(earth->getTexture(), nullptr);
    EXPECT_TRUE(earth->getTexture()->isLoaded());
    Vector3 sunward = -p;
    sunward.normalize();
    const unsigned day = pixelAt(p + sunward * (0.5 * earth->getDisplayRadius()));
    EXPECT_GT(brightness(day), 100);
    EXPECT_NEAR(red(day), green(day), 12);
    // Lists built again keep the loaded map: nothing is decoded twice.
    system.rebuildAllDisplayLists();
    system.prefetchMaps();
    EXPECT_EQ(picture_prefetch::pending(), 0);
}

TEST_F(DrawScene, DotsStandWhereTheirBodiesAreNow) {
    system.orbitOff();
    buildLists();
    look(Vector3(0, 0, 30), 60.0);
    showOnly("Sun Rock");
    auto* rock = system.findBody("Rock");
    const Vector3 before = rock->getTrans();
    drawFrame();
    EXPECT_EQ(pixelAt(before) & 0xffffff, 0xffffffu);
    // Three hundred days on, the dot moved with the body.
    system.update(perihelionTime + 300 * 86400.0);
    const Vector3 later = rock->getTrans();
    ASSERT_GT((project(later) - project(before)).length(), 8.0);
    drawFrame();
    EXPECT_EQ(pixelAt(later) & 0xffffff, 0xffffffu);
    EXPECT_EQ(pixelAt(before) & 0xffffff, 0u);
    // Moved on its own after the update, and hidden on its own: the frame
    // shows it as it is.
    rock->updatePosition(perihelionTime);
    drawFrame();
    EXPECT_EQ(pixelAt(before) & 0xffffff, 0xffffffu);
    EXPECT_EQ(pixelAt(later) & 0xffffff, 0u);
    rock->setState(SimModeState::Hide);
    drawFrame();
    EXPECT_EQ(pixelAt(before) & 0xffffff, 0u);
}

TEST_F(DrawScene, GlobeDetailFollowsItsSizeOnTheScreen) {
    showOnly("Rock");
    system.orbitOff();
    services.setBodyLevel(1);
    services.textureMode = 2;
    buildLists();
    auto* rock = system.findBody("Rock");
    const Vector3 p = rock->getTrans();
    const double r = rock->getDisplayRadius();
    // The lighting and enable state the rest of the frame relies on, with a
    // back material of its own; the front material follows the current
    // colour.
    const GLfloat back[2][4] = {{0.1f, 0.2f, 0.3f, 1.0f}, {0.4f, 0.5f, 0.6f, 1.0f}};
    auto state = [] {
        std::vector<float> s;
        for (GLenum what : {GL_AMBIENT, GL_DIFFUSE}) {
            GLfloat v[4];
            glGetMaterialfv(GL_BACK, what, v);
            s.insert(s.end(), v, v + 4);
        }
        for (GLenum cap :
             {GL_COLOR_MATERIAL, GL_NORMALIZE, GL_LIGHTING, GL_TEXTURE_2D, GL_BLEND, GL_CULL_FACE})
            s.push_back(glIsEnabled(cap) ? 1.0f : 0.0f);
        return s;
    };
    auto frontFollowsColour = [] {
        GLfloat colour[4], ambient[4], diffuse[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        glGetMaterialfv(GL_FRONT, GL_AMBIENT, ambient);
        glGetMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
        for (int i = 0; i < 3; ++i) {
            if (ambient[i] != colour[i] || diffuse[i] != colour[i])
                return false;
        }
        return true;
    };
    auto polygons = [&](double distance) {
        look(p + Vector3(0, 0, distance * r), 30.0);
        glColor4f(0.3f, 0.6f, 0.9f, 1.0f);
        glMaterialfv(GL_BACK, GL_AMBIENT, back[0]);
        glMaterialfv(GL_BACK, GL_DIFFUSE, back[1]);
        const std::vector<float> before = state();
        const int count = feedback([&] { drawFrame(); }).polygons;
        EXPECT_EQ(state(), before) << "after a globe " << distance << " radii off";
        EXPECT_TRUE(frontFollowsColour()) << distance;
        return count;
    };
    // Five pixels across: the 8-slice sphere; 24 across: the full one.
    const int small = polygons(100.0);
    EXPECT_GT(rock->getProjectedDiameter(), 4.0f);
    EXPECT_LT(rock->getProjectedDiameter(), 6.0f);
    const int large = polygons(20.0);
    EXPECT_GT(rock->getProjectedDiameter(), 20.0f);
    EXPECT_GT(small, 0);
    // The faces towards the eye (about half) of 8 or 24 slices and stacks.
    EXPECT_LE(small, 8 * 8);
    EXPECT_GT(large, 8 * 8);
    EXPECT_LE(large, 24 * 24);
}
