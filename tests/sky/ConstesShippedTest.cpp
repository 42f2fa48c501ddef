// The shipped constellations (share/data/constes), read by the program's own
// readers: all 88, their boundaries covering the sky, Orion's figure and the
// art drawings placed near their constellations.
#include <cmath>
#include <set>

#include <gtest/gtest.h>

#include "engine/LogMessage.h"
#include "sky/Conste.h"
#include "sky/ConsteArt.h"
#include "sky/ConsteSet.h"
#include "sky/SkyPosition.h"
#include "support/TestEnv.h"

namespace {

class ShippedConstesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        LogCapture capture;
        set = new ConsteSet;
        loaded = set->load(orvextest::shareDir() + "/data/constes/");
        messages = capture.messages();
    }
    static void TearDownTestSuite() {
        delete set;
        set = nullptr;
    }

    static ConsteSet* set;
    static int loaded;
    static std::vector<std::string> messages;
};

ConsteSet* ShippedConstesTest::set = nullptr;
int ShippedConstesTest::loaded = 0;
std::vector<std::string> ShippedConstesTest::messages;

double angleDeg(const Vector3& a, const Vector3& b) {
    const double c = a.dot(b) / (a.length() * b.length());
    return std::acos(std::fmin(1.0, std::fmax(-1.0, c))) * 57.29577951308232;
}

} // namespace

TEST_F(ShippedConstesTest, AllEightyEightLoadWithoutAComplaint) {
    ASSERT_EQ(loaded, 1);
    EXPECT_TRUE(messages.empty()) << messages.front();
    ASSERT_EQ(set->size(), 88);
    std::set<std::string> names;
    for (int i = 0; i < set->size(); ++i) {
        const Conste& c = set->at(i);
        names.insert(c.getName());
        EXPECT_EQ(c.getCategory(), "Default") << c.getName();
        EXPECT_EQ(c.getName().find(' '), std::string::npos);
        EXPECT_GT(c.getFigureStarCount(), 1) << c.getName();
        EXPECT_GE(c.getSeps().size(), 6u) << c.getName();
        // The figure stars lie on the unit sphere, so the label does too.
        EXPECT_NEAR(c.getLabelPosition().length(), 1.0, 1e-5) << c.getName();
    }
    EXPECT_EQ(names.size(), 88u);
    set->setCategory("All");
    EXPECT_EQ(set->getNameList().substr(0, 18), "Andromeda Antlia A");
    set->setCategory("Default");
}

TEST_F(ShippedConstesTest, AreasCoverTheWholeSky) {
    double total = 0.0;
    for (int i = 0; i < set->size(); ++i)
        total += set->at(i).getArea();
    // 4π steradians in square degrees.
    EXPECT_NEAR(total, 41252.96, 0.05);
    const Conste* hydra = set->find("Hydra");
    ASSERT_NE(hydra, nullptr);
    EXPECT_NEAR(hydra->getArea(), 1302.845, 0.01); // the largest (IAU: 1303 sq deg)
}

TEST_F(ShippedConstesTest, OrionsFigureRunsThroughItsStars) {
    const Conste* orion = set->find("Orion");
    ASSERT_NE(orion, nullptr);
    EXPECT_EQ(orion->getFigureStarCount(), 31); // 20 stars in 8 strips
    int breaks = 0;
    for (const auto& s : orion->getStrokes())
        breaks += s ? 0 : 1;
    EXPECT_EQ(breaks, 7);
    EXPECT_NEAR(orion->getRA(), 85.0, 1e-9);
    EXPECT_NEAR(orion->getDecl(), 3.0, 1e-9);
    EXPECT_NEAR(orion->getArea(), 594.119, 1e-3);
    // Betelgeuse (J2000 05h 55m 10.31s, +07° 24' 25.4") and Rigel
    // (05h 14m 32.27s, -08° 12' 05.9") are figure stars.
    const Vector3 stars[] = {skyDirection(88.792958, 7.407064), skyDirection(78.634467, -8.201638)};
    for (const Vector3& star : stars) {
        double nearest = 180.0;
        for (const auto& s : orion->getStrokes())
            if (s)
                nearest = std::fmin(nearest, angleDeg(*s, star));
        EXPECT_LT(nearest, 0.01);
    }
    // The boundary encloses the label place: it runs round it, in RA
    // 70.9 to 96.4 degrees and Dec -11 to 23.
    for (const Conste::SepPoint& p : orion->getSeps()) {
        EXPECT_GE(p.ra, 70.0);
        EXPECT_LE(p.ra, 96.5);
        EXPECT_GE(p.decl, -11.1);
        EXPECT_LE(p.decl, 23.0);
    }
}

TEST_F(ShippedConstesTest, EveryDrawingReadsAndLiesOverItsConstellation) {
    int withArt = 0;
    LogCapture log;
    for (int i = 0; i < set->size(); ++i) {
        const Conste& c = set->at(i);
        if (c.getArtName().empty())
            continue;
        ++withArt;
        const ConsteArt art = c.readArt();
        ASSERT_EQ(art.blocks.size(), 1u) << c.getArtName();
        const ArtPlacement& p = art.blocks[0].placement;
        ASSERT_TRUE(p.placed);
        EXPECT_NEAR(p.translation.length(), 1.0, 1e-6);
        EXPECT_GT(art.pointCount(), 20) << c.getName();
        // The drawing's centre lies near the constellation's centre, and
        // every point on the plane touching the sphere there.
        EXPECT_LT(angleDeg(p.translation, skyDirection(c.getRA(), c.getDecl())), 20.0)
            << c.getName();
        for (const auto& strip : art.blocks[0].strips)
            for (const ArtPoint& point : strip) {
                const Vector3 v = p.place(point);
                ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
                EXPECT_NEAR(v.dot(p.translation), 1.0, 1e-4);
            }
    }
    EXPECT_EQ(withArt, 85);
    EXPECT_TRUE(log.messages().empty());
    // Puppis, Serpens and Vela have no drawing of their own.
    for (const char* name : {"Puppis", "Serpens", "Vela"})
        EXPECT_EQ(set->find(name)->getArtName(), "") << name;
}
