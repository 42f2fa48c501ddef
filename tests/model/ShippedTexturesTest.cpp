// The shipped body maps: every body with a map of its own wears it, also
// after the object lists have loaded, and each texture-resolution folder
// holds every texture at its size.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "FakeModelServices.h"
#include "engine/LogMessage.h"
#include "graphics/Image.h"
#include "model/DsSatellite.h"
#include "model/Ssystem.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

namespace {

namespace fs = std::filesystem;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool shipped(const std::string& folder, const std::string& file) {
    return fs::is_regular_file(fs::path(orvextest::shareDir()) / folder / file);
}

int widthOf(const std::string& folder, const std::string& file) {
    Image image;
    const platform::CurrentDirGuard share(orvextest::shareDir());
    return image.load("./" + folder + "/" + file, 0) ? image.getWidth() : 0;
}

class ShippedTexturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.lists.dataDir = orvextest::shareDir();
        const platform::CurrentDirGuard share(orvextest::shareDir());
        ASSERT_EQ(system.readData("./data/ssystem.def"), 1);
        ASSERT_TRUE(system.loadLists("./data/defaults.ddl"));
        ASSERT_TRUE(system.loadAsteroidList("./data/asteroids.dal"));
    }

    FakeModelServices view;
    Ssystem system{nullptr, &view};
    LogCapture log;
};

} // namespace

TEST_F(ShippedTexturesTest, EveryBodyWithAShippedMapWearsIt) {
    int mapped = 0;
    int rings = 0;
    for (DsAstrBody* body : system.getAllBodies()) {
        const std::string map = lower(body->getName()) + ".jpg";
        if (shipped("textures", map)) {
            EXPECT_EQ(body->getTextureName(), map) << body->getName();
            ++mapped;
        }
        const auto* sphere = dynamic_cast<const DsSatellite*>(body);
        const std::string ring = lower(body->getName()) + "ring.png";
        if (sphere && shipped("textures", ring)) {
            EXPECT_EQ(sphere->getRingTextureName(), ring) << body->getName();
            ++rings;
        }
        // And every map a body names is there.
        const std::string named = body->getTextureName();
        if (!named.empty() && named != "None")
            EXPECT_TRUE(shipped("textures", fs::path(named).filename().string()))
                << body->getName() << ": " << named;
    }
    // The Sun, eight planets, Pluto, the Moon, 20 of the 21 other moons
    // (Hyperion has no map), Ceres and Vesta; Saturn, Uranus and Neptune
    // have rings.
    EXPECT_EQ(mapped, 33);
    EXPECT_EQ(rings, 3);
    // Ceres and Vesta once each, although the asteroid list names them too.
    EXPECT_EQ(std::count_if(system.getAllBodies().begin(), system.getAllBodies().end(),
                            [](const DsAstrBody* b) { return b->getName() == "Ceres"; }),
              1);
}

TEST(ShippedTextureFolders, EachHoldsEveryTextureAtItsSize) {
    const fs::path textures = fs::path(orvextest::shareDir()) / "textures";
    int maps = 0;
    for (const auto& entry : fs::directory_iterator(textures)) {
        const std::string file = entry.path().filename().string();
        const int mid = widthOf("textures", file);
        ASSERT_GT(mid, 0) << file;
        const int low = widthOf("texturesLow", file);
        EXPECT_GT(low, 0) << file;
        EXPECT_LE(low, 512) << file;
        EXPECT_LE(low, mid) << file;
        EXPECT_EQ(widthOf("texturesMid", file), mid) << file;
        EXPECT_GE(widthOf("texturesHigh", file), mid) << file;
        ++maps;
    }
    EXPECT_GT(maps, 40);
    EXPECT_EQ(widthOf("texturesHigh", "moon.jpg"), 4096);
    EXPECT_EQ(widthOf("texturesLow", "earth.jpg"), 512);
}
