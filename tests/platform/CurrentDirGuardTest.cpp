#include <gtest/gtest.h>

#include <filesystem>

#include "engine/LogMessage.h"
#include "platform/CurrentDirGuard.h"
#include "support/TestEnv.h"

TEST(CurrentDirGuard, ChangesForTheScopeAndBack) {
    orvextest::TempDir dir;
    std::filesystem::create_directory(dir.file("scenarios"));
    const std::string start = platform::currentDirectory();
    const std::string target = std::filesystem::canonical(dir.path()).string();
    {
        platform::CurrentDirGuard guard(target);
        EXPECT_TRUE(guard.ok());
        EXPECT_EQ(guard.previous(), start);
        EXPECT_EQ(platform::currentDirectory(), target);
        // A second change inside the scope still returns to the start.
        EXPECT_TRUE(guard.change("scenarios"));
        EXPECT_EQ(platform::currentDirectory(), target + "/scenarios");
        EXPECT_FALSE(guard.change("no-such-dir"));
        EXPECT_FALSE(guard.ok());
        EXPECT_EQ(platform::currentDirectory(), target + "/scenarios");
    }
    EXPECT_EQ(platform::currentDirectory(), start);
}

TEST(CurrentDirGuard, LongPathsAndMissingTargets) {
    orvextest::TempDir dir;
    // Deeper than the 256 bytes fixed buffers used to hold.
    std::string deep = std::filesystem::canonical(dir.path()).string();
    for (int i = 0; i < 12; ++i)
        deep += "/" + std::string(40, char('a' + i));
    std::filesystem::create_directories(deep);
    const std::string start = platform::currentDirectory();
    {
        platform::CurrentDirGuard into(deep);
        ASSERT_TRUE(into.ok());
        platform::CurrentDirGuard nested(start);
        EXPECT_EQ(nested.previous(), deep);
    }
    EXPECT_EQ(platform::currentDirectory(), start);

    platform::CurrentDirGuard missing(dir.file("missing"));
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(platform::currentDirectory(), start);
}
