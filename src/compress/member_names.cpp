// Name comparison and name safety for archive members.
#include "compress/member_names.h"

#include "compress/compress_errors.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

bool SameMemberName(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

bool IsRootedMemberName(const std::string& name) { return !name.empty() && name[0] == '\\'; }

bool IsUnsafeMemberName(const std::string& name) { return !IsSafePath(name, PathForm::Rooted); }

void CheckMemberName(const std::string& name) {
    if (IsUnsafeMemberName(name)) throw EUnsafeMemberName(name);
}

}  // namespace tavlin
