// Runs the batch files a setup writes, with the few commands they use: a drive
// change ("C:"), cd (also "cd\" and "cd.."), del, rd, rem and exit. Commands
// ignore letter case; paths go through the machine's file system, so short names
// work; a command that fails is passed over, as the command interpreter does.
#pragma once

#include <map>
#include <string>

#include "platform/file_system.h"

namespace tavlin::hosted {

class BatchInterpreter {
public:
    // Works in the file system's current folder, which it changes as cd does.
    explicit BatchInterpreter(FileSystem& files) : files_(files) {}

    void run(const std::string& script);

private:
    // False when the script ends here.
    bool execute(const std::string& line);
    void changeDrive(char letter);
    void changeDirectory(const std::string& argument);
    void deleteFiles(const std::string& argument);
    void removeDirectories(const std::string& argument);

    FileSystem& files_;
    std::map<char, std::string> driveFolders_;  // the current folder of each drive left
};

}  // namespace tavlin::hosted
