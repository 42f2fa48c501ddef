#include <gtest/gtest.h>

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
    }
}
