// Which host files are open through the machine, and how, and which are held by a
// running program: the sharing rules of the Windows file API rest on it. Streams
// share it with the file system, so a stream may outlive either.
#pragma once

#include <map>
#include <set>
#include <string>

namespace tavlin::hosted {

class OpenFileTable {
public:
    // Opening for reading denies writers; opening for writing denies everyone.
    bool openForReading(const std::string& file);
    bool openForWriting(const std::string& file);
    void closeReader(const std::string& file);
    void closeWriter(const std::string& file);

    void hold(const std::string& file) { held_.insert(file); }
    void release(const std::string& file) { held_.erase(file); }

    bool isOpen(const std::string& file) const;
    bool isHeld(const std::string& file) const { return held_.count(file) > 0; }

private:
    struct Users {
        int readers = 0;
        int writers = 0;
    };
    std::map<std::string, Users> open_;
    std::set<std::string> held_;
};

}  // namespace tavlin::hosted
