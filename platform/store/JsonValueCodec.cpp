#include "store/JsonValueCodec.h"

#include <cstdio>
#include <limits>

#include "store/HexText.h"
#include "store/MailboxFile.h"
#include "store/OleDate.h"
#include "store/Utf.h"

namespace kelvra::store {

void ThrowAt(const std::string& path, const std::string& what) {
  throw MailboxFileError("mailbox file: " + (path.empty() ? std::string("/") : path) + ": " + what);
}

namespace {

const std::string& RequireString(const Json& json, const std::string& path, const char* what) {
  if (!json.is_string()) ThrowAt(path, std::string("expected ") + what + ", got " + json.dump());
  return json.get_ref<const std::string&>();
}

double DecodeDate(const Json& json, const std::string& path, bool timeOfDay) {
  const char* what = timeOfDay ? "a time \"HH:MM:SS\" or a date \"YYYY-MM-DDTHH:MM:SS\""
                               : "a date \"YYYY-MM-DDTHH:MM:SS\" or \"YYYY-MM-DD\"";
  const auto date = OleDate::Parse(RequireString(json, path, what), timeOfDay);
  if (!date) ThrowAt(path, std::string("expected ") + what + ", got " + json.dump());
  return *date;
}

}  // namespace

Value JsonValueCodec::Decode(const Json& json, ValueType type, const std::string& path,
                             bool timeOfDay) {
  switch (type) {
    case ValueType::Text:
      return Value::Text(DecodeText(json, path));
    case ValueType::Long:
      return Value::Long(DecodeLong(json, path));
    case ValueType::Bool:
      if (!json.is_boolean()) ThrowAt(path, "expected true or false, got " + json.dump());
      return Value::Bool(json.get<bool>());
    case ValueType::Date:
      return Value::Date(DecodeDate(json, path, timeOfDay));
    case ValueType::Binary:
      return Value::Binary(DecodeHex(json, path));
    case ValueType::Empty:
    case ValueType::Json:
      break;
  }
  return Value::Json(json.dump());
}

Json JsonValueCodec::Encode(const Value& value, const std::string& path, bool timeOfDay) {
  switch (value.Type()) {
    case ValueType::Text:
      return Utf::ToUtf8(value.AsText());
    case ValueType::Long:
      return value.AsLong();
    case ValueType::Bool:
      return value.AsBool();
    case ValueType::Date: {
      const auto text = OleDate::Format(value.AsDate(), timeOfDay);
      if (!text) ThrowAt(path, "the date " + std::to_string(value.AsDate()) + " is out of range");
      return *text;
    }
    case ValueType::Binary:
      return HexText::Of(value.AsBinary());
    case ValueType::Json: {
      Json kept = Json::parse(value.AsJson(), nullptr, false);
      if (kept.is_discarded()) ThrowAt(path, "the kept value is not JSON: " + value.AsJson());
      return kept;
    }
    case ValueType::Empty:
      break;
  }
  return nullptr;
}

std::u16string JsonValueCodec::DecodeText(const Json& json, const std::string& path) {
  return Utf::ToUtf16(RequireString(json, path, "text"));
}

std::int32_t JsonValueCodec::DecodeLong(const Json& json, const std::string& path) {
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  if (json.is_number_unsigned() && json.get<std::uint64_t>() <= std::uint64_t{kMax}) {
    return static_cast<std::int32_t>(json.get<std::uint64_t>());
  }
  if (json.is_number_integer() && !json.is_number_unsigned() && json.get<std::int64_t>() >= kMin &&
      json.get<std::int64_t>() <= kMax) {
    return static_cast<std::int32_t>(json.get<std::int64_t>());
  }
  ThrowAt(path, "expected a 32-bit integer, got " + json.dump());
}

std::uint32_t JsonValueCodec::DecodeNumber(const Json& json, const std::string& path) {
  if (json.is_number_unsigned() &&
      json.get<std::uint64_t>() <= std::numeric_limits<std::uint32_t>::max()) {
    return static_cast<std::uint32_t>(json.get<std::uint64_t>());
  }
  if (json.is_string()) {
    const std::string& text = json.get_ref<const std::string&>();
    if (text.size() > 2 && text.size() <= 10 && text[0] == '0' &&
        (text[1] == 'x' || text[1] == 'X')) {
      std::string digits = text.substr(2);
      if (digits.size() % 2 != 0) digits.insert(digits.begin(), '0');
      if (const auto bytes = HexText::Parse(digits)) {
        std::uint32_t number = 0;
        for (const std::uint8_t byte : *bytes) number = (number << 8) | byte;
        return number;
      }
    }
  }
  ThrowAt(path, "expected an unsigned 32-bit number or \"0x\" and hex digits, got " + json.dump());
}

std::string JsonValueCodec::EncodeNumber(std::uint32_t number, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(number));
  return text;
}

Bytes JsonValueCodec::DecodeHex(const Json& json, const std::string& path) {
  const auto bytes = HexText::Parse(RequireString(json, path, "hex digits"));
  if (!bytes) ThrowAt(path, "expected pairs of hex digits, got " + json.dump());
  return *bytes;
}

}  // namespace kelvra::store
