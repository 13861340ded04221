// tavlin: writes, lists, expands and tests archives, builds setup media and
// lists and expands segment sets. Exit codes: 0 done, 1 a data or I/O error,
// 2 a usage error; errors go to stderr as "tavlin: MESSAGE".
#include <CLI/CLI.hpp>
#include <iostream>

#include "platform/errors.h"
#include "tool_command.h"

int main(int argc, char** argv) {
    using namespace tavlin::tool;
    CLI::App app("tavlin: builder and archive tool of the Tavlin setup", "tavlin");
    app.require_subcommand(1);
    std::vector<std::pair<CLI::App*, CommandAction>> actions;
    for (const auto& command : ToolCommands()) {
        CLI::App* sub = app.add_subcommand(command.name, command.summary);
        actions.emplace_back(sub, command.declare(*sub));
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) return app.exit(error);  // --help
        std::cerr << "tavlin: " << error.what() << "\n";
        return 2;
    }

    try {
        const auto host = HostFiles::Open();
        ToolContext context{*host, std::cout};
        for (auto& [sub, action] : actions) {
            if (sub->parsed()) action(context);
        }
    } catch (const UsageError& error) {
        std::cerr << "tavlin: " << error.what() << "\n";
        return 2;
    } catch (const tavlin::Exception& error) {
        std::cerr << "tavlin: " << error.what() << "\n";
        return 1;
    } catch (const std::exception& error) {
        // Failures from the standard library (memory, host file system).
        std::cerr << "tavlin: " << error.what() << "\n";
        return 1;
    }
    std::cout.flush();
    return std::cout ? 0 : 1;
}
