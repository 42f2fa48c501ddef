#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "engine/LogMessage.h"
#include "graphics/Texture.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"
#include "view/ParticleSystem.h"

namespace {

class ParticleSystemTest : public ::testing::Test {
protected:
    // Writes a define file into the scratch directory and loads it.
    int loadText(const std::string& text) {
        const std::string path = dir.file("effect.dfx");
        std::ofstream(path) << text;
        return system.load(path);
    }

    LogCapture log;
    orvextest::TempDir dir;
    ParticleSystem system;
};

bool finite(const Particle& p) {
    for (float v : {p.position[0], p.position[1], p.position[2], p.velocity[0], p.velocity[1],
                    p.velocity[2], p.size, p.alpha, p.life})
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

TEST_F(ParticleSystemTest, ReadsEveryKeywordAndSkipsOtherTokens) {
    ASSERT_EQ(loadText("NumMaxParticles: 50 EmitterType: Area Center: 1 2 3 Alpha: 0.5\n"
                       "StartFrame: 4 ParticlesPerSec: 120 ViewRange: 9 Velocity: 0 -1 0\n"
                       "stray words Comment: 7 Size: 0.2 0.4 RandomSize: 0.1 Speed: 3\n"
                       "RandomSpeed: 0.5 Color: 1 1 1 0.8 0.5 0.5 0.5 0 RandomColor: 0 0 0 0.1\n"
                       "Life: 2 RandomLife: 0.5 Gravity: 0 -9.8 0 Radius: 0.5 4 SpotAngle: 30\n"
                       "Area: 5 6 7 Speed: 4\n"),
              1);
    EXPECT_EQ(system.getParticleCount(), 50);
    EXPECT_EQ(system.getEmitterType(), ParticleSystem::Area);
    EXPECT_FLOAT_EQ(system.getCenter()[2], 3.0f);
    EXPECT_FLOAT_EQ(system.getAlpha(), 0.5f);
    EXPECT_EQ(system.getStartFrame(), 4);
    EXPECT_EQ(system.getParticlesPerSec(), 120);
    EXPECT_FLOAT_EQ(system.getViewRange(), 9.0f);
    EXPECT_FLOAT_EQ(system.getVelocity()[1], -1.0f);
    EXPECT_FLOAT_EQ(system.getSizeEnd(), 0.4f);
    EXPECT_FLOAT_EQ(system.getRandomSize(), 0.1f);
    EXPECT_FLOAT_EQ(system.getSpeed(), 4.0f); // the last one wins
    EXPECT_FLOAT_EQ(system.getRandomSpeed(), 0.5f);
    EXPECT_FLOAT_EQ(system.getStartColor()[3], 0.8f);
    EXPECT_FLOAT_EQ(system.getEndColor()[0], 0.5f);
    EXPECT_FLOAT_EQ(system.getRandomColor()[3], 0.1f);
    EXPECT_FLOAT_EQ(system.getLife(), 2.0f);
    EXPECT_FLOAT_EQ(system.getRandomLife(), 0.5f);
    EXPECT_FLOAT_EQ(system.getGravity()[1], -9.8f);
    EXPECT_FLOAT_EQ(system.getRadiusInner(), 0.5f);
    EXPECT_FLOAT_EQ(system.getRadiusOuter(), 4.0f);
    EXPECT_FLOAT_EQ(system.getSpotAngle(), 30.0f);
    EXPECT_FLOAT_EQ(system.getArea()[1], 6.0f);
    EXPECT_EQ(system.getFileName(), dir.file("effect.dfx"));
    EXPECT_TRUE(log.messages().empty());

    // Lower case is no emitter word; values missing at the end keep the field.
    loadText("EmitterType: ball NumMaxParticles: -5 Gravity: 1");
    EXPECT_EQ(system.getEmitterType(), ParticleSystem::Area);
    EXPECT_EQ(system.getParticleCount(), 50);
    EXPECT_FLOAT_EQ(system.getGravity()[0], 1.0f);
    EXPECT_FLOAT_EQ(system.getGravity()[1], -9.8f);
}

TEST_F(ParticleSystemTest, CapsWhatAFileMayAskFor) {
    loadText("NumMaxParticles: 5000000 StartFrame: 999999");
    EXPECT_EQ(system.getParticleCount(), ParticleSystem::maxParticles);
    EXPECT_EQ(system.getStartFrame(), ParticleSystem::maxStartFrame);
    EXPECT_TRUE(log.contains("Particle count 5000000"));
    EXPECT_TRUE(log.contains("start frame 999999"));
}

TEST_F(ParticleSystemTest, NoneEmptiesQuietlyAndAMissingFileOnceLoudly) {
    loadText("NumMaxParticles: 10 Life: 3");
    EXPECT_EQ(system.load("None"), 0);
    EXPECT_EQ(system.load(""), 0);
    EXPECT_TRUE(log.messages().empty());
    EXPECT_EQ(system.getParticleCount(), 0);
    EXPECT_EQ(system.getFileName(), "None");
    EXPECT_EQ(system.load(dir.file("missing.dfx")), 0);
    ASSERT_EQ(log.messages().size(), 1u);
    EXPECT_TRUE(log.contains("missing.dfx. No such file or directory."));
    EXPECT_FLOAT_EQ(system.getLife(), 3.0f); // the rest stays
    EXPECT_EQ(system.update(), 1);           // and an empty system runs
}

TEST_F(ParticleSystemTest, EmissionRateAndWarmUp) {
    loadText("NumMaxParticles: 1000 ParticlesPerSec: 60 Life: 100");
    for (int i = 1; i <= 5; ++i) {
        system.update();
        EXPECT_EQ(system.countAlive(), i);
    }
    loadText("NumMaxParticles: 1000 ParticlesPerSec: 30 Life: 100");
    system.update();
    EXPECT_EQ(system.countAlive(), 0);
    system.update();
    EXPECT_EQ(system.countAlive(), 1);
    system.update();
    EXPECT_EQ(system.countAlive(), 1);

    loadText("NumMaxParticles: 1000 ParticlesPerSec: 60 StartFrame: 100 Life: 100");
    system.update();
    EXPECT_EQ(system.getFrameCounter(), 100);
    EXPECT_EQ(system.countAlive(), 100);
    system.update();
    EXPECT_EQ(system.getFrameCounter(), 101);
}

TEST_F(ParticleSystemTest, AccumulatorStaysBoundedWhileEveryParticleLives) {
    loadText("NumMaxParticles: 4 ParticlesPerSec: 600 Life: 0.5");
    for (int i = 0; i < 25; ++i) {
        system.update();
        EXPECT_LE(system.getAccumulator(), 4.0f);
    }
    EXPECT_EQ(system.countAlive(), 4);
    // Life 0.5 s is 30 steps: all four die in the same pass and are replaced
    // in it, up to all dead records at once.
    for (int i = 0; i < 10; ++i)
        system.update();
    EXPECT_EQ(system.countAlive(), 4);
    EXPECT_LE(system.getAccumulator(), 4.0f);
}

TEST_F(ParticleSystemTest, LifeAndSizeStayInTheirBounds) {
    loadText("NumMaxParticles: 200 ParticlesPerSec: 12000 Life: 0 Size: 0 1 RandomSize: 0.05");
    system.update();
    for (const Particle& p : system.getParticles()) {
        if (!p.isAlive())
            continue;
        EXPECT_FLOAT_EQ(p.life, 0.01f);
        EXPECT_GE(p.size, 0.1f);
    }
    loadText("Life: 1000 RandomLife: 1e38 Size: 500 0 RandomSize: 1e38");
    system.update();
    for (const Particle& p : system.getParticles())
        if (p.isAlive()) {
            EXPECT_LE(p.life, 20.0f);
            EXPECT_GE(p.life, 0.01f);
            EXPECT_LE(p.size, 100.0f);
            EXPECT_TRUE(finite(p));
        }
}

TEST_F(ParticleSystemTest, AlphaOverLifeOrByDistance) {
    loadText("NumMaxParticles: 1 ParticlesPerSec: 60 Life: 1 Color: 1 1 1 1 1 1 1 0 "
             "EmitterType: Area Area: 0 0 0 Center: 0 0 0");
    system.update(); // born with alpha value 1
    for (int i = 0; i < 30; ++i)
        system.update();
    EXPECT_NEAR(system.getParticles()[0].alpha, 0.5f, 0.02f);

    // With a view range the alpha depends on the distance from the origin only.
    loadText("ViewRange: 10 Center: 0 0 0 Color: 0.2 0.2 0.2 0.2 1 1 1 1");
    system.update();
    system.update();
    EXPECT_FLOAT_EQ(system.getParticles()[0].alpha, 1.0f);
    loadText("Center: 20 0 0");
    system.update();
    system.update();
    EXPECT_FLOAT_EQ(system.getParticles()[0].alpha, 0.2f);
}

TEST_F(ParticleSystemTest, BallEmitterShellAndSeededSequences) {
    const std::string ball = "NumMaxParticles: 300 ParticlesPerSec: 18000 Life: 5 Speed: 6 "
                             "Radius: 2 3 SpotAngle: 90 Center: 1 1 1";
    loadText(ball);
    system.setSeed(11);
    system.update();
    ASSERT_EQ(system.countAlive(), 300);
    ParticleSystem twin;
    twin.setSeed(11);
    ASSERT_EQ(twin.load(dir.file("effect.dfx")), 1);
    twin.update();
    for (int i = 0; i < 300; ++i) {
        const Particle& p = system.getParticles()[size_t(i)];
        const Particle& q = twin.getParticles()[size_t(i)];
        EXPECT_EQ(p.position[0], q.position[0]);
        EXPECT_EQ(p.velocity[2], q.velocity[2]);
        // Born on the shell, moved one step outwards along the same direction.
        const double r =
            std::sqrt(std::pow(p.position[0] - 1.0, 2) + std::pow(p.position[1] - 1.0, 2) +
                      std::pow(p.position[2] - 1.0, 2));
        EXPECT_GE(r, 2.0 - 1e-4);
        EXPECT_LE(r, 3.0 + 6.0 / 3600.0 + 1e-4);
        // The speed is Speed times the step.
        const double v = std::sqrt(p.velocity[0] * p.velocity[0] + p.velocity[1] * p.velocity[1] +
                                   p.velocity[2] * p.velocity[2]);
        EXPECT_NEAR(v, 6.0 / 60.0, 1e-5);
    }
}

TEST_F(ParticleSystemTest, FacingAreaTowardsTheViewerHasAValidTurn) {
    loadText("NumMaxParticles: 10 ParticlesPerSec: 600 EmitterType: FacingArea Life: 5 "
             "Velocity: 0 0 -2 Gravity: 0 -1 0 Area: 1 1 0");
    // N = A x B = (0, 0, 1) is opposite to the emitter's own -z.
    system.setViewAxes(Vector3(1, 0, 0), Vector3(0, 1, 0));
    system.update();
    EXPECT_NEAR(system.getRotatedVelocity().z, 2.0, 1e-12);
    EXPECT_NEAR(system.getRotatedVelocity().length(), 2.0, 1e-12);
    EXPECT_NEAR(system.getRotatedGravity().length(), 1.0, 1e-12);
    for (const Particle& p : system.getParticles())
        EXPECT_TRUE(finite(p));
    // Looking along +x: N = (0, 1, 0) x (0, 0, 1) = (1, 0, 0); velocity along N.
    system.setViewAxes(Vector3(0, 1, 0), Vector3(0, 0, 1));
    system.update();
    EXPECT_NEAR(system.getRotatedVelocity().x, 2.0, 1e-12);
}

TEST_F(ParticleSystemTest, ANewTextureReplacesTheOldOne) {
    const std::string image = orvextest::dataPath("images/pil-rgb.png");
    loadText("Texture: " + image);
    const Texture* first = system.getTexture();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->isLoaded(), 1);
    loadText("Texture: " + orvextest::dataPath("images/pil-rgba.png"));
    EXPECT_NE(system.getTexture(), nullptr);
    EXPECT_EQ(system.getTexture()->getName(), orvextest::dataPath("images/pil-rgba.png"));
    // A file without a texture keeps the last one.
    loadText("Life: 1");
    EXPECT_EQ(system.getTexture()->getName(), orvextest::dataPath("images/pil-rgba.png"));
}

TEST(ShippedEffects, LoadWarmUpAndStayFinite) {
    platform::CurrentDirGuard inData(orvextest::shareDir());
    for (const char* name : {"rain", "snow", "fog", "atmosphere", "thinatmosphere"}) {
        LogCapture log;
        ParticleSystem system;
        system.setViewAxes(Vector3(1, 0, 0), Vector3(0, -1, 0));
        ASSERT_EQ(system.load(std::string("./effects/") + name + ".dfx"), 1) << name;
        ASSERT_NE(system.getTexture(), nullptr) << name;
        EXPECT_EQ(system.getTexture()->isLoaded(), 1) << name;
        for (int i = 0; i < 120; ++i)
            system.update();
        EXPECT_GT(system.countAlive(), 10) << name;
        for (const Particle& p : system.getParticles()) {
            if (p.isAlive()) {
                ASSERT_TRUE(finite(p)) << name;
            }
        }
        EXPECT_TRUE(log.messages().empty()) << name;
    }
}

// The camera loads a body's atmosphere word as a particle define file, with
// the data directory as the working directory.
TEST(ShippedEffects, EveryAtmosphereOfTheBodyDataIsAnEffect) {
    platform::CurrentDirGuard inData(orvextest::shareDir());
    std::ifstream data("./data/ssystem.def");
    ASSERT_TRUE(data.good());
    int atmospheres = 0;
    std::string token;
    while (data >> token) {
        if (token != "Atmosphere:" || !(data >> token))
            continue;
        ++atmospheres;
        LogCapture log;
        ParticleSystem system;
        ASSERT_EQ(system.load(token), 1) << token;
        ASSERT_NE(system.getTexture(), nullptr) << token;
        EXPECT_EQ(system.getTexture()->isLoaded(), 1) << token;
        for (int i = 0; i < 120; ++i)
            system.update();
        EXPECT_GT(system.countAlive(), 10) << token;
        EXPECT_TRUE(log.messages().empty()) << token;
    }
    EXPECT_EQ(atmospheres, 2); // the Earth and Mars
}
