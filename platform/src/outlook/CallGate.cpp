#include "outlook/CallGate.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "com/hresult.h"
#include "store/FaultPlan.h"
#include "store/OutlookVersion.h"

namespace kelvra::outlook {

namespace {

struct VersionedMember {
  const char* member;
  int sinceMajor;
};

// Object-model members that older Outlook versions lack.
constexpr VersionedMember kVersionedMembers[] = {
    {"ContactItem.IMAddress", 10},
    {"ContactItem.HasPicture", 11},
    {"ContactItem.AddPicture", 11},
};

// From this version on every member is there, and the table need not be searched.
constexpr int kAllMembersSince =
    std::max_element(std::begin(kVersionedMembers), std::end(kVersionedMembers),
                     [](const VersionedMember& a, const VersionedMember& b) {
                       return a.sinceMajor < b.sinceMajor;
                     })
        ->sinceMajor;

int SinceMajor(const char* member) {
  for (const VersionedMember& versioned : kVersionedMembers) {
    if (std::strcmp(versioned.member, member) == 0) return versioned.sinceMajor;
  }
  return 0;
}

}  // namespace

HRESULT CallGate::Enter(const char* member) {
  HRESULT planned = S_OK;
  if (store::FaultPlan::Hit(member, &planned)) return planned;
  const int major = store::OutlookVersion::Major();
  if (major < kAllMembersSince && major < SinceMajor(member)) return DISP_E_MEMBERNOTFOUND;
  return S_OK;
}

}  // namespace kelvra::outlook
