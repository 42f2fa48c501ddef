#include "engine/Transition.h"

#include <vector>

namespace {

// Never destroyed, so that transitions in static objects may outlive the
// other statics. Entries of destroyed transitions become null and stay, so
// that indices remain valid.
std::vector<Transition*>& registry() {
    static auto* list = new std::vector<Transition*>;
    return *list;
}

// The transitions that may run, in the order they started; entries of
// destroyed ones become null until the end of the next tick pass.
std::vector<Transition*>& runningList() {
    static auto* list = new std::vector<Transition*>;
    return *list;
}

int globalMode = Transition::Run;

} // namespace

Transition::Transition() : mode_(globalMode) {
    enrol();
}

Transition::Transition(const Transition& other)
    : mode_(other.mode_), elapsed_(other.elapsed_), duration_(other.duration_) {
    enrol();
    if (isRunning())
        enrolRunning();
}

Transition& Transition::operator=(const Transition& other) {
    mode_ = other.mode_;
    elapsed_ = other.elapsed_;
    duration_ = other.duration_;
    if (isRunning())
        enrolRunning();
    return *this;
}

Transition::~Transition() {
    std::vector<Transition*>& list = registry();
    if (index_ < list.size())
        list[index_] = nullptr;
    std::vector<Transition*>& running = runningList();
    if (runningIndex_ < running.size())
        running[runningIndex_] = nullptr;
}

void Transition::enrol() {
    std::vector<Transition*>& list = registry();
    index_ = list.size();
    list.push_back(this);
}

void Transition::enrolRunning() {
    if (runningIndex_ != notRunning)
        return;
    std::vector<Transition*>& running = runningList();
    runningIndex_ = running.size();
    running.push_back(this);
}

void Transition::tick(double dt) {
    if (mode_ != Run || elapsed_ < 0.0)
        return;
    elapsed_ += dt;
    if (elapsed_ >= duration_)
        elapsed_ = -1.0;
}

void Transition::begin(int frames) {
    duration_ = frames > 0 ? static_cast<double>(frames) : 1.0;
    elapsed_ = 0.0;
    enrolRunning();
}

void Transition::tickAll(double dt) {
    // Index, not iterator: a tick may start transitions and grow the list.
    std::vector<Transition*>& running = runningList();
    for (std::size_t i = 0; i < running.size(); ++i)
        if (Transition* t = running[i])
            t->tick(dt);
    // Those that ended (or were stopped or destroyed) leave the list.
    std::size_t kept = 0;
    for (Transition* t : running) {
        if (!t)
            continue;
        if (!t->isRunning()) {
            t->runningIndex_ = notRunning;
            continue;
        }
        t->runningIndex_ = kept;
        running[kept++] = t;
    }
    running.resize(kept);
}

void Transition::setGlobalMode(int mode) {
    for (Transition* t : registry())
        if (t)
            t->mode_ = mode;
    globalMode = mode;
}

int Transition::getGlobalMode() {
    return globalMode;
}

std::size_t Transition::registeredCount() {
    return registry().size();
}

std::size_t Transition::runningCount() {
    return runningList().size();
}
