// POSIX implementations of the state-file services.
#include "platform/hosted/state_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/errors.h"

namespace tavlin::hosted {

namespace {

[[noreturn]] void raise(const std::string& what, const std::filesystem::path& file) {
    throw EInOutError(what + " " + file.string() + ": " + std::strerror(errno));
}

// Writes every byte; false with errno set when the system refuses.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Closes the descriptor; false with errno set when the data did not reach the file.
bool finish(int fd, bool written) {
    const int saved = errno;
    const bool closed = ::close(fd) == 0;
    if (!written) errno = saved;
    return written && closed;
}

}  // namespace

namespace {

FileStamp stampFrom(const struct stat& info) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    return stamp;
}

}  // namespace

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) return {};
    return stampFrom(info);
}

std::optional<std::string> readHostFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return bytes;
}

void replaceHostFile(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temporary = file;
    temporary += ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) raise("Cannot create", temporary);
    if (!finish(fd, writeAll(fd, bytes)) || ::rename(temporary.c_str(), file.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        raise("Cannot write", file);
    }
}

FileStamp appendHostFile(const std::filesystem::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) raise("Cannot open", file);
    const bool written = writeAll(fd, bytes);
    // The open descriptor tells the stamp without another walk along the path.
    struct stat info {};
    const bool known = written && ::fstat(fd, &info) == 0;
    if (!finish(fd, written)) raise("Cannot write", file);
    return known ? stampFrom(info) : stampOf(file);
}

AppendFile::~AppendFile() { close(); }

void AppendFile::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

FileStamp AppendFile::append(const std::filesystem::path& file, std::string_view bytes) {
    for (bool reopened = false;; reopened = true) {
        if (fd_ < 0) {
            fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
            if (fd_ < 0) raise("Cannot open", file);
        }
        struct stat info {};
        if (!writeAll(fd_, bytes) || ::fstat(fd_, &info) != 0) {
            const int saved = errno;
            close();
            errno = saved;
            raise("Cannot write", file);
        }
        if (info.st_nlink > 0 || reopened) return stampFrom(info);
        close();
    }
}

}  // namespace tavlin::hosted
