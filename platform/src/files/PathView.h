// The Windows view of the Linux file tree that every area of the stand-in shares.
//
// Drive Z: is the Linux root ("Z:\home\u" is "/home/u"), drive C: is the host root
// folder. Both separators are accepted, doubled separators collapse, drive letters
// and the names of existing entries match without regard to case, as on Windows.
// UNC paths ("\\server\share\...") name nothing on this machine.
#pragma once

#include <string>

#include "win32/base.h"

namespace kelvra::platform {

// Maps a Windows path to the Linux path it names. Returns ERROR_SUCCESS and sets
// linuxPath, or the error a file call on that path reports: ERROR_BAD_NETPATH for a
// UNC path, ERROR_PATH_NOT_FOUND for an empty path or a drive other than C: and Z:.
// Each component that does not exist with the exact case takes the spelling of the
// first entry of its folder (in byte order) that matches it ignoring ASCII case; the
// components after one that matches nothing are kept as written.
DWORD MapWindowsPath(const std::string& windowsPath, std::string& linuxPath);

// The Linux path, or "" when the path has no Linux mapping (see MapWindowsPath).
std::string ToLinuxPath(const std::string& windowsPath);

// "Z:\..." for an absolute Linux path; a relative path only has its separators turned.
std::string ToWindowsPath(const std::string& linuxPath);

bool IsUncPath(const std::string& windowsPath);

// A Windows path split at its last separator: "C:\a\b.txt" gives "C:\a" and "b.txt",
// "C:\b.txt" gives "C:\" and "b.txt", "C:b.txt" gives "C:" and "b.txt", "b.txt" gives
// "" and "b.txt"; "C:\a\" gives "C:\a" and an empty name.
struct WindowsPathParts {
  std::string folder;
  std::string name;
};
WindowsPathParts SplitWindowsPath(const std::string& windowsPath);

// The Linux folder behind drive C:, created when a C: path is first mapped.
std::string HostRoot();
void SetHostRoot(const std::string& linuxFolder);
void ResetHostRoot();

}  // namespace kelvra::platform
