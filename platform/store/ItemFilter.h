// The filter text of Items.Restrict: conditions "[Property] op value" joined by
// " AND " (any case), op one of "=", ">=", "<=", the value enclosed in double
// quotes or in apostrophes (the other quote may stand inside it, the same one
// written twice). Text properties go by object-model name ([FullName],
// [CompanyName], [Subject]...) and compare without regard to case, as Outlook
// compares them; [Start] and [End] take a date and time (FilterTime) and compare to
// the minute.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/Nodes.h"

namespace kelvra::store {

class ItemFilter {
 public:
  // What the conditions read of an item, or of one occurrence of a series.
  class Fields {
   public:
    virtual ~Fields() = default;
    virtual std::u16string Text(std::string_view property) const = 0;
    // "Start" or "End" as the object model shows it: a local OLE date.
    virtual double Date(std::string_view property) const = 0;
  };

  // The [Start] minutes a filter lets through, where it bounds them.
  struct Window {
    std::optional<std::int64_t> first;
    std::optional<std::int64_t> last;
  };

  // nullopt for a text that is not such a filter, that names a property the store
  // holds no text for, or whose date cannot be read.
  static std::optional<ItemFilter> Parse(std::u16string_view text);

  bool Matches(const Fields& fields) const;
  // The first "=" condition on a text property and its folded value, which a folder
  // can look up (Folder::ItemsWithText); false when the filter has none.
  bool FirstEquality(std::string& property, std::u16string& folded) const;
  Window StartWindow() const;

  // The comparison key of a text: letters of the Latin, Greek and Cyrillic
  // alphabets in lower case.
  static std::u16string Folded(std::u16string_view text);

 private:
  enum class Op { kEqual, kAtLeast, kAtMost };
  struct Condition {
    std::string property;
    Op op;
    // A text condition's folded value, or a date condition's minute.
    std::u16string folded;
    std::optional<std::int64_t> minute;
  };

  template <class Value>
  static bool Compare(Op op, const Value& value, const Value& wanted);
  static bool Holds(const Condition& condition, const Fields& fields);

  std::vector<Condition> conditions_;
};

}  // namespace kelvra::store
