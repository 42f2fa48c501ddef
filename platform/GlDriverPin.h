// Keeps the loaded GL drivers in memory to the end of the process. GLX
// unloads its driver when the last display connection closes, which happens
// as the program ends; nothing is gained by it then, and a leak checker run
// at exit can no longer tell the driver's own allocations from ours.
#pragma once

namespace platform {

// Marks every GL driver module loaded now (the "*_dri.so" of Mesa) never to be
// unloaded. Does nothing where none is loaded.
void keepGlDriversLoaded();

} // namespace platform
