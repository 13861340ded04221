// Runs the batch files a setup writes, with the few commands they use: a drive
// change ("C:"), cd (also "cd\" and "cd.."), del, rd, rem, exit, "if [not] exist
// name command" and "reg delete key /f" (a whole key of HKLM or HKCU). Commands
// ignore letter case; "%%" stands for "%"; paths go through the machine's file
// system, so short names work; a command that fails is passed over, as the
// command interpreter does.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"
#include "platform/registry.h"

namespace tavlin::hosted {

class BatchInterpreter {
public:
    // Works in the file system's current folder, which it changes as cd does.
    // Without a registry, reg does nothing.
    explicit BatchInterpreter(FileSystem& files, Registry* registry = nullptr) : files_(files), registry_(registry) {}

    void run(const std::string& script);

private:
    // False when the script ends here.
    bool execute(const std::string& line);
    void changeDrive(char letter);
    void changeDirectory(const std::string& argument);
    void deleteFiles(const std::string& argument);
    void removeDirectories(const std::string& argument);
    bool conditional(const std::string& argument);
    void registryCommand(const std::string& argument);

    FileSystem& files_;
    Registry* registry_;
    std::map<char, std::string> driveFolders_;  // the current folder of each drive left
};

}  // namespace tavlin::hosted
