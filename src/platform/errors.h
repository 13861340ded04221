// The exception classes that the platform layer raises and that the rest of the
// system derives its own classes from. Every error carries only its message.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace tavlin {

// The base of every exception this system raises on purpose.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// Stream failures, named after the errors the Windows run-time library raises.
class EStreamError : public Exception {
public:
    using Exception::Exception;
};

// "Cannot open file %s"
class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// "Cannot create file %s"
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A short read where all bytes were required.
class EReadError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A write that could not store all its bytes.
class EWriteError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// An operating-system call that failed; the message names the call and gives the
// system's own text and code.
class EOSError : public Exception {
public:
    EOSError(const std::string& message, std::uint32_t code) : Exception(message), code_(code) {}
    std::uint32_t code() const { return code_; }

private:
    std::uint32_t code_;
};

// Folder creation and other file-system failures reported as I/O errors.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

}  // namespace tavlin
