// Default lines and the --files list.
#include "media_file_list.h"

#include <set>

#include "platform/errors.h"
#include "support/fields.h"
#include "support/text.h"

namespace tavlin::tool {

std::string SourcePathOfLine(std::string line) {
    std::string field;
    while (line.find('\t') != std::string::npos) SplitFirstField(line, '\t', field);
    while (line.find(',') != std::string::npos) SplitFirstField(line, ',', field);
    return line;
}

std::string DefaultLine(const Product& product, const ProductFolder& folder, const ProductFile& file) {
    std::string line = "Installation Directory\t";
    if (!folder.Relative.empty()) line += folder.Relative + "\t";
    return line + product.Root + folder.Relative + file.Name;
}

std::vector<std::string> BuildFileList(const Product& product, const std::vector<std::string>& listLines,
                                       const std::string& listName) {
    std::set<std::string> files, folders, listed;
    for (const auto& folder : product.Folders) {
        for (const auto& file : folder.Files) files.insert(UpperCaseAscii(product.Root + folder.Relative + file.Name));
    }
    for (const auto& relative : product.AllFolders) folders.insert(UpperCaseAscii(product.Root + relative));

    std::vector<std::string> given;
    for (std::size_t i = 0; i < listLines.size(); ++i) {
        const std::string& line = listLines[i];
        if (line.empty()) continue;
        const std::string source = UpperCaseAscii(SourcePathOfLine(line));
        const bool known = EndsWith(source, "\\") ? folders.count(source) > 0 : files.count(source) > 0;
        if (!known) {
            throw Exception(listName + " line " + std::to_string(i + 1) + ": " + SourcePathOfLine(line) +
                            " is not in the product, whose files are stored under " + product.Root);
        }
        listed.insert(source);
        given.push_back(line);
    }

    std::vector<std::string> lines;
    for (const auto& folder : product.Folders) {
        for (const auto& file : folder.Files) {
            if (listed.count(UpperCaseAscii(product.Root + folder.Relative + file.Name)) == 0) {
                lines.push_back(DefaultLine(product, folder, file));
            }
        }
    }
    lines.insert(lines.end(), given.begin(), given.end());
    return lines;
}

}  // namespace tavlin::tool
