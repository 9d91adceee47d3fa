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

// FindFirstFileA is planned to fail (with the Windows error inside the HRESULT) or to run
// out of memory through testkit::FailCall and testkit::ExhaustMemoryOnCall under the name
// "FindFirstFileA". GetPrivateProfileStringA likewise, under its own name: a planned
// failure answers the default text with the Windows error inside the HRESULT.

// The next WriteFile (on any handle) writes at most this many bytes and reports them.
void InjectShortWrite(std::size_t maxBytesForNextWrite);

// Back to the defaults: host root, temp path, application-data folder, no faults.
void ResetFiles();

// The Linux path a Windows path names ("" for a path without a mapping, such as UNC).
std::string ToLinuxPath(const std::string& windowsPath);

// Kill points for crash tests, meant for a forked child. Every file-layer call that
// changes a file (create for writing, write, flush, cut, link, move, delete, copy,
// shell file operation) is one step. From this call on, the process kills itself with
// SIGKILL at the given step: a write dies after writing half of its bytes, any other
// step before it acts. 0 disarms (and restarts the count).
void KillAtFileStep(unsigned long step);
// Steps taken since the last KillAtFileStep.
unsigned long FileStepCount();

// Folders read whole to match a name without regard to case, and PathFileExistsA
// calls, since the process started.
unsigned long FolderReadCount();
unsigned long PathExistsCallCount();

// Where SHFileOperationA with FOF_ALLOWUNDO puts deleted items, as a Linux folder
// (default: "Trash" in the host root folder); "" goes back to the default.
void SetTrashFolder(const std::string& linuxFolder);
std::string TrashFolder();

}  // namespace testkit
