// The meteor streaks step by step from a seeded generator.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/Random15.h"
#include "engine/Vector3.h"
#include "sky/ShootingStars.h"

namespace {

constexpr double turnStep = 0.006283185307179587;

bool sameStreak(const ShootingStars::Streak& a, const ShootingStars::Streak& b) {
    for (int k = 0; k < 3; ++k)
        if (a.head[k] != b.head[k] || a.tail[k] != b.tail[k])
            return false;
    return a.life == b.life && a.rotation == b.rotation;
}

} // namespace

TEST(ShootingStars, FirstStepSpawnsEveryStreakInTheDrawOrder) {
    ShootingStars stars;
    stars.setSeed(42);
    stars.advance();

    // The same seed replayed through the respawn formulas: θ, then the two
    // angles of the random rotation, the head's height, the length, the life.
    Random15 random(42);
    for (int i = 0; i < 8; ++i) {
        const ShootingStars::Streak& s = stars.getStreak(i);
        const double theta = (random.next() % 1000) * turnStep;
        const double alpha = (random.next() % 1000) * turnStep;
        const double beta = (random.next() % 1000) * turnStep;
        const double headZ = (random.next() % 1000) * 10.0 * 0.001;
        const double length = (random.next() % 1000) * 10.0 * 0.0001;
        const double life = (random.next() % 8) + 8;
        EXPECT_DOUBLE_EQ(s.head[0], std::cos(theta)) << i;
        EXPECT_DOUBLE_EQ(s.head[1], std::sin(theta)) << i;
        EXPECT_DOUBLE_EQ(s.head[2], headZ) << i;
        EXPECT_DOUBLE_EQ(s.tail[0], s.head[0]) << i;
        EXPECT_DOUBLE_EQ(s.tail[2], headZ - length) << i;
        EXPECT_EQ(s.life, life) << i;
        EXPECT_TRUE(s.rotation == Quaternion(alpha, beta, 0.0)) << i;
    }
    // Streaks beyond the count are untouched.
    EXPECT_EQ(stars.getStreak(8).life, 0.0);
}

TEST(ShootingStars, StreaksFallAndRespawnWhenTheirLifeRunsOut) {
    ShootingStars stars;
    stars.setSeed(7);
    stars.setCount(3);
    stars.advance();
    for (int i = 0; i < 3; ++i) {
        const ShootingStars::Streak born = stars.getStreak(i);
        EXPECT_GE(born.life, 8.0);
        EXPECT_LE(born.life, 15.0);
        EXPECT_GE(born.head[2], 0.0);
        EXPECT_LE(born.head[2], 9.99);
        EXPECT_LE(born.head[2] - born.tail[2], 0.9990001);
        EXPECT_GE(born.head[2] - born.tail[2], 0.0);
    }
    ShootingStars::Streak before[3] = {stars.getStreak(0), stars.getStreak(1), stars.getStreak(2)};
    int respawned[3] = {0, 0, 0};
    for (int step = 1; step <= 16; ++step) {
        stars.advance();
        for (int i = 0; i < 3; ++i) {
            const ShootingStars::Streak& s = stars.getStreak(i);
            if (respawned[i])
                continue;
            if (step <= before[i].life) {
                // Life from L down to 0 keeps the streak: it falls 0.3 a step.
                EXPECT_NEAR(s.head[2], before[i].head[2] - 0.3 * step, 1e-9) << i;
                EXPECT_NEAR(s.tail[2], before[i].tail[2] - 0.3 * step, 1e-9) << i;
                EXPECT_EQ(s.life, before[i].life - step) << i;
            } else {
                // Below 0 it is born again at once.
                EXPECT_EQ(step, before[i].life + 1) << i;
                EXPECT_GE(s.life, 8.0);
                respawned[i] = step;
            }
        }
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(respawned[i], before[i].life + 1) << i;
}

TEST(ShootingStars, EqualSeedsGiveEqualShowers) {
    ShootingStars a;
    ShootingStars b;
    a.setSeed(2024);
    b.setSeed(2024);
    for (int step = 0; step < 50; ++step) {
        a.advance();
        b.advance();
    }
    for (int i = 0; i < ShootingStars::TableSize; ++i)
        EXPECT_TRUE(sameStreak(a.getStreak(i), b.getStreak(i))) << i;
    ShootingStars c;
    c.setSeed(2025);
    for (int step = 0; step < 50; ++step)
        c.advance();
    EXPECT_FALSE(sameStreak(a.getStreak(0), c.getStreak(0)));
}

TEST(ShootingStars, CountIsBoundedByTheTables) {
    ShootingStars stars;
    stars.setSeed(1);
    for (int count : {0, -5}) {
        stars.setCount(count);
        stars.advance();
        EXPECT_EQ(stars.getDrawnCount(), 0);
    }
    EXPECT_EQ(stars.getStreak(0).life, 0.0);

    stars.setCount(100000);
    EXPECT_EQ(stars.getCount(), 100000);
    EXPECT_EQ(stars.getDrawnCount(), 64);
    stars.advance();
    EXPECT_GE(stars.getStreak(63).life, 8.0);

    // Streaks beyond a smaller count keep their state until it grows again.
    stars.setCount(1);
    const ShootingStars::Streak kept = stars.getStreak(5);
    stars.advance();
    EXPECT_TRUE(sameStreak(stars.getStreak(5), kept));
    stars.setCount(6);
    stars.advance();
    EXPECT_NEAR(stars.getStreak(5).head[2], kept.head[2] - 0.3, 1e-12);
}

TEST(ShootingStars, FromTheRadiantEveryStreakRunsAlongItsAxis) {
    // With the radiant at right ascension 0 on the equator, the streaks lie
    // on the unit cylinder around (1, 0, 0) and run parallel to it.
    ShootingStars stars;
    stars.setSeed(3);
    stars.setRandom(0);
    stars.setCenter(0.0, 0.0);
    const Quaternion& q = stars.getRadiantRotation();
    for (int step = 0; step < 40; ++step) {
        stars.advance();
        for (int i = 0; i < 8; ++i) {
            const ShootingStars::Streak& s = stars.getStreak(i);
            const Vector3 head = q.rotateVector(Vector3(s.head[0], s.head[1], s.head[2]));
            const Vector3 tail = q.rotateVector(Vector3(s.tail[0], s.tail[1], s.tail[2]));
            EXPECT_NEAR(head.y * head.y + head.z * head.z, 1.0, 1e-9);
            EXPECT_NEAR(head.y, tail.y, 1e-9);
            EXPECT_NEAR(head.z, tail.z, 1e-9);
            EXPECT_GE(head.x, tail.x);               // falling away from the radiant
            EXPECT_TRUE(s.rotation == Quaternion()); // no random turns drawn
        }
    }
}
