// Filling in the link's header from the target on the machine.
#include "platform/hosted/hosted_shell_link.h"

#include <sys/stat.h>

#include "platform/errors.h"

namespace tavlin::hosted {

void HostedShellLink::setPath(const std::string& path) {
    // The shell stores the full path of the target.
    const std::string full = files_.fullPathName(path);
    link_.target = full.empty() ? path : full;
}

void HostedShellLink::setIconLocation(const std::string& file, int index) {
    link_.iconLocation = file;
    link_.iconIndex = index;
}

bool HostedShellLink::save(const std::string& path) {
    ShellLinkData data = link_;
    data.fileAttributes = 0;
    data.fileSize = 0;
    data.creationTime = data.accessTime = data.writeTime = 0;
    if (const auto target = files_.resolve(data.target); target && target->exists) {
        data.fileAttributes = files_.attributes(data.target).value_or(0);
        struct stat info {};
        if (::stat(target->host.c_str(), &info) == 0) {
            if (!target->folder) data.fileSize = static_cast<std::uint32_t>(info.st_size);
            data.writeTime = fileTimeFromHost(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
            data.accessTime = fileTimeFromHost(info.st_atim.tv_sec, info.st_atim.tv_nsec);
            data.creationTime = data.writeTime;
        }
    }
    if (!data.target.empty()) data.driveSerial = 0x54560000u | static_cast<unsigned char>(data.target[0] & 0xDF);
    const std::string bytes = encodeShellLink(data);
    try {
        auto stream = files_.create(path);
        stream->writeBuffer(bytes.data(), bytes.size());
    } catch (const EStreamError&) {
        return false;  // IPersistFile::Save reports a failed write as a failed call
    }
    return true;
}

}  // namespace tavlin::hosted
