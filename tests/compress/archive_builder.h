// Archives for the archive tests: made member by member from header fields, so
// that tests can set every field (also wrong ones), and a file system for the
// stream operations, which must never touch files.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "compress/archive_headers.h"
#include "compress/codec_harness.h"
#include "platform/file_system.h"

namespace tavlin::test {

struct RawMember {
    TMemberHeader header;
    std::string name;
    Bytes data;
};

// A member of plain data with the right sizes and checksum for method coNone.
inline RawMember StoredMember(const std::string& name, const Bytes& data) {
    RawMember member;
    member.name = name;
    member.data = data;
    member.header.NameLength = static_cast<std::int16_t>(name.size());
    member.header.ExpandedSize = static_cast<std::int32_t>(data.size());
    member.header.CompressedSize = static_cast<std::int32_t>(data.size());
    member.header.Method = 0;
    member.header.StoredChecksum = static_cast<std::int32_t>(SumOf(data));
    member.header.DosDateTime = 0x28210000;  // 2000-01-01 00:00:00
    return member;
}

inline Bytes BuildArchive(const std::vector<RawMember>& members, const std::string& methodID = "NON",
                          std::int32_t totalSize = -1) {
    TArchiveHeader header;
    for (std::size_t i = 0; i < 3; ++i) header.MethodID[i] = i < methodID.size() ? methodID[i] : ' ';
    if (totalSize < 0) {
        totalSize = 0;
        for (const auto& m : members) totalSize += m.header.ExpandedSize;
    }
    header.TotalSize = totalSize;
    const auto headerBytes = EncodeArchiveHeader(header);
    Bytes out(headerBytes.begin(), headerBytes.end());
    for (const auto& m : members) {
        const auto bytes = EncodeMemberHeader(m.header);
        out.insert(out.end(), bytes.begin(), bytes.end());
        out.insert(out.end(), m.name.begin(), m.name.end());
        out.insert(out.end(), m.data.begin(), m.data.end());
    }
    return out;
}

// Stream operations get this file system: any use of it fails the test.
class UnusedFileSystem : public FileSystem {
public:
    [[noreturn]] static void Used() { throw std::logic_error("a stream operation used the file system"); }
    std::vector<FindData> findAll(const std::string&) override { Used(); }
    std::optional<std::uint32_t> attributes(const std::string&) override { Used(); }
    bool setAttributes(const std::string&, std::uint32_t) override { Used(); }
    std::unique_ptr<FileStream> openRead(const std::string&) override { Used(); }
    std::unique_ptr<FileStream> create(const std::string&) override { Used(); }
    bool deleteFile(const std::string&) override { Used(); }
    bool createDirectory(const std::string&) override { Used(); }
    bool removeDirectory(const std::string&) override { Used(); }
    std::string currentDirectory() override { Used(); }
    bool setCurrentDirectory(const std::string&) override { Used(); }
    std::string fullPathName(const std::string&) override { Used(); }
    std::optional<DiskFreeSpace> diskFreeSpace(const std::string&) override { Used(); }
    std::optional<std::uint32_t> lastWriteTime(const std::string&) override { Used(); }
    std::optional<std::string> shortPathName(const std::string&) override { Used(); }
    std::string windowsDirectory() override { Used(); }
    std::string systemDirectory() override { Used(); }
};

}  // namespace tavlin::test
