#include "store/Value.h"

namespace kelvra::store {

Value Value::Text(std::u16string text) { return Value(Storage(std::move(text))); }
Value Value::Long(std::int32_t number) { return Value(Storage(number)); }
Value Value::Bool(bool flag) { return Value(Storage(flag)); }
Value Value::Date(double oleDate) { return Value(Storage(DateValue{oleDate})); }
Value Value::Binary(Bytes bytes) { return Value(Storage(std::move(bytes))); }
Value Value::Json(std::string jsonText) { return Value(Storage(JsonValue{std::move(jsonText)})); }

ValueType Value::Type() const {
  // The alternatives of Storage are in the order of ValueType.
  return static_cast<ValueType>(storage_.index());
}

const std::u16string& Value::AsText() const {
  static const std::u16string empty;
  const auto* text = std::get_if<std::u16string>(&storage_);
  return text ? *text : empty;
}

std::int32_t Value::AsLong() const {
  const auto* number = std::get_if<std::int32_t>(&storage_);
  return number ? *number : 0;
}

bool Value::AsBool() const {
  const auto* flag = std::get_if<bool>(&storage_);
  return flag ? *flag : false;
}

double Value::AsDate() const {
  const auto* date = std::get_if<DateValue>(&storage_);
  return date ? date->oleDate : kNoDate;
}

const Bytes& Value::AsBinary() const {
  static const Bytes empty;
  const auto* bytes = std::get_if<Bytes>(&storage_);
  return bytes ? *bytes : empty;
}

const std::string& Value::AsJson() const {
  static const std::string empty;
  const auto* json = std::get_if<JsonValue>(&storage_);
  return json ? json->text : empty;
}

}  // namespace kelvra::store
