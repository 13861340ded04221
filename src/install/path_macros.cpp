// The folder table and its resolvers, and the installation lists built from the
// file list.
#include "install/path_macros.h"

#include <cstddef>
#include <vector>

#include "install/file_list_line.h"
#include "install/setup_state.h"
#include "platform/platform.h"
#include "support/folders.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin {

namespace {

constexpr int kRows = static_cast<int>(FolderKeywords.size());

// Applies one field of a file-list line to the destination folder: a keyword
// replaces the folder, anything else is appended as a subfolder.
void ApplyField(Platform& platform, const std::string& Main_Dir, const std::string& field, std::string& folder) {
    for (int row = 0; row < kRows; ++row) {
        if (field == FolderKeywords[static_cast<std::size_t>(row)]) {
            folder = MacroFolder(platform, Main_Dir, row);
            return;
        }
    }
    folder += IncludeTrailingBackslash(field);
    if (field.empty()) folder += '\\';
}

}  // namespace

std::string MacroFolder(Platform& platform, const std::string& Main_Dir, int row) {
    switch (row) {
        case 0: return Main_Dir;
        case 1: return SpecialFolder(platform, sfProgramFiles);
        case 2: return WindowsFolder(platform) + "\\";
        case 3: return WindowsFolder(platform) + "\\System\\";
        case 4: return WindowsFolder(platform) + "\\System32\\";
        case 5: return WindowsFolder(platform) + "\\Fonts\\";
        case 6: return WindowsFolder(platform).substr(0, 3);
        default: return {};
    }
}

void BuildInstallLists(Platform& platform, SetupState& state, std::string& Main_Dir) {
    if (!EndsWith(Main_Dir, "\\")) Main_Dir += '\\';
    state.InstallTargets.Clear();
    state.InstallFiles.Clear();
    for (const auto& line : state.ArchiveFileList) {
        if (line.empty()) continue;
        const FileListLine parts = SplitFileListLine(line);
        std::string folder;
        for (const std::string& field : parts.fields) ApplyField(platform, Main_Dir, field, folder);
        state.InstallTargets.Add(folder + ExtractFileName(parts.source));
        state.InstallFiles.Add(state.ExpandDir + SourceBelowDrive(parts.source));
    }
}

std::string ResolveMacroPath(Platform& platform, const std::string& Main_Dir, const std::string& text) {
    std::string result = Main_Dir;
    std::string rest = text;
    for (int row = 0; row < kRows; ++row) {
        const std::string macro = FolderMacros[static_cast<std::size_t>(row)];
        if (StartsWith(rest, macro)) {
            rest.erase(0, macro.size());
            result = MacroFolder(platform, Main_Dir, row) + rest;
        }
    }
    return result;
}

std::pair<std::string, std::string> FindPathMacro(Platform& platform, const std::string& Main_Dir,
                                                  const std::string& text) {
    const std::string upper = UpperCaseAscii(text);
    if (upper.empty()) return {};
    for (int row = 0; row < kRows; ++row) {
        const std::string macro = UpperCaseAscii(FolderMacros[static_cast<std::size_t>(row)]);
        if (Contains(upper, macro)) return {UpperCaseAscii(MacroFolder(platform, Main_Dir, row)), macro};
    }
    return {};
}

std::string ExpandPathMacros(Platform& platform, const std::string& Main_Dir, const std::string& text,
                             bool shortForm) {
    // The text is kept as pieces: those still to be searched and the folders put in.
    // A folder is never searched again, so a folder whose own name looks like a
    // macro cannot make the replacement run forever.
    struct Piece {
        std::string text;
        bool inserted;
    };
    std::vector<Piece> pieces{{UpperCaseAscii(text), false}};
    for (;;) {
        // Macros never span a folder put in, so searching the searchable pieces
        // joined by a line break finds what a search of the whole text would.
        std::string searchable;
        for (const auto& piece : pieces) {
            if (!piece.inserted) searchable += piece.text + '\n';
        }
        auto [folder, macro] = FindPathMacro(platform, Main_Dir, searchable);
        if (folder.empty()) break;
        std::size_t index = 0;
        std::size_t at = std::string::npos;
        for (; index < pieces.size(); ++index) {
            if (pieces[index].inserted) continue;
            at = pieces[index].text.find(macro);
            if (at != std::string::npos) break;
        }
        if (index == pieces.size()) break;
        if (shortForm) folder = ShortPathOf(platform, folder);
        const std::string before = pieces[index].text.substr(0, at);
        const std::string after = pieces[index].text.substr(at + macro.size());
        pieces[index].text = before;
        pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                      {Piece{UpperCaseAscii(folder), true}, Piece{after, false}});
    }
    std::string result;
    for (const auto& piece : pieces) result += piece.text;
    return result;
}

}  // namespace tavlin
