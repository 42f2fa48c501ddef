// The names of the orbit directories, kept between list loads: unchanged
// directories are not read again, changed ones show every file added,
// removed, renamed or rewritten.
#include "model/OrbitNameIndex.h"

#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "model/ModelFile.h"
#include "platform/CurrentDirGuard.h"
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
    write("sats/a.tle", "# list\nISS (ZARYA)\n1 x\n2 y\nHST \n1 x\n2 y\n");
    platform::CurrentDirGuard here(dir.path());
    const auto titles = index.records("sats/", Scan::Titles);
    EXPECT_EQ(listing(*titles), "ISS_(ZARYA) sats/a.tle|HST sats/a.tle|");
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
}
