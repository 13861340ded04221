// Shell-link (.lnk) files in the Microsoft Shell Link binary format: a 76-byte
// header (class 00021401-0000-0000-C000-000000000046, flags, target attributes,
// times and size, icon index, show command), a LinkInfo with the volume and the
// target's local path, and the string data. Written with ANSI strings, as the A
// interface saves them; read in both string forms.
#pragma once

#include <cstdint>
#include <string>

namespace tavlin::hosted {

struct ShellLinkData {
    std::string target;  // local path of the target
    std::string workingDirectory;
    std::string arguments;
    std::string iconLocation;
    std::string description;
    std::string relativePath;
    int iconIndex = 0;
    int showCommand = 1;
    std::uint32_t fileAttributes = 0;  // of the target when the link was saved
    std::uint32_t fileSize = 0;
    std::uint64_t creationTime = 0, accessTime = 0, writeTime = 0;  // FILETIME values
    std::uint32_t driveType = 3;  // a fixed disk
    std::uint32_t driveSerial = 0;
    std::string volumeLabel;
};

std::string encodeShellLink(const ShellLinkData& link);
// Raises Exception "Invalid shell link file" for bytes that are not one.
ShellLinkData decodeShellLink(const std::string& bytes);

// A host time (seconds since 1970, UTC) as a FILETIME (100 ns steps since 1601).
std::uint64_t fileTimeFromHost(std::int64_t seconds, std::int64_t nanoseconds);

}  // namespace tavlin::hosted
