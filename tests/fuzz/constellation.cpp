// Constellation files: the list (".cdl" naming the constellation files), one
// constellation file, and the two art formats (fuzz::select picks one).
// Without a GL context the display lists compile to nothing.
#include "FuzzSupport.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Conste.h"
#include "sky/ConsteArt.h"
#include "sky/ConsteSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::ensureApplication();
    fuzz::silenceLog();
    const fuzz::Selected input = fuzz::select(data, size, 4);
    platform::CurrentDirGuard scratch(fuzz::scratchDir());
    ConsteArt art;
    switch (input.choice) {
    case 0: {
        // The list names files in its directory: give it two to find.
        fuzz::writeInput("Name: Alpha\nPos: 90 30\nLines:\n1 2 3\n}\n", "constes/Alpha.cdl");
        fuzz::writeInput(input.rest, "constes/constes.cdl");
        ConsteSet set;
        set.load("constes/");
        break;
    }
    case 1: {
        Conste conste;
        conste.load(fuzz::writeInput(input.rest, "constes/one.cdl"));
        break;
    }
    case 2:
        readArtCab(fuzz::writeInput(input.rest, "art.cab"), art);
        break;
    case 3:
        readArtCat(fuzz::writeInput(input.rest, "art.cat"), art);
        break;
    }
    return 0;
}
