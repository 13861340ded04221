#include "platform/stream.h"

#include <algorithm>
#include <cstring>

#include "platform/errors.h"

namespace tavlin {

std::int64_t Stream::size() {
    const std::int64_t here = position();
    const std::int64_t end = seek(0, SeekOrigin::End);
    seek(here, SeekOrigin::Begin);
    return end;
}

void Stream::readBuffer(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    while (count > 0) {
        const std::size_t n = read(out, count);
        if (n == 0) throw EReadError("Stream read error");
        out += n;
        count -= n;
    }
}

std::size_t Stream::readUpTo(void* buffer, std::size_t count) {
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::size_t total = 0;
    while (total < count) {
        const std::size_t n = read(out + total, count - total);
        if (n == 0) break;
        total += n;
    }
    return total;
}

std::size_t MemoryStream::read(void* buffer, std::size_t count) {
    if (pos_ >= bytes_.size()) return 0;
    const std::size_t n = std::min(count, bytes_.size() - pos_);
    std::memcpy(buffer, bytes_.data() + pos_, n);
    pos_ += n;
    return n;
}

void MemoryStream::writeBuffer(const void* buffer, std::size_t count) {
    if (count == 0) return;
    if (pos_ + count > bytes_.size()) bytes_.resize(pos_ + count);
    std::memcpy(bytes_.data() + pos_, buffer, count);
    pos_ += count;
}

std::int64_t MemoryStream::seek(std::int64_t offset, SeekOrigin origin) {
    std::int64_t base = 0;
    if (origin == SeekOrigin::Current) base = static_cast<std::int64_t>(pos_);
    if (origin == SeekOrigin::End) base = static_cast<std::int64_t>(bytes_.size());
    const std::int64_t target = base + offset;
    if (target < 0) throw EStreamError("Stream seek error");
    pos_ = static_cast<std::size_t>(target);
    return target;
}

}  // namespace tavlin
