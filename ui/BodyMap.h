// The picture file of the selected body's map, as the control panel's map
// and the place editor's show it.
#pragma once

#include <string>

class EngineLink;

namespace BodyMap {

// The engine names a body's texture as its data file does ("mars.jpg") and
// finds it in its texture directory; the map looks there as well, and takes
// the name as it stands when the directory has no such file. Empty without
// an engine.
std::string textureFile(EngineLink* engine);

} // namespace BodyMap
