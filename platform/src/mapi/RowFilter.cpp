#include "mapi/RowFilter.h"

#include <algorithm>
#include <cctype>

namespace kelvra::mapi {

namespace {

constexpr int kMaxDepth = 16;

bool SameChar(char a, char b, bool ignoreCase) {
  if (!ignoreCase) return a == b;
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool Equal(std::string_view a, std::string_view b, bool ignoreCase) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return SameChar(x, y, ignoreCase);
         });
}

bool ContentMatches(const SContentRestriction& content, std::string_view value) {
  const std::string_view wanted = content.lpProp->Value.lpszA;
  const bool ignoreCase = (content.ulFuzzyLevel & FL_IGNORECASE) != 0;
  if ((content.ulFuzzyLevel & 0xFFFFu) == FL_FULLSTRING) return Equal(value, wanted, ignoreCase);
  return value.size() >= wanted.size() && Equal(value.substr(0, wanted.size()), wanted, ignoreCase);
}

HRESULT CheckAt(const SRestriction& restriction, int depth) {
  if (depth > kMaxDepth) return MAPI_E_TOO_COMPLEX;
  if (restriction.rt == RES_OR) {
    const SOrRestriction& list = restriction.res.resOr;
    if (list.cRes > 0 && list.lpRes == nullptr) return MAPI_E_INVALID_PARAMETER;
    for (ULONG i = 0; i < list.cRes; ++i)
      if (const HRESULT hr = CheckAt(list.lpRes[i], depth + 1); hr != S_OK) return hr;
    return S_OK;
  }
  if (restriction.rt != RES_CONTENT) return MAPI_E_TOO_COMPLEX;
  const SContentRestriction& content = restriction.res.resContent;
  if (content.lpProp == nullptr || content.lpProp->Value.lpszA == nullptr)
    return MAPI_E_INVALID_PARAMETER;
  if (content.ulPropTag != PR_MESSAGE_CLASS || content.lpProp->ulPropTag != PR_MESSAGE_CLASS)
    return MAPI_E_TOO_COMPLEX;
  const ULONG level = content.ulFuzzyLevel & 0xFFFFu;
  return level == FL_FULLSTRING || level == FL_PREFIX ? S_OK : MAPI_E_TOO_COMPLEX;
}

}  // namespace

HRESULT RowFilter::Check(const SRestriction& restriction) { return CheckAt(restriction, 0); }

bool RowFilter::Matches(const SRestriction& restriction, std::string_view messageClass) {
  if (restriction.rt == RES_CONTENT)
    return ContentMatches(restriction.res.resContent, messageClass);
  const SOrRestriction& list = restriction.res.resOr;
  return std::any_of(list.lpRes, list.lpRes + list.cRes,
                     [&](const SRestriction& each) { return Matches(each, messageClass); });
}

}  // namespace kelvra::mapi
