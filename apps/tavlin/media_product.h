// The product folder as the media builder sees it: its folders that hold files,
// in a fixed order (each folder's files sorted by name, then its sub-folders in
// name order), with every file's builder path. The builder stores the product
// under the root C:\<product folder's name>\, so a file docs\a.txt of the
// product Acme has the builder path C:\Acme\docs\a.txt.
#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tavlin::tool {

struct ProductFile {
    std::string Name;  // file name
    std::string Path;  // where the builder reads it
};

struct ProductFolder {
    // The folder below the product root, ending with "\" (empty for the root).
    std::string Relative;
    std::vector<ProductFile> Files;
};

struct Product {
    // "C:\" + the product folder's name + "\".
    std::string Root;
    std::vector<ProductFolder> Folders;  // only folders that hold files
    std::vector<std::string> AllFolders;  // every folder's Relative, the root included
};

// Walks the product folder. Raises Exception for names that finstall.cfg or
// Windows cannot carry (a comma, a double quote, a control character or one of
// * ? < > | :) and for names in one folder that differ only in letter case.
Product CollectProduct(FileSystem& files, const std::string& productPath);

}  // namespace tavlin::tool
