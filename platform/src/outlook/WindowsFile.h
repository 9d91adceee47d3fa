// Whole-file reads and writes by Windows path, through the platform's file calls, for
// the members that take a path (AddPicture, SaveAsFile).
#pragma once

#include "com/bstr.h"
#include "store/Value.h"

namespace kelvra::outlook {

class WindowsFile {
 public:
  // Failures as HRESULT_FROM_WIN32 of the file call's error.
  static HRESULT ReadAll(BSTR path, store::Bytes* bytes);
  // Creates or replaces the file.
  static HRESULT WriteAll(BSTR path, const store::Bytes& bytes);

 private:
  static HRESULT LastError();
};

}  // namespace kelvra::outlook
