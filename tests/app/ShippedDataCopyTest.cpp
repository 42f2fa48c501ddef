// The window tests' copy of the shipped data set: whatever the program saves
// there, the way it saves it, stays in the scratch directory and never reaches
// share/.
#include <gtest/gtest.h>

#include <QSaveFile>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/ShippedDataCopy.h"

namespace {

std::string contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(ShippedDataCopy, SavesThroughTheCopyNeverReachShare) {
    namespace fs = std::filesystem;
    const fs::path share = orvextest::shareDir();
    const std::vector<std::string> written = {"scenarios/options.scn", "scenarios/init.scn",
                                              "data/places.dpl",       "data/asteroids.dal",
                                              "data/comets.dcl",       "data/config.def"};
    std::vector<std::string> before;
    for (const std::string& name : written)
        before.push_back(contents(share / name));

    {
        const orvextest::ShippedDataCopy copy{std::vector<std::string>{}};
        for (const std::string& name : written) {
            EXPECT_FALSE(fs::is_symlink(fs::path(copy.path()) / name)) << name;
            // A save file follows links to their target, as the program's
            // writers may.
            QSaveFile file(QString::fromStdString(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name;
            file.write("overwritten\n");
            ASSERT_TRUE(file.commit()) << name;
            EXPECT_EQ(copy.read(name), "overwritten\n");
        }
        // Folders are real, so a file the program adds stays in the copy too.
        EXPECT_FALSE(fs::is_symlink(fs::path(copy.path()) / "data"));
        EXPECT_FALSE(fs::is_symlink(fs::path(copy.path()) / "data/orbits/planets"));
    }

    for (std::size_t i = 0; i < written.size(); ++i)
        EXPECT_EQ(contents(share / written[i]), before[i]) << written[i];
}

} // namespace
