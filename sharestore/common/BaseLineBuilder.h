// Forms base-file lines: the prefix, the fields separated by ",", the line end. The
// base is a text file of the platform, so its line end is CR LF. Lines are appended to
// the caller's text, so a whole base can be formed in one buffer.
#pragma once

#include <string>
#include <string_view>

#include "win32/base.h"

class BaseLineBuilder {
 public:
  BaseLineBuilder(std::string& out, const char* prefix) : out_(out) { out_ += prefix; }

  BaseLineBuilder& Number(unsigned value);
  BaseLineBuilder& Text(std::string_view text);
  BaseLineBuilder& Time(const FILETIME& time);
  BaseLineBuilder& Change(char c);
  // Ends the line.
  void End() { out_ += "\r\n"; }

 private:
  void Separate();

  std::string& out_;
  bool first_ = true;
};
