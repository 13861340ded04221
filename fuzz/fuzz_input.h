// Helpers shared by the fuzz targets: cutting the input into parameters and
// data, and stopping loudly when a property fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tavlin::fuzz {

using Bytes = std::vector<std::uint8_t>;

// Reads little-endian parameters from the front of the input.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint32_t Take(int bytes) {
        std::uint32_t value = 0;
        for (int i = 0; i < bytes && pos_ < size_; ++i) value |= static_cast<std::uint32_t>(data_[pos_++]) << (8 * i);
        return value;
    }
    Bytes Rest() const { return Bytes(data_ + pos_, data_ + size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

}  // namespace tavlin::fuzz
