// A Vector3 that moves linearly, component by component, to its target.
#pragma once

#include "engine/LinearTransition.h"
#include "engine/Vector3.h"

class VectorTransition : public LinearTransition<Vector3> {};
