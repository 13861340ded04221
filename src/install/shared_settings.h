// Settings that other software shares and that clearing before an installation or
// an uninstall therefore never deletes: the Windows INI files, and registry keys
// near a root or of Windows itself.
#pragma once

#include <string>

namespace tavlin {

class Platform;

// True for WIN.INI, SYSTEM.INI, CONTROL.INI, PROGMAN.INI, WINFILE.INI, DOSAPP.INI,
// PROTOCOL.INI, ODBC.INI and ODBCINST.INI in the Windows folder, however the path
// is written.
bool IsSharedWindowsIniFile(Platform& platform, const std::string& path);

// A registry key path below its root with empty names dropped: "\A\\B\" is "A\B".
std::string NormalKeyPath(const std::string& path);

// True for a key less than two levels below its root, for the keys that Windows
// and its shell keep for all programs (the Run, Uninstall and App Paths keys, the
// shell folders, the classes, the services ...), and for every key that holds one
// of them. keyPath is relative to its root.
bool IsSharedRegistryKey(const std::string& keyPath);

}  // namespace tavlin
