// The files the tool works on, as the platform names them, and the translation
// between command-line text and the platform's 8-bit Windows text.
#pragma once

#include <memory>
#include <string>

#include "platform/file_system.h"

namespace tavlin::tool {

class HostFiles {
public:
    virtual ~HostFiles() = default;
    // The host's own files.
    static std::unique_ptr<HostFiles> Open();

    virtual FileSystem& Files() = 0;
    // A path given on the command line, as the file system names it.
    virtual std::string PathOf(const std::string& commandLinePath) = 0;
    // A file system path as the user would write it on the command line.
    virtual std::string DisplayPathOf(const std::string& path) = 0;
    // Command-line text as Windows-1252 (stored names), and back.
    virtual std::string AnsiOf(const std::string& text) = 0;
    virtual std::string TerminalTextOf(const std::string& ansi) = 0;
};

}  // namespace tavlin::tool
