// DEdaZedozave's construction and the rules of its property setters.
#include <algorithm>

#include "platform/platform.h"
#include "segment/dedazedozave.h"
#include "support/paths.h"

namespace tavlin {

namespace {

std::string LowerCaseAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

std::string WithoutOneTrailingBackslash(std::string text) {
    if (!text.empty() && text.back() == '\\') text.pop_back();
    return text;
}

}  // namespace

DEdaZedozave::DEdaZedozave(FileSystem& files, Dialogs& dialogs) : TZiviArchive(files), dialogs_(dialogs) {
    SetSegTmpDir("");
}

DEdaZedozave::DEdaZedozave(Platform& platform) : DEdaZedozave(platform.files(), platform.dialogs()) {
    ProcessMessages = [&platform] { platform.system().processMessages(); };
}

DEdaZedozave::~DEdaZedozave() = default;

void DEdaZedozave::SetSegBaseName(const std::string& value) {
    segBaseName_ = value.empty() ? "SegData" : LowerCaseAscii(ExtractFileName(value));
}

void DEdaZedozave::SetSegDir(const std::string& value) {
    segDir_ = value.empty() ? "a:\\" : LowerCaseAscii(Files().fullPathName(value));
}

void DEdaZedozave::SetSegExt(const std::string& value) { segExt_ = value.substr(0, 3); }

void DEdaZedozave::SetSegSize(std::int32_t value) { segSize_ = std::max<std::int32_t>(value, 16384); }

void DEdaZedozave::SetSegTmpDir(const std::string& value) {
    const std::string folder = value.empty() ? Files().currentDirectory() : value;
    segTmpDir_ = LowerCaseAscii(WithoutOneTrailingBackslash(folder));
}

}  // namespace tavlin
