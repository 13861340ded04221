// The shell-link object through COM. The link's own setters are not checked: a
// link that cannot be written shows as a failed save.
#include "platform/win32/win32_shell_link.h"

#include <cstdio>
#include <string>

#include "platform/errors.h"
#include "platform/win32/win32_error.h"

namespace tavlin::win32 {

namespace {

std::string describeHresult(const char* call, HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return std::string(call) + " failed: " + systemErrorText(static_cast<DWORD>(result)) + " (HRESULT " + code +
           ")";
}

}  // namespace

Win32ShellLink::Win32ShellLink() {
    // S_FALSE means COM was already initialised on this thread; that still needs
    // its CoUninitialize. A thread in another apartment mode can use COM as it is.
    const HRESULT init = CoInitialize(nullptr);
    comInitialized_ = SUCCEEDED(init);
    if (FAILED(init) && init != RPC_E_CHANGED_MODE) throw Exception(describeHresult("CoInitialize", init));

    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IShellLinkA, reinterpret_cast<void**>(&link_));
    if (FAILED(result)) {
        release();
        throw Exception(describeHresult("CoCreateInstance", result));
    }
    result = link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_));
    if (FAILED(result)) {
        release();
        throw Exception(describeHresult("QueryInterface(IPersistFile)", result));
    }
}

Win32ShellLink::~Win32ShellLink() { release(); }

void Win32ShellLink::release() {
    if (file_) file_->Release();
    if (link_) link_->Release();
    file_ = nullptr;
    link_ = nullptr;
    if (comInitialized_) CoUninitialize();
    comInitialized_ = false;
}

void Win32ShellLink::setPath(const std::string& path) { link_->SetPath(path.c_str()); }

void Win32ShellLink::setWorkingDirectory(const std::string& folder) { link_->SetWorkingDirectory(folder.c_str()); }

void Win32ShellLink::setIconLocation(const std::string& file, int index) {
    link_->SetIconLocation(file.c_str(), index);
}

void Win32ShellLink::setArguments(const std::string& arguments) { link_->SetArguments(arguments.c_str()); }

void Win32ShellLink::setShowCommand(int showCommand) { link_->SetShowCmd(showCommand); }

bool Win32ShellLink::save(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    if (length == 0) {
        lastFailure_ = describeFailure("MultiByteToWideChar", GetLastError());
        return false;
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), length);
    const HRESULT result = file_->Save(wide.c_str(), FALSE);
    if (SUCCEEDED(result)) return true;
    lastFailure_ = describeHresult("IPersistFile::Save", result);
    return false;
}

}  // namespace tavlin::win32
