// An orbit directory read by the engine's rules: which file declares an
// object, whether a chosen file is already inside, and copies that replace a
// file only whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <fstream>

#include "app/OrbitFileStore.h"
#include "support/TestEnv.h"

namespace {

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

QString q(const std::string& path) {
    return QString::fromStdString(path);
}

TEST(OrbitFileStore, FindsTheFileTheEngineWouldLoadAnObjectFrom) {
    orvextest::TempDir dir;
    const std::string orbits = dir.path() + "/";
    write(orbits + "b.dat", "# Name: Halley in a comment\nName: Encke\n");
    write(orbits + "c.dat", "Name: Other\nName: Halley\n"); // only the first counts
    write(orbits + "halley", "Name: Halley\n");             // no dot: not an orbit file
    write(orbits + "d.dat", "Name: Halley\n");
    write(orbits + "a.dat", "Name:\tHalley\n");
    write(orbits + "Z.dat", "Name: Halley\n"); // byte order: "Z" before "a"
    QDir().mkdir(q(orbits + "dir.dat"));

    const OrbitFileStore store(orbits);
    EXPECT_EQ(store.findOrbitFile("Halley"), orbits + "Z.dat");
    EXPECT_EQ(store.findOrbitFile("Encke"), orbits + "b.dat");
    EXPECT_EQ(store.findOrbitFile("Other"), orbits + "c.dat");
    EXPECT_EQ(store.findOrbitFile("halley"), "");
    EXPECT_EQ(OrbitFileStore({dir.path() + "/missing/"}).findOrbitFile("Halley"), "");

    // The validity test takes the text anywhere on a line, comments too.
    EXPECT_TRUE(OrbitFileStore::fileContains(q(orbits + "b.dat"), "Name: Halley"));
    EXPECT_FALSE(OrbitFileStore::fileContains(q(orbits + "b.dat"), "Vesta"));
    EXPECT_FALSE(OrbitFileStore::fileContains(q(orbits + "missing.dat"), "Name:"));

    QString error;
    EXPECT_TRUE(OrbitFileStore::remove(orbits + "Z.dat", error));
    EXPECT_EQ(store.findOrbitFile("Halley"), orbits + "a.dat");
    EXPECT_FALSE(OrbitFileStore::remove(orbits + "Z.dat", error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(OrbitFileStore, AFileIsInsideOnlyWhenItsCanonicalDirectoryIsTheOrbitDirectory) {
    orvextest::TempDir dir;
    QDir(q(dir.path())).mkpath("comets");
    QDir(q(dir.path())).mkpath("comets_old");
    write(dir.file("comets/a.dat"), "Name: A\n");
    write(dir.file("comets_old/b.dat"), "Name: B\n");
    QFile::link(q(dir.file("comets")), q(dir.file("link")));

    const OrbitFileStore store(dir.path() + "/comets");
    EXPECT_TRUE(store.holds(q(dir.file("comets/a.dat"))));
    EXPECT_TRUE(store.holds(q(dir.file("comets_old/../comets/a.dat"))));
    EXPECT_TRUE(store.holds(q(dir.file("link/a.dat"))));
    // Its path starts with the directory's path, yet it lies elsewhere.
    EXPECT_FALSE(store.holds(q(dir.file("comets_old/b.dat"))));
    EXPECT_FALSE(OrbitFileStore(dir.path() + "/none/").holds(q(dir.file("none/b.dat"))));
    EXPECT_EQ(store.destination(q(dir.file("comets_old/b.dat"))), q(dir.file("comets/b.dat")));

    // A copy replaces a file of the same name; a failed one leaves it.
    write(dir.file("comets_old/a.dat"), "Name: A2\n");
    QString error;
    EXPECT_TRUE(store.copyIn(q(dir.file("comets_old/a.dat")), error));
    EXPECT_EQ(read(dir.file("comets/a.dat")), "Name: A2\n");
    EXPECT_FALSE(store.copyIn(q(dir.file("comets_old/gone.dat")), error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(QDir(q(dir.file("comets"))).entryList(QDir::Files), QStringList({"a.dat"}));
}

// A chosen file without line breaks (6 GB of zeros, made sparse) is looked
// through and refused in bounded memory, and never copied in.
TEST(OrbitFileStore, AHugeFileIsNeitherReadWholeNorCopied) {
    orvextest::TempDir dir;
    QDir(q(dir.path())).mkpath("comets");
    write(dir.file("huge.dat"), "");
    ASSERT_TRUE(QFile::resize(q(dir.file("huge.dat")), 6LL << 30));
    EXPECT_FALSE(OrbitFileStore::fileContains(q(dir.file("huge.dat")), "Name:"));
    const OrbitFileStore store(dir.path() + "/comets");
    QString error;
    EXPECT_FALSE(store.copyIn(q(dir.file("huge.dat")), error));
    EXPECT_EQ(error, "longer than 67108864 bytes");
    EXPECT_TRUE(QDir(q(dir.file("comets"))).entryList(QDir::Files).isEmpty());
}

} // namespace
