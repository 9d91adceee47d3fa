// Reads an item-share base back into the index: its folder and item lines.
#pragma once

#include <string_view>

#include "sharestore/common/BaseReplay.h"
#include "sharestore/morvane/MorvaneFolder.h"

class MorvaneReplay : public BaseReplay<MorvaneFolder> {
 public:
  MorvaneReplay(FolderTable<MorvaneFolder>& folders, IndexCounters& counters)
      : BaseReplay(folders, counters, "CMorvane::Init") {}

 private:
  bool Apply(std::string_view line) override;
  bool Folder(std::string_view fields);
};
