// The code pages the stand-in converts, each made ready on first use.
#pragma once

#include <map>
#include <memory>
#include <mutex>

#include "nls/TextCodec.h"
#include "win32/base.h"

namespace kelvra::platform {

class CodePageCatalog {
 public:
  static CodePageCatalog& Instance();

  // The codec of a Windows code page number, nullptr when the stand-in cannot convert
  // it. Codecs live as long as the process.
  const TextCodec* Find(UINT codePage);

 private:
  CodePageCatalog() = default;

  std::mutex mutex_;
  // A null codec marks a page already found unconvertible.
  std::map<UINT, std::unique_ptr<TextCodec>> codecs_;
};

}  // namespace kelvra::platform
