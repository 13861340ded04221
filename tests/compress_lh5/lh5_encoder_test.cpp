// CompressLH5: the exact streams of small inputs, the cases that end in
// EUnableToCompress, scrambling with a key, and the block and code limits.
#include <functional>

#include <gtest/gtest.h>

#include "compress/compress_errors.h"
#include "compress/lh5_decode_table.h"
#include "compress/lh5_huffman_builder.h"
#include "compress_lh5/lh5_test_support.h"

namespace tavlin::test {
namespace {

TEST(Lh5Encoder, EmptyInputWritesNothing) {
    const CodecResult result = CompressLh5({});
    EXPECT_TRUE(result.output.empty());
    EXPECT_EQ(result.returned, 0);
    EXPECT_EQ(result.checksum, 0u);
}

TEST(Lh5Encoder, OneByteIsASevenByteBlock) {
    // Size 1; one-symbol code-length and character codes holding 'Q'; one
    // distance class 0; the symbol itself takes no bits; 52 bits padded to 56.
    const Bytes expected = StreamBits().Put(16, 1).Put(5, 0).Put(5, 0).Put(9, 0).Put(9, 'Q').Put(4, 0).Put(4, 0).Finish();
    EXPECT_EQ(CompressLh5Unlimited({'Q'}), expected);
    EXPECT_EQ(expected.size(), 7u);
}

TEST(Lh5Encoder, InputsThatDoNotShrinkRaiseUnableToCompress) {
    for (const Bytes& input : {Bytes{'Q'}, RandomBytes(20000, 1), RandomBytes(100, 2)}) {
        try {
            CompressLh5(input);
            FAIL() << "no exception for " << input.size() << " bytes";
        } catch (const EUnableToCompress& e) {
            EXPECT_STREQ(e.what(), "Could not compress data, will store instead");
        }
    }
}

TEST(Lh5Encoder, OutputLimitHoldsToTheLastByte) {
    // Streams that end inside the first output buffer, just past it, and after
    // several; random bytes give one that ends while far past its input's size.
    const Bytes inputs[] = {Bytes(1000, 'a'), SampleText(2000), SampleText(30000), SampleText(200000),
                            RandomBytes(30000, 3)};
    for (const Bytes& input : inputs) {
        const Bytes stream = CompressLh5Unlimited(input);
        const auto size = static_cast<std::int32_t>(stream.size());
        EXPECT_EQ(CompressLh5Limited(input, size), stream) << input.size() << " bytes";
        EXPECT_THROW(CompressLh5Limited(input, size - 1), EUnableToCompress) << input.size() << " bytes";
    }
}

TEST(Lh5Encoder, RunOfEqualBytesIsALiteralAndLongMatches) {
    // 1000 x 'a': 'a', three matches of 256 and one of 231, all at distance 1.
    StreamBits bits;
    bits.Put(16, 5);
    // Code-length code: symbol 2 (zero run of 20+) "0", 3 (length 1) "10", 4 (length 2) "11".
    bits.Put(5, 5).Put(3, 0).Put(3, 0).Put(3, 1).Put(2, 0).Put(3, 2).Put(3, 2);
    // Character lengths up to 509: 'a' 2, 484 (length 231) 2, 509 (length 256) 1.
    bits.Put(9, 510);
    bits.Put(1, 0).Put(9, 97 - 20).Put(2, 3);
    bits.Put(1, 0).Put(9, 386 - 20).Put(2, 3);
    bits.Put(1, 0).Put(9, 24 - 20).Put(2, 2);
    // Distance code: class 0 only.
    bits.Put(4, 0).Put(4, 0);
    // Symbols: 'a' "10", 509 "0" three times, 484 "11".
    bits.Put(2, 2).Put(1, 0).Put(1, 0).Put(1, 0).Put(2, 3);
    const CodecResult result = CompressLh5(Bytes(1000, 'a'));
    EXPECT_EQ(result.output, bits.Finish());
    EXPECT_EQ(result.checksum, 1000u * 'a');
}

TEST(Lh5Encoder, KeyScramblesTheStreamAndExpandsWithDescrambling) {
    const Bytes input = SampleText(60000);
    constexpr std::int32_t kKey = 0x1A2B3C4D;
    const CodecResult plain = CompressLh5(input);
    const CodecResult locked = CompressLh5(input, kKey);
    // The checksum is of the input, never of scrambled bytes.
    EXPECT_EQ(locked.checksum, ByteSum(input));
    ASSERT_EQ(locked.output.size(), plain.output.size());
    const std::uint8_t keyBytes[4] = {0x4D, 0x3C, 0x2B, 0x1A};
    for (std::size_t i = 0; i < plain.output.size(); ++i) {
        ASSERT_EQ(locked.output[i], plain.output[i] ^ keyBytes[i % 4]) << "byte " << i;
    }
    // The key index runs on across refills, wherever they fall.
    for (const std::size_t maxRead : {SIZE_MAX, std::size_t{8191}, std::size_t{13}, std::size_t{1}}) {
        SCOPED_TRACE("read size " + std::to_string(maxRead));
        const CodecResult unpacked =
            ExpandLh5(locked.output, static_cast<std::int32_t>(input.size()), kKey, true, maxRead);
        EXPECT_TRUE(unpacked.output == input);
        EXPECT_EQ(unpacked.checksum, ByteSum(input));
    }
}

// A de Bruijn sequence over 26 letters: every 3-letter string once, so the
// encoder finds no match and sends literals only.
Bytes LettersWithoutRepeatedTriples() {
    constexpr int kLetters = 26;
    constexpr int kSpan = 3;
    Bytes sequence;
    int a[kSpan + 1] = {};
    std::function<void(int, int)> extend = [&](int t, int p) {
        if (t > kSpan) {
            if (kSpan % p == 0) {
                for (int j = 1; j <= p; ++j) sequence.push_back(static_cast<std::uint8_t>('a' + a[j]));
            }
            return;
        }
        a[t] = a[t - p];
        extend(t + 1, p);
        for (int j = a[t - p] + 1; j < kLetters; ++j) {
            a[t] = j;
            extend(t + 1, t);
        }
    };
    extend(1, 1);
    return sequence;
}

TEST(Lh5Encoder, FullSymbolBufferEndsTheBlock) {
    // Literals only: a block ends when a new group of 8 symbols would start past
    // byte 16360 of the buffer, after 1818 groups of 9 bytes: 14544 symbols.
    const Bytes input = LettersWithoutRepeatedTriples();
    ASSERT_EQ(input.size(), 26u * 26 * 26);
    const CodecResult packed = CompressLh5(input);
    const unsigned firstBlockSymbols = (packed.output[0] << 8) | packed.output[1];
    EXPECT_EQ(firstBlockSymbols, 14544u);
    EXPECT_TRUE(ExpandLh5(packed.output, static_cast<std::int32_t>(input.size())).output == input);
}

// Counts that grow like the Fibonacci numbers make a tree 21 levels deep; the
// total (46367) stays within the builder's 16-bit counts.
TEST(Lh5HuffmanBuilder, LimitsSkewedCodesTo16BitsAndKeepsThemComplete) {
    constexpr int kSymbols = 22;
    std::uint16_t freq[2 * kSymbols] = {1, 1};
    for (int i = 2; i < kSymbols; ++i) freq[i] = static_cast<std::uint16_t>(freq[i - 1] + freq[i - 2]);
    std::uint16_t counts[kSymbols];
    std::copy(freq, freq + kSymbols, counts);

    auto builder = std::make_unique<lh5::LH5HuffmanBuilder>();
    std::uint8_t len[kSymbols] = {};
    std::uint16_t code[kSymbols + 1] = {};
    const int root = builder->Build(kSymbols, freq, len, code);
    EXPECT_GE(root, kSymbols);

    std::uint32_t space = 0;
    for (int i = 0; i < kSymbols; ++i) {
        ASSERT_GE(len[i], 1);
        ASSERT_LE(len[i], 16);
        space += 1u << (16 - len[i]);
        for (int j = 0; j < kSymbols; ++j) {
            if (counts[i] > counts[j]) {
                EXPECT_LE(len[i], len[j]) << i << " vs " << j;
            }
        }
    }
    EXPECT_EQ(space, 1u << 16);
    EXPECT_EQ(*std::max_element(len, len + kSymbols), 16);

    // The decoder's table builder takes the lengths, and each code leads to its symbol.
    auto tables = std::make_unique<lh5::LH5DecodeTables>();
    std::uint16_t table[256];
    lh5::BuildDecodeTable(kSymbols, len, 8, table, *tables);
    for (int s = 0; s < kSymbols; ++s) {
        unsigned node = table[code[s] >> 8];
        for (std::uint32_t mask = 0x80; node >= kSymbols; mask >>= 1) {
            node = (code[s] & mask) ? tables->TreeRight[node] : tables->TreeLeft[node];
        }
        EXPECT_EQ(node, static_cast<unsigned>(s));
    }
}

}  // namespace
}  // namespace tavlin::test
