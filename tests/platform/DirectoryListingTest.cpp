#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/CurrentDirGuard.h"
#include "platform/DirectoryListing.h"
#include "support/TestEnv.h"

TEST(DirectoryListing, RegularFilesSortedByName) {
    orvextest::TempDir dir;
    for (const char* name : {"halley.dat", "Encke.dat", "b.txt", "noext", ".hidden.dat"})
        std::ofstream(dir.file(name)) << "x";
    std::filesystem::create_directory(dir.file("sub.dat"));
    std::filesystem::create_symlink(dir.file("b.txt"), dir.file("link.dat"));

    using List = std::vector<std::string>;
    EXPECT_EQ(platform::listFiles(dir.path()),
              (List{".hidden.dat", "Encke.dat", "b.txt", "halley.dat", "link.dat", "noext"}));
    EXPECT_EQ(platform::listFiles(dir.path() + "/", "*.dat"),
              (List{".hidden.dat", "Encke.dat", "halley.dat", "link.dat"}));
    EXPECT_EQ(platform::listFiles(dir.path(), "?.txt"), (List{"b.txt"}));
    EXPECT_TRUE(platform::listFiles(dir.file("missing")).empty());
    EXPECT_TRUE(platform::listFiles(dir.file("b.txt")).empty()) << "a file is no directory";
}

TEST(DirectoryListing, LinksListedOnlyWhenTheyLeadToRegularFiles) {
    orvextest::TempDir dir;
    std::ofstream(dir.file("a.dat")) << "x";
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::create_symlink(dir.file("sub"), dir.file("to-dir.dat"));
    std::filesystem::create_symlink(dir.file("gone"), dir.file("dangling.dat"));
    ASSERT_EQ(::mkfifo(dir.file("pipe.dat").c_str(), 0600), 0);
    std::filesystem::create_symlink(dir.file("pipe.dat"), dir.file("to-pipe.dat"));
    EXPECT_EQ(platform::listFiles(dir.path()), std::vector<std::string>{"a.dat"});
    // Asked for, what is passed over comes with the reason; folders do not.
    std::vector<std::pair<std::string, std::string>> refused;
    platform::OpenDirectory(dir.path()).list("*.dat", &refused);
    const std::string pipe = "Not a regular file (a named pipe)";
    EXPECT_EQ(refused, (decltype(refused){{"dangling.dat", "No such file or directory"},
                                          {"pipe.dat", pipe},
                                          {"to-pipe.dat", pipe}}));
}

TEST(OpenDirectory, ReachesItsFilesWhereverTheCurrentDirectoryGoes) {
    orvextest::TempDir dir;
    std::filesystem::create_directories(dir.file("orbits"));
    std::filesystem::create_directories(dir.file("elsewhere/orbits"));
    std::ofstream(dir.file("orbits/b.orb")) << "Name: B\n";
    std::ofstream(dir.file("orbits/a.orb")) << "Name: A\n";
    std::ofstream(dir.file("elsewhere/orbits/c.orb")) << "Name: C\n";

    platform::CurrentDirGuard here(dir.path());
    const platform::OpenDirectory orbits("orbits");
    ASSERT_TRUE(orbits.isOpen());
    ASSERT_TRUE(here.change("elsewhere"));
    EXPECT_EQ(orbits.list("*.orb"), (std::vector<std::string>{"a.orb", "b.orb"}));

    platform::FileStamp byName, byPath, open;
    ASSERT_TRUE(orbits.regularStamp("a.orb", byName));
    ASSERT_TRUE(platform::fileStamp(dir.file("orbits/a.orb"), byPath));
    EXPECT_EQ(byName, byPath);
    EXPECT_EQ(byName.size, 8);
    const int fd = orbits.openFile("a.orb");
    ASSERT_GE(fd, 0);
    EXPECT_TRUE(platform::regularStamp(fd, open));
    EXPECT_EQ(open, byPath) << "the open file's stamp is the file's";
    ::close(fd);
    EXPECT_FALSE(orbits.regularStamp("c.orb", byName)) << "no file of the new current directory";
    EXPECT_LT(orbits.openFile("c.orb"), 0);

    const platform::OpenDirectory absent(dir.file("absent"));
    EXPECT_FALSE(absent.isOpen());
    EXPECT_TRUE(absent.list().empty());
    EXPECT_LT(absent.openFile("a.orb"), 0);
    EXPECT_FALSE(absent.regularStamp("a.orb", byName));
    EXPECT_FALSE(platform::OpenDirectory(dir.file("orbits/a.orb")).isOpen()) << "a file";
}

TEST(OpenDirectory, APipeIsNoRegularFileAndDoesNotBlock) {
    orvextest::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.orb").c_str(), 0600), 0);
    std::filesystem::create_directory(dir.file("sub.orb"));
    const platform::OpenDirectory opened(dir.path());
    platform::FileStamp stamp;
    EXPECT_FALSE(opened.regularStamp("pipe.orb", stamp));
    EXPECT_FALSE(opened.regularStamp("sub.orb", stamp));
    // A file replaced by a pipe after the listing: opening it returns at once.
    const int fd = opened.openFile("pipe.orb");
    ASSERT_GE(fd, 0);
    EXPECT_FALSE(platform::regularStamp(fd, stamp));
    ::close(fd);
}
