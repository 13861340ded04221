// Feeding the opt-in plain-text record of a run's changes.
#pragma once

#include <string>

#include "install/install_context.h"
#include "platform/registry.h"

namespace tavlin {

// Hands one line to the recorder when there is one.
inline void Record(const ChangeRecorder& recorder, const std::string& change) {
    if (recorder) recorder(change);
}

inline std::string RootName(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

}  // namespace tavlin
