// Adding and removing the product's marked block in AUTOEXEC.BAT and CONFIG.SYS.
// The markers carry the setup title, so they alone find the block again; the
// uninstall log records nothing for these files.
#include "install/startup_files.h"

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

// Writes the lines back; a file that cannot be written keeps its old content.
void WriteLines(FileSystem& files, const std::string& path, const StringList& lines,
                const ChangeRecorder& recordChange) {
    try {
        lines.SaveToFile(files, path);
    } catch (const EStreamError&) {
        return;  // an unwritable start-up file stays as it was; the run goes on
    }
    if (recordChange) recordChange("Rewrote start-up file " + path);
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
                       const StringList& block, const ChangeRecorder& recordChange) {
    FileSystem& files = platform.files();
    const std::string path = StartupFilePath(platform, fileName);
    // Taken as empty, an unreadable file would lose its own lines to the block.
    auto lines = ReadLines(files, path);
    if (!lines) return;
    const std::string marker = StartMarker(title);
    for (const auto& line : *lines) {
        if (Contains(line, marker)) return;
    }
    for (const auto& line : block) lines->Add(line);
    WriteLines(files, path, *lines, recordChange);
}

void RemoveBlockFromFile(Platform& platform, const std::string& fileName, const std::string& title,
                         const ChangeRecorder& recordChange) {
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
    // A file of fewer than two lines without a block of ours is left as it is; once
    // a block has been taken out, the rest is written back however short it is, so
    // that the product's lines never outlive it.
    if (kept.Count() >= 2 || removedBlock) WriteLines(files, path, kept, recordChange);
}

}  // namespace tavlin
