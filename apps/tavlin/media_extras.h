// What tavlin media and tavlin check add around the archives: the check of
// install.cfg against the medium's files (findings in compiler style on
// stderr), the welcome text warning.txt at the root of the setup's expansion
// folder, and the summary of what the medium will do.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "compress/zivi_archive.h"
#include "config/config_document.h"
#include "media_product.h"
#include "segment/segment_writer.h"
#include "tool_command.h"

namespace tavlin::tool {

struct ConfigCheckOptions {
    std::string ConfigArgument;  // as given, for the findings' file name
    std::string ConfigPath;
    bool Strict = false;  // warnings stop the command too
};

// The welcome text a medium ships: the --warning file, else the product's own
// top-level warning.txt, which is then taken out of the files to install. Empty
// when there is none.
std::string TakeWelcomeText(HostFiles& host, Product& product, const std::string& warningArgument);

// Checks install.cfg against the product and finstall.cfg's lines, prints the
// findings to stderr and raises Exception when there is an error (or, with
// Strict, a warning). Returns the configuration for the summary.
ConfigDocument CheckConfigForMedia(HostFiles& host, const ConfigCheckOptions& options, const Product& product,
                                   const std::vector<std::string>& fileList, bool shipsWelcomeText,
                                   bool shipsSetup);

// The archive that puts the welcome text at the root of the expansion folder.
TSegArchiveInput WelcomeTextArchive(TZiviArchive& archiver, const std::string& welcomePath,
                                    const std::string& archivePath, TCompressionMethod method);

// The media summary on out.
void PrintMediaSummary(ToolContext& context, const ConfigDocument& config, const std::vector<TSegArchiveInput>& archives,
                       const std::vector<std::string>& segments);

}  // namespace tavlin::tool
