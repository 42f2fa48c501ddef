// Files written whole or not at all: full disks, kills in the middle of a
// save, temporaries left behind, links and permissions.
#include "platform/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/ChildProcess.h"
#include "support/TestEnv.h"

using orvextest::TempDir;
namespace fs = std::filesystem;

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every name in dir but the given one.
std::vector<std::string> othersIn(const std::string& dir, const std::string& name) {
    std::vector<std::string> others;
    for (const auto& entry : fs::directory_iterator(dir))
        if (entry.path().filename() != name)
            others.push_back(entry.path().filename().string());
    return others;
}

} // namespace

TEST(AtomicFileTest, ReplacesTheFileAndLeavesNothingBeside) {
    TempDir dir;
    const std::string path = dir.file("options.scn");
    ASSERT_TRUE(platform::writeFileAtomically(path, "old\n"));
    ::chmod(path.c_str(), 0640);
    std::string error;
    ASSERT_TRUE(platform::writeFileAtomically(path, "new\n", &error)) << error;
    EXPECT_EQ(readFile(path), "new\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u); // the file keeps its permissions
    EXPECT_TRUE(othersIn(dir.path(), "options.scn").empty());

    // A link stays a link; its target gets the text.
    fs::create_symlink("options.scn", dir.file("link.scn"));
    ASSERT_TRUE(platform::writeFileAtomically(dir.file("link.scn"), "linked\n"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.scn")));
    EXPECT_EQ(readFile(path), "linked\n");

    // Written relative to the current directory, as the engine's files are.
    platform::AtomicFile none(dir.file("no/such/dir/x.scn"));
    EXPECT_FALSE(none.open());
    EXPECT_NE(none.error().find("No such file"), std::string::npos) << none.error();
    EXPECT_FALSE(platform::writeFileAtomically(dir.path(), "x", &error));
    EXPECT_FALSE(error.empty());
}

TEST(AtomicFileTest, AFullDiskKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("list.dcl");
    ASSERT_TRUE(platform::writeFileAtomically(path, "Version: 1.0 \nLocale: C \n\nHalley \n"));
    const std::string big(100000, 'x');
    // The buffered text fails only when it is flushed: commit must see that.
    EXPECT_EQ(orvextest::runInChild(
                  [&] {
                      platform::AtomicFile file(path);
                      if (!file.open())
                          return 2;
                      std::fwrite(big.data(), 1, big.size(), file.stream());
                      return file.commit() ? 0 : 1;
                  },
                  4096),
              1);
    EXPECT_EQ(orvextest::runInChild(
                  [&] { return platform::writeFileAtomically(path, big) ? 0 : 1; }, 4096),
              1);
    EXPECT_EQ(readFile(path), "Version: 1.0 \nLocale: C \n\nHalley \n");
    EXPECT_TRUE(othersIn(dir.path(), "list.dcl").empty());
}

TEST(AtomicFileTest, AKilledSaveLeavesTheOldOrTheNewFile) {
    TempDir dir;
    const std::string path = dir.file("states.scn");
    const std::string first(300000, 'a');
    const std::string second = std::string(200000, 'b') + "\n";
    ASSERT_TRUE(platform::writeFileAtomically(path, first));
    std::mt19937 random(30);
    std::uniform_int_distribution<int> delayUs(0, 20000);
    for (int kill = 0; kill < 30; ++kill) {
        orvextest::killChildAfter(
            [&] {
                for (int i = 0;; ++i)
                    platform::writeFileAtomically(path, i % 2 ? first : second);
            },
            std::chrono::microseconds(delayUs(random)));
        const std::string now = readFile(path);
        ASSERT_TRUE(now == first || now == second) << "kill " << kill << ": " << now.size();
    }
    // The next save removes what the killed writers left behind.
    ASSERT_TRUE(platform::writeFileAtomically(path, "done\n"));
    EXPECT_EQ(readFile(path), "done\n");
    EXPECT_TRUE(othersIn(dir.path(), "states.scn").empty());
}

TEST(AtomicFileTest, KeepsTheTemporariesOfRunningWritersAndOtherFiles) {
    TempDir dir;
    const std::string path = dir.file("a.scn");
    // A writer that runs (this process's parent) and one that cannot (pid
    // numbers stop well below 99999999).
    const std::string running = dir.file("a.scn." + std::to_string(::getppid()) + "-abcdef.tmp");
    const std::string dead = dir.file("a.scn.99999999-abcdef.tmp");
    for (const std::string& name :
         {running, dead, dir.file("a.scn.bak"), dir.file("b.scn.99999999-abcdef.tmp")})
        std::ofstream(name) << "x";
    ASSERT_TRUE(platform::writeFileAtomically(path, "text"));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(dir.file("a.scn.bak")));
    EXPECT_TRUE(fs::exists(dir.file("b.scn.99999999-abcdef.tmp")));

    EXPECT_TRUE(platform::isAtomicTemporary("visual.tle.1234-aB3xYz.tmp"));
    for (const char* name : {"visual.tle", "a.scn.bak", ".1234-abcdef.tmp", "x.1234-abcde.tmp",
                             "x.12a4-abcdef.tmp", "x.1234_abcdef.tmp", "x.-abcdef.tmp"})
        EXPECT_FALSE(platform::isAtomicTemporary(name)) << name;
}
