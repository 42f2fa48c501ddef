// The stream every data, configuration, list, scenario and option file is read
// and written through.
//
// Text files are whitespace-separated tokens: keywords end in ":", a token
// starting with "#" begins a comment to the end of its line, a token starting
// with "}" closes a record. Binary files hold the same keywords and names as
// NUL-terminated strings and numbers as raw 4- or 8-byte values, byte-swapped
// when the file's byte order differs from the host's.
//
// A file opened for writing is written whole or not at all: the text goes to a
// temporary file beside it, which close() flushes, checks, syncs and renames
// over the file. Only a true close() means the file was written; without it
// the file stays as it was.
//
// Failures show only in results: a false open, a stream that is no longer good,
// a false close. The exceptions are a read that fails (a failing disk) and a
// file that cannot be real data: a word or line longer than
// platform::maxLineBytes, or a binary string longer than
// platform::maxStringBytes (so that a huge file without line breaks, or an
// endless one, costs a bounded read). Each ends the reading as the end of the
// file would, a message names the file, and cutReason() says why.
// A read that finds nothing (closed stream, end of file) leaves a number as it
// was and gives an empty word or line, so callers can tell it from data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace platform {
class AtomicFile;
}

// Closes a reading stream; a writing stream belongs to its AtomicFile.
struct DataFileCloser {
    bool owned = true;
    void operator()(std::FILE* file) const {
        if (owned)
            std::fclose(file);
    }
};

class DataFile {
public:
    // Access modes. Read-write streams are only ever read from, so they open
    // for reading.
    static constexpr int Read = 0;
    static constexpr int Write = 1;
    static constexpr int ReadWrite = 2;

    // Byte-order codes of a file.
    static constexpr int LittleEndian = 0;
    static constexpr int BigEndian = 1;
    static constexpr int HostOrder = 2;

    DataFile();
    explicit DataFile(const std::string& path, int accessMode = Read, int binary = 0,
                      int byteOrder = HostOrder);
    ~DataFile();
    DataFile(DataFile&&) noexcept;
    DataFile& operator=(DataFile&&) noexcept;
    DataFile(const DataFile&) = delete;
    DataFile& operator=(const DataFile&) = delete;

    // Opens the file (closing any earlier one). binary != 0 opens in binary
    // mode; the binary value forms are used only when binary is 1. A text
    // read starts after a UTF-8 byte-order mark.
    bool open(const std::string& path, int accessMode = Read, int binary = 0,
              int byteOrder = HostOrder);
    // Closes the file. For a file opened for writing this is the moment it is
    // replaced; false when it could not be written (the old file stays whole).
    // A writing stream destroyed or opened again without close() is thrown
    // away: the file stays as it was.
    bool close();
    bool closeStream() { return close(); }
    // Why the last open or close failed, in the system's words ("No such
    // file or directory", "No space left on device").
    const std::string& error() const { return error_; }

    // True while a file is open and no read has run into its end (or an error,
    // or a word or line past the limits).
    // A loop that tests good() before each read therefore makes one last read
    // that finds nothing.
    bool good() const;
    // Why the reading stopped before the end of the file ("a word or line is
    // longer than 65535 bytes", "a read failed: Input/output error"); empty
    // while it has not.
    const std::string& cutReason() const { return cutReason_; }

    // Text: "%i" (a leading "0x" reads hexadecimal, a leading "0" octal).
    // Binary: 4 bytes.
    DataFile& readInt(int& value);
    // count values as readInt reads them (binary: one read of count * 4 bytes).
    DataFile& readIntArray(int* values, int count);
    // Text: "%f". Binary: 4 bytes.
    DataFile& readFloat(float& value);
    // Text: one token converted as atof does (a token that is no number gives
    // 0.0). Binary: 8 bytes.
    DataFile& readDouble(double& value);
    // Text: one token. Binary: the bytes up to a NUL byte or the end of the file.
    DataFile& readWord(std::string& out);
    DataFile& readString(std::string& out);
    // The rest of the current line without its line feed (a carriage return
    // before it stays). A carriage return alone ends a line too.
    DataFile& readLine(std::string& out);
    // At most size - 1 characters of the current line into out, NUL-terminated,
    // without the line feed when it was read.
    DataFile& readLine(char* out, int size);

    // Sets the file's byte order after opening (HostOrder: the host's).
    void setByteOrder(int order);

    // Text: the string and one blank, except that "\n" is written alone.
    // Binary: the characters without their NUL.
    DataFile& writeText(const char* text);
    // Text: the string and one blank. Binary: the characters.
    DataFile& writeString(const std::string& text);

    // The host's byte-order code (LittleEndian or BigEndian).
    static int hostByteOrder();
    static int32_t swapInt(int32_t value);
    static float swapFloat(float value);
    static double swapDouble(double value);

private:
    bool binaryForm() const { return binary_ == 1 && handle_; }
    bool swapping() const { return fileByteOrder_ != hostByteOrder(); }
    // The next character of a text read, or EOF: also once the current line
    // has grown past the limit, which stops the reading for good.
    int nextChar();
    // Puts back the one character just read.
    void unreadChar(int c);
    // nextChar for line reads: a carriage return alone comes as a line feed.
    int nextLineChar();
    void stopReading(const char* what, std::size_t limit);
    void stopReading(const std::string& reason);
    // After a read that found nothing: a failed read (a failing disk or
    // network share) ends the stream with its reason, as a line past the
    // limit does, so that the part read is not taken for the whole file.
    void noteReadError();
    // The next whitespace-delimited token; false when the file ends first.
    bool readToken(std::string& token);
    // The longest prefix of the next token that scanf's "%i" or "%f" would take.
    bool scanNumber(std::string& text, bool integer);
    void skipSpace();
    void skipRestOfToken();
    void readBinaryString(std::string& out);

    std::unique_ptr<std::FILE, DataFileCloser> handle_;
    std::unique_ptr<platform::AtomicFile> writer_;
    int binary_ = 0;
    int fileByteOrder_ = hostByteOrder();
    std::string error_;
    std::string path_;
    // Characters read since the last line end (a line feed or a carriage
    // return), and before it (for the one character a read puts back).
    std::size_t column_ = 0;
    std::size_t previousColumn_ = 0;
    bool stopped_ = false;
    std::string cutReason_;
};
