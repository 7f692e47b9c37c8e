#include "fileorder/FileBytes.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

constexpr size_t kHugePage = size_t(1) << 21;
#ifndef MADV_POPULATE_WRITE
constexpr int MADV_POPULATE_WRITE = 23;  // Linux 5.14; older kernels refuse it harmlessly
#endif

}  // namespace

void FileBytes::Free::operator()(char* bytes) const {
    std::free(bytes);
}

std::unique_ptr<char[], FileBytes::Free> FileBytes::Allocate(size_t size) {
    if (size < kHugePage) {
        auto* bytes = static_cast<char*>(std::malloc(size ? size : 1));
        if (!bytes) {
            throw std::bad_alloc();
        }
        return std::unique_ptr<char[], Free>(bytes);
    }
    const size_t rounded = (size + kHugePage - 1) & ~(kHugePage - 1);
    auto* bytes = static_cast<char*>(std::aligned_alloc(kHugePage, rounded));
    if (!bytes) {
        throw std::bad_alloc();
    }
    ::madvise(bytes, rounded, MADV_HUGEPAGE);
    ::madvise(bytes, rounded, MADV_POPULATE_WRITE);
    return std::unique_ptr<char[], Free>(bytes);
}

FileBytes::FileBytes(std::string_view bytes) : m_bytes(Allocate(bytes.size())), m_size(bytes.size()) {
    if (!bytes.empty()) {
        std::memcpy(m_bytes.get(), bytes.data(), bytes.size());
    }
}

FileBytes FileBytes::Read(int fd, uint64_t offset, uint64_t size) {
    FileBytes read;
    read.m_bytes = Allocate(static_cast<size_t>(size));
    char* bytes = read.m_bytes.get();
    size_t done = 0;
    while (done < size) {
        ssize_t n =
            ::pread(fd, bytes + done, static_cast<size_t>(size) - done, static_cast<off_t>(offset + done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        done += static_cast<size_t>(n);
    }
    read.m_size = done;
    return read;
}
