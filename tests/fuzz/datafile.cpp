// DataFile's reads in the byte order ORVEX_FUZZ_BYTE_ORDER: the first input
// byte picks text or binary form, the next ones the reads to make, the rest
// is the file.
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "engine/DataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int binary = data[0] & 1;
    const std::size_t reads = 1 + (data[0] >> 1) % 32;
    if (size < 1 + reads)
        return 0;
    const uint8_t* ops = data + 1;
    const std::string path = fuzz::writeInput(ops + reads, size - 1 - reads, "data");
    DataFile file(path, DataFile::Read, binary, ORVEX_FUZZ_BYTE_ORDER);
    int number = 0;
    float real = 0;
    double wide = 0;
    std::string text;
    char line[64];
    int values[8];
    // The reads again and again until the file ends, as the readers loop.
    for (int round = 0; round < 10000 && file.good(); ++round) {
        switch (ops[round % reads] % 8) {
        case 0:
            file.readInt(number);
            break;
        case 1:
            file.readFloat(real);
            break;
        case 2:
            file.readDouble(wide);
            break;
        case 3:
            file.readWord(text);
            break;
        case 4:
            file.readString(text);
            break;
        case 5:
            file.readLine(text);
            break;
        case 6:
            file.readLine(line, int(sizeof line));
            break;
        case 7:
            file.readIntArray(values, 1 + ops[round % reads] % 8);
            break;
        }
    }
    return 0;
}
