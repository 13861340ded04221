// The archive component on streams: header and method errors, listing, the
// member checksum and key tests, custom methods, and the writer's archives.
#include <gtest/gtest.h>

#include "compress/archive_builder.h"
#include "compress/zivi_archive.h"

namespace tavlin::test {
namespace {

class ArchiveStream : public ::testing::Test {
protected:
    TArchiveList List(const Bytes& archive) {
        MemoryStream stream(archive);
        TArchiveList list;
        component.ListArchiveStream(stream, list);
        return list;
    }
    // The stored names of the members TestArchiveStream decodes.
    std::vector<std::string> Test(const Bytes& archive) {
        MemoryStream stream(archive);
        std::vector<std::string> names;
        component.TestArchiveStream(stream, [&](const std::string& name) { names.push_back(name); });
        return names;
    }
    Bytes Write(const std::vector<std::pair<std::string, Bytes>>& files, TArchiveWriteOptions options) {
        std::vector<MemoryStream> sources;
        sources.reserve(files.size());
        std::vector<TMemberSource> members;
        for (const auto& [name, bytes] : files) {
            sources.emplace_back(bytes);
            members.push_back({name, &sources.back(), 0x28214A3C, faArchive});
        }
        MemoryStream dest;
        component.CompressArchiveStream(dest, members, options);
        return dest.bytes();
    }

    UnusedFileSystem noFiles;
    TZiviArchive component{noFiles};
};

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return "(nothing raised)";
}

TEST_F(ArchiveStream, HeaderErrorsCarryTheirMessages) {
    struct Case {
        const char* name;
        std::function<void(Bytes&)> damage;
        const char* message;
    };
    const Case cases[] = {
        {"fifth magic byte", [](Bytes& a) { a[4] = 0x1B; }, "Can't recognize compressed file header"},
        {"first magic byte", [](Bytes& a) { a[0] = 'z'; }, "Can't recognize compressed file header"},
        {"archive type before method",
         [](Bytes& a) {
             a[12] = 0;
             a[5] = '?';
         },
         "Archive type must be caMulti"},
        {"lower-case method ID", [](Bytes& a) { a[5] = 'l', a[6] = 'h', a[7] = '5'; },
         "Unrecognized compression method: \"lh5\" in header"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes archive = BuildArchive({StoredMember("A.TXT", BytesOf("abc"))});
        c.damage(archive);
        EXPECT_EQ(MessageOf([&] { List(archive); }), c.message);
        EXPECT_EQ(MessageOf([&] { Test(archive); }), c.message);
    }
}

TEST_F(ArchiveStream, ShortStreamsHoldNoMembers) {
    // Fewer than 21 bytes: not even a header, and no error.
    EXPECT_TRUE(Test(Bytes(20, 0x55)).empty());
    // Listing needs a header and one member header: 46 bytes.
    const Bytes headerOnly = BuildArchive({});
    Bytes almost = headerOnly;
    almost.resize(45, 0);
    EXPECT_TRUE(List(almost).empty());
}

TEST_F(ArchiveStream, RecognizeHandlerAcceptsACustomMethodID) {
    Bytes archive = BuildArchive({StoredMember("A.TXT", BytesOf("abc"))}, "XYZ");
    EXPECT_THROW(List(archive), EUnrecognizedCompressionMethod);
    std::string asked;
    component.OnRecognize = [&](const std::string& id, bool& recognized) {
        asked = id;
        recognized = id == "XYZ";
    };
    EXPECT_EQ(List(archive).size(), 1u);
    EXPECT_EQ(asked, "XYZ");
    archive[5] = 'Q';
    EXPECT_THROW(List(archive), EUnrecognizedCompressionMethod);
}

TEST_F(ArchiveStream, ListsEveryMemberWithItsHeaderFields) {
    RawMember a = StoredMember("DIR\\A.TXT", BytesOf("hello"));
    a.header.Attributes = static_cast<std::int16_t>(faReadOnly | faArchive);
    RawMember b = StoredMember("B.BIN", {});
    b.header.Lock = 1;
    b.header.Method = 2;
    const auto list = List(BuildArchive({a, b}, "LZH", 1));  // TotalSize plays no part in listing
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].Name, "DIR\\A.TXT");
    EXPECT_EQ(list[0].Info.ExpandedSize, 5);
    EXPECT_EQ(list[0].Info.CompressedSize, 5);
    EXPECT_EQ(list[0].Info.Attributes, faReadOnly | faArchive);
    EXPECT_EQ(list[0].Info.DosDateTime, 0x28210000u);
    EXPECT_EQ(list[0].Info.HeaderOffset, 21);
    EXPECT_FALSE(list[0].Info.Locked);
    EXPECT_EQ(list[1].Name, "B.BIN");
    EXPECT_EQ(list[1].Info.HeaderOffset, 21 + 25 + 9 + 5);
    EXPECT_EQ(list[1].Info.Method, 2);
    EXPECT_TRUE(list[1].Info.Locked);
}

TEST_F(ArchiveStream, ImpossibleLengthsEndTheMemberList) {
    for (const bool negativeName : {true, false}) {
        SCOPED_TRACE(negativeName ? "negative NameLength" : "negative CompressedSize");
        RawMember bad = StoredMember("B", BytesOf("x"));
        if (negativeName) {
            bad.header.NameLength = -1;
        } else {
            bad.header.CompressedSize = -26;  // would step back onto its own header
        }
        const Bytes archive = BuildArchive({StoredMember("A", BytesOf("a")), bad, StoredMember("C", BytesOf("c"))});
        EXPECT_EQ(List(archive).size(), 1u);
        EXPECT_EQ(Test(archive), std::vector<std::string>{"A"});
    }
}

TEST_F(ArchiveStream, ChecksumTest) {
    const Bytes data = BytesOf("some member data");
    struct Case {
        const char* name;
        std::function<void(RawMember&)> change;
        std::int32_t key;
        const char* outcome;  // "" accepted, else the message
    };
    const char* const kBad = "Bad checksum during expansion -- data may be invalid";
    const char* const kLocked = "File locked -- valid key required";
    const Case cases[] = {
        {"plain", [](RawMember&) {}, 0, ""},
        {"damaged data", [](RawMember& m) { m.data[3] ^= 1; }, 0, kBad},
        {"stored checksum 0 of a stored member", [](RawMember& m) { m.header.StoredChecksum = 0; }, 0, ""},
        {"stored checksum 0 of an RLE member",
         [](RawMember& m) {
             m.header.Method = 1;
             m.header.StoredChecksum = 0;
         },
         0, kBad},
        {"stored checksum 0 but cut short",
         [](RawMember& m) {
             m.header.StoredChecksum = 0;
             m.header.ExpandedSize += 1;
         },
         0, kBad},
        {"locked without key", [](RawMember& m) { m.header.Lock = 1; }, 0, kLocked},
        {"locked, plain checksum, any key", [](RawMember& m) { m.header.Lock = 1; }, 99, ""},
        {"locked, checksum plus key",
         [](RawMember& m) {
             m.header.Lock = 1;
             m.header.StoredChecksum += 1000;
         },
         1000, ""},
        {"locked, wrong key",
         [](RawMember& m) {
             m.header.Lock = 1;
             m.header.StoredChecksum += 1000;
         },
         999, kLocked},
        {"negative lock is no lock", [](RawMember& m) { m.header.Lock = -5; }, 0, ""},
        {"locked and damaged",
         [](RawMember& m) {
             m.header.Lock = 1;
             m.data[0] ^= 4;
         },
         5, kLocked},
        {"unknown method value",
         [](RawMember& m) { m.header.Method = 9; }, 0, kBad},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RawMember member = StoredMember("M.DAT", data);
        c.change(member);
        component.Key = c.key;
        EXPECT_EQ(MessageOf([&] { Test(BuildArchive({member})); }), *c.outcome ? c.outcome : "(nothing raised)");
    }
}

TEST_F(ArchiveStream, ArchiveCutInsideAMemberFails) {
    // Trailing zeros: what is lost adds nothing to the byte sum.
    Bytes data = TextBytes(3000);
    data.resize(3300, 0);
    for (const auto method : {coNone, coRLE, coLZH, coLZH5}) {
        SCOPED_TRACE(static_cast<int>(method));
        Bytes archive = Write({{"A.TXT", data}}, {method, 2});
        archive.resize(archive.size() - 1);
        EXPECT_THROW(Test(archive), EBadChecksum);
    }
}

TEST_F(ArchiveStream, CancelledProgressLeavesTheMemberBad) {
    const Bytes archive = BuildArchive({StoredMember("A.TXT", BytesOf("abc"))});
    component.OnShowProgress = [](int& p) {
        if (p == 0) p = -1;
    };
    EXPECT_THROW(Test(archive), EBadChecksum);
}

TEST_F(ArchiveStream, CustomMembersGoToTheExpandHandler) {
    RawMember custom = StoredMember("C.DAT", BytesOf("xyz"));
    custom.header.Method = 3;
    custom.header.ExpandedSize = 6;
    custom.header.StoredChecksum = 0;
    const Bytes archive = BuildArchive({custom, StoredMember("D.DAT", BytesOf("d"))}, "CUS");

    // Without a handler the member is empty, accepted only with stored checksum 0.
    EXPECT_EQ(Test(archive), (std::vector<std::string>{"C.DAT", "D.DAT"}));
    RawMember checked = custom;
    checked.header.StoredChecksum = 5;
    EXPECT_THROW(Test(BuildArchive({checked}, "CUS")), EBadChecksum);

    std::string seen;
    component.OnExpand = [&](Stream& dest, Stream& source, std::int32_t sourceSize, std::int32_t destSize,
                             const std::string& id, std::int32_t& checksum) {
        Bytes in(static_cast<std::size_t>(sourceSize));
        source.readBuffer(in.data(), in.size());
        seen = std::string(in.begin(), in.end()) + " " + std::to_string(destSize) + " " + id;
        dest.writeBuffer(in.data(), in.size());
        dest.writeBuffer(in.data(), in.size());
        checksum = static_cast<std::int32_t>(2 * SumOf(in));
    };
    checked.header.StoredChecksum = static_cast<std::int32_t>(2 * SumOf(BytesOf("xyz")));
    EXPECT_EQ(Test(BuildArchive({checked, StoredMember("D.DAT", BytesOf("d"))}, "CUS")),
              (std::vector<std::string>{"C.DAT", "D.DAT"}));
    EXPECT_EQ(seen, "xyz 6 CUS");
}

TEST_F(ArchiveStream, TotalSizeEndsTheArchiveButNotItsEmptyMembers) {
    const Bytes archive =
        BuildArchive({StoredMember("A", BytesOf("aa")), StoredMember("E", {}), StoredMember("B", BytesOf("b"))}, "NON", 2);
    EXPECT_EQ(Test(archive), (std::vector<std::string>{"A", "E"}));
    EXPECT_EQ(Test(BuildArchive({StoredMember("E1", {}), StoredMember("E2", {})})),
              (std::vector<std::string>{"E1", "E2"}));
}

struct WriterCase {
    TCompressionMethod method;
    std::int32_t key;
    std::int32_t lock;
};

class ArchiveWriterRoundTrip : public ArchiveStream, public ::testing::WithParamInterface<WriterCase> {};

TEST_P(ArchiveWriterRoundTrip, SamplesPassTheTestAndListAsWritten) {
    const auto [method, key, lock] = GetParam();
    std::vector<std::pair<std::string, Bytes>> files;
    for (const auto& sample : SampleInputs()) files.emplace_back("SAMPLES\\" + sample.name, sample.bytes);
    component.Key = key;
    const Bytes archive = Write(files, {method, lock});

    EXPECT_EQ(std::string(archive.begin() + 5, archive.begin() + 8), kMethodIDs[method]);
    const auto list = List(archive);
    ASSERT_EQ(list.size(), files.size());
    std::int64_t total = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(files[i].first);
        const auto& info = list[i].Info;
        EXPECT_EQ(list[i].Name, files[i].first);
        EXPECT_EQ(info.ExpandedSize, static_cast<std::int32_t>(files[i].second.size()));
        EXPECT_LE(info.CompressedSize, info.ExpandedSize);
        EXPECT_TRUE(info.Method == method || info.Method == coNone);
        EXPECT_EQ(info.Locked, key != 0);
        EXPECT_EQ(static_cast<std::uint32_t>(info.StoredChecksum),
                  SumOf(files[i].second) + static_cast<std::uint32_t>(key));
        EXPECT_EQ(info.DosDateTime, 0x28214A3Cu);
        EXPECT_EQ(info.Attributes, faArchive);
        total += info.ExpandedSize;
    }
    const std::int32_t totalSize = static_cast<std::int32_t>(archive[8] | archive[9] << 8 | archive[10] << 16 | archive[11] << 24);
    EXPECT_EQ(totalSize, total);

    EXPECT_EQ(Test(archive).size(), files.size());
    if (key != 0) {
        component.Key = key ^ 1;
        EXPECT_THROW(Test(archive), EInvalidKey);
        component.Key = 0;
        EXPECT_THROW(Test(archive), EInvalidKey);
    }
}

INSTANTIATE_TEST_SUITE_P(Methods, ArchiveWriterRoundTrip,
                         ::testing::Values(WriterCase{coNone, 0, 2}, WriterCase{coRLE, 0, 2}, WriterCase{coLZH, 0, 2},
                                           WriterCase{coNone, 0x5A17E3, 2}, WriterCase{coRLE, -77, 2},
                                           WriterCase{coLZH, 0x7FFFFFFF, 2}, WriterCase{coLZH, 1234, 1},
                                           WriterCase{coRLE, 1234, 1}, WriterCase{coLZH5, 0, 2},
                                           WriterCase{coLZH5, -99999, 2}, WriterCase{coLZH5, 31, 1}));

TEST_F(ArchiveStream, WriterStoresWhatDoesNotShrink) {
    const auto list = List(Write({{"R.BIN", RandomBytes(5000)}, {"T.TXT", TextBytes(5000)}}, {coLZH, 2}));
    EXPECT_EQ(list[0].Info.Method, coNone);
    EXPECT_EQ(list[0].Info.CompressedSize, 5000);
    EXPECT_EQ(list[1].Info.Method, coLZH);
}

TEST_F(ArchiveStream, LockOneDoesNotScrambleLockTwoDoes) {
    const Bytes data = TextBytes(100);
    component.Key = 0x01010101;
    const Bytes lock1 = Write({{"A", data}}, {coNone, 1});
    const Bytes lock2 = Write({{"A", data}}, {coNone, 2});
    const std::size_t dataAt = 21 + 25 + 1;
    EXPECT_TRUE(std::equal(data.begin(), data.end(), lock1.begin() + dataAt));
    for (std::size_t i = 0; i < data.size(); ++i) EXPECT_EQ(lock2[dataAt + i], data[i] ^ 1);
}

TEST_F(ArchiveStream, WriterRefusesUnsafeNames) {
    for (const char* name : {"..\\X", "A\\..\\..\\X", "C:\\X", "C:X", "\\\\SERVER\\SHARE\\X", "A/../../X", "A\\.. \\X",
                             "F.TXT:STREAM"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(Write({{name, BytesOf("x")}}, {coNone, 2}), EUnsafeMemberName);
    }
    EXPECT_NO_THROW(Write({{"\\ROOTED.TXT", BytesOf("x")}, {"A..B\\..C.", BytesOf("y")}}, {coNone, 2}));
}

TEST_F(ArchiveStream, WriterCustomMethodUsesTheCompressHandler) {
    EXPECT_THROW(Write({{"A", BytesOf("x")}}, {coCustom, 2}), ENoCompressor);
    component.OnCompress = [](Stream& dest, Stream& source, std::string& id, std::int32_t& size, std::int32_t& sum) {
        Bytes all(static_cast<std::size_t>(source.size() - source.position()));
        source.readBuffer(all.data(), all.size());
        dest.writeBuffer(all.data(), all.size());
        id = "ABC";
        size = static_cast<std::int32_t>(all.size());
        sum = static_cast<std::int32_t>(SumOf(all));
    };
    const Bytes archive = Write({{"A", BytesOf("hello")}}, {coCustom, 2});
    EXPECT_EQ(std::string(archive.begin() + 5, archive.begin() + 8), "ABC");
    component.OnRecognize = [](const std::string&, bool& recognized) { recognized = true; };
    component.OnExpand = [](Stream& dest, Stream& source, std::int32_t n, std::int32_t, const std::string&,
                            std::int32_t& sum) {
        Bytes in(static_cast<std::size_t>(n));
        source.readBuffer(in.data(), in.size());
        dest.writeBuffer(in.data(), in.size());
        sum = static_cast<std::int32_t>(SumOf(in));
    };
    EXPECT_EQ(Test(archive), std::vector<std::string>{"A"});
}

TEST_F(ArchiveStream, WriterReportsACancelledCompression) {
    component.OnShowProgress = [](int& p) {
        if (p == 0) p = -1;
    };
    EXPECT_THROW(Write({{"A", TextBytes(100)}}, {coLZH, 2}), EArchiveCancelled);
}

}  // namespace
}  // namespace tavlin::test
