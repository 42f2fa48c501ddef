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

int globalMode = Transition::Run;

} // namespace

Transition::Transition() : mode_(globalMode) {
    enrol();
}

Transition::Transition(const Transition& other)
    : mode_(other.mode_), elapsed_(other.elapsed_), duration_(other.duration_) {
    enrol();
}

Transition& Transition::operator=(const Transition& other) {
    mode_ = other.mode_;
    elapsed_ = other.elapsed_;
    duration_ = other.duration_;
    return *this;
}

Transition::~Transition() {
    std::vector<Transition*>& list = registry();
    if (index_ < list.size())
        list[index_] = nullptr;
}

void Transition::enrol() {
    std::vector<Transition*>& list = registry();
    index_ = list.size();
    list.push_back(this);
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
}

void Transition::tickAll(double dt) {
    // Index, not iterator: a tick may create transitions and grow the list.
    std::vector<Transition*>& list = registry();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (Transition* t = list[i])
            t->tick(dt);
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
