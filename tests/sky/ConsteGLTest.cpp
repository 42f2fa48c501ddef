// Constellations drawn into GL: the art transform against its computed
// placement, Orion's figure, boundary, name and art where the sky puts them,
// and the whole sky. With ORVEX_SHOT_DIR set the two pictures are saved there
// (constes-orion.png, constes-sky.png), to be looked at.
#include <gtest/gtest.h>

#include <cstdlib>

#include <GL/glew.h>

#include <GL/glu.h>
#include <cmath>

#include <QImage>

#include "engine/LogMessage.h"
#include "sky/Conste.h"
#include "sky/ConsteArt.h"
#include "sky/ConsteSet.h"
#include "sky/Constes.h"
#include "sky/SkyPosition.h"
#include "support/GlTestContext.h"
#include "support/TestEnv.h"
#include "support/TestRoot.h"

namespace {

constexpr unsigned red = 0xFF0000;
constexpr unsigned green = 0x00FF00;
constexpr unsigned blue = 0x0000FF;

// Saves a picture into ORVEX_SHOT_DIR, when it is set.
void keep(const QImage& image, const std::string& file) {
    const char* dir = std::getenv("ORVEX_SHOT_DIR");
    if (!dir || !*dir)
        return;
    EXPECT_TRUE(image.save(QString::fromStdString(std::string(dir) + "/" + file)));
    ::testing::Test::RecordProperty("picture", file);
}

class ConsteGLTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl.isValid());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // the root's set-up: bitmap labels need it
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glViewport(0, 0, gl.width(), gl.height());
    }

    // The shipped set with one colour per line kind, for reading pixels back.
    void loadShipped(ConsteSet& set) {
        ASSERT_EQ(set.load(orvextest::shareDir() + "/data/constes/"), 1);
        const double r[3] = {1, 0, 0}, g[3] = {0, 1, 0}, b[3] = {0, 0, 1}, w[3] = {1, 1, 1};
        set.setLinesDisp(3, r);
        set.setSepsDisp(1, g);
        set.setArtDisp(1, b);
        set.setNameColor(w);
        set.setNameFont("DejaVu_Sans", 11, 1);
    }

    // The root's star sphere seen through a camera turned by view.
    void starSphere(const Quaternion& view, double fov) {
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(fov, double(gl.width()) / gl.height(), 0.01, 10.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        view.glRotate();
        glRotated(180.0, 0, 0, 1);
        glRotated(23.4, 1, 0, 0);
        glRotated(180.0, 0, 0, 1);
    }

    // Window position of a point of the current frame; false when behind.
    bool project(const Vector3& p, int& x, int& y) {
        GLdouble model[16], projection[16], wx, wy, wz;
        GLint viewport[4];
        glGetDoublev(GL_MODELVIEW_MATRIX, model);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetIntegerv(GL_VIEWPORT, viewport);
        gluProject(p.x, p.y, p.z, model, projection, viewport, &wx, &wy, &wz);
        x = int(std::floor(wx));
        y = int(std::floor(wy));
        return wz > 0.0 && wz < 1.0 && x >= 0 && y >= 0 && x < gl.width() && y < gl.height();
    }

    int countPixels(unsigned colour, int x0, int y0, int x1, int y1) {
        std::vector<unsigned char> rgba(std::size_t(gl.width()) * gl.height() * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, gl.width(), gl.height(), GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        int n = 0;
        for (int y = std::max(0, y0); y < std::min(gl.height(), y1); ++y)
            for (int x = std::max(0, x0); x < std::min(gl.width(), x1); ++x) {
                const unsigned char* p = &rgba[(std::size_t(y) * gl.width() + x) * 4];
                const unsigned c = (unsigned(p[0]) << 16) | (unsigned(p[1]) << 8) | p[2];
                n += colour == 1 ? c != 0 : c == colour;
            }
        return n;
    }

    void saveShot(const std::string& file) {
        QImage image(gl.width(), gl.height(), QImage::Format_RGBA8888);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, gl.width(), gl.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        keep(image.mirrored(), file);
    }

    orvextest::GlTestContext gl{640, 480};
    LogCapture log;
};

// Where the segments between consecutive figure stars have their middle.
std::vector<Vector3> figureMidpoints(const Conste& c) {
    std::vector<Vector3> out;
    const auto& s = c.getStrokes();
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] && s[i]) {
            Vector3 a = *s[i - 1], b = *s[i];
            a.normalize();
            b.normalize();
            out.push_back((a + b) * 0.5);
        }
    return out;
}

} // namespace

TEST_F(ConsteGLTest, ArtIsDrawnWherePlacementPutsIt) {
    // Feedback gives each line vertex in window coordinates.
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glScaled(0.25, 0.25, 0.25);
    ConsteArt art;
    const auto addBlock = [&art](bool placed, Vector3 t, Vector3 direction, Vector3 scale,
                                 double angle, std::vector<ArtPoint> strip = {{10, 20}, {-30, 5}}) {
        ArtBlock b;
        b.placement.placed = placed;
        b.placement.translation = t;
        b.placement.rotation = Quaternion(Vector3(0, 0, 1), direction);
        b.placement.scale = scale;
        b.placement.angleDeg = angle;
        b.strips.push_back(strip);
        art.blocks.push_back(b);
    };
    addBlock(false, {}, {}, {1, 1, 1}, 0, {{0.5f, 0.2f}, {-0.3f, 3.0f}});
    addBlock(true, {0, 0, -1}, {0, 0, -1}, {0.01, 0.01, 1}, 30);                      // south pole
    addBlock(true, {0.3, -0.4, 0.2}, skyDirection(200, -30), {0.02, 0.02, 0.02}, 45); // ".cat"
    addBlock(true, {0.6, 0.8, 0}, {0.6, 0.8, 0}, {0.005, 0.005, 1}, -120);

    std::vector<GLfloat> buffer(256);
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawArt(art);
    const int n = glRenderMode(GL_RENDER);
    ASSERT_EQ(n, 4 * 7); // a line token and two vertices per block
    for (int b = 0; b < 4; ++b) {
        const GLfloat* f = &buffer[std::size_t(b) * 7];
        for (int v = 0; v < 2; ++v) {
            const Vector3 expect = art.blocks[b].placement.place(art.blocks[b].strips[0][v]);
            const double x = (f[1 + 3 * v] / gl.width() * 2.0 - 1.0) * 4.0;
            const double y = (f[2 + 3 * v] / gl.height() * 2.0 - 1.0) * 4.0;
            const double z = (f[3 + 3 * v] * 2.0 - 1.0) * 4.0;
            EXPECT_NEAR(x, expect.x, 1e-3) << b << " " << v;
            EXPECT_NEAR(y, expect.y, 1e-3) << b << " " << v;
            EXPECT_NEAR(z, expect.z, 1e-3) << b << " " << v;
        }
    }
}

TEST_F(ConsteGLTest, OrionWithFigureBoundaryNameAndArt) {
    ConsteSet set;
    loadShipped(set);
    set.showArts("Orion");
    set.showSeps("Orion");
    set.showLines("Orion");
    set.showNames("Orion");
    starSphere(skyLookRotation(set.getRA("Orion"), set.getDecl("Orion")), 60.0);
    set.draw(Quaternion());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    saveShot("constes-orion.png");

    const Conste& orion = *set.find("Orion");
    int hits = 0, tried = 0;
    int x, y;
    for (const Vector3& mid : figureMidpoints(orion))
        if (project(mid, x, y)) {
            ++tried;
            hits += countPixels(red, x - 1, y - 1, x + 2, y + 2) > 0;
        }
    EXPECT_EQ(tried, 23); // every segment is in view
    EXPECT_GE(hits, tried - 2) << "the name may cover a segment or two";

    hits = tried = 0;
    const auto& seps = orion.getSeps();
    for (std::size_t i = 1; i < seps.size(); i += 7) {
        const Vector3 mid = (skyDirection(seps[i - 1].ra, seps[i - 1].decl) +
                             skyDirection(seps[i].ra, seps[i].decl)) *
                            0.5;
        if (project(mid, x, y)) {
            ++tried;
            hits += countPixels(green, x - 1, y - 1, x + 2, y + 2) > 0;
        }
    }
    EXPECT_GE(tried, 15);
    EXPECT_GE(hits, tried * 8 / 10);

    EXPECT_GT(countPixels(blue, 0, 0, gl.width(), gl.height()), 1000);
    ASSERT_TRUE(project(orion.getLabelPosition(), x, y));
    EXPECT_GT(countPixels(0xFFFFFF, x, y, x + 60, y + 20), 30); // "Orion", anchored bottom-left
    EXPECT_TRUE(log.messages().empty());
}

TEST_F(ConsteGLTest, NothingIsDrawnWhileHidden) {
    ConsteSet set;
    loadShipped(set);
    starSphere(Quaternion(), 90.0);
    set.draw(Quaternion());
    set.show();
    set.hide();
    set.draw(Quaternion());
    EXPECT_EQ(countPixels(1, 0, 0, gl.width(), gl.height()), 0);
    set.showLines("All");
    set.draw(Quaternion());
    EXPECT_GT(countPixels(red, 0, 0, gl.width(), gl.height()), 100);
}

TEST_F(ConsteGLTest, ArtListsAreBuiltAtStartUpWhenAskedFor) {
    orvextest::TestRoot root;
    root.setDataDir(orvextest::shareDir());
    Constes constes(&root);
    constes.load("./data/constes/");
    ConsteSet& set = constes.getConsteSet();
    ASSERT_EQ(set.size(), 88);
    ASSERT_EQ(root.interp.executeLine("Constes.BuildArtsFirst 1"), 1);
    constes.buildLists(1);
    for (int i = 0; i < set.size(); ++i) {
        EXPECT_NE(set.at(i).getArtList(), 0u) << set.at(i).getName();
        EXPECT_EQ(set.at(i).getLinesList(), 0u);
    }
    // A new font rebuilds the name lists already made, and only those.
    ASSERT_EQ(root.interp.executeLine("Constes.NameFont DejaVu_Sans 10 0"), 1);
    set.showNames("Orion");
    starSphere(constes.getLookRot("Orion"), 60.0);
    int x, y;
    ASSERT_TRUE(project(set.find("Orion")->getLabelPosition(), x, y));
    const auto labelPixels = [&] {
        glClear(GL_COLOR_BUFFER_BIT);
        constes.draw(Quaternion());
        return countPixels(1, x, y, x + 200, y + 60);
    };
    const int small = labelPixels();
    EXPECT_GT(small, 20);
    EXPECT_EQ(set.find("Lyra")->getNameList(), 0u);
    ASSERT_EQ(root.interp.executeLine("Constes.NameFont DejaVu_Sans 10 0"), 1);
    EXPECT_EQ(labelPixels(), small);
    ASSERT_EQ(root.interp.executeLine("Constes.NameFont DejaVu_Serif 30 1"), 1);
    EXPECT_GT(labelPixels(), 3 * small);
    EXPECT_EQ(set.find("Lyra")->getNameList(), 0u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST(ConsteSkyGLTest, WholeSkyWithAllFigures) {
    orvextest::GlTestContext gl(1200, 600);
    ASSERT_TRUE(gl.isValid());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    ConsteSet set;
    ASSERT_EQ(set.load(orvextest::shareDir() + "/data/constes/"), 1);
    const double grey[3] = {0.35, 0.35, 0.35}, sky[3] = {0.5, 0.7, 1.0}, name[3] = {1, 0.9, 0.5};
    set.setSepsDisp(1, grey);
    set.setLinesDisp(2, sky);
    set.setNameColor(name);
    set.setNameFont("DejaVu_Sans", 8, 0);
    set.showLines("All");
    set.showSeps("All");
    set.showNames("All");
    // Two discs seen from inside the sphere: the northern half looking up at
    // the pole (left), the southern half looking down at its pole (right).
    for (int half = 0; half < 2; ++half) {
        glViewport(half * 600, 0, 600, 600);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1.02, 1.02, -1.02, 1.02, -2, 2);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (half == 0)
            glRotated(180.0, 1, 0, 0);
        const GLdouble keep[4] = {0, 0, half == 0 ? 1.0 : -1.0, 0};
        glClipPlane(GL_CLIP_PLANE0, keep);
        glEnable(GL_CLIP_PLANE0);
        set.draw(Quaternion());
        glDisable(GL_CLIP_PLANE0);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    QImage image(gl.width(), gl.height(), QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, gl.width(), gl.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    image = image.mirrored();
    keep(image, "constes-sky.png");
    // Both halves hold figure lines.
    int lit[2] = {0, 0};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qBlue(image.pixel(x, y)) > 250 && std::abs(qRed(image.pixel(x, y)) - 128) < 8)
                ++lit[x / 600];
    EXPECT_GT(lit[0], 3000);
    EXPECT_GT(lit[1], 3000);
}
