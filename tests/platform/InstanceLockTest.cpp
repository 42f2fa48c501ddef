#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/InstanceLock.h"

using platform::InstanceLock;

namespace {

std::string uniqueName(const char* word) {
    return std::string("OrvexTest_") + word + "_" + std::to_string(getpid());
}

} // namespace

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstReleases) {
    const std::string name = uniqueName("pair");
    InstanceLock first;
    EXPECT_FALSE(InstanceLock::isTaken(name));
    ASSERT_EQ(first.acquire(name), InstanceLock::Result::Acquired);
    EXPECT_TRUE(first.isHeld());
    EXPECT_TRUE(InstanceLock::isTaken(name));

    InstanceLock second;
    EXPECT_EQ(second.acquire(name), InstanceLock::Result::Taken);
    EXPECT_FALSE(second.isHeld());

    first.release();
    EXPECT_FALSE(InstanceLock::isTaken(name));
    EXPECT_EQ(second.acquire(name), InstanceLock::Result::Acquired);
    unlink(InstanceLock::lockPath(name).c_str());
}

TEST(InstanceLock, AnEndedProcessLeavesTheNameFree) {
    const std::string name = uniqueName("ended");
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child takes the name, tells the parent, waits to be killed.
        InstanceLock lock;
        char byte = lock.acquire(name) == InstanceLock::Result::Acquired ? 1 : 0;
        if (write(ready[1], &byte, 1) != 1)
            _exit(2);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    ASSERT_EQ(byte, 1);
    EXPECT_TRUE(InstanceLock::isTaken(name));
    InstanceLock mine;
    EXPECT_EQ(mine.acquire(name), InstanceLock::Result::Taken);

    // A killed holder gets no chance to release: the lock goes with it.
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_FALSE(InstanceLock::isTaken(name));
    EXPECT_EQ(mine.acquire(name), InstanceLock::Result::Acquired);
    close(ready[0]);
    close(ready[1]);
    unlink(InstanceLock::lockPath(name).c_str());
}

TEST(InstanceLock, NamesThatAreNoPlainWordAreUnavailable) {
    InstanceLock lock;
    EXPECT_EQ(lock.acquire(""), InstanceLock::Result::Unavailable);
    EXPECT_EQ(lock.acquire("a/b"), InstanceLock::Result::Unavailable);
    EXPECT_FALSE(lock.isHeld());
}
