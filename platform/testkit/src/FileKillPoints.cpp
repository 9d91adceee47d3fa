// Kill points and the trash folder of the stand-in's file layer.
#include "files/FileSteps.h"
#include "shellops/TrashFolder.h"
#include "testkit/Files.h"

namespace testkit {

void KillAtFileStep(unsigned long step) { kelvra::platform::FileSteps::KillAt(step); }

unsigned long FileStepCount() { return kelvra::platform::FileSteps::Count(); }

void SetTrashFolder(const std::string& linuxFolder) {
  kelvra::platform::TrashFolder::Set(linuxFolder);
}

std::string TrashFolder() { return kelvra::platform::TrashFolder::Get(); }

}  // namespace testkit
