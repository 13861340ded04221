// Name comparison and name safety for archive members.
#include "compress/member_names.h"

#include "compress/compress_errors.h"
#include "support/safe_path.h"
#include "support/text.h"

namespace tavlin {

bool SameMemberName(const std::string& a, const std::string& b) { return SameTextAscii(a, b); }

// Names that SameMemberName finds equal have the same upper-case form.
MemberNameSet::MemberNameSet(const std::vector<std::string>& names) {
    keys_.reserve(names.size());
    for (const auto& name : names) keys_.insert(UpperCaseAscii(name));
}

bool MemberNameSet::Contains(const std::string& name) const { return keys_.count(UpperCaseAscii(name)) > 0; }

bool IsRootedMemberName(const std::string& name) { return !name.empty() && name[0] == '\\'; }

bool IsUnsafeMemberName(const std::string& name) { return !IsSafePath(name, PathForm::Rooted); }

void CheckMemberName(const std::string& name) {
    if (IsUnsafeMemberName(name)) throw EUnsafeMemberName(name);
}

}  // namespace tavlin
