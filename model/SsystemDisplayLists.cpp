// The display lists the bodies share and the bodies' own lists. The root
// builds them once (force 1) when every command object exists; until then a
// rebuild asked for by a command (a sim-mode change, the name font, the sun
// and ambient colours, the line settings) has nothing to rebuild.
#include "model/Ssystem.h"

void Ssystem::makeDisplayLists(int force) {
    if (!listsBuilt_ && !force)
        return;
    if (fullRebuild_) {
        fullRebuild_ = 0;
        listsBuilt_ = 1;
    }
}

void Ssystem::makeOrbitList() {}

void Ssystem::makeHlightOrbitList() {}

void Ssystem::makeAsteroidOrbitList() {}
