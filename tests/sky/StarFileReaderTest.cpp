// The space-file and catalogue readers on sound, truncated and lying files.
#include <gtest/gtest.h>

#include <vector>

#include "StarFileTestSupport.h"
#include "engine/LogMessage.h"
#include "sky/StarFileReader.h"
#include "support/TestEnv.h"

using orvextest::BinaryFile;
using orvextest::dataPath;
using orvextest::writeBytes;

namespace {

class StarFileReaderTest : public ::testing::Test {
protected:
    std::string file(const std::string& name, const std::string& bytes) {
        return writeBytes(dir.file(name), bytes);
    }
    orvextest::TempDir dir;
    LogCapture log;
};

// A ".dsb" with one single star and two groups of 1 and 2 stars.
BinaryFile soundDsb() {
    BinaryFile f;
    f.i32(1).f32(1).f32(2).f32(3).f32(4).f32(5).f32(6).f32(7);
    f.i32(2);
    f.f32(1.5f).i32(1).xyz(1, 0, 0);
    f.f32(4.0f).i32(2).xyz(0, 1, 0).xyz(0, 0, 1);
    return f;
}

// A ".dhb" with G groups, group k holding k + 1 stars at (k, k, k).
BinaryFile dhb(int groups) {
    BinaryFile f;
    f.i32(groups);
    for (int k = 0; k < groups; ++k) {
        f.i32(k + 1);
        for (int i = 0; i <= k; ++i)
            f.xyz(float(k), float(k), float(k));
    }
    return f;
}

} // namespace

TEST_F(StarFileReaderTest, AsciiFileGivesGroupsSinglesAndScaledPositions) {
    SpaceFileContents c;
    ASSERT_EQ(StarFileReader::readAscii(dataPath("stars/two_groups.dsp"), c), 1);
    ASSERT_EQ(c.groups.size(), 2u);
    EXPECT_FLOAT_EQ(c.groups[0].magnitude, 3.0f);
    EXPECT_FLOAT_EQ(c.groups[1].magnitude, 5.5f);
    EXPECT_FLOAT_EQ(c.maxMagnitude, 5.5f);
    ASSERT_EQ(c.groups[0].xyz.size(), 6u);
    EXPECT_FLOAT_EQ(c.groups[0].xyz[0], 1.0f);
    EXPECT_FLOAT_EQ(c.groups[0].xyz[4], 1.0f);
    ASSERT_EQ(c.groups[1].xyz.size(), 9u);
    EXPECT_FLOAT_EQ(c.groups[1].xyz[3], -1.0f);
    // Numbers 1-3 are the scaled position, 4 goes to slot 7, 5-7 to slots 4-6.
    ASSERT_EQ(c.singles.size(), 1u);
    EXPECT_FLOAT_EQ(c.singles[0].slot[0], 1.0f);
    EXPECT_FLOAT_EQ(c.singles[0].slot[6], -1.5f);
    EXPECT_FLOAT_EQ(c.singles[0].slot[3], 10.0f);
    EXPECT_FLOAT_EQ(c.singles[0].slot[5], 30.0f);
}

TEST_F(StarFileReaderTest, AsciiPositionsBeforeAnyMagnitudeMakeNoGroup) {
    SpaceFileContents c;
    EXPECT_EQ(StarFileReader::readAscii(dataPath("stars/positions_first.dsp"), c), 1);
    EXPECT_TRUE(c.groups.empty());
    EXPECT_FLOAT_EQ(c.maxMagnitude, -1.0f);
}

TEST_F(StarFileReaderTest, AsciiFileWhosePositionCountLiesIsRejected) {
    SpaceFileContents c;
    EXPECT_EQ(StarFileReader::readAscii(dataPath("stars/lying_positions.dsp"), c), 0);
    EXPECT_TRUE(c.groups.empty());
    EXPECT_TRUE(log.contains("is damaged"));
    // A "Star:" record cut short is rejected as well.
    EXPECT_EQ(StarFileReader::readAscii(file("cut.dsp", "Magnitude: 1\nStar: 1 2 3"), c), 0);
}

TEST_F(StarFileReaderTest, MissingFilesReportAndReadNothing) {
    SpaceFileContents c;
    int groups = 7;
    EXPECT_EQ(StarFileReader::readAscii(dir.file("none.dsp"), c), 0);
    const std::string missing = ": No such file or directory";
    EXPECT_TRUE(log.contains("Could not open space ascii file. " + dir.file("none.dsp") + missing));
    EXPECT_EQ(StarFileReader::readBinary(dir.file("none.dsb"), c), 0);
    EXPECT_TRUE(log.contains("Can't open space binary file. " + dir.file("none.dsb") + missing));
    EXPECT_EQ(StarFileReader::readHipparcosGroupCount(dir.file("none.dhb"), groups), 0);
    EXPECT_EQ(groups, 0);
    EXPECT_TRUE(
        log.contains("Can't open hipparcos binary file. " + dir.file("none.dhb") + missing));
    EXPECT_EQ(StarFileReader::readCatalog(dir.file("none.dsc"), [](int, auto&, auto&) {}), 0);
    EXPECT_TRUE(
        log.contains("Can't open dg hipparcos binary file. " + dir.file("none.dsc") + missing));
}

TEST_F(StarFileReaderTest, BinaryFileGivesSinglesAndUnscaledGroups) {
    SpaceFileContents c;
    ASSERT_EQ(StarFileReader::readBinary(file("ok.dsb", soundDsb().bytes()), c), 1);
    ASSERT_EQ(c.singles.size(), 1u);
    EXPECT_FLOAT_EQ(c.singles[0].slot[2], 3.0f);
    EXPECT_FLOAT_EQ(c.singles[0].slot[6], 4.0f);
    EXPECT_FLOAT_EQ(c.singles[0].slot[3], 5.0f);
    ASSERT_EQ(c.groups.size(), 2u);
    EXPECT_EQ(c.groups[1].xyz, (std::vector<float>{0, 1, 0, 0, 0, 1}));
    EXPECT_FLOAT_EQ(c.maxMagnitude, 4.0f);
}

TEST_F(StarFileReaderTest, BinaryFileCutAnywhereIsRejected) {
    const BinaryFile f = soundDsb();
    for (std::size_t size = 0; size < f.bytes().size(); ++size) {
        SpaceFileContents c;
        EXPECT_EQ(StarFileReader::readBinary(file("cut.dsb", f.cut(size)), c), 0) << size;
        EXPECT_TRUE(c.groups.empty());
        EXPECT_TRUE(c.singles.empty());
    }
}

TEST_F(StarFileReaderTest, BinaryFileWithLyingCountsIsRejected) {
    SpaceFileContents c;
    BinaryFile hugeSingles;
    hugeSingles.i32(0x7fffffff).i32(0);
    EXPECT_EQ(StarFileReader::readBinary(file("a.dsb", hugeSingles.bytes()), c), 0);
    BinaryFile negative;
    negative.i32(0).i32(1).f32(1).i32(-5);
    EXPECT_EQ(StarFileReader::readBinary(file("b.dsb", negative.bytes()), c), 0);
    BinaryFile tooManyGroups;
    tooManyGroups.i32(0).i32(257);
    for (int k = 0; k < 257; ++k)
        tooManyGroups.f32(1).i32(0);
    EXPECT_EQ(StarFileReader::readBinary(file("c.dsb", tooManyGroups.bytes()), c), 0);
    BinaryFile hugeStars;
    hugeStars.i32(0).i32(1).f32(1).i32(0x2aaaaaab).xyz(1, 2, 3); // 3N overflows 32 bits
    EXPECT_EQ(StarFileReader::readBinary(file("d.dsb", hugeStars.bytes()), c), 0);
    EXPECT_TRUE(c.groups.empty());
}

TEST_F(StarFileReaderTest, HipparcosGroupsAreReadOnlyWhenAskedFor) {
    const std::string path = file("ok.dhb", dhb(6).bytes());
    int groups = 0;
    ASSERT_EQ(StarFileReader::readHipparcosGroupCount(path, groups), 1);
    EXPECT_EQ(groups, 6);

    std::vector<bool> loaded(groups, false);
    std::vector<int> taken;
    auto load = [&](float limit) {
        return StarFileReader::readHipparcosGroups(
            path, limit, groups, [&](int k) { return !loaded[k]; },
            [&](int k, std::vector<float>& xyz) {
                EXPECT_EQ(xyz.size(), 3u * (k + 1));
                EXPECT_FLOAT_EQ(xyz.back(), float(k));
                loaded[k] = true;
                taken.push_back(k);
            });
    };
    EXPECT_EQ(load(3.0f), 1);
    EXPECT_EQ(taken, (std::vector<int>{0, 1, 2, 3}));
    taken.clear();
    EXPECT_EQ(load(5.0f), 1); // only the newly admitted groups are read
    EXPECT_EQ(taken, (std::vector<int>{4, 5}));
    taken.clear();
    EXPECT_EQ(load(2.0f), 1);
    EXPECT_EQ(load(40.0f), 1); // the limit never walks past the file's groups
    EXPECT_TRUE(taken.empty());
    EXPECT_EQ(load(-1.0f), 1);
}

TEST_F(StarFileReaderTest, DamagedHipparcosFileKeepsTheGroupsBeforeTheDamage) {
    const BinaryFile f = dhb(4);
    // Groups 0 and 1 take 4 + 4 + 12 + 4 + 24 bytes; cut inside group 2.
    const std::string path = file("cut.dhb", f.cut(4 + 16 + 28 + 10));
    int groups = 0;
    ASSERT_EQ(StarFileReader::readHipparcosGroupCount(path, groups), 1);
    std::vector<int> taken;
    EXPECT_EQ(StarFileReader::readHipparcosGroups(
                  path, 6.0f, groups, [](int) { return true; },
                  [&](int k, std::vector<float>&) { taken.push_back(k); }),
              0);
    EXPECT_EQ(taken, (std::vector<int>{0, 1}));
    EXPECT_TRUE(log.contains("star count of group 2"));

    BinaryFile lyingCount;
    lyingCount.i32(300);
    EXPECT_EQ(StarFileReader::readHipparcosGroupCount(file("l.dhb", lyingCount.bytes()), groups),
              0);
    BinaryFile negative;
    negative.i32(-1);
    EXPECT_EQ(StarFileReader::readHipparcosGroupCount(file("n.dhb", negative.bytes()), groups), 0);
    EXPECT_EQ(StarFileReader::readHipparcosGroupCount(file("e.dhb", ""), groups), 0);
}

TEST_F(StarFileReaderTest, CatalogueIsHandedOverOnlyWhenTheWholeFileIsSound) {
    BinaryFile f;
    f.i32(3);
    f.i32(1).xyz(1, 2, 3).f32(0.5f);
    f.i32(0);
    f.i32(2).xyz(4, 5, 6).xyz(7, 8, 9).f32(2.0f).f32(3.0f);
    std::vector<int> sizes;
    ASSERT_EQ(StarFileReader::readCatalog(file("ok.dsc", f.bytes()),
                                          [&](int, std::vector<float>& xyz, std::vector<float>& m) {
                                              EXPECT_EQ(xyz.size(), 3 * m.size());
                                              sizes.push_back(int(m.size()));
                                          }),
              1);
    EXPECT_EQ(sizes, (std::vector<int>{1, 0, 2}));

    for (std::size_t size = 0; size < f.bytes().size(); ++size) {
        int calls = 0;
        EXPECT_EQ(StarFileReader::readCatalog(file("cut.dsc", f.cut(size)),
                                              [&](int, auto&, auto&) { ++calls; }),
                  0)
            << size;
        EXPECT_EQ(calls, 0);
    }
    BinaryFile empty;
    empty.i32(0);
    EXPECT_EQ(
        StarFileReader::readCatalog(file("empty.dsc", empty.bytes()), [](int, auto&, auto&) {}), 1);
    BinaryFile tooMany;
    tooMany.i32(257);
    for (int k = 0; k < 257; ++k)
        tooMany.i32(0);
    EXPECT_EQ(
        StarFileReader::readCatalog(file("many.dsc", tooMany.bytes()), [](int, auto&, auto&) {}),
        0);
}
