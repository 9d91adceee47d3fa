// Typed values to and from their JSON form in the mailbox file. Failures throw
// MailboxFileError naming the JSON path (a JSON pointer) of the value.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>

#include "store/Value.h"

namespace kelvra::store {

using Json = nlohmann::ordered_json;

[[noreturn]] void ThrowAt(const std::string& path, const std::string& what);

class JsonValueCodec {
 public:
  // Text: a string; Long: an integer; Bool: true or false; Date:
  // "YYYY-MM-DDTHH:MM:SS" or "YYYY-MM-DD" (and "HH:MM:SS" with timeOfDay);
  // Binary: hex text; Json: any.
  static Value Decode(const Json& json, ValueType type, const std::string& path,
                      bool timeOfDay = false);
  static Json Encode(const Value& value, const std::string& path, bool timeOfDay = false);

  static std::u16string DecodeText(const Json& json, const std::string& path);
  static std::int32_t DecodeLong(const Json& json, const std::string& path);
  // An unsigned 32-bit number, as an integer or as "0x" and hex digits (tags,
  // ids).
  static std::uint32_t DecodeNumber(const Json& json, const std::string& path);
  static std::string EncodeNumber(std::uint32_t number, int digits);
  // Hex text; an empty text gives no bytes.
  static Bytes DecodeHex(const Json& json, const std::string& path);
};

}  // namespace kelvra::store
