// Adding and removing the product's marked block in AUTOEXEC.BAT and CONFIG.SYS.
// The markers carry the setup title, so they alone find the block again; the
// uninstall log records nothing for these files.
#include "install/startup_files.h"

#include <functional>
#include <optional>

#include "install/path_macros.h"
#include "platform/platform.h"
#include "support/folders.h"
#include "support/string_list.h"
#include "support/text.h"

namespace tavlin {

namespace {

// The start-up files live in the root of the drive that holds Windows.
std::string StartupFilePath(Platform& platform, const std::string& fileName) {
    return WindowsFolder(platform).substr(0, 3) + fileName;
}

// The file's lines; an empty list for a missing file, nothing for a file that
// exists but cannot be read.
std::optional<StringList> ReadLines(FileSystem& files, const std::string& path) {
    StringList lines;
    if (!files.attributes(path)) return lines;
    try {
        lines.LoadFromFile(files, path);
    } catch (const EStreamError&) {
        return std::nullopt;
    }
    return lines;
}

// DOS stops reading a start-up file at Ctrl-Z; what stands after it never runs.
constexpr char kEndOfFile = '\x1A';

// Writes the lines back; a file that cannot be written keeps its old content. A
// last line that is the end-of-file mark alone gets no line end, as it had none.
void WriteLines(FileSystem& files, const std::string& path, const StringList& lines,
                const ChangeRecorder& recordChange) {
    std::string text = lines.Text();
    if (!lines.Empty() && lines[lines.Count() - 1] == std::string(1, kEndOfFile) && EndsWith(text, "\r\n")) {
        text.resize(text.size() - 2);
    }
    try {
        auto stream = files.create(path);
        stream->writeBuffer(text.data(), text.size());
    } catch (const EStreamError&) {
        return;  // an unwritable start-up file stays as it was; the run goes on
    }
    if (recordChange) recordChange("Rewrote start-up file " + path);
}

// Takes a trailing end-of-file mark off the lines; true when there was one.
bool TakeEndOfFile(StringList& lines) {
    if (lines.Empty()) return false;
    std::string last = lines[lines.Count() - 1];
    const auto mark = last.find(kEndOfFile);
    if (mark == std::string::npos || last.find_first_not_of(kEndOfFile, mark) != std::string::npos) return false;
    last.erase(mark);
    StringList kept;
    for (std::size_t i = 0; i + 1 < lines.Count(); ++i) kept.Add(lines[i]);
    if (!last.empty()) kept.Add(last);
    lines = std::move(kept);
    return true;
}

// "COPY" gets "/Y" so that the command never stops to ask about an existing file.
std::string WithOverwriteSwitch(std::string line) {
    // Only a real COPY command (the word followed by a blank) gets the switch, so a
    // word such as COPYRIGHT earlier in the line stays intact.
    const auto at = line.find("COPY ");
    if (at != std::string::npos) line.insert(at + 4, "/Y");
    return line;
}

}  // namespace

std::string StartMarker(const std::string& title) { return "REM:START VIVUro ->" + title; }

std::string EndMarker(const std::string& title) { return "REM:END VIVUro ->" + title; }

void BuildStartupBlock(Platform& platform, const std::string& Main_Dir, const std::string& title,
                       StringList& lines) {
    if (lines.Empty()) return;
    StringList block;
    block.Add(StartMarker(title));
    for (const auto& line : lines) {
        block.Add(ExpandPathMacros(platform, Main_Dir, WithOverwriteSwitch(UpperCaseAscii(line)), true));
    }
    block.Add(EndMarker(title));
    lines = std::move(block);
}

void AppendBlockToFile(Platform& platform, const std::string& fileName, const std::string& title,
                       const StringList& block, const ChangeRecorder& recordChange,
                       const std::function<void(const std::string& path)>& beforeCreating) {
    FileSystem& files = platform.files();
    const std::string path = StartupFilePath(platform, fileName);
    const bool existed = files.attributes(path).has_value();
    // Taken as empty, an unreadable file would lose its own lines to the block.
    auto lines = ReadLines(files, path);
    if (!lines) return;
    const std::string marker = StartMarker(title);
    for (const auto& line : *lines) {
        if (Contains(line, marker)) return;
    }
    // The block goes before a closing Ctrl-Z, where DOS still reads it.
    const bool endOfFile = TakeEndOfFile(*lines);
    for (const auto& line : block) lines->Add(line);
    if (endOfFile) lines->Add(std::string(1, kEndOfFile));
    if (!existed && beforeCreating) beforeCreating(path);
    WriteLines(files, path, *lines, recordChange);
}

void RemoveBlockFromFile(Platform& platform, const std::string& fileName, const std::string& title,
                         const ChangeRecorder& recordChange, bool createdBySetup) {
    FileSystem& files = platform.files();
    const std::string path = StartupFilePath(platform, fileName);
    const auto lines = ReadLines(files, path);
    if (!lines) return;
    const std::string startMarker = StartMarker(title);
    const std::string endMarker = EndMarker(title);
    StringList kept;
    bool inBlock = false;
    bool removedBlock = false;
    for (const auto& line : *lines) {
        if (inBlock) {
            inBlock = line != endMarker;
        } else if (line == startMarker) {
            inBlock = true;
            removedBlock = true;
        } else {
            kept.Add(line);
        }
    }
    // A file that the setup itself created goes once nothing but the block (and a
    // closing Ctrl-Z) was in it.
    StringList content = kept;
    TakeEndOfFile(content);
    if (createdBySetup && files.attributes(path) && content.Empty()) {
        if (files.deleteFile(path) && recordChange) recordChange("Deleted file " + path);
        return;
    }
    // A file of fewer than two lines without a block of ours is left as it is; once
    // a block has been taken out, the rest is written back however short it is, so
    // that the product's lines never outlive it.
    if (kept.Count() >= 2 || removedBlock) WriteLines(files, path, kept, recordChange);
}

std::string StartupFilePathOf(Platform& platform, const std::string& fileName) {
    return StartupFilePath(platform, fileName);
}

}  // namespace tavlin
