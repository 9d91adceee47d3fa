// Reads a file-share base back into the index: its folder, file and subfolder lines.
#pragma once

#include <string_view>

#include "sharestore/common/BaseReplay.h"
#include "sharestore/tessaly/TessalyFolder.h"

class TessalyReplay : public BaseReplay<TessalyFolder> {
 public:
  TessalyReplay(FolderTable<TessalyFolder>& folders, IndexCounters& counters)
      : BaseReplay(folders, counters, "CTessaly::Init") {}

 private:
  bool Apply(std::string_view line) override;
  bool Folder(std::string_view fields);
  bool ChangeFolder(std::string_view fields);
};
