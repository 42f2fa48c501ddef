#include "engine/DataFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/LogMessage.h"
#include "platform/AtomicFile.h"
#include "platform/ByteOrderMark.h"
#include "platform/NumericLocale.h"
#include "platform/ReadLimits.h"
#include "platform/RegularFile.h"

namespace {

// The white space of scanf's "%s" in the C locale.
bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigitOf(int c, int base) {
    if (base == 16)
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    return c >= '0' && c < '0' + base;
}

// "%i" stores into an int: values that fit 32 bits unsigned wrap as they would,
// anything larger saturates.
int toInt(const std::string& text) {
    errno = 0;
    const long long value = std::strtoll(text.c_str(), nullptr, 0);
    if (errno == ERANGE || value > static_cast<long long>(UINT32_MAX))
        return value < 0 ? INT_MIN : INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    if (value > INT_MAX)
        return static_cast<int>(value - (1LL << 32));
    return static_cast<int>(value);
}

int32_t swapped(int32_t value) {
    return DataFile::swapInt(value);
}
float swapped(float value) {
    return DataFile::swapFloat(value);
}
double swapped(double value) {
    return DataFile::swapDouble(value);
}

// One raw value in the file's byte order. A value cut short by the end of the
// file is garbage, so the target keeps its old value then.
template <typename T> bool readBinaryValue(std::FILE* file, bool swap, T& value) {
    T raw;
    if (std::fread(&raw, sizeof raw, 1, file) != 1)
        return false;
    value = swap ? swapped(raw) : raw;
    return true;
}

} // namespace

DataFile::DataFile() = default;

DataFile::DataFile(const std::string& path, int accessMode, int binary, int byteOrder) {
    open(path, accessMode, binary, byteOrder);
}

DataFile::~DataFile() {
    // A write that close() did not end is thrown away: the file keeps what
    // it held, as after a failed save.
    handle_.reset();
    writer_.reset();
}

DataFile::DataFile(DataFile&&) noexcept = default;
DataFile& DataFile::operator=(DataFile&&) noexcept = default;

bool DataFile::open(const std::string& path, int accessMode, int binary, int byteOrder) {
    // So is an earlier write that was never closed.
    handle_.reset();
    writer_.reset();
    close();
    error_.clear();
    binary_ = binary;
    setByteOrder(byteOrder);
    path_ = path;
    switch (accessMode) {
    case Read:
    case ReadWrite: // only ever read through; "rw" is no valid fopen mode
        handle_.reset(platform::openRegularFile(path, binary != 0, &error_));
        if (handle_ && binary_ != 1)
            platform::skipByteOrderMark(handle_.get());
        return handle_ != nullptr;
    case Write:
        writer_ = std::make_unique<platform::AtomicFile>(path);
        if (!writer_->open()) {
            error_ = writer_->error();
            writer_.reset();
            return false;
        }
        handle_ =
            std::unique_ptr<std::FILE, DataFileCloser>(writer_->stream(), DataFileCloser{false});
        return true;
    default:
        error_ = std::strerror(EINVAL);
        return false;
    }
}

bool DataFile::close() {
    handle_.reset();
    column_ = previousColumn_ = 0;
    stopped_ = false;
    cutReason_.clear();
    if (!writer_)
        return true;
    const bool written = writer_->commit();
    if (!written)
        error_ = writer_->error();
    writer_.reset();
    return written;
}

bool DataFile::good() const {
    // A read error (a directory opened as a file, a vanished device) ends the
    // stream like its end does, so reading loops always stop.
    return handle_ && !stopped_ && !std::feof(handle_.get()) && !std::ferror(handle_.get());
}

void DataFile::setByteOrder(int order) {
    fileByteOrder_ = order == HostOrder ? hostByteOrder() : order;
}

int DataFile::hostByteOrder() {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return BigEndian;
#else
    return LittleEndian;
#endif
}

int32_t DataFile::swapInt(int32_t value) {
    return static_cast<int32_t>(__builtin_bswap32(static_cast<uint32_t>(value)));
}

float DataFile::swapFloat(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = __builtin_bswap32(bits);
    std::memcpy(&value, &bits, sizeof bits);
    return value;
}

double DataFile::swapDouble(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = __builtin_bswap64(bits);
    std::memcpy(&value, &bits, sizeof bits);
    return value;
}

// ---- low-level reading -------------------------------------------------------

int DataFile::nextChar() {
    if (stopped_)
        return EOF;
    // Reads are character-wise on a stream only this thread uses.
    const int c = getc_unlocked(handle_.get());
    if (c == EOF) {
        noteReadError();
        return EOF;
    }
    if (c == '\n' || c == '\r') {
        previousColumn_ = column_;
        column_ = 0;
    } else if (++column_ > platform::maxLineBytes) {
        stopReading("word or line", platform::maxLineBytes);
        return EOF;
    }
    return c;
}

void DataFile::unreadChar(int c) {
    if (c == EOF)
        return;
    ungetc(c, handle_.get());
    if (c == '\n' || c == '\r')
        column_ = previousColumn_;
    else
        --column_;
}

int DataFile::nextLineChar() {
    const int c = nextChar();
    if (c != '\r')
        return c;
    // A carriage return before a line feed stays in the line; alone (old
    // Mac files) it ends the line.
    const int after = nextChar();
    unreadChar(after);
    return after == '\n' ? '\r' : '\n';
}

void DataFile::stopReading(const char* what, std::size_t limit) {
    stopReading("a " + std::string(what) + " is longer than " + std::to_string(limit) + " bytes");
}

void DataFile::stopReading(const std::string& reason) {
    stopped_ = true;
    cutReason_ = reason;
    logMessage("File %s: %s; the rest of the file is not read.", path_.c_str(), cutReason_.c_str());
}

void DataFile::noteReadError() {
    // errno first: it still holds what the failed read set.
    const int error = errno;
    if (!stopped_ && handle_ && std::ferror(handle_.get()))
        stopReading("a read failed: " + std::string(std::strerror(error)));
}

void DataFile::skipSpace() {
    int c;
    do
        c = nextChar();
    while (isSpace(c));
    unreadChar(c);
}

void DataFile::skipRestOfToken() {
    int c;
    do
        c = nextChar();
    while (c != EOF && !isSpace(c));
    unreadChar(c);
}

bool DataFile::readToken(std::string& token) {
    token.clear();
    skipSpace();
    int c = nextChar();
    while (c != EOF && !isSpace(c)) {
        token.push_back(static_cast<char>(c));
        c = nextChar();
    }
    // The delimiter stays in the stream, so that readLine after a token
    // returns the rest of that token's line.
    unreadChar(c);
    if (stopped_)
        token.clear(); // the start of a word past the limit is no data
    return !token.empty();
}

bool DataFile::scanNumber(std::string& text, bool integer) {
    text.clear();
    skipSpace();
    int c = nextChar();
    int digits = 0;
    auto take = [&] {
        text.push_back(static_cast<char>(c));
        c = nextChar();
    };
    if (c == '+' || c == '-')
        take();
    if (integer) {
        int base = 10;
        if (c == '0') {
            take();
            ++digits;
            base = 8;
            if (c == 'x' || c == 'X') {
                take();
                base = 16;
            }
        }
        while (isDigitOf(c, base)) {
            take();
            ++digits;
        }
    } else {
        while (isDigitOf(c, 10)) {
            take();
            ++digits;
        }
        if (c == '.') {
            take();
            while (isDigitOf(c, 10)) {
                take();
                ++digits;
            }
        }
        if (digits > 0 && (c == 'e' || c == 'E')) {
            take();
            if (c == '+' || c == '-')
                take();
            while (isDigitOf(c, 10))
                take();
        }
    }
    unreadChar(c);
    if (stopped_)
        return false;
    if (digits > 0)
        return true;
    // Not a number: scanf would stop here for good, and a reader looping on
    // good() would never get past it. Drop the token instead.
    skipRestOfToken();
    return false;
}

void DataFile::readBinaryString(std::string& out) {
    out.clear();
    if (stopped_)
        return;
    std::FILE* file = handle_.get();
    for (int c = getc_unlocked(file); c != EOF && c != 0; c = getc_unlocked(file)) {
        if (out.size() == platform::maxStringBytes) {
            out.clear();
            stopReading("string", platform::maxStringBytes);
            return;
        }
        out.push_back(static_cast<char>(c));
    }
    noteReadError();
    // Text read after a string starts a line of its own.
    column_ = 0;
}

// ---- typed reads -------------------------------------------------------------

DataFile& DataFile::readInt(int& value) {
    if (!handle_)
        return *this;
    std::string text;
    if (binaryForm()) {
        if (!readBinaryValue(handle_.get(), swapping(), value))
            noteReadError();
    } else if (scanNumber(text, true))
        value = toInt(text);
    return *this;
}

DataFile& DataFile::readIntArray(int* values, int count) {
    if (!handle_ || count <= 0)
        return *this;
    if (binaryForm()) {
        std::vector<int32_t> raw(count);
        const std::size_t got = std::fread(raw.data(), sizeof(int32_t), count, handle_.get());
        if (got < std::size_t(count))
            noteReadError();
        for (std::size_t i = 0; i < got; ++i)
            values[i] = swapping() ? swapInt(raw[i]) : raw[i];
    } else {
        for (int i = 0; i < count; ++i)
            readInt(values[i]);
    }
    return *this;
}

DataFile& DataFile::readFloat(float& value) {
    if (!handle_)
        return *this;
    std::string text;
    if (binaryForm()) {
        if (!readBinaryValue(handle_.get(), swapping(), value))
            noteReadError();
    } else if (scanNumber(text, false))
        value = platform::parseFloat(text.c_str());
    return *this;
}

DataFile& DataFile::readDouble(double& value) {
    if (!handle_)
        return *this;
    std::string token; // a whole token, converted as atof would
    if (binaryForm()) {
        if (!readBinaryValue(handle_.get(), swapping(), value))
            noteReadError();
    } else if (readToken(token))
        value = platform::parseDouble(token.c_str());
    return *this;
}

DataFile& DataFile::readWord(std::string& out) {
    return readString(out);
}

DataFile& DataFile::readString(std::string& out) {
    if (!handle_)
        out.clear();
    else if (binaryForm())
        readBinaryString(out);
    else
        readToken(out);
    return *this;
}

DataFile& DataFile::readLine(std::string& out) {
    out.clear();
    if (!handle_)
        return *this;
    for (int c = nextLineChar(); c != EOF && c != '\n'; c = nextLineChar())
        out.push_back(static_cast<char>(c));
    if (stopped_)
        out.clear();
    return *this;
}

DataFile& DataFile::readLine(char* out, int size) {
    if (!out || size <= 0)
        return *this;
    out[0] = '\0';
    if (!handle_)
        return *this;
    // As fgets reads: at most size - 1 characters, up to and with a line feed.
    int length = 0;
    while (length < size - 1) {
        const int c = nextLineChar();
        if (c == EOF || c == '\n')
            break;
        out[length++] = static_cast<char>(c);
    }
    out[stopped_ ? 0 : length] = '\0';
    return *this;
}

// ---- writing -----------------------------------------------------------------

DataFile& DataFile::writeText(const char* text) {
    if (!handle_ || !text)
        return *this;
    if (binaryForm())
        std::fputs(text, handle_.get());
    else if (std::strcmp(text, "\n") == 0)
        std::fputc('\n', handle_.get());
    else
        std::fprintf(handle_.get(), "%s ", text);
    return *this;
}

DataFile& DataFile::writeString(const std::string& text) {
    if (!handle_)
        return *this;
    std::fwrite(text.data(), 1, text.size(), handle_.get());
    if (!binaryForm())
        std::fputc(' ', handle_.get());
    return *this;
}
