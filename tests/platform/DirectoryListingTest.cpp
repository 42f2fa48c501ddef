#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
