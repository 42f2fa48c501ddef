#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "engine/LogMessage.h"

TEST(LogMessage, CaptureCollectsFormattedMessagesAndRestores) {
    {
        LogCapture outer;
        {
            LogCapture inner;
            logMessage("Command Error : %s.%s", "Timer", "Nope");
            logMessage("%s", std::string(5000, 'x').c_str());
            ASSERT_EQ(inner.messages().size(), 2u);
            EXPECT_EQ(inner.messages()[0], "Command Error : Timer.Nope");
            EXPECT_EQ(inner.messages()[1].size(), 5000u);
        }
        logMessage("after");
        ASSERT_EQ(outer.messages().size(), 1u);
        EXPECT_TRUE(outer.contains("after"));

        // Captures that end out of turn leave none behind that is gone.
        auto first = std::make_unique<LogCapture>();
        auto second = std::make_unique<LogCapture>();
        first.reset();
        logMessage("to the second");
        EXPECT_TRUE(second->contains("to the second"));
        second.reset();
        logMessage("to the outer");
        EXPECT_TRUE(outer.contains("to the outer"));
    }
}

// Threads log while captures come and go on another: none is written once
// it has ended.
TEST(LogMessage, CapturesComeAndGoWhileOtherThreadsLog) {
    const LogSink before = setLogSink([](const std::string&) {});
    std::atomic<bool> stop{false};
    const auto readAhead = [&] {
        while (!stop)
            logMessage("read ahead");
    };
    std::thread first(readAhead), second(readAhead);
    for (int i = 0; i < 20000; ++i) {
        const auto capture = std::make_unique<LogCapture>();
        logMessage("save %d", i);
        EXPECT_TRUE(capture->contains("save " + std::to_string(i)));
    }
    stop = true;
    first.join();
    second.join();
    setLogSink(before);
}

TEST(LogMessage, ACaptureOfTheCallingThreadTakesItsMessagesAlone) {
    LogCapture all;
    {
        LogCapture own(LogCapture::Threads::Calling);
        std::thread([] { logMessage("another thread"); }).join();
        logMessage("this thread");
        EXPECT_EQ(own.messages(), std::vector<std::string>{"this thread"});
    }
    logMessage("after");
    EXPECT_EQ(all.messages(), (std::vector<std::string>{"another thread", "after"}));
}
