#include "testkit/Files.h"

#include "files/ExistenceQueries.h"
#include "files/FolderIndex.h"
#include "files/PathView.h"
#include "files/TempFolder.h"
#include "files/WriteFaults.h"
#include "shell/AppDataFolder.h"

namespace testkit {

using namespace kelvra::platform;

void SetHostRoot(const std::string& linuxFolder) { kelvra::platform::SetHostRoot(linuxFolder); }

void SetTempPath(const std::string& windowsFolder) { TempFolder::Set(windowsFolder); }

void SetAppDataFolder(const std::string& windowsFolder) { AppDataFolder::Set(windowsFolder); }

void FailAppDataFolder(bool fail) { AppDataFolder::Fail(fail); }

void InjectShortWrite(std::size_t maxBytesForNextWrite) {
  WriteFaults::InjectShortWrite(maxBytesForNextWrite);
}

void ResetFiles() {
  ResetHostRoot();
  TempFolder::Reset();
  AppDataFolder::Reset();
  WriteFaults::Reset();
}

std::string ToLinuxPath(const std::string& windowsPath) {
  return kelvra::platform::ToLinuxPath(windowsPath);
}

unsigned long FolderReadCount() { return FolderIndex::Instance().Reads(); }

unsigned long PathExistsCallCount() { return ExistenceQueries::Total(); }

}  // namespace testkit
