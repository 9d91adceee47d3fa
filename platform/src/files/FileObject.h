// An open file behind a HANDLE from CreateFileA.
#pragma once

#include <cstdint>

#include "base/KernelObject.h"
#include "base/PosixOwners.h"
#include "win32/base.h"

namespace kelvra::platform {

class FileObject : public KernelObject {
 public:
  FileObject(UniqueFd fd, bool canRead, bool canWrite);

  // Each returns ERROR_SUCCESS or the Windows error.
  DWORD Read(void* buffer, DWORD size, DWORD& done);
  DWORD Write(const void* buffer, DWORD size, DWORD& done);
  DWORD Size(std::uint64_t& size) const;
  // method is FILE_BEGIN, FILE_CURRENT or FILE_END.
  DWORD Seek(std::int64_t distance, DWORD method, std::uint64_t& position);
  DWORD Flush();
  // Cuts the file at the current position.
  DWORD Truncate();

 private:
  UniqueFd fd_;
  bool canRead_;
  bool canWrite_;
};

}  // namespace kelvra::platform
