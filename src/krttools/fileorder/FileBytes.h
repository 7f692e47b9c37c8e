#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

// Bytes of a file read into memory in one piece, left uninitialised until the read fills them.
// A large file goes into memory aligned for huge pages, which the kernel is asked to back and
// fill before the read: otherwise reading a 10 MB table costs one page fault per 4 KB, more
// than the read itself. Those requests are hints; the read works without them.
class FileBytes {
public:
    FileBytes() = default;
    // A copy of bytes already in memory.
    explicit FileBytes(std::string_view bytes);

    // Up to size bytes of the file from offset; fewer when the file ends sooner. Throws
    // std::bad_alloc when the memory cannot be had.
    static FileBytes Read(int fd, uint64_t offset, uint64_t size);

    const char* Data() const { return m_bytes.get(); }
    size_t Size() const { return m_size; }
    std::string_view View() const { return {m_bytes.get(), m_size}; }

private:
    struct Free {
        void operator()(char* bytes) const;
    };
    static std::unique_ptr<char[], Free> Allocate(size_t size);

    std::unique_ptr<char[], Free> m_bytes;
    size_t m_size = 0;
};
