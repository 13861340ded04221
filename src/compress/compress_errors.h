// The exception classes of the archive engine, each with its fixed message.
#pragma once

#include <string>

#include "platform/errors.h"

namespace tavlin {

class EInvalidHeader : public Exception {
public:
    EInvalidHeader() : Exception("Can't recognize compressed file header") {}
};

class EInvalidHeaderArchiveType : public Exception {
public:
    EInvalidHeaderArchiveType() : Exception("Archive type must be caMulti") {}
};

class EUnrecognizedCompressionMethod : public Exception {
public:
    explicit EUnrecognizedCompressionMethod(const std::string& id)
        : Exception("Unrecognized compression method: \"" + id + "\" in header") {}
};

class EInsufficientDiskSpace : public Exception {
public:
    explicit EInsufficientDiskSpace(const std::string& path)
        : Exception("Not enough disk space to expand " + path) {}
};

class EInvalidKey : public Exception {
public:
    EInvalidKey() : Exception("File locked -- valid key required") {}
};

class EBadChecksum : public Exception {
public:
    EBadChecksum() : Exception("Bad checksum during expansion -- data may be invalid") {}
};

class ELZHBadDecodeTable : public Exception {
public:
    ELZHBadDecodeTable() : Exception("Bad decode table in archive!") {}
};

class EUnableToCompress : public Exception {
public:
    EUnableToCompress() : Exception("Could not compress data, will store instead") {}
};

// A stored name that could put a file outside the folder it expands into: a
// ".." component, a drive letter, a stream name or a network path.
class EUnsafeMemberName : public Exception {
public:
    explicit EUnsafeMemberName(const std::string& name)
        : Exception("Unsafe member name in archive: " + name) {}
};

// Writing: sizes that the 32-bit fields of the headers cannot hold.
class EArchiveTooLarge : public Exception {
public:
    explicit EArchiveTooLarge(const std::string& what)
        : Exception("Too large for an archive: " + what) {}
};

// Writing: method coCustom without an OnCompress handler.
class ENoCompressor : public Exception {
public:
    explicit ENoCompressor(const std::string& id) : Exception("No compressor for method " + id) {}
};

// Writing: the progress handler stopped a member's compression.
class EArchiveCancelled : public Exception {
public:
    EArchiveCancelled() : Exception("Archive writing cancelled") {}
};

}  // namespace tavlin
