// Files written whole or not at all: full disks, kills in the middle of a
// save, temporaries left behind, links and permissions.
#include "platform/AtomicFile.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <filesystem>
#include <fstream>
#include <pwd.h>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

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

struct stat nodeOf(const std::string& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

// A socket node at path, as a program listening there leaves it.
bool makeSocket(const std::string& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof address.sun_path)
        return false;
    path.copy(address.sun_path, path.size());
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return bound;
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

    // A writer gone without its commit leaves the file as it was, and no
    // temporary.
    {
        platform::AtomicFile unfinished(path);
        ASSERT_TRUE(unfinished.open());
        std::fputs("half", unfinished.stream());
    }
    EXPECT_EQ(readFile(path), "linked\n");
    EXPECT_EQ(othersIn(dir.path(), "options.scn"), std::vector<std::string>{"link.scn"});

    // Written relative to the current directory, as the engine's files are.
    platform::AtomicFile none(dir.file("no/such/dir/x.scn"));
    EXPECT_FALSE(none.open());
    EXPECT_NE(none.error().find("No such file"), std::string::npos) << none.error();
    EXPECT_FALSE(platform::writeFileAtomically(dir.path(), "x", &error));
    EXPECT_FALSE(error.empty());

    // The longest name a folder holds is saved too; its temporary's name is
    // shortened to fit.
    const std::string longest = dir.file(std::string(NAME_MAX - 4, 'n') + ".scn");
    ASSERT_TRUE(platform::writeFileAtomically(longest, "long\n", &error)) << error;
    ASSERT_TRUE(platform::writeFileAtomically(longest, "longer\n", &error)) << error;
    EXPECT_EQ(readFile(longest), "longer\n");
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
    const std::string running =
        dir.file(".a.scn.orvex-" + std::to_string(::getppid()) + "-abcdef.tmp");
    const std::string dead = dir.file(".a.scn.orvex-99999999-abcdef.tmp");
    // Another file's temporary, and the user's own files of like names.
    const std::vector<std::string> others = {".b.scn.orvex-99999999-abcdef.tmp", "a.scn.bak",
                                             "a.scn.99999999-abcdef.tmp"};
    for (const std::string& name : {running, dead})
        std::ofstream(name) << "x";
    for (const std::string& name : others)
        std::ofstream(dir.file(name)) << "x";
    ASSERT_TRUE(platform::writeFileAtomically(path, "text"));
    EXPECT_TRUE(fs::exists(running));
    EXPECT_FALSE(fs::exists(dead));
    for (const std::string& name : others)
        EXPECT_TRUE(fs::exists(dir.file(name))) << name;

    EXPECT_TRUE(platform::isAtomicTemporary(".visual.tle.orvex-1234-aB3xYz.tmp"));
    EXPECT_TRUE(platform::isAtomicTemporary("..orvex-1-abcdef.tmp.orvex-2147483647-abcdef.tmp"));
    for (const char* name : {"visual.tle",
                             "a.scn.bak",
                             "visual.tle.1234-aB3xYz.tmp",
                             "thesis.2024-draft1.tmp",
                             "my.12345-ABCDEF.tmp",
                             "mycomet.orb.31337-backup.tmp",
                             ".orvex-1234-abcdef.tmp",
                             "x.orvex-1234-abcdef.tmp",
                             ".x.orvex-1234-abcde.tmp",
                             ".x.orvex-12a4-abcdef.tmp",
                             ".x.orvex-1234_abcdef.tmp",
                             ".x.orvex--abcdef.tmp",
                             ".x.orvex-0-abcdef.tmp",
                             ".x.orvex-01234-abcdef.tmp",
                             ".x.orvex-2147483648-abcdef.tmp",
                             ".x.orvex-12345678901-abcdef.tmp",
                             ".x.orvex-1234-abc-ef.tmp",
                             ".x.orvex-1234-abcdef.TMP",
                             ".x.orvey-1234-abcdef.tmp",
                             ".x-1234-abcdef.tmp"})
        EXPECT_FALSE(platform::isAtomicTemporary(name)) << name;
}

TEST(AtomicFileTest, SavesOnlyToARegularFileOrANewName) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0644), 0);
    ASSERT_TRUE(makeSocket(dir.file("socket")));
    fs::create_directory(dir.file("folder"));
    fs::create_symlink("missing.scn", dir.file("dangling"));
    fs::create_symlink("loop2", dir.file("loop1"));
    fs::create_symlink("loop1", dir.file("loop2"));
    fs::create_symlink("pipe", dir.file("to-pipe"));
    std::vector<std::string> refused = {"pipe", "socket", "folder", "dangling", "loop1", "to-pipe"};
    // The null device's numbers, made here: only root may make a device node.
    if (::mknod(dir.file("device").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0)
        refused.push_back("device");
    for (const std::string& name : refused) {
        const struct stat before = nodeOf(dir.file(name));
        std::string error;
        EXPECT_FALSE(platform::writeFileAtomically(dir.file(name), "list\n", &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        const struct stat after = nodeOf(dir.file(name));
        EXPECT_EQ(after.st_mode, before.st_mode) << name;
        EXPECT_EQ(after.st_ino, before.st_ino) << name;
    }
    EXPECT_FALSE(fs::exists(dir.file("missing.scn")));
    std::string error;
    platform::writeFileAtomically(dir.file("pipe"), "x", &error);
    EXPECT_EQ(error, "Not a regular file (a named pipe)");
    platform::writeFileAtomically(dir.file("dangling"), "x", &error);
    EXPECT_EQ(error, "Dangling symbolic link");

    // A new name and a link to a regular file are written.
    ASSERT_TRUE(platform::writeFileAtomically(dir.file("new.scn"), "new\n"));
    fs::create_symlink("new.scn", dir.file("link.scn"));
    ASSERT_TRUE(platform::writeFileAtomically(dir.file("link.scn"), "linked\n"));
    EXPECT_TRUE(fs::is_symlink(dir.file("link.scn")));
    EXPECT_EQ(readFile(dir.file("new.scn")), "linked\n");
    refused.insert(refused.end(), {"new.scn", "link.scn", "loop2", "missing.scn"});
    for (const std::string& name : othersIn(dir.path(), ""))
        EXPECT_NE(std::find(refused.begin(), refused.end(), name), refused.end()) << name;
}

TEST(AtomicFileTest, AFileTheUserMayNotWriteIsLeftAsItIs) {
    TempDir scratch;
    // A folder every user may write in, as the read-only file's folder is.
    const std::string dir = scratch.file("shared");
    fs::create_directory(dir);
    ::chmod(scratch.path().c_str(), 0755);
    ::chmod(dir.c_str(), 0777);
    const std::string own = dir + "/o.scn", others = dir + "/others.scn";
    std::ofstream(own) << "kept\n";
    std::ofstream(others) << "theirs\n";
    ::chmod(own.c_str(), 0444);
    ::chmod(others.c_str(), 0644);

    // Run as an ordinary user: root passes over permission bits.
    const passwd* nobody = ::getpwnam("nobody");
    const bool asRoot = ::geteuid() == 0;
    if (asRoot) {
        ASSERT_NE(nobody, nullptr);
        ASSERT_EQ(::chown(own.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    }
    const int refusals = orvextest::runInChild([&] {
        if (asRoot && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            return 100;
        std::string error;
        int refused = 0;
        if (!platform::writeFileAtomically(own, "lost\n", &error) && error == "Permission denied")
            ++refused;
        // Someone else's file the user may only read, in a folder the user
        // may write in.
        if (!asRoot || !platform::writeFileAtomically(others, "lost\n"))
            ++refused;
        if (platform::writeFileAtomically(dir + "/new.scn", "new\n"))
            refused += 10;
        return refused;
    });
    EXPECT_EQ(refusals, 12);
    EXPECT_EQ(readFile(own), "kept\n");
    EXPECT_EQ(readFile(others), "theirs\n");
    // A file without any write permission is left as it is even by root.
    EXPECT_FALSE(platform::writeFileAtomically(own, "lost\n"));
    EXPECT_EQ(readFile(own), "kept\n");
    EXPECT_EQ(nodeOf(own).st_mode & 07777, 0444u);
}

TEST(AtomicFileTest, AReplacedFileKeepsItsModeAndOwner) {
    TempDir dir;
    const std::string path = dir.file("places.dpl");
    std::ofstream(path) << "old\n";
    ::chmod(path.c_str(), 0604);
    const passwd* nobody = ::getpwnam("nobody");
    const bool asRoot = ::geteuid() == 0 && nobody;
    if (asRoot)
        ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    const struct stat before = nodeOf(path);
    ASSERT_TRUE(platform::writeFileAtomically(path, "new\n"));
    const struct stat after = nodeOf(path);
    EXPECT_NE(after.st_ino, before.st_ino); // replaced, not written in place
    EXPECT_EQ(after.st_mode & 07777, 0604u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);

    // A save that ends before it is done leaves a hidden temporary of the
    // user's (the owner is given only with the rename), which the folder's
    // clean-up takes once its writer is gone.
    EXPECT_EQ(orvextest::runInChild([&] {
                  platform::AtomicFile file(path);
                  if (!file.open())
                      return 1;
                  std::fputs("half\n", file.stream());
                  std::fflush(file.stream());
                  ::_exit(0); // as a kill: nothing is cleaned up
              }),
              0);
    const std::vector<std::string> left = othersIn(dir.path(), "places.dpl");
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].rfind(".places.dpl.orvex-", 0), 0u) << left[0];
    EXPECT_TRUE(platform::isAtomicTemporary(left[0]));
    EXPECT_EQ(nodeOf(dir.file(left[0])).st_uid, ::geteuid());
    platform::removeStaleTemporaries(dir.path());
    EXPECT_TRUE(othersIn(dir.path(), "places.dpl").empty());
    EXPECT_EQ(readFile(path), "new\n");
}

TEST(AtomicFileTest, AFolderLosesOnlyTheTemporariesOfWritersThatAreGone) {
    TempDir scratch;
    // A folder every user may write in, for the part run as another user.
    const std::string dir = scratch.file("shared");
    fs::create_directory(dir);
    ::chmod(scratch.path().c_str(), 0755);
    ::chmod(dir.c_str(), 0777);
    const auto file = [&](const std::string& name) { return dir + "/" + name; };
    const std::string pid = std::to_string(::getpid()), parent = std::to_string(::getppid());
    // Temporaries of writers that are gone (pid numbers stop well below these).
    const std::vector<std::string> stale = {".a.scn.orvex-99999999-abcdef.tmp",
                                            ".bookmarks.xml.orvex-99999998-Zz0123.tmp"};
    // Temporaries of running writers (this process, its parent, init), and
    // the user's own files: names that merely look like temporaries, an
    // empty folder and links with a temporary's name.
    std::vector<std::string> kept = {".b.dcl.orvex-" + pid + "-abcdef.tmp",
                                     ".a.scn.orvex-" + parent + "-abcdef.tmp",
                                     ".c.scn.orvex-1-abcdef.tmp",
                                     "notes.txt",
                                     "thesis.2024-draft1.tmp",
                                     "my.12345-ABCDEF.tmp",
                                     "mycomet.orb.31337-backup.tmp",
                                     "a.scn.99999999-abcdef.tmp",
                                     ".folder.orvex-99999997-abcdef.tmp",
                                     ".link.orvex-99999996-abcdef.tmp",
                                     ".dangling.orvex-99999995-abcdef.tmp"};
    for (const std::string& name : stale)
        std::ofstream(file(name)) << "x";
    for (std::size_t i = 0; i < 8; ++i)
        std::ofstream(file(kept[i])) << "x";
    fs::create_directory(file(kept[8]));
    fs::create_symlink("notes.txt", file(kept[9]));
    fs::create_symlink("gone.txt", file(kept[10]));
    // Another user's, which a process of that user may still be writing.
    const passwd* nobody = ::getpwnam("nobody");
    const bool asRoot = ::geteuid() == 0 && nobody;
    const std::string others = ".d.scn.orvex-99999994-abcdef.tmp";
    if (asRoot) {
        std::ofstream(file(others)) << "x";
        ASSERT_EQ(::chown(file(others).c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        kept.push_back(others);
    }
    platform::removeStaleTemporaries(dir);
    std::vector<std::string> left = othersIn(dir, "");
    std::sort(left.begin(), left.end());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(left, kept);
    EXPECT_EQ(readFile(file("notes.txt")), "x");
    if (!asRoot)
        return;

    // The user nobody: init runs though it may not be signalled, and the
    // temporary of nobody's writer that is gone goes.
    ::chown(file(".c.scn.orvex-1-abcdef.tmp").c_str(), nobody->pw_uid, nobody->pw_gid);
    EXPECT_EQ(orvextest::runInChild([&] {
                  if (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                      return 100;
                  platform::removeStaleTemporaries(dir);
                  return 0;
              }),
              0);
    kept.erase(std::find(kept.begin(), kept.end(), others));
    left = othersIn(dir, "");
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, kept);
}
