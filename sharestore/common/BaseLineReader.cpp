#include "sharestore/common/BaseLineReader.h"

#include <cstdint>

#include "sharestore/common/ChangeType.h"
#include "sharestore/common/FileTimeText.h"

bool BaseLineReader::OptionalField(std::string_view& field) {
  if (ended_) return false;
  const std::size_t comma = rest_.find(',');
  if (comma == std::string_view::npos) return false;
  field = rest_.substr(0, comma);
  rest_.remove_prefix(comma + 1);
  return true;
}

bool BaseLineReader::Field(std::string_view& field) {
  return OptionalField(field) && !field.empty();
}

bool BaseLineReader::Last(std::string_view& field) {
  if (ended_ || rest_.empty()) return false;
  field = rest_;
  ended_ = true;
  return true;
}

bool BaseLineReader::Rest(std::string_view& field) {
  if (ended_) return false;
  field = rest_;
  ended_ = true;
  return true;
}

bool BaseLineReader::Number(unsigned& value) {
  std::string_view text;
  const bool last = rest_.find(',') == std::string_view::npos;
  if (!(last ? Last(text) : Field(text))) return false;
  std::uint64_t v = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<unsigned>(c - '0');
    if (v >= kFolderNumberLimit) return false;
  }
  value = static_cast<unsigned>(v);
  return true;
}

bool BaseLineReader::Time(FILETIME& time) {
  std::string_view text;
  return Field(text) && ParseFileTime(text, time);
}

bool BaseLineReader::Change(int& type) {
  std::string_view text;
  return Field(text) && text.size() == 1 && ChangeTypeFromChar(text[0], type);
}
