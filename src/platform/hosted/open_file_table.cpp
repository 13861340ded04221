// Bookkeeping of open and held files.
#include "platform/hosted/open_file_table.h"

namespace tavlin::hosted {

bool OpenFileTable::openForReading(const std::string& file) {
    Users& users = open_[file];
    if (users.writers > 0) return false;
    ++users.readers;
    return true;
}

bool OpenFileTable::openForWriting(const std::string& file) {
    if (isOpen(file) || isHeld(file)) return false;
    open_[file].writers = 1;
    return true;
}

void OpenFileTable::closeReader(const std::string& file) {
    const auto found = open_.find(file);
    if (found == open_.end()) return;
    if (--found->second.readers <= 0 && found->second.writers == 0) open_.erase(found);
}

void OpenFileTable::closeWriter(const std::string& file) {
    const auto found = open_.find(file);
    if (found == open_.end()) return;
    found->second.writers = 0;
    if (found->second.readers <= 0) open_.erase(found);
}

bool OpenFileTable::isOpen(const std::string& file) const {
    const auto found = open_.find(file);
    return found != open_.end() && (found->second.readers > 0 || found->second.writers > 0);
}

}  // namespace tavlin::hosted
