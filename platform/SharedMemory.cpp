#include "platform/SharedMemory.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// POSIX shared-memory names are one path component after a leading slash.
std::string systemName(const std::string& name) {
    return "/" + name;
}

bool validName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name.size() < 250;
}

} // namespace

SharedMemory::~SharedMemory() {
    close();
}

bool SharedMemory::open(const std::string& name, std::size_t wordCount) {
    close();
    if (!validName(name) || wordCount == 0)
        return false;
    // Owner-only access: whoever can write the block can press device buttons,
    // and buttons run bound command lines.
    int fd = shm_open(systemName(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const off_t bytes = off_t(wordCount * sizeof(std::int32_t));
    struct stat info;
    bool sized = fstat(fd, &info) == 0 && (info.st_size >= bytes || ftruncate(fd, bytes) == 0);
    void* view = sized
                     ? mmap(nullptr, std::size_t(bytes), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                     : MAP_FAILED;
    ::close(fd); // the mapping keeps the block alive
    if (view == MAP_FAILED)
        return false;
    words_ = static_cast<std::int32_t*>(view);
    count_ = wordCount;
    return true;
}

void SharedMemory::close() {
    if (words_)
        munmap(words_, count_ * sizeof(std::int32_t));
    words_ = nullptr;
    count_ = 0;
}

std::int32_t SharedMemory::load(std::size_t index) const {
    if (index >= count_)
        return 0;
    return __atomic_load_n(&words_[index], __ATOMIC_ACQUIRE);
}

void SharedMemory::store(std::size_t index, std::int32_t value) {
    if (index < count_)
        __atomic_store_n(&words_[index], value, __ATOMIC_RELEASE);
}

std::int32_t SharedMemory::fetchAndClear(std::size_t index, std::int32_t mask) {
    if (index >= count_)
        return 0;
    return __atomic_fetch_and(&words_[index], ~mask, __ATOMIC_ACQ_REL);
}

void SharedMemory::setBits(std::size_t index, std::int32_t mask) {
    if (index < count_)
        __atomic_fetch_or(&words_[index], mask, __ATOMIC_ACQ_REL);
}

void SharedMemory::remove(const std::string& name) {
    if (validName(name))
        shm_unlink(systemName(name).c_str());
}

} // namespace platform
