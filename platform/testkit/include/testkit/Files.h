// Controls over the stand-in's file system view: where drive C: lives, the temporary
// and application-data folders, and file-write faults.
#pragma once

#include <cstddef>
#include <string>

namespace testkit {

// The Linux folder behind drive C: (default: "kelvra-host-root" in the system temp folder).
void SetHostRoot(const std::string& linuxFolder);

// What GetTempPathA answers, as a Windows folder; a trailing "\" is added when missing.
void SetTempPath(const std::string& windowsFolder);

// What SHGetFolderPathA(CSIDL_APPDATA) answers; "" makes it answer an empty folder.
void SetAppDataFolder(const std::string& windowsFolder);
// While set, SHGetFolderPathA(CSIDL_APPDATA) fails with E_FAIL.
void FailAppDataFolder(bool fail);

// The next WriteFile (on any handle) writes at most this many bytes and reports them.
void InjectShortWrite(std::size_t maxBytesForNextWrite);

// Back to the defaults: host root, temp path, application-data folder, no faults.
void ResetFiles();

// The Linux path a Windows path names ("" for a path without a mapping, such as UNC).
std::string ToLinuxPath(const std::string& windowsPath);

}  // namespace testkit
