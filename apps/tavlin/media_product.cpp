// Walking the product folder in a fixed order.
#include "media_product.h"

#include <algorithm>
#include <set>

#include "platform/errors.h"
#include "support/paths.h"
#include "support/text.h"

namespace tavlin::tool {

namespace {

void CheckName(const std::string& name, const std::string& shown) {
    const bool bad = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view(",\"*?<>|:").find(c) != std::string_view::npos;
    });
    if (bad || name.empty()) {
        throw Exception(shown + ": a name with a comma, a double quote or a character Windows refuses cannot be listed");
    }
}

void Walk(FileSystem& files, const std::string& folderPath, const std::string& relative, Product& product) {
    auto entries = files.findAll(folderPath + "\\*");
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const FindData& e) { return e.name == "." || e.name == ".."; }),
                  entries.end());
    std::sort(entries.begin(), entries.end(), [](const FindData& a, const FindData& b) { return a.name < b.name; });

    std::set<std::string> seen;
    for (const auto& entry : entries) {
        CheckName(entry.name, product.Root + relative + entry.name);
        if (!seen.insert(UpperCaseAscii(entry.name)).second) {
            throw Exception(product.Root + relative + entry.name + ": another name of the folder differs only in letter case");
        }
    }
    product.AllFolders.push_back(relative);
    ProductFolder folder{relative, {}};
    for (const auto& entry : entries) {
        if (!(entry.attributes & faDirectory)) folder.Files.push_back({entry.name, folderPath + "\\" + entry.name});
    }
    if (!folder.Files.empty()) product.Folders.push_back(std::move(folder));
    for (const auto& entry : entries) {
        if (entry.attributes & faDirectory) {
            Walk(files, folderPath + "\\" + entry.name, relative + entry.name + "\\", product);
        }
    }
}

}  // namespace

Product CollectProduct(FileSystem& files, const std::string& productPath) {
    const std::string path = ExcludeTrailingBackslash(productPath);
    const std::string name = ExtractFileName(path);
    if (name.empty()) throw Exception(productPath + ": the product folder needs a name of its own");
    CheckName(name, productPath);
    Product product;
    product.Root = "C:\\" + name + "\\";
    Walk(files, path, "", product);
    return product;
}

}  // namespace tavlin::tool
