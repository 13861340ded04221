// Segment sets for the tests: a machine with a media folder, archives put on it,
// logical streams built record by record (so that tests can set any field, also
// wrong ones) and cut into segment files of any size, and dialogs answered by
// the test's own replies, which may change the media before answering.
#pragma once

#include <deque>
#include <functional>
#include <optional>

#include "common/machine_fixture.h"
#include "compress/archive_builder.h"
#include "compress/zivi_archive.h"
#include "segment/seg_comp_ez.h"
#include "segment/segment_format.h"

namespace tavlin::test {

inline constexpr const char* kMedia = "C:\\MEDIA";
inline constexpr const char* kTemp = "C:\\SEGTMP";

template <std::size_t N>
void Append(Bytes& out, const std::array<std::uint8_t, N>& record) {
    out.insert(out.end(), record.begin(), record.end());
}

// The logical stream of a set, record by record.
struct StreamBuilder {
    Bytes bytes;

    StreamBuilder& Header(std::uint16_t arcCount) {
        TSegmentHeader header;
        header.ArcCount = arcCount;
        Append(bytes, EncodeSegmentHeader(header));
        return *this;
    }
    // A scan section; templateLength overrides the length field.
    StreamBuilder& Scan(const std::string& templateText, const Bytes& listArchive, std::uint32_t recordWidth,
                        std::optional<std::uint16_t> templateLength = std::nullopt) {
        TScanHeader header;
        header.TemplateLength = templateLength.value_or(static_cast<std::uint16_t>(templateText.size()));
        header.RecordWidth = recordWidth;
        header.ListSize = static_cast<std::uint32_t>(listArchive.size());
        Append(bytes, EncodeScanHeader(header));
        bytes.insert(bytes.end(), templateText.begin(), templateText.end());
        bytes.insert(bytes.end(), listArchive.begin(), listArchive.end());
        return *this;
    }
    StreamBuilder& Archive(std::uint16_t seqNumber, const Bytes& archive) {
        TSegArcHeader header;
        header.SeqNumber = seqNumber;
        header.ArcSize = static_cast<std::uint32_t>(archive.size());
        Append(bytes, EncodeSegArcHeader(header));
        bytes.insert(bytes.end(), archive.begin(), archive.end());
        return *this;
    }
};

// A list archive whose list file holds the names in records of the width,
// each ended by pad (a zero byte, or blanks to the record's end).
inline Bytes ListArchiveOf(const std::vector<std::string>& names, std::uint32_t width, char pad = '\0',
                           const std::string& listName = "files.lst") {
    Bytes list;
    for (const auto& name : names) {
        Bytes record(width, static_cast<std::uint8_t>(pad));
        std::copy(name.begin(), name.end(), record.begin());
        list.insert(list.end(), record.begin(), record.end());
    }
    return BuildArchive({StoredMember(listName, list)});
}

// A one-archive stream: template, the stored members, and a list naming them all.
inline Bytes OneArchiveStream(const std::string& templateText, const std::vector<RawMember>& members) {
    std::vector<std::string> names;
    for (const auto& member : members) names.push_back(member.name);
    return StreamBuilder()
        .Header(1)
        .Scan(templateText, ListArchiveOf(names, 64), 64)
        .Archive(0, BuildArchive(members))
        .bytes;
}

class SegmentTest : public MachineTest {
protected:
    void SetUp() override {
        MachineTest::SetUp();
        machine_ = openMachine();
        machine_->setAnswerer([this](const hosted::DialogRequest& request) {
            asked_.push_back(request);
            if (replies_.empty()) throw Exception("Unexpected dialog: " + request.text);
            const auto reply = replies_.front();
            replies_.pop_front();
            return reply(request);
        });
        Files().forceDirectories(kMedia);
        reader_ = std::make_unique<TSegCompEZ>(*machine_);
        reader_->SetSegBaseName("disk");
        reader_->SetSegDir(kMedia);
        reader_->SetSegTmpDir(kTemp);
        reader_->SegPopUp = false;
    }
    void TearDown() override {
        reader_.reset();
        machine_.reset();
        MachineTest::TearDown();
    }

    FileSystem& Files() { return machine_->files(); }
    TSegCompEZ& Reader() { return *reader_; }

    // The next message box is answered with the button, after the action ran.
    void ReplyToBox(MessageResult answer, std::function<void()> action = {}) {
        replies_.push_back([answer, action](const hosted::DialogRequest&) {
            if (action) action();
            hosted::DialogAnswer reply;
            reply.result = answer;
            return reply;
        });
    }
    // The next input box gets the text, or Cancel.
    void ReplyToInput(std::optional<std::string> text) {
        replies_.push_back([text](const hosted::DialogRequest&) {
            hosted::DialogAnswer reply;
            reply.ok = text.has_value();
            reply.text = text.value_or("");
            return reply;
        });
    }

    void PutFile(const std::string& path, const Bytes& bytes) {
        Files().forceDirectories(path.substr(0, path.rfind('\\')));
        Files().create(path)->writeBuffer(bytes.data(), bytes.size());
    }
    Bytes GetFile(const std::string& path) {
        const auto file = Files().openRead(path);
        Bytes bytes(static_cast<std::size_t>(file->size()));
        if (!bytes.empty()) file->readBuffer(bytes.data(), bytes.size());
        return bytes;
    }
    bool Exists(const std::string& path) { return Files().fileExists(path); }
    std::string SegmentPath(std::uint32_t number) { return std::string(kMedia) + "\\" + SegmentFileName("disk", "", number); }

    // Cuts the stream into segment files of the size (ID header included) in the
    // media folder; returns how many were written.
    std::uint32_t WriteSegments(const Bytes& stream, std::uint32_t segmentSize) {
        const std::size_t payload = segmentSize - kSegmentIDHeaderSize;
        std::uint32_t number = 0;
        for (std::size_t at = 0; at < stream.size() || number == 0; at += payload) {
            ++number;
            TSegmentIDHeader id;
            id.SegNumber = static_cast<std::uint16_t>(number);
            Bytes file;
            Append(file, EncodeSegmentIDHeader(id));
            const std::size_t end = std::min(stream.size(), at + payload);
            file.insert(file.end(), stream.begin() + static_cast<std::ptrdiff_t>(at),
                        stream.begin() + static_cast<std::ptrdiff_t>(end));
            PutFile(SegmentPath(number), file);
        }
        return number;
    }

    // The payloads of the media's segment files, in number order.
    Bytes ReadLogicalStream() {
        Bytes stream;
        for (std::uint32_t number = 1; Exists(SegmentPath(number)); ++number) {
            const Bytes file = GetFile(SegmentPath(number));
            stream.insert(stream.end(), file.begin() + kSegmentIDHeaderSize, file.end());
        }
        return stream;
    }

    // Writes an archive of the members to a file of the machine.
    void PutArchive(const std::string& path, const std::vector<std::pair<std::string, Bytes>>& members,
                    TCompressionMethod method = coLZH5) {
        std::vector<std::unique_ptr<MemoryStream>> data;
        std::vector<TMemberSource> sources;
        for (const auto& [name, bytes] : members) {
            data.push_back(std::make_unique<MemoryStream>(bytes));
            TMemberSource source;
            source.StoredName = name;
            source.Data = data.back().get();
            source.DosDateTime = 0x28210000;
            sources.push_back(source);
        }
        MemoryStream archive;
        TZiviArchive writer(Files());
        writer.CompressArchiveStream(archive, sources, {method, 0});
        PutFile(path, archive.bytes());
    }

    std::unique_ptr<hosted::HostedMachine> machine_;
    std::unique_ptr<TSegCompEZ> reader_;
    std::vector<hosted::DialogRequest> asked_;
    std::deque<std::function<hosted::DialogAnswer(const hosted::DialogRequest&)>> replies_;
};

}  // namespace tavlin::test
