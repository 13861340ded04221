// File copies and deletions by pattern, shared by the expansion, installation and
// uninstall runs.
#pragma once

#include <cstdint>
#include <string>

#include "support/date_time.h"

namespace tavlin {

class Platform;

// Copies source to destination (a file, or an existing folder that receives the
// source's file name) in 8192-byte chunks. The copy bears the time of copying.
// Raises EFOpenError "Cannot open file %s" or EFCreateError "Cannot create file %s".
void CopyFileTo(Platform& platform, const std::string& source, const std::string& destination);
// CopyFileTo for a destination known to name the file itself, which saves asking
// whether it is a folder.
void CopyFileAs(Platform& platform, const std::string& source, const std::string& target);

// True when the file's attributes can be read and hold every bit of mask.
bool HasAttributes(Platform& platform, const std::string& path, std::uint32_t mask);

// Copies every entry that folder + mask finds into destination; failures are skipped.
void CopyMatchingFiles(Platform& platform, const std::string& folder, const std::string& mask,
                       const std::string& destination);

// Copies every subfolder tree of source, with its files, into destination (which
// ends with "\"); files that lie directly in source are not copied.
void CopyFolderTree(Platform& platform, const std::string& source, const std::string& destination);

// Deletes every file that folder + mask finds; failures are ignored and folders stay.
void DeleteMatchingFiles(Platform& platform, const std::string& folder, const std::string& mask);

// The file's last-write date and time (local, 2-second resolution), or 0 when the
// file does not exist or its date cannot be read.
TDateTime FileDate(Platform& platform, const std::string& path);

}  // namespace tavlin
