// tavlin check: the install.cfg check of tavlin media without building media.
// Findings go to stderr in compiler style; exit 1 when there is an error (or,
// with --strict, a warning).
#include <CLI/CLI.hpp>
#include <memory>

#include "media_extras.h"
#include "media_file_list.h"
#include "media_product.h"
#include "support/paths.h"
#include "support/string_list.h"
#include "tool_command.h"

namespace tavlin::tool {

namespace {

struct CheckOptions {
    std::string product;
    std::string config;
    std::string files;
    std::string warning;
    bool strict = false;
};

std::string ExistingFile(HostFiles& host, const std::string& argument) {
    const std::string path = host.PathOf(argument);
    if (!host.Files().fileExists(path)) throw Exception(argument + ": no such file");
    return path;
}

void RunCheck(ToolContext& context, const CheckOptions& options) {
    HostFiles& host = context.host;
    const std::string productPath = ExcludeTrailingBackslash(host.PathOf(options.product));
    if (!host.Files().directoryExists(productPath)) throw Exception(options.product + ": no such folder");
    const std::string configPath = ExistingFile(host, options.config);
    Product product = CollectProduct(host.Files(), productPath);
    const std::string welcomePath = TakeWelcomeText(host, product, options.warning);
    std::vector<std::string> listLines;
    if (!options.files.empty()) {
        StringList list;
        list.LoadFromFile(host.Files(), ExistingFile(host, options.files));
        listLines = list.Lines();
    }
    const auto fileList = BuildFileList(product, listLines, options.files);
    // The setup program is always beside the segments on a medium that works.
    CheckConfigForMedia(host, {options.config, configPath, options.strict}, product, fileList, !welcomePath.empty(),
                        true);
    context.out << options.config << ": no errors\n";
}

}  // namespace

CommandAction DeclareCheck(CLI::App& command) {
    auto options = std::make_shared<CheckOptions>();
    command.add_option("--product", options->product, "Folder of the product's files")->required();
    command.add_option("--config", options->config, "The setup configuration, install.cfg")->required();
    command.add_option("--files", options->files,
                       "Lines in finstall.cfg form for files that do not go to the installation folder");
    command.add_option("--warning", options->warning,
                       "The welcome page's text (default: warning.txt at the top of the product folder)");
    command.add_flag("--strict", options->strict, "Warnings count as errors");
    return [options](ToolContext& context) { RunCheck(context, *options); };
}

}  // namespace tavlin::tool
