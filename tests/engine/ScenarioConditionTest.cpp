#include <gtest/gtest.h>

#include "engine/ScenarioCondition.h"

using Op = ScenarioCondition::Operator;

TEST(ScenarioCondition, SplitsQueryValueAndBranches) {
    ScenarioCondition c;
    ASSERT_TRUE(c.parse("?Timer.Speed>=10?fast.scn:C:/slow.scn"));
    EXPECT_EQ(c.query, "Timer.Speed");
    EXPECT_EQ(c.op, Op::GreaterEqual);
    EXPECT_EQ(c.value, "10");
    EXPECT_EQ(c.first, "fast.scn");
    EXPECT_EQ(c.second, "C:/slow.scn"); // the second branch keeps its ":"

    ASSERT_TRUE(c.parse("?A.B = 3?C:/x.scn:y"));
    EXPECT_EQ(c.value, " 3"); // taken as written
    EXPECT_EQ(c.first, "C");  // a first branch is cut at its ":"
    EXPECT_EQ(c.second, "/x.scn:y");

    ASSERT_TRUE(c.parse("?A.B=1?:"));
    EXPECT_EQ(c.first, "");
    EXPECT_EQ(c.second, "");
}

TEST(ScenarioCondition, PicksTheFirstOperatorOfTheSearchOrder) {
    ScenarioCondition c;
    const struct {
        const char* line;
        Op op;
        const char* query;
        const char* value;
    } cases[] = {
        {"?a<=1?x:y", Op::LessEqual, "a", "1"},
        {"?a>1?x:y", Op::Greater, "a", "1"},
        {"?a<1?x:y", Op::Less, "a", "1"},
        {"?a!=1?x:y", Op::NotEqual, "a", "1"},
        {"?a=1?x:y", Op::Equal, "a", "1"},
        {"?a=b>c?x:y", Op::Greater, "a=b", "c"},
        {"?a<b>=c?x:y", Op::GreaterEqual, "a<b", "c"},
    };
    for (const auto& t : cases) {
        ASSERT_TRUE(c.parse(t.line)) << t.line;
        EXPECT_EQ(c.op, t.op) << t.line;
        EXPECT_EQ(c.query, t.query) << t.line;
        EXPECT_EQ(c.value, t.value) << t.line;
    }
}

TEST(ScenarioCondition, RejectsIncompleteLines) {
    ScenarioCondition c;
    EXPECT_FALSE(c.parse("?Timer.Speed>=10 fast.scn:slow.scn")); // no second "?"
    EXPECT_FALSE(c.parse("?Timer.Speed?fast.scn:slow.scn"));     // no operator
    EXPECT_FALSE(c.parse("?Timer.Speed>=10?fast.scn"));          // no ":"
    EXPECT_FALSE(c.parse("Timer.Speed>=10?a:b"));
    EXPECT_FALSE(c.parse(""));
}

TEST(ScenarioCondition, ComparesTextsOrNumbers) {
    ScenarioCondition c;
    ASSERT_TRUE(c.parse("?Q.R=10?a:b"));
    EXPECT_TRUE(c.holds(" 10\n")); // the answer is trimmed
    EXPECT_FALSE(c.holds(" 10.0"));
    EXPECT_EQ(c.branchFor(" 10"), "a");
    EXPECT_EQ(c.branchFor(" 11"), "b");
    ASSERT_TRUE(c.parse("?Q.R= 10?a:b"));
    EXPECT_FALSE(c.holds(" 10")); // a blank after the operator makes them differ
    ASSERT_TRUE(c.parse("?Q.R!=Local?a:b"));
    EXPECT_TRUE(c.holds(" UTC"));
    EXPECT_FALSE(c.holds(" Local"));

    const struct {
        const char* line;
        const char* answer;
        bool holds;
    } numbers[] = {
        {"?Q.R>=10?a:b", " 10", true},       {"?Q.R>=10?a:b", " 9.99", false},
        {"?Q.R<=10?a:b", " 1e1", true},      {"?Q.R<=10?a:b", " 10.5", false},
        {"?Q.R>10?a:b", " 10", false},       {"?Q.R>10?a:b", " 2e3", true},
        {"?Q.R<10?a:b", " -3", true},        {"?Q.R<10?a:b", " 10", false},
        {"?Q.R>0?a:b", " Undefined", false}, {"?Q.R>= 30 ?a:b", " 30", true},
    };
    for (const auto& t : numbers) {
        ASSERT_TRUE(c.parse(t.line)) << t.line;
        EXPECT_EQ(c.holds(t.answer), t.holds) << t.line << " with" << t.answer;
    }
}

TEST(ScenarioCondition, TrimsBlanksAndLineFeedsOnly) {
    EXPECT_EQ(ScenarioCondition::trim(" \n a b \n "), "a b");
    EXPECT_EQ(ScenarioCondition::trim("\ta\t"), "\ta\t");
    EXPECT_EQ(ScenarioCondition::trim("   "), "");
}
