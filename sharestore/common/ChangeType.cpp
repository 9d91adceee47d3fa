#include "sharestore/common/ChangeType.h"

#include "sharestore/common/CLog.h"

namespace {

constexpr char kChars[] = {'_', 'N', 'M', 'D'};

}  // namespace

char ChangeTypeToChar(int type, const char* tag) {
  if (IsChangeType(type)) return kChars[type];
  g_Log.Assert(false, tag, __LINE__);
  return '_';
}

bool ChangeTypeFromChar(char c, int& type) {
  switch (c) {
    case '_':
      type = CT_UNCHANGED;
      return true;
    case 'N':
    case 'n':
      type = CT_NEW;
      return true;
    case 'M':
    case 'm':
      type = CT_MODIFIED;
      return true;
    case 'D':
    case 'd':
      type = CT_DELETED;
      return true;
    default:
      return false;
  }
}
