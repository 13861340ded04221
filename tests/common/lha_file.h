// Minimal .lzh (LHA) archive files for the codec tests: wraps a raw -lh5- or
// -lh1- stream into a one-member level-0 archive that an independent LHA tool
// can decode, and takes the raw member streams out of level-0 and level-1
// archives that other encoders made.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace tavlin::test {

// CRC-16 as LHA stores it for the original data (polynomial 0xA001, reflected).
inline std::uint16_t LhaCrc16(const std::vector<std::uint8_t>& data) {
    std::uint16_t crc = 0;
    for (const std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : crc >> 1;
    }
    return crc;
}

// A one-member level-0 archive: method is "-lh5-" or "-lh1-", raw the member's
// compressed stream and original the bytes it decodes to.
inline std::vector<std::uint8_t> MakeLhaArchive(const std::string& method, const std::string& name,
                                                const std::vector<std::uint8_t>& raw,
                                                const std::vector<std::uint8_t>& original) {
    auto le = [](std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    std::vector<std::uint8_t> header;
    header.insert(header.end(), method.begin(), method.end());
    le(header, static_cast<std::uint32_t>(raw.size()), 4);
    le(header, static_cast<std::uint32_t>(original.size()), 4);
    le(header, 0x28210000u, 4);  // 2000-01-01 00:00:00 as DOS time (low word) and date (high word)
    header.push_back(0x20);      // attribute
    header.push_back(0);         // header level
    header.push_back(static_cast<std::uint8_t>(name.size()));
    header.insert(header.end(), name.begin(), name.end());
    le(header, LhaCrc16(original), 2);

    std::uint8_t sum = 0;
    for (const std::uint8_t byte : header) sum = static_cast<std::uint8_t>(sum + byte);
    std::vector<std::uint8_t> archive = {static_cast<std::uint8_t>(header.size()), sum};
    archive.reserve(2 + header.size() + raw.size() + 1);
    archive.insert(archive.end(), header.begin(), header.end());
    archive.insert(archive.end(), raw.begin(), raw.end());
    archive.push_back(0);  // end of archive
    return archive;
}

struct LhaMember {
    std::string method;  // "-lh5-", "-lh1-", "-lh0-" ...
    std::string name;
    std::uint32_t originalSize = 0;
    std::uint16_t crc = 0;          // CRC-16 of the original bytes (LhaCrc16)
    std::vector<std::uint8_t> raw;  // the compressed stream
};

// The members of a level-0 or level-1 archive.
inline std::vector<LhaMember> ReadLhaArchive(const std::vector<std::uint8_t>& archive) {
    auto le = [&](std::size_t at, int bytes) {
        if (at + static_cast<std::size_t>(bytes) > archive.size()) throw std::runtime_error("truncated LHA header");
        std::uint32_t value = 0;
        for (int i = 0; i < bytes; ++i) value |= static_cast<std::uint32_t>(archive[at + i]) << (8 * i);
        return value;
    };
    std::vector<LhaMember> members;
    std::size_t pos = 0;
    while (pos < archive.size() && archive[pos] != 0) {
        const std::size_t headerSize = archive[pos];
        const int level = static_cast<int>(le(pos + 20, 1));
        LhaMember member;
        member.method.assign(archive.begin() + static_cast<std::ptrdiff_t>(pos + 2),
                             archive.begin() + static_cast<std::ptrdiff_t>(pos + 7));
        std::uint32_t dataSize = le(pos + 7, 4);
        member.originalSize = le(pos + 11, 4);
        const std::size_t nameLength = le(pos + 21, 1);
        member.name.assign(archive.begin() + static_cast<std::ptrdiff_t>(pos + 22),
                           archive.begin() + static_cast<std::ptrdiff_t>(pos + 22 + nameLength));
        member.crc = static_cast<std::uint16_t>(le(pos + 22 + nameLength, 2));
        std::size_t next = pos + 2 + headerSize;
        if (level == 1) {
            // Extended headers follow the base header; the skip size counts them.
            std::size_t extSize = le(next - 2, 2);
            while (extSize != 0) {
                dataSize -= static_cast<std::uint32_t>(extSize);
                next += extSize;
                extSize = le(next - 2, 2);
            }
        } else if (level != 0) {
            throw std::runtime_error("unsupported LHA header level");
        }
        if (next + dataSize > archive.size()) throw std::runtime_error("truncated LHA member");
        member.raw.assign(archive.begin() + static_cast<std::ptrdiff_t>(next),
                          archive.begin() + static_cast<std::ptrdiff_t>(next + dataSize));
        members.push_back(std::move(member));
        pos = next + dataSize;
    }
    return members;
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace tavlin::test
