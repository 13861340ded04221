// The shell-link layout: a 76-byte header (size 0x4C, the class ID of the shell
// link, flags, attributes, times, size, icon index, show command, hot key), then
// in order the ID list, the link information and the string data, each present
// as the flags say.
#include "platform_conformance/shell_link_reader.h"

#include <array>
#include <stdexcept>

namespace tavlin::conformance {

namespace {

constexpr std::uint32_t hasIdList = 0x01;
constexpr std::uint32_t hasLinkInfo = 0x02;
constexpr std::uint32_t hasName = 0x04;
constexpr std::uint32_t hasRelativePath = 0x08;
constexpr std::uint32_t hasWorkingDir = 0x10;
constexpr std::uint32_t hasArguments = 0x20;
constexpr std::uint32_t hasIconLocation = 0x40;
constexpr std::uint32_t isUnicode = 0x80;

constexpr std::array<std::uint8_t, 16> shellLinkClass = {0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

class Cursor {
public:
    explicit Cursor(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    std::size_t at() const { return pos_; }
    void skip(std::size_t count) {
        need(count);
        pos_ += count;
    }
    std::uint8_t u8() {
        need(1);
        return bytes_[pos_++];
    }
    std::uint16_t u16() {
        need(2);
        const std::uint16_t value = static_cast<std::uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return value;
    }
    std::uint32_t u32() {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    // A zero-terminated ANSI text starting at an absolute offset.
    std::string textAt(std::size_t offset) const {
        std::string text;
        for (std::size_t i = offset;; ++i) {
            if (i >= bytes_.size()) throw std::runtime_error("unterminated text in link");
            if (bytes_[i] == 0) return text;
            text.push_back(static_cast<char>(bytes_[i]));
        }
    }
    // A counted string of the string data.
    std::string countedString(bool unicode) {
        const std::uint16_t count = u16();
        std::string text;
        for (std::uint16_t i = 0; i < count; ++i) text.push_back(static_cast<char>(unicode ? u16() : u8()));
        return text;
    }

private:
    void need(std::size_t count) const {
        if (pos_ + count > bytes_.size()) throw std::runtime_error("link file cut short");
    }

    const std::vector<std::uint8_t>& bytes_;
    std::size_t pos_ = 0;
};

}  // namespace

ShellLinkContents readShellLink(const std::vector<std::uint8_t>& bytes) {
    Cursor in(bytes);
    if (in.u32() != 0x4C) throw std::runtime_error("not a shell link: header size");
    for (const std::uint8_t expected : shellLinkClass) {
        if (in.u8() != expected) throw std::runtime_error("not a shell link: class ID");
    }
    ShellLinkContents link;
    link.flags = in.u32();
    link.fileAttributes = in.u32();
    in.skip(3 * 8 + 4);  // creation, access and write times; file size
    link.iconIndex = static_cast<std::int32_t>(in.u32());
    link.showCommand = in.u32();
    in.skip(2 + 2 + 4 + 4);  // hot key, reserved

    if (link.flags & hasIdList) in.skip(in.u16());
    if (link.flags & hasLinkInfo) {
        const std::size_t start = in.at();
        const std::uint32_t size = in.u32();
        in.u32();  // header size
        const std::uint32_t infoFlags = in.u32();
        in.u32();  // volume ID offset
        const std::uint32_t basePathOffset = in.u32();
        if (infoFlags & 0x01) link.localBasePath = in.textAt(start + basePathOffset);
        in.skip(size - (in.at() - start));
    }
    const bool unicode = (link.flags & isUnicode) != 0;
    if (link.flags & hasName) link.name = in.countedString(unicode);
    if (link.flags & hasRelativePath) link.relativePath = in.countedString(unicode);
    if (link.flags & hasWorkingDir) link.workingDirectory = in.countedString(unicode);
    if (link.flags & hasArguments) link.arguments = in.countedString(unicode);
    if (link.flags & hasIconLocation) link.iconLocation = in.countedString(unicode);
    return link;
}

}  // namespace tavlin::conformance
