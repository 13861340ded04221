// The lines of finstall.cfg: by default every product file goes to the
// installation folder under its own sub-folders; a --files list gives lines of
// the same form for files that go elsewhere, and those files get no default line.
#pragma once

#include <string>
#include <vector>

#include "media_product.h"

namespace tavlin::tool {

// The source path of a finstall.cfg line: what remains after its TAB-separated
// and then its comma-separated destination fields, cut as the setup cuts them.
std::string SourcePathOfLine(std::string line);

// The default line of a file: "Installation Directory", TAB, the sub-folder as one
// field ending with "\" (so that a folder named like a keyword stays a folder),
// TAB, the builder path. A file of the root has no sub-folder field.
std::string DefaultLine(const Product& product, const ProductFolder& folder, const ProductFile& file);

// finstall.cfg: the default lines of the files the list does not name, in the
// product's order, then the list's lines as given. Raises Exception for a list
// line whose source path is no file (or, ending with "\", no folder) of the product.
std::vector<std::string> BuildFileList(const Product& product, const std::vector<std::string>& listLines,
                                       const std::string& listName);

}  // namespace tavlin::tool
