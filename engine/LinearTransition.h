// A transition whose value moves on a straight line from start to end: T
// needs +, - and * by a double.
#pragma once

#include "engine/ValueTransition.h"

template <typename T> class LinearTransition : public ValueTransition<T> {
public:
    T getValue() const { return currentValue(); }

protected:
    T currentValue() const override {
        if (!this->isRunning())
            return this->end_;
        return this->start_ + (this->end_ - this->start_) * this->fraction();
    }
};
