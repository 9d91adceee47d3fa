// The filter text of Items.Restrict: conditions "[Property] op value" joined by
// " AND " (any case), op one of "=", ">=", "<=", the value enclosed in double
// quotes or in apostrophes (the other quote may stand inside it). Properties are
// text properties by object-model name ([FullName], [CompanyName], [Subject]...);
// values compare without regard to case, as Outlook compares them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Nodes.h"

namespace kelvra::store {

class ItemFilter {
 public:
  // nullopt for a text that is not such a filter, or that names a property the
  // store holds no text for.
  static std::optional<ItemFilter> Parse(std::u16string_view text);

  bool Matches(const Item& item) const;
  // The first "=" condition's property and folded value, which a folder can look
  // up (Folder::ItemsWithText); false when the filter has none.
  bool FirstEquality(std::string& property, std::u16string& folded) const;

  // The comparison key of a text: letters of the Latin, Greek and Cyrillic
  // alphabets in lower case.
  static std::u16string Folded(std::u16string_view text);

 private:
  enum class Op { kEqual, kAtLeast, kAtMost };
  struct Condition {
    std::string property;
    Op op;
    std::u16string folded;
  };

  std::vector<Condition> conditions_;
};

}  // namespace kelvra::store
