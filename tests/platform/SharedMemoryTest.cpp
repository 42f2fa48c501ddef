#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/SharedMemory.h"

using platform::SharedMemory;

namespace {

// Each test maps a block of its own, so parallel test runs never meet.
class SharedMemoryTest : public ::testing::Test {
protected:
    std::string name = "OrvexTest_" + std::to_string(getpid()) + "_" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name();
    void TearDown() override { SharedMemory::remove(name); }
};

} // namespace

TEST_F(SharedMemoryTest, NewBlockReadsZeroAndIsSharedBetweenMappings) {
    SharedMemory a, b;
    ASSERT_TRUE(a.open(name, 18));
    for (std::size_t i = 0; i < 18; ++i)
        EXPECT_EQ(a.load(i), 0);
    a.store(3, 1234);
    ASSERT_TRUE(b.open(name, 18));
    EXPECT_EQ(b.load(3), 1234);
    b.store(17, -7);
    EXPECT_EQ(a.load(17), -7);
}

TEST_F(SharedMemoryTest, OutOfRangeAndClosedAccessIsHarmless) {
    SharedMemory block;
    EXPECT_FALSE(block.isOpen());
    EXPECT_EQ(block.load(0), 0);
    block.store(0, 5);
    EXPECT_EQ(block.fetchAndClear(0, 1), 0);
    ASSERT_TRUE(block.open(name, 4));
    block.store(4, 9);
    EXPECT_EQ(block.load(4), 0);
    block.close();
    EXPECT_FALSE(block.isOpen());
    EXPECT_EQ(block.load(0), 0);
}

TEST_F(SharedMemoryTest, RejectsNamesThatAreNotOneWord) {
    SharedMemory block;
    EXPECT_FALSE(block.open("", 4));
    EXPECT_FALSE(block.open("a/b", 4));
    EXPECT_FALSE(block.open(name, 0));
}

TEST_F(SharedMemoryTest, SmallerExistingBlockIsGrown) {
    SharedMemory small, large;
    ASSERT_TRUE(small.open(name, 2));
    small.store(1, 42);
    ASSERT_TRUE(large.open(name, 18));
    EXPECT_EQ(large.load(1), 42);
    large.store(17, 1);
    EXPECT_EQ(large.load(17), 1);
}

TEST_F(SharedMemoryTest, BitSetByAnotherProcessIsSeen) {
    SharedMemory block;
    ASSERT_TRUE(block.open(name, 18));
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SharedMemory other;
        if (!other.open(name, 18))
            _exit(1);
        other.setBits(7, 1 << 2);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(block.fetchAndClear(7, 1 << 2), 1 << 2);
    EXPECT_EQ(block.load(7), 0);
}

// While one side clears its bit over and over, bits the other side sets must
// all survive: a clear that wrote back a stale word would drop some of them.
TEST_F(SharedMemoryTest, ClearingOneBitNeverLosesOthersSetMeanwhile) {
    SharedMemory consumer, producer;
    ASSERT_TRUE(consumer.open(name, 8));
    ASSERT_TRUE(producer.open(name, 8));
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int round = 0; round < 200; ++round) {
            for (int bit = 1; bit < 31; ++bit)
                producer.setBits(7, 1 << bit);
            if (round + 1 < 200)
                producer.fetchAndClear(7, ~1);
        }
        done = true;
    });
    while (!done)
        consumer.fetchAndClear(7, 1);
    writer.join();
    EXPECT_EQ(consumer.load(7), 0x7ffffffe);
}
