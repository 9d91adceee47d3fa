#include "sharestore/common/BaseLineBuilder.h"

#include <charconv>

#include "sharestore/common/FileTimeText.h"

void BaseLineBuilder::Separate() {
  if (!first_) out_ += ',';
  first_ = false;
}

BaseLineBuilder& BaseLineBuilder::Number(unsigned value) {
  Separate();
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out_.append(digits, end);
  return *this;
}

BaseLineBuilder& BaseLineBuilder::Text(std::string_view text) {
  Separate();
  out_ += text;
  return *this;
}

BaseLineBuilder& BaseLineBuilder::Time(const FILETIME& time) {
  Separate();
  AppendFileTime(out_, time);
  return *this;
}

BaseLineBuilder& BaseLineBuilder::Change(char c) {
  Separate();
  out_ += c;
  return *this;
}
