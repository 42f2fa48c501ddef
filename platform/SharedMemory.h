// A named block of memory shared with other processes, seen as 32-bit words.
// An outside device program publishes its state in such a block; both sides
// map the same name, and either may have created it first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class SharedMemory {
public:
    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Creates the block or opens the existing one, at least wordCount words
    // long, and maps it for reading and writing. A new block reads as zeros.
    // The name is a plain word such as "DUUID_DATA" (no slashes). False when
    // the block cannot be created or mapped; the object then stays closed.
    bool open(const std::string& name, std::size_t wordCount);
    // Unmaps the block. The block itself stays for the other side.
    void close();
    bool isOpen() const { return words_ != nullptr; }
    std::size_t wordCount() const { return count_; }

    // Single-word access; the other process may write at any time, so every
    // access is one atomic operation on the shared word. Indices outside the
    // block, or a closed block, read 0 and write nothing.
    std::int32_t load(std::size_t index) const;
    void store(std::size_t index, std::int32_t value);
    // Clears the mask's bits in one atomic step and returns the word as it was
    // just before: a bit the other side sets meanwhile is either seen here or
    // kept in the word, never lost.
    std::int32_t fetchAndClear(std::size_t index, std::int32_t mask);
    // Sets the mask's bits in one atomic step (what the device program does).
    void setBits(std::size_t index, std::int32_t mask);

    // Removes the name from the system (tests clean up their private blocks).
    static void remove(const std::string& name);

private:
    std::int32_t* words_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace platform
