// Little-endian field writing and bounds-checked reading of the link format.
#include "platform/hosted/shell_link_file.h"

#include <array>

#include "platform/errors.h"
#include "platform/hosted/windows_text.h"

namespace tavlin::hosted {

namespace {

constexpr std::uint32_t kHeaderSize = 0x4C;
constexpr std::array<unsigned char, 16> kShellLinkClass = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                           0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : std::uint32_t {
    hasLinkTargetIdList = 0x01,
    hasLinkInfo = 0x02,
    hasName = 0x04,
    hasRelativePath = 0x08,
    hasWorkingDir = 0x10,
    hasArguments = 0x20,
    hasIconLocation = 0x40,
    isUnicode = 0x80,
};
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x01;
constexpr std::uint32_t kLinkInfoHeaderSize = 0x1C;

void put16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}
void put64(std::string& out, std::uint64_t value) {
    put32(out, static_cast<std::uint32_t>(value));
    put32(out, static_cast<std::uint32_t>(value >> 32));
}

void putCountedString(std::string& out, const std::string& text) {
    const std::string cut = text.substr(0, 0xFFFF);
    put16(out, static_cast<std::uint32_t>(cut.size()));
    out += cut;
}

[[noreturn]] void invalid() { throw Exception("Invalid shell link file"); }

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}

    std::uint32_t u16(std::size_t at) const { return byte(at) | (byte(at + 1) << 8); }
    std::uint32_t u32(std::size_t at) const { return u16(at) | (u16(at + 2) << 16); }
    std::uint64_t u64(std::size_t at) const { return u32(at) | (std::uint64_t{u32(at + 4)} << 32); }

    std::string ansiz(std::size_t at, std::size_t limit) const {
        std::string text;
        for (; at < limit; ++at) {
            const char c = static_cast<char>(byte(at));
            if (c == '\0') return text;
            text += c;
        }
        invalid();
    }

    std::string unicodez(std::size_t at, std::size_t limit) const {
        std::u16string units;
        for (; at + 1 < limit; at += 2) {
            const auto unit = static_cast<char16_t>(u16(at));
            if (unit == 0) return windowsFromUtf16(units);
            units += unit;
        }
        invalid();
    }

    // One StringData entry at pos; pos moves past it.
    std::string counted(std::size_t& pos, bool unicode) const {
        const std::size_t count = u16(pos);
        pos += 2;
        const std::size_t length = unicode ? count * 2 : count;
        if (pos + length > bytes_.size()) invalid();
        std::string text;
        if (unicode) {
            std::u16string units;
            for (std::size_t i = 0; i < count; ++i) units += static_cast<char16_t>(u16(pos + 2 * i));
            text = windowsFromUtf16(units);
        } else {
            text = bytes_.substr(pos, count);
        }
        pos += length;
        return text;
    }

    std::size_t size() const { return bytes_.size(); }

private:
    std::uint32_t byte(std::size_t at) const {
        if (at >= bytes_.size()) invalid();
        return static_cast<unsigned char>(bytes_[at]);
    }

    const std::string& bytes_;
};

std::string linkInfo(const ShellLinkData& link) {
    std::string fields;
    put32(fields, link.driveType);
    put32(fields, link.driveSerial);
    put32(fields, 0x10);  // the label follows the fixed fields
    fields += link.volumeLabel + '\0';
    std::string volume;
    put32(volume, static_cast<std::uint32_t>(4 + fields.size()));
    volume += fields;
    const auto volumeSize = static_cast<std::uint32_t>(volume.size());

    const std::uint32_t volumeOffset = kLinkInfoHeaderSize;
    const std::uint32_t pathOffset = volumeOffset + volumeSize;
    const auto suffixOffset = static_cast<std::uint32_t>(pathOffset + link.target.size() + 1);
    const std::uint32_t total = suffixOffset + 1;

    std::string out;
    put32(out, total);
    put32(out, kLinkInfoHeaderSize);
    put32(out, kVolumeIdAndLocalBasePath);
    put32(out, volumeOffset);
    put32(out, pathOffset);
    put32(out, 0);  // no network location
    put32(out, suffixOffset);
    out += volume;
    out += link.target + '\0';
    out += '\0';  // empty common path suffix
    return out;
}

}  // namespace

std::string encodeShellLink(const ShellLinkData& link) {
    std::uint32_t flags = hasLinkInfo;
    if (!link.description.empty()) flags |= hasName;
    if (!link.relativePath.empty()) flags |= hasRelativePath;
    if (!link.workingDirectory.empty()) flags |= hasWorkingDir;
    if (!link.arguments.empty()) flags |= hasArguments;
    if (!link.iconLocation.empty()) flags |= hasIconLocation;

    std::string out;
    put32(out, kHeaderSize);
    out.append(reinterpret_cast<const char*>(kShellLinkClass.data()), kShellLinkClass.size());
    put32(out, flags);
    put32(out, link.fileAttributes);
    put64(out, link.creationTime);
    put64(out, link.accessTime);
    put64(out, link.writeTime);
    put32(out, link.fileSize);
    put32(out, static_cast<std::uint32_t>(link.iconIndex));
    put32(out, static_cast<std::uint32_t>(link.showCommand));
    put16(out, 0);  // no hot key
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    out += linkInfo(link);
    if (flags & hasName) putCountedString(out, link.description);
    if (flags & hasRelativePath) putCountedString(out, link.relativePath);
    if (flags & hasWorkingDir) putCountedString(out, link.workingDirectory);
    if (flags & hasArguments) putCountedString(out, link.arguments);
    if (flags & hasIconLocation) putCountedString(out, link.iconLocation);
    put32(out, 0);  // terminal block: no extra data
    return out;
}

ShellLinkData decodeShellLink(const std::string& bytes) {
    const Reader in(bytes);
    if (bytes.size() < kHeaderSize || in.u32(0) != kHeaderSize ||
        bytes.compare(4, kShellLinkClass.size(), reinterpret_cast<const char*>(kShellLinkClass.data()),
                      kShellLinkClass.size()) != 0) {
        invalid();
    }
    ShellLinkData link;
    const std::uint32_t flags = in.u32(20);
    link.fileAttributes = in.u32(24);
    link.creationTime = in.u64(28);
    link.accessTime = in.u64(36);
    link.writeTime = in.u64(44);
    link.fileSize = in.u32(52);
    link.iconIndex = static_cast<int>(in.u32(56));
    link.showCommand = static_cast<int>(in.u32(60));

    std::size_t pos = kHeaderSize;
    if (flags & hasLinkTargetIdList) pos += 2 + in.u16(pos);
    if (flags & hasLinkInfo) {
        const std::size_t start = pos;
        const std::size_t size = in.u32(start);
        const std::size_t end = start + size;
        if (size < kLinkInfoHeaderSize || end > in.size()) invalid();
        const std::uint32_t headerSize = in.u32(start + 4);
        if (in.u32(start + 8) & kVolumeIdAndLocalBasePath) {
            const std::size_t volume = start + in.u32(start + 12);
            link.driveType = in.u32(volume + 4);
            link.driveSerial = in.u32(volume + 8);
            const std::uint32_t labelOffset = in.u32(volume + 12);
            link.volumeLabel = labelOffset == 0x14 ? in.unicodez(volume + in.u32(volume + 16), end)
                                                   : in.ansiz(volume + labelOffset, end);
            const bool unicodePaths = headerSize >= 0x24 && in.u32(start + 28) != 0;
            if (unicodePaths) {
                link.target = in.unicodez(start + in.u32(start + 28), end) + in.unicodez(start + in.u32(start + 32), end);
            } else {
                link.target = in.ansiz(start + in.u32(start + 16), end) + in.ansiz(start + in.u32(start + 24), end);
            }
        }
        pos = end;
    }
    const bool unicode = (flags & isUnicode) != 0;
    if (flags & hasName) link.description = in.counted(pos, unicode);
    if (flags & hasRelativePath) link.relativePath = in.counted(pos, unicode);
    if (flags & hasWorkingDir) link.workingDirectory = in.counted(pos, unicode);
    if (flags & hasArguments) link.arguments = in.counted(pos, unicode);
    if (flags & hasIconLocation) link.iconLocation = in.counted(pos, unicode);
    return link;
}

std::uint64_t fileTimeFromHost(std::int64_t seconds, std::int64_t nanoseconds) {
    constexpr std::int64_t kSecondsFrom1601To1970 = 11644473600;
    const std::int64_t since1601 = seconds + kSecondsFrom1601To1970;
    if (since1601 < 0) return 0;
    return static_cast<std::uint64_t>(since1601) * 10000000 + static_cast<std::uint64_t>(nanoseconds / 100);
}

}  // namespace tavlin::hosted
