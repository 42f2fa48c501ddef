// A double that moves linearly to its target.
#pragma once

#include "engine/LinearTransition.h"

class ScalarTransition : public LinearTransition<double> {};
