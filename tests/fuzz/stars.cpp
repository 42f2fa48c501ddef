// The star files: ".dsp" text, ".dsb" binary and the ".dhb" group file in
// its two steps (the reader picked as fuzz::select says).
#include "FuzzSupport.h"
#include "sky/StarFileReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceLog();
    const fuzz::Selected input = fuzz::select(data, size, 3);
    const std::string path = fuzz::writeInput(input.rest, "stars");
    SpaceFileContents contents;
    int groups = 0;
    switch (input.choice) {
    case 0:
        StarFileReader::readAscii(path, contents);
        break;
    case 1:
        StarFileReader::readBinary(path, contents);
        break;
    case 2:
        if (StarFileReader::readHipparcosGroupCount(path, groups))
            StarFileReader::readHipparcosGroups(
                path, 12.0f, groups, [](int k) { return k % 2 == 0; },
                [](int, std::vector<float>& xyz) { (void)xyz; });
        break;
    }
    return 0;
}
