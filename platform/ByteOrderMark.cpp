#include "platform/ByteOrderMark.h"

namespace platform {

void skipByteOrderMark(std::FILE* file) {
    const auto markByte = [](std::size_t i) {
        return static_cast<int>(static_cast<unsigned char>(utf8ByteOrderMark[i]));
    };
    const int first = std::getc(file);
    if (first != markByte(0)) {
        if (first == EOF)
            std::clearerr(file); // the reader meets the end, or the error, itself
        else
            std::ungetc(first, file);
        return;
    }
    if (std::getc(file) == markByte(1) && std::getc(file) == markByte(2))
        return;
    // A text that only begins like the mark is read from its start.
    std::clearerr(file);
    std::fseek(file, 0, SEEK_SET);
}

} // namespace platform
