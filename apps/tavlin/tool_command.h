// The subcommands of tavlin: each declares its options on its own CLI11
// subcommand and returns the action that runs it. New commands are added to
// the table in tool_commands.cpp.
#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <vector>

#include "host_files.h"

namespace CLI {
class App;
}

namespace tavlin::tool {

// What a command works with.
struct ToolContext {
    HostFiles& host;
    std::ostream& out;
};

// Runs a parsed command; failures are raised as exceptions.
using CommandAction = std::function<void(ToolContext&)>;

struct ToolCommand {
    const char* name;
    const char* summary;
    CommandAction (*declare)(CLI::App& command);
};

const std::vector<ToolCommand>& ToolCommands();

// A command line that is well-formed for the parser but still wrong (exit 2).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The 32-bit signed key of -k, in decimal or as 0x hexadecimal.
std::int32_t ParseKey(const std::string& text);

CommandAction DeclarePack(CLI::App& command);
CommandAction DeclareList(CLI::App& command);
CommandAction DeclareExtract(CLI::App& command);
CommandAction DeclareTest(CLI::App& command);
CommandAction DeclareMedia(CLI::App& command);
CommandAction DeclareCheck(CLI::App& command);
CommandAction DeclareSegList(CLI::App& command);
CommandAction DeclareSegExtract(CLI::App& command);

}  // namespace tavlin::tool
