// The names of the orbit directories, kept between list loads: unchanged
// directories are not read again, changed ones show every file added,
// removed, renamed or rewritten.
#include "model/OrbitNameIndex.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "model/ModelFile.h"
#include "platform/CurrentDirGuard.h"
#include "support/ChildProcess.h"
#include "support/TestEnv.h"

namespace {

namespace fs = std::filesystem;
using Scan = OrbitNameIndex::Scan;

class OrbitNameIndexTest : public ::testing::Test {
protected:
    void write(const std::string& relative, const std::string& text) {
        fs::create_directories(fs::path(dir.file(relative)).parent_path());
        std::ofstream(dir.file(relative), std::ios::binary) << text;
    }
    // Dates the directory and its files an hour back, as files that have
    // lain there a while (a change within the clock's granularity proves
    // nothing, so recent ones are always read again).
    void age(const std::string& relative) {
        const auto past = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const auto& entry : fs::directory_iterator(dir.file(relative)))
            fs::last_write_time(entry.path(), past);
        fs::last_write_time(dir.file(relative), past);
    }
    // "name file" of every record.
    std::string listing(const OrbitRecords& records) const {
        std::string out;
        for (const BodyFileName& r : records.records)
            out += r.name + " " + r.file + "|";
        return out;
    }

    orvextest::TempDir dir;
    OrbitNameIndex index;
};

} // namespace

TEST_F(OrbitNameIndexTest, AnUnchangedDirectoryIsNotReadAgain) {
    write("comets/a.orb", "Name: Halley\n");
    write("comets/b.orb", "# Name: Commented\nName: Encke\n");
    write("comets/c.orb", "Name: Halley\n");
    age("comets");
    platform::CurrentDirGuard here(dir.path());
    const auto first = index.records("./comets/", Scan::Names);
    EXPECT_EQ(listing(*first), "Halley ./comets/a.orb|Encke ./comets/b.orb|Halley ./comets/c.orb|");
    EXPECT_EQ(first->find("Halley")->file, "./comets/a.orb") << "the first file of a name";
    EXPECT_EQ(first->find("Commented"), nullptr);
    EXPECT_EQ(index.filesRead(), 3);
    const auto again = index.records("./comets/", Scan::Names);
    EXPECT_EQ(index.filesRead(), 3);
    EXPECT_EQ(listing(*again), listing(*first));
}

// A file that could not be read is read again at the next load, though
// neither it nor its directory changed since.
TEST_F(OrbitNameIndexTest, AFileThatCouldNotBeReadIsTriedAgain) {
    write("comets/a.orb", "Name: Halley\n");
    write("comets/locked.orb", "Name: Locked\n");
    ::chmod(dir.file("comets/locked.orb").c_str(), 0);
    ::chmod(dir.path().c_str(), 0755);
    age("comets");
    // The user who opens it again is its owner.
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody) {
        ASSERT_EQ(::chown(dir.file("comets/locked.orb").c_str(), nobody->pw_uid, nobody->pw_gid),
                  0);
    }
    EXPECT_EQ(orvextest::runAsOrdinaryUser([&] {
                  platform::CurrentDirGuard here(dir.path());
                  const auto locked = index.records("comets/", Scan::Names);
                  if (locked->find("Locked") || locked->unreadable.size() != 1 ||
                      locked->unreadable[0].first != "comets/locked.orb")
                      return 1;
                  ::chmod(dir.file("comets/locked.orb").c_str(), 0644);
                  const auto opened = index.records("comets/", Scan::Names);
                  return !opened->find("Locked") || !opened->unreadable.empty() ? 2 : 0;
              }),
              0);
}

TEST_F(OrbitNameIndexTest, FilesAddedRemovedRenamedOrRewrittenShow) {
    write("comets/b.orb", "Name: Encke\n");
    write("comets/d.orb", "Name: Holmes\n");
    age("comets");
    platform::CurrentDirGuard here(dir.path());
    index.records("./comets/", Scan::Names);
    ASSERT_EQ(index.filesRead(), 2);

    write("comets/a.orb", "Name: Halley\n");
    EXPECT_EQ(listing(*index.records("./comets/", Scan::Names)),
              "Halley ./comets/a.orb|Encke ./comets/b.orb|Holmes ./comets/d.orb|");
    EXPECT_EQ(index.filesRead(), 3) << "only the new file is read";
    age("comets");

    fs::remove(dir.file("comets/b.orb"));
    EXPECT_EQ(listing(*index.records("./comets/", Scan::Names)),
              "Halley ./comets/a.orb|Holmes ./comets/d.orb|");
    fs::rename(dir.file("comets/d.orb"), dir.file("comets/0.orb"));
    const auto renamed = index.records("./comets/", Scan::Names);
    EXPECT_EQ(listing(*renamed), "Holmes ./comets/0.orb|Halley ./comets/a.orb|");
    EXPECT_EQ(renamed->find("Encke"), nullptr);

    // Rewritten in place (the directory changes with another file).
    write("comets/a.orb", "Name: Tempel\n");
    write("comets/e.orb", "no name\n");
    const auto rewritten = index.records("./comets/", Scan::Names);
    EXPECT_EQ(listing(*rewritten), "Holmes ./comets/0.orb|Tempel ./comets/a.orb|");
    EXPECT_EQ(rewritten->find("Halley"), nullptr);
}

TEST_F(OrbitNameIndexTest, TheSameTextFromAnotherDirectoryIsAnotherDirectory) {
    write("one/comets/a.orb", "Name: Halley\n");
    write("two/comets/a.orb", "Name: Encke\n");
    {
        platform::CurrentDirGuard here(dir.file("one"));
        EXPECT_NE(index.records("comets/", Scan::Names)->find("Halley"), nullptr);
    }
    platform::CurrentDirGuard here(dir.file("two"));
    const auto two = index.records("comets/", Scan::Names);
    EXPECT_NE(two->find("Encke"), nullptr);
    EXPECT_EQ(two->find("Halley"), nullptr);
    EXPECT_TRUE(index.records("absent/", Scan::Names)->records.empty());
}

TEST_F(OrbitNameIndexTest, TitlesGiveOneRecordEach) {
    // The title is the line above line 1, whatever it begins with; a line
    // without a set under it offers no name.
    write("sats/a.tle", "# list\nISS (ZARYA)\n1 x\n2 y\nHST \n1 x\n2 y\nNOTES\n"
                        "2017-071N\n1 x\n2 y\n1KUNS-PF\n1 x\n2 y\n2ND STAGE DEB\n1 x\n2 y\n");
    platform::CurrentDirGuard here(dir.path());
    const auto titles = index.records("sats/", Scan::Titles);
    EXPECT_EQ(listing(*titles), "ISS_(ZARYA) sats/a.tle|HST sats/a.tle|2017-071N sats/a.tle|"
                                "1KUNS-PF sats/a.tle|2ND_STAGE_DEB sats/a.tle|");
}

TEST_F(OrbitNameIndexTest, ManyFilesReadAtOnceKeepTheirOrder) {
    const int count = 600;
    std::string expected;
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(1000 + i);
        write("many/f" + n + ".orb", "Name: N" + n + "\n");
        expected += "N" + n + " many/f" + n + ".orb|";
    }
    platform::CurrentDirGuard here(dir.path());
    EXPECT_EQ(listing(*index.records("many/", Scan::Names)), expected);
    EXPECT_EQ(index.filesRead(), count);
}

namespace {

// Orbit directories read ahead while the current directory moves, as the
// configuration moves it while the other data files load.
class OrbitScanAheadTest : public OrbitNameIndexTest {
protected:
    void SetUp() override {
        for (int i = 0; i < 300; ++i) {
            const std::string n = std::to_string(1000 + i);
            write("data/asteroids/a" + n + ".orb", "# asteroid\nName: A" + n + "\n");
        }
        write("data/asteroids/noext", "Name: Hidden\n");
        write("data/asteroids/.z.orb.orvex-1234-abcdef.tmp", "Name: HalfWritten\n");
        write("data/comets/c.orb", "Name: Halley\n");
        write("data/sats/s.tle", "ISS (ZARYA)\n1 x\n2 y\n");
        // The same texts from elsewhere name other files.
        write("elsewhere/asteroids/a1000.orb", "Name: Wrong\n");
        write("elsewhere/comets/c.orb", "Name: Wrong\n");
        age("data/asteroids");
        age("data/comets");
        age("data/sats");
    }
    const std::vector<std::pair<std::string, Scan>> dirs = {
        {"comets/", Scan::Names}, {"./asteroids/", Scan::Names}, {"sats/", Scan::Titles}};
    // The records of every directory read one by one with nothing ahead.
    std::string serialListing() {
        OrbitNameIndex serial;
        std::string out;
        platform::CurrentDirGuard data(dir.file("data"));
        for (const auto& [text, scan] : dirs)
            out += listing(*serial.records(text, scan));
        return out;
    }
    std::string listingOf(OrbitNameIndex& from) {
        std::string out;
        for (const auto& [text, scan] : dirs)
            out += listing(*from.records(text, scan));
        return out;
    }
};

} // namespace

TEST_F(OrbitScanAheadTest, GivesTheRecordsOfASerialScan) {
    const std::string expected = serialListing();
    ASSERT_NE(expected.find("A1299 ./asteroids/a1299.orb|"), std::string::npos);
    ASSERT_EQ(expected.find("Hidden"), std::string::npos);
    ASSERT_EQ(expected.find("HalfWritten"), std::string::npos);
    {
        platform::CurrentDirGuard data(dir.file("data"));
        index.scanAhead(dirs);
        ASSERT_TRUE(data.change(dir.file("elsewhere")));
        // The records asked for from elsewhere are elsewhere's.
        EXPECT_EQ(listing(*index.records("comets/", Scan::Names)), "Wrong comets/c.orb|");
    }
    platform::CurrentDirGuard data(dir.file("data"));
    EXPECT_EQ(listingOf(index), expected);
    // Elsewhere's comet, then the comet, asteroids and satellites ahead.
    EXPECT_EQ(index.filesRead(), 1 + 1 + 300 + 1);

    // Known directories are not read again by another scan ahead (the
    // configuration read again).
    index.scanAhead(dirs);
    EXPECT_EQ(listingOf(index), expected);
    EXPECT_EQ(index.filesRead(), 1 + 1 + 300 + 1);
}

TEST_F(OrbitScanAheadTest, ChangesAfterwardsShowAndOnlyTheyAreRead) {
    platform::CurrentDirGuard data(dir.file("data"));
    index.scanAhead(dirs);
    const auto before = index.records("./asteroids/", Scan::Names);
    EXPECT_EQ(listing(*index.records("sats/", Scan::Titles)), "ISS_(ZARYA) sats/s.tle|");
    ASSERT_EQ(index.filesRead(), 1 + 300 + 1) << "the whole scan ahead, once taken over";
    ASSERT_EQ(before->records.size(), 300u);

    write("data/asteroids/a1000.orb", "Name: Renamed and longer\n");
    fs::remove(dir.file("data/asteroids/a1001.orb"));
    write("data/asteroids/b.orb", "Name: Added\n");
    const auto after = index.records("./asteroids/", Scan::Names);
    EXPECT_EQ(index.filesRead(), 1 + 300 + 1 + 2) << "the changed file and the new one";
    ASSERT_EQ(after->records.size(), 300u);
    EXPECT_EQ(after->records.front().name, "Renamed");
    EXPECT_EQ(after->records[1].name, "A1002");
    EXPECT_EQ(after->records.back().file, "./asteroids/b.orb");
    EXPECT_EQ(after->find("A1001"), nullptr);
    EXPECT_EQ(before->records[1].name, "A1001") << "records once given stay as they were";
    // The other directories were taken over unchanged.
    EXPECT_EQ(listing(*index.records("comets/", Scan::Names)), "Halley comets/c.orb|");
    EXPECT_EQ(index.filesRead(), 1 + 300 + 1 + 2);
}

TEST_F(OrbitScanAheadTest, StopsWhenTheIndexGoes) {
    platform::CurrentDirGuard data(dir.file("data"));
    for (int i = 0; i < 20; ++i) {
        OrbitNameIndex ahead;
        ahead.scanAhead(dirs);
        if (i % 2)
            ahead.records("comets/", Scan::Names); // the rest still running
    }
    OrbitNameIndex twice;
    twice.scanAhead(dirs);
    twice.scanAhead({{"other/", Scan::Names}});
    EXPECT_EQ(listingOf(twice), serialListing());
}

TEST(ReadDeclaredName, ReadsTokensAsTheFileReadersDo) {
    orvextest::TempDir dir;
    const auto nameIn = [&](const std::string& text, std::string& name) {
        std::ofstream(dir.file("f"), std::ios::binary) << text;
        name = "?";
        return readDeclaredName(dir.file("f"), name);
    };
    std::string name;
    EXPECT_TRUE(nameIn("Name: A\nName: B\n", name));
    EXPECT_EQ(name, "A");
    EXPECT_TRUE(nameIn("#Name: X\r\n\tName:\t# note Name: Y\n  Last", name));
    EXPECT_EQ(name, "Last");
    EXPECT_TRUE(nameIn("Name: End", name));
    EXPECT_EQ(name, "End");
    EXPECT_TRUE(nameIn("\xef\xbb\xbfName: Marked", name)); // an editor's byte-order mark
    EXPECT_EQ(name, "Marked");
    EXPECT_FALSE(nameIn("Name:", name));
    EXPECT_FALSE(nameIn("Name:  # only a comment", name));
    EXPECT_FALSE(nameIn("XName: A Name:: B", name));
    EXPECT_FALSE(nameIn("", name));
    EXPECT_FALSE(readDeclaredName(dir.file("absent"), name));
    // A file longer than one read, with the name past its first part and a
    // token running across the parts.
    EXPECT_TRUE(nameIn("# " + std::string(5000, 'c') + "\n" + std::string(4000, ' ') +
                           "Name: " + std::string(300, 'n'),
                       name));
    EXPECT_EQ(name, std::string(300, 'n'));
    EXPECT_TRUE(nameIn(std::string(4093, ' ') + "Name: Across", name));
    EXPECT_EQ(name, "Across");
    // A carriage return alone ends a line (and a comment), also in a head
    // longer than a line may be.
    EXPECT_TRUE(nameIn("# Name: X\rName: Mac\r", name));
    EXPECT_EQ(name, "Mac");
    std::string lines;
    while (lines.size() <= 200000)
        lines += "# a comment line\r";
    EXPECT_TRUE(nameIn(lines + "Name: Far\r", name));
    EXPECT_EQ(name, "Far");
}
