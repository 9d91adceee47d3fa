// One typed value of an item: the shapes the object model, Redemption and MAPI
// hand out. Text is UTF-16 as BSTRs are; dates are OLE dates in local time
// unless the property says otherwise (MAPI times are UTC).
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kelvra::store {

using Bytes = std::vector<std::uint8_t>;

// The OLE date the object model answers for "no date" (4501-01-01).
inline constexpr double kNoDate = 949998.0;

// Json holds a value the store has no type for, as the mailbox file gave it, so
// that saving writes it back unchanged.
enum class ValueType { Empty, Text, Long, Bool, Date, Binary, Json };

class Value {
 public:
  Value() = default;

  static Value Text(std::u16string text);
  static Value Long(std::int32_t number);
  static Value Bool(bool flag);
  static Value Date(double oleDate);
  static Value Binary(Bytes bytes);
  static Value Json(std::string jsonText);

  ValueType Type() const;
  bool IsEmpty() const { return Type() == ValueType::Empty; }

  // Each answers its type's empty value ("", 0, false, kNoDate, no bytes) when
  // the value holds another type, the way a missing property reads.
  const std::u16string& AsText() const;
  std::int32_t AsLong() const;
  bool AsBool() const;
  double AsDate() const;
  const Bytes& AsBinary() const;
  const std::string& AsJson() const;

  bool operator==(const Value& other) const = default;

 private:
  struct DateValue {
    double oleDate;
    bool operator==(const DateValue&) const = default;
  };
  struct JsonValue {
    std::string text;
    bool operator==(const JsonValue&) const = default;
  };
  using Storage =
      std::variant<std::monostate, std::u16string, std::int32_t, bool, DateValue, Bytes, JsonValue>;

  explicit Value(Storage storage) : storage_(std::move(storage)) {}

  Storage storage_;
};

}  // namespace kelvra::store
