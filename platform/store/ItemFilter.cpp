#include "store/ItemFilter.h"

#include <algorithm>

#include "atl/OleSeconds.h"
#include "store/FilterTime.h"
#include "store/PropertySchema.h"

namespace kelvra::store {

namespace {

char16_t FoldChar(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 0x20;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;     // Latin-1 capitals
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;                // Cyrillic with marks
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 &&
      c != 0x178 && c != 0x17F) {
    // Latin Extended-A pairs its capitals and small letters; the run from 0x139
    // to 0x148 and from 0x179 on has the capital at the odd place.
    const bool oddCapitals = (c >= 0x139 && c <= 0x148) || c >= 0x179;
    const bool capital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
    return capital ? c + 1 : c;
  }
  return c;
}

// Reads the filter from left to right.
class FilterReader {
 public:
  explicit FilterReader(std::u16string_view text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == u' ' || text_[pos_] == u'\t')) ++pos_;
  }
  bool AtEnd() {
    SkipBlanks();
    return pos_ == text_.size();
  }
  bool Take(std::u16string_view word) {
    SkipBlanks();
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  bool TakeAnd() {
    SkipBlanks();
    // "AND" must stand alone, with a condition after it.
    if (pos_ + 4 > text_.size() || ItemFilter::Folded(text_.substr(pos_, 3)) != u"and" ||
        (text_[pos_ + 3] != u' ' && text_[pos_ + 3] != u'\t')) {
      return false;
    }
    pos_ += 3;
    return true;
  }
  bool Until(char16_t end, std::u16string& taken) {
    const std::size_t close = text_.find(end, pos_);
    if (close == std::u16string_view::npos) return false;
    taken.assign(text_.substr(pos_, close - pos_));
    pos_ = close + 1;
    return true;
  }
  // The quote written twice inside the value stands for one.
  bool Quoted(std::u16string& value) {
    SkipBlanks();
    if (pos_ >= text_.size() || (text_[pos_] != u'"' && text_[pos_] != u'\'')) return false;
    const char16_t quote = text_[pos_++];
    value.clear();
    while (pos_ < text_.size()) {
      const char16_t c = text_[pos_++];
      if (c != quote) {
        value += c;
      } else if (pos_ < text_.size() && text_[pos_] == quote) {
        value += text_[pos_++];
      } else {
        return true;
      }
    }
    return false;
  }

 private:
  std::u16string_view text_;
  std::size_t pos_ = 0;
};

// "Start" or "End" for those names in any case.
std::optional<std::string> DatePropertyName(const std::u16string& name) {
  const std::u16string folded = ItemFilter::Folded(name);
  if (folded == u"start") return "Start";
  if (folded == u"end") return "End";
  return std::nullopt;
}

std::optional<std::string> TextPropertyName(const std::u16string& name) {
  std::string ascii;
  for (const char16_t c : name) {
    if (c > 0x7F) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  const PropertyInfo* info = PropertySchema::Find(ascii);
  if (info == nullptr || info->type != ValueType::Text) return std::nullopt;
  return std::string(info->name);
}

}  // namespace

std::u16string ItemFilter::Folded(std::u16string_view text) {
  std::u16string folded(text);
  std::transform(folded.begin(), folded.end(), folded.begin(), FoldChar);
  return folded;
}

std::optional<ItemFilter> ItemFilter::Parse(std::u16string_view text) {
  ItemFilter filter;
  FilterReader reader(text);
  do {
    std::u16string name;
    std::u16string value;
    if (!reader.Take(u"[") || !reader.Until(u']', name)) return std::nullopt;
    const std::optional<std::string> date = DatePropertyName(name);
    const std::optional<std::string> property = date ? date : TextPropertyName(name);
    if (!property) return std::nullopt;
    Op op = Op::kEqual;
    if (reader.Take(u">=")) {
      op = Op::kAtLeast;
    } else if (reader.Take(u"<=")) {
      op = Op::kAtMost;
    } else if (!reader.Take(u"=")) {
      return std::nullopt;
    }
    if (!reader.Quoted(value)) return std::nullopt;
    std::optional<std::int64_t> minute;
    if (date) {
      minute = FilterTime::Minutes(value);
      if (!minute) return std::nullopt;
    }
    filter.conditions_.push_back({*property, op, date ? std::u16string() : Folded(value), minute});
  } while (reader.TakeAnd());
  if (!reader.AtEnd()) return std::nullopt;
  return filter;
}

template <class Value>
bool ItemFilter::Compare(Op op, const Value& value, const Value& wanted) {
  switch (op) {
    case Op::kAtLeast:
      return value >= wanted;
    case Op::kAtMost:
      return value <= wanted;
    case Op::kEqual:
      break;
  }
  return value == wanted;
}

bool ItemFilter::Holds(const Condition& condition, const Fields& fields) {
  if (!condition.minute) {
    return Compare(condition.op, Folded(fields.Text(condition.property)), condition.folded);
  }
  const std::optional<std::int64_t> seconds =
      atl::OleSeconds::FromDate(fields.Date(condition.property));
  if (!seconds) return false;
  const std::int64_t minute = *seconds / 60 - (*seconds % 60 < 0 ? 1 : 0);
  return Compare(condition.op, minute, *condition.minute);
}

bool ItemFilter::Matches(const Fields& fields) const {
  return std::all_of(conditions_.begin(), conditions_.end(),
                     [&](const Condition& condition) { return Holds(condition, fields); });
}

bool ItemFilter::FirstEquality(std::string& property, std::u16string& folded) const {
  for (const Condition& condition : conditions_) {
    if (condition.op != Op::kEqual || condition.minute) continue;
    property = condition.property;
    folded = condition.folded;
    return true;
  }
  return false;
}

ItemFilter::Window ItemFilter::StartWindow() const {
  Window window;
  for (const Condition& condition : conditions_) {
    if (!condition.minute || condition.property != "Start") continue;
    const std::int64_t minute = *condition.minute;
    if (condition.op != Op::kAtMost) window.first = std::max(window.first.value_or(minute), minute);
    if (condition.op != Op::kAtLeast) window.last = std::min(window.last.value_or(minute), minute);
  }
  return window;
}

}  // namespace kelvra::store
