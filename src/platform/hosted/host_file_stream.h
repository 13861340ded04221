// A file of the machine opened as a stream: a host file descriptor plus its entry
// in the table of open files, which it leaves when destroyed.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/hosted/open_file_table.h"
#include "platform/stream.h"

namespace tavlin::hosted {

class HostFileStream : public FileStream {
public:
    // Takes over an open descriptor that the table already counts under key.
    HostFileStream(int fd, bool writer, std::shared_ptr<OpenFileTable> table, std::string key);
    ~HostFileStream() override;
    HostFileStream(const HostFileStream&) = delete;
    HostFileStream& operator=(const HostFileStream&) = delete;

    std::size_t read(void* buffer, std::size_t count) override;
    void writeBuffer(const void* buffer, std::size_t count) override;
    std::int64_t seek(std::int64_t offset, SeekOrigin origin) override;
    std::int64_t size() override;
    bool setLastWriteTime(std::uint32_t dosDateTime) override;

private:
    bool applyWriteTime();

    int fd_;
    bool writer_;
    std::shared_ptr<OpenFileTable> table_;
    std::string key_;
    std::optional<long long> writeTime_;  // set explicitly; outlasts later writes, as on Windows
    bool writtenSinceTime_ = false;
    // Where the descriptor stands, which only this stream moves; asking for it, or
    // going where it already is, then needs no call.
    std::optional<std::int64_t> position_ = 0;
};

}  // namespace tavlin::hosted
