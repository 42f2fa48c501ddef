// Builders of little-endian binary star files for the reader tests.
#pragma once

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace orvextest {

class BinaryFile {
public:
    BinaryFile& i32(int32_t v) { return raw(&v, 4); }
    BinaryFile& f32(float v) { return raw(&v, 4); }
    BinaryFile& xyz(float x, float y, float z) { return f32(x).f32(y).f32(z); }
    const std::string& bytes() const { return bytes_; }
    // The file cut after its first size bytes.
    std::string cut(std::size_t size) const { return bytes_.substr(0, size); }

private:
    BinaryFile& raw(const void* p, std::size_t n) {
        bytes_.append(static_cast<const char*>(p), n); // the test hosts are little-endian
        return *this;
    }
    std::string bytes_;
};

inline std::string writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

} // namespace orvextest
