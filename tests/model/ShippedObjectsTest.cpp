// The shipped artificial satellites and spacecraft: every element set reads,
// the default lists load, and the spacecraft flies from the Earth to Mars.
#include <cmath>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "model/DsASatellite.h"
#include "model/DsSpacecraft.h"
#include "model/OrbitMath.h"
#include "model/Ssystem.h"
#include "model/TwoLineElements.h"
#include "platform/CurrentDirGuard.h"
#include "platform/DirectoryListing.h"
#include "support/TestEnv.h"

namespace {

class ShareServices : public FakeModelServices {
public:
    ListSettings getListSettings() const override {
        ListSettings settings;
        settings.dataDir = orvextest::shareDir();
        return settings;
    }
};

class ShippedObjectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::CurrentDirGuard share(orvextest::shareDir());
        ASSERT_EQ(system.readData("./data/ssystem.def"), 1);
        system.setScale(1); // real distances
    }
    static double timeOfJd(double jd) { return (jd - kJdUnixEpoch) * 86400.0; }

    ShareServices view;
    Ssystem system{nullptr, &view};
    LogCapture log;
};

} // namespace

TEST_F(ShippedObjectsTest, EveryElementSetReadsOnce) {
    const std::string dir = orvextest::shareDir() + "/data/orbits/asatellites/";
    std::set<std::string> names;
    int sets = 0;
    for (const std::string& entry : platform::listFiles(dir, "*.tle")) {
        std::ifstream in(dir + entry);
        std::string title, line1, line2;
        while (std::getline(in, title)) {
            if (title.empty() || title[0] == '#')
                continue;
            ASSERT_TRUE(isSatelliteTitle(title)) << title;
            ASSERT_TRUE(std::getline(in, line1) && std::getline(in, line2)) << title;
            TwoLineElements set;
            ASSERT_TRUE(parseTwoLineElements(line1, line2, set)) << title;
            EXPECT_GT(set.meanMotion, 0.0) << title;
            EXPECT_LT(set.eccentricity, 1.0) << title;
            EXPECT_NEAR(set.epochJd, 2458139.0, 30.0) << title; // January 2018
            normalizeSatelliteName(title);
            EXPECT_TRUE(names.insert(title).second) << "twice: " << title;
            ++sets;
        }
    }
    EXPECT_EQ(sets, 979);
}

TEST_F(ShippedObjectsTest, TheDefaultSatellitesCircleTheEarth) {
    ASSERT_TRUE(system.loadASatelliteList(view.getListSettings().aSatelliteList));
    EXPECT_EQ(system.getFileRecords(DsAstrBody::ASatellite).size(), 979u);
    int count = 0;
    for (const DsAstrBody* body : system.getAllBodies()) {
        const auto* satellite = dynamic_cast<const DsASatellite*>(body);
        if (!satellite)
            continue;
        ++count;
        EXPECT_EQ(satellite->getParent(), system.findBody("Earth"));
        const_cast<DsASatellite*>(satellite)->updatePosition(timeOfJd(2458140.0));
        const double km = satellite->getPosition().length() * kKmPerAu;
        EXPECT_GT(km, 6600.0) << satellite->getName();
        EXPECT_LT(km, 160000.0) << satellite->getName(); // Chandra reaches 140,000 km
    }
    EXPECT_EQ(count, 12);
    EXPECT_TRUE(system.findBody("ISS_(ZARYA)"));
    EXPECT_TRUE(system.findBody("HST"));
    EXPECT_FALSE(log.contains("error")) << log.messages().front();
}

TEST_F(ShippedObjectsTest, CuriosityFliesFromTheEarthToMars) {
    ASSERT_TRUE(system.loadSpacecraftList(view.getListSettings().spacecraftList));
    auto* craft = dynamic_cast<DsSpacecraft*>(system.findBody("Curiosity"));
    ASSERT_TRUE(craft);
    ASSERT_TRUE(craft->getModel());
    EXPECT_GT(craft->getModel()->getModel()->numtriangles(), 100);
    EXPECT_EQ(craft->getPointCount(), 1016);
    EXPECT_TRUE(log.messages().empty()) << log.messages().front();

    DsAstrBody* earth = system.findBody("Earth");
    DsAstrBody* mars = system.findBody("Mars");
    for (const auto& [jd, target] :
         {std::pair{craft->getFirstTime(), earth}, std::pair{craft->getLastTime(), mars}}) {
        system.update(timeOfJd(jd));
        EXPECT_EQ(craft->isActive(), 1);
        // The planets' mean elements and the trajectory's planet theory agree
        // to well within a thousandth of an AU.
        EXPECT_LT((craft->getTrans() - target->getTrans()).length(), 0.001) << target->getName();
    }
    system.update(timeOfJd(craft->getLastTime() + 1.0));
    EXPECT_EQ(craft->isActive(), 0);
}
