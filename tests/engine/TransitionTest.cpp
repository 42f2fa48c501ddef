#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/ScalarTransition.h"
#include "engine/Transition.h"
#include "engine/VectorTransition.h"

namespace {

class TransitionTest : public ::testing::Test {
protected:
    void SetUp() override { Transition::setGlobalMode(Transition::Run); }
    void TearDown() override { Transition::setGlobalMode(Transition::Run); }
};

} // namespace

TEST_F(TransitionTest, ZeroFramesRunForOneNominalFrame) {
    ScalarTransition s;
    EXPECT_FALSE(s.isRunning()) << "starts idle";
    EXPECT_EQ(s.getValue(), 0.0);
    s.startTo(5.0, 0);
    EXPECT_TRUE(s.isRunning());
    EXPECT_EQ(s.getValue(), 0.0);
    Transition::tickAll(0.5);
    EXPECT_EQ(s.getValue(), 2.5);
    Transition::tickAll(0.5);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.getValue(), 5.0);
}

TEST_F(TransitionTest, LargeTickEndsExactlyAtTarget) {
    ScalarTransition s;
    s.set(1.0);
    s.startTo(0.1, 3);
    s.tick(1.0);
    EXPECT_DOUBLE_EQ(s.getValue(), 1.0 - 0.9 / 3);
    s.tick(100.0);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.getValue(), 0.1);
}

TEST_F(TransitionTest, RunningTransitionContinuesFromWhereItIs) {
    ScalarTransition s;
    s.startTo(10.0, 10);
    s.tick(5.0);
    s.startTo(0.0, 5); // turn back from 5
    EXPECT_EQ(s.getValue(), 5.0);
    s.tick(1.0);
    EXPECT_EQ(s.getValue(), 4.0);
}

TEST_F(TransitionTest, StartingToTheCurrentValueSetsIt) {
    ScalarTransition s;
    s.startTo(10.0, 10);
    s.tick(5.0);
    // A second "...To" in the same frame towards where it is now must stop it
    // there, not let it jump to the old target.
    s.startTo(5.0, 10);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.getValue(), 5.0);
    Transition::tickAll(1.0);
    EXPECT_EQ(s.getValue(), 5.0);
}

TEST_F(TransitionTest, SetAndSetIfIdle) {
    ScalarTransition s;
    s.startTo(8.0, 4);
    s.setIfIdle(1.0);
    EXPECT_TRUE(s.isRunning()) << "a running change is left alone";
    s.tick(2.0);
    EXPECT_EQ(s.getValue(), 4.0);
    s.set(3.0);
    EXPECT_FALSE(s.isRunning());
    EXPECT_EQ(s.getValue(), 3.0);
    s.setIfIdle(2.0);
    EXPECT_EQ(s.getValue(), 2.0);

    // In immediate mode setIfIdle writes even while frozen mid-way.
    s.startTo(4.0, 2);
    s.setMode(Transition::Immediate);
    s.setIfIdle(7.0);
    EXPECT_EQ(s.getValue(), 7.0);
}

TEST_F(TransitionTest, ImmediateModeJumpsAndFreezes) {
    ScalarTransition running;
    running.startTo(10.0, 10);
    running.tick(2.0);

    Transition::setGlobalMode(Transition::Immediate);
    EXPECT_EQ(Transition::getGlobalMode(), Transition::Immediate);
    ScalarTransition later;
    EXPECT_EQ(later.getMode(), Transition::Immediate) << "created in immediate mode";
    later.startTo(5.0, 100);
    EXPECT_FALSE(later.isRunning());
    EXPECT_EQ(later.getValue(), 5.0);

    // A change running when the mode switched stays where it was.
    Transition::tickAll(3.0);
    EXPECT_EQ(running.getValue(), 2.0);
    EXPECT_TRUE(running.isRunning());

    Transition::setGlobalMode(Transition::Run);
    EXPECT_EQ(later.getMode(), Transition::Run);
    Transition::tickAll(3.0);
    EXPECT_EQ(running.getValue(), 5.0);
}

TEST_F(TransitionTest, DestroyedTransitionsLeaveEmptyEntries) {
    ScalarTransition keep;
    const std::size_t before = Transition::registeredCount();
    {
        ScalarTransition gone;
        gone.startTo(1.0, 5);
        EXPECT_EQ(Transition::registeredCount(), before + 1);
    }
    EXPECT_EQ(Transition::registeredCount(), before + 1);
    keep.startTo(2.0, 2);
    Transition::tickAll(1.0); // skips the empty entry
    EXPECT_EQ(keep.getValue(), 1.0);
}

namespace {

// Starts another transition from inside its own tick.
class Spawning : public ScalarTransition {
public:
    std::vector<std::unique_ptr<ScalarTransition>>* spawned = nullptr;
    void tick(double dt) override {
        ScalarTransition::tick(dt);
        if (spawned->empty()) {
            spawned->push_back(std::make_unique<ScalarTransition>());
            spawned->back()->startTo(4.0, 4);
        }
    }
};

} // namespace

TEST_F(TransitionTest, TransitionCreatedDuringTickIsTickedInTheSamePass) {
    std::vector<std::unique_ptr<ScalarTransition>> spawned;
    Spawning parent;
    parent.spawned = &spawned;
    parent.startTo(2.0, 2);
    Transition::tickAll(1.0);
    ASSERT_EQ(spawned.size(), 1u);
    EXPECT_EQ(spawned[0]->getValue(), 1.0);
}

TEST_F(TransitionTest, OnlyRunningTransitionsAreTicked) {
    Transition::tickAll(1.0); // ends whatever earlier tests left running
    const std::size_t before = Transition::runningCount();
    std::vector<ScalarTransition> idle(1000);
    EXPECT_EQ(Transition::runningCount(), before) << "idle ones are not on the list";

    idle[7].startTo(3.0, 3);
    idle[7].startTo(3.0, 3); // started twice, listed once
    EXPECT_EQ(Transition::runningCount(), before + 1);
    Transition::tickAll(1.0);
    EXPECT_EQ(idle[7].getValue(), 1.0);
    Transition::tickAll(2.0);
    EXPECT_EQ(idle[7].getValue(), 3.0);
    EXPECT_EQ(Transition::runningCount(), before) << "an ended one leaves the list";

    // Restarted after it ended, it runs again; stopped, it stays put.
    idle[7].startTo(5.0, 2);
    Transition::tickAll(1.0);
    EXPECT_EQ(idle[7].getValue(), 4.0);
    idle[7].set(0.5);
    Transition::tickAll(1.0);
    EXPECT_EQ(idle[7].getValue(), 0.5);
    EXPECT_EQ(Transition::runningCount(), before);

    // One destroyed while running leaves no dangling entry.
    {
        ScalarTransition gone;
        gone.startTo(1.0, 4);
    }
    Transition::tickAll(1.0);
    EXPECT_EQ(Transition::runningCount(), before);
}

TEST_F(TransitionTest, CopiesAreTransitionsOfTheirOwn) {
    std::vector<ScalarTransition> many(1);
    many[0].startTo(4.0, 4);
    const std::size_t before = Transition::registeredCount();
    many.push_back(many[0]); // may move the first one too
    EXPECT_GT(Transition::registeredCount(), before);
    Transition::tickAll(1.0);
    EXPECT_EQ(many[0].getValue(), 1.0);
    EXPECT_EQ(many[1].getValue(), 1.0);
    many[1].set(0.0);
    Transition::tickAll(1.0);
    EXPECT_EQ(many[0].getValue(), 2.0);
    EXPECT_EQ(many[1].getValue(), 0.0);

    ScalarTransition assigned;
    assigned = many[0];
    Transition::tickAll(1.0);
    EXPECT_EQ(assigned.getValue(), 3.0);
}

TEST_F(TransitionTest, VectorMovesComponentWise) {
    VectorTransition v;
    EXPECT_EQ(v.getValue(), Vector3());
    v.startTo(Vector3(2, -4, 8), 2);
    Transition::tickAll(1.0);
    EXPECT_EQ(v.getValue(), Vector3(1, -2, 4));
    v.setIfIdle(Vector3(9, 9, 9));
    EXPECT_EQ(v.getValue(), Vector3(1, -2, 4));
    v.startTo(Vector3(1, -2, 4), 5);
    EXPECT_FALSE(v.isRunning());
    EXPECT_EQ(v.getValue(), Vector3(1, -2, 4));
}
