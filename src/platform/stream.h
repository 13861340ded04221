// Byte streams: the sources and destinations that the archive engine, the segment
// reader and the file helpers move data through. Sources return short reads; a
// destination writes every byte or raises.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tavlin {

enum class SeekOrigin { Begin, Current, End };

class Stream {
public:
    virtual ~Stream() = default;

    // Reads up to count bytes; returns how many were read, 0 at the end.
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or raises EWriteError.
    virtual void writeBuffer(const void* buffer, std::size_t count) = 0;
    // Moves the position and returns the new one.
    virtual std::int64_t seek(std::int64_t offset, SeekOrigin origin) = 0;

    std::int64_t position() { return seek(0, SeekOrigin::Current); }
    virtual std::int64_t size();
    // Reads exactly count bytes or raises EReadError.
    void readBuffer(void* buffer, std::size_t count);
    // Reads up to count bytes across short reads; returns how many were read
    // (fewer only at the end of the stream).
    std::size_t readUpTo(void* buffer, std::size_t count);
};

// A stream over a growable byte vector; used for in-memory archives and tests.
class MemoryStream : public Stream {
public:
    MemoryStream() = default;
    explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t read(void* buffer, std::size_t count) override;
    void writeBuffer(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override { return static_cast<std::int64_t>(bytes_.size()); }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    std::vector<std::uint8_t>& bytes() { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

// A file opened by the platform's file system. Closing happens on destruction.
class FileStream : public Stream {
public:
    // Sets the file's last-write time from an MS-DOS date and time (high 16 bits
    // date, low 16 bits time) taken as local time. Returns false on failure.
    virtual bool setLastWriteTime(std::uint32_t dosDateTime) = 0;
};

}  // namespace tavlin
