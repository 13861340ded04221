// POSIX reads, writes and time stamps for the machine's file streams.
#include "platform/hosted/host_file_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/errors.h"
#include "platform/hosted/dos_time.h"

namespace tavlin::hosted {

HostFileStream::HostFileStream(int fd, bool writer, std::shared_ptr<OpenFileTable> table, std::string key)
    : fd_(fd), writer_(writer), table_(std::move(table)), key_(std::move(key)) {}

HostFileStream::~HostFileStream() {
    // A destructor cannot report a failure; the time was already set once when asked for.
    if (writeTime_ && writtenSinceTime_) applyWriteTime();
    ::close(fd_);
    if (writer_) {
        table_->closeWriter(key_);
    } else {
        table_->closeReader(key_);
    }
}

namespace {
constexpr std::size_t kReadBlock = 64 * 1024;
}  // namespace

std::size_t HostFileStream::readHost(void* buffer, std::size_t count) {
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, count);
        if (n >= 0) return static_cast<std::size_t>(n);
        if (errno != EINTR) {
            position_.reset();
            throw EReadError("Stream read error");
        }
    }
}

std::size_t HostFileStream::read(void* buffer, std::size_t count) {
    auto* out = static_cast<char*>(buffer);
    const std::size_t buffered = std::min(count, end_ - next_);
    if (buffered > 0) std::memcpy(out, buffer_.get() + next_, buffered);
    next_ += buffered;
    if (position_) *position_ += static_cast<std::int64_t>(buffered);
    if (buffered == count) return count;
    dropBuffer();
    // The buffer is spent. A large read goes straight to the host, a small one
    // fills the buffer first; either way one call, as a plain read would make.
    const std::size_t wanted = count - buffered;
    std::size_t got = 0;
    if (writer_ || wanted >= kReadBlock || !position_) {
        got = readHost(out + buffered, wanted);
    } else {
        if (!buffer_) buffer_ = std::make_unique_for_overwrite<char[]>(kReadBlock);
        end_ = readHost(buffer_.get(), kReadBlock);
        got = std::min(wanted, end_);
        std::memcpy(out + buffered, buffer_.get(), got);
        next_ = got;
    }
    if (position_) *position_ += static_cast<std::int64_t>(got);
    return buffered + got;
}

void HostFileStream::writeBuffer(const void* buffer, std::size_t count) {
    const auto* bytes = static_cast<const char*>(buffer);
    if (!writer_ && count > 0) throw EWriteError("Stream write error");
    if (count > 0) writtenSinceTime_ = true;  // the host moves the time of a write
    while (count > 0) {
        const ssize_t n = ::write(fd_, bytes, count);
        if (n < 0) {
            if (errno == EINTR) continue;
            position_.reset();
            throw EWriteError("Stream write error");
        }
        if (position_) *position_ += n;
        bytes += n;
        count -= static_cast<std::size_t>(n);
    }
}

std::int64_t HostFileStream::seek(std::int64_t offset, SeekOrigin origin) {
    if (position_ && origin == SeekOrigin::Current) {
        if (offset == 0) return *position_;
        offset += *position_;
        origin = SeekOrigin::Begin;
    }
    if (position_ && origin == SeekOrigin::Begin) {
        // Within what was read ahead (or where the stream stands): no call.
        const std::int64_t blockStart = *position_ - static_cast<std::int64_t>(next_);
        if (offset >= blockStart && offset <= blockStart + static_cast<std::int64_t>(end_)) {
            next_ = static_cast<std::size_t>(offset - blockStart);
            position_ = offset;
            return offset;
        }
    }
    // Nothing read ahead is kept: the host's position is the stream's again.
    dropBuffer();
    int whence = SEEK_SET;
    if (origin == SeekOrigin::Current) whence = SEEK_CUR;
    if (origin == SeekOrigin::End) whence = SEEK_END;
    const off_t position = ::lseek(fd_, static_cast<off_t>(offset), whence);
    if (position < 0) {
        position_.reset();
        throw EStreamError("Stream seek error");
    }
    position_ = position;
    return position;
}

std::int64_t HostFileStream::size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) throw EStreamError("Stream seek error");
    return info.st_size;
}

bool HostFileStream::setLastWriteTime(std::uint32_t dosDateTime) {
    const auto seconds = hostTimeFromDos(dosDateTime);
    if (!seconds) return false;
    writeTime_ = *seconds;
    // Set again on closing only when a write moved it since (or this failed).
    const bool applied = applyWriteTime();
    writtenSinceTime_ = !applied;
    return applied;
}

bool HostFileStream::applyWriteTime() {
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(*writeTime_);
    times[1].tv_nsec = 0;
    return ::futimens(fd_, times) == 0;
}

}  // namespace tavlin::hosted
