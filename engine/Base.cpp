#include "engine/Base.h"

#include "engine/Main.h"

Base::Base(const char* classWord, Main* owner) {
    if (owner)
        owner->interp.addClass(classWord, this, &Base::executeThunk, &Base::getValueThunk,
                               &Base::saveStatesThunk, &Base::saveOptionsThunk);
}

Base::~Base() = default;

const char* Base::getName() const {
    return "Base";
}

int Base::execute() {
    return 0;
}

std::string Base::getValue() {
    return "Undefined";
}

std::string Base::saveStates() {
    return {};
}

std::string Base::saveOptions() {
    return {};
}

int Base::executeThunk(Base* object) {
    return object->execute();
}

std::string Base::getValueThunk(Base* object) {
    return object->getValue();
}

std::string Base::saveStatesThunk(Base* object) {
    return object->saveStates();
}

std::string Base::saveOptionsThunk(Base* object) {
    return object->saveOptions();
}
