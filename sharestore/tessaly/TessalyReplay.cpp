#include "sharestore/tessaly/TessalyReplay.h"

#include <memory>

#include "sharestore/tessaly/TessalyLineKinds.h"

bool TessalyReplay::Apply(std::string_view line) {
  if (TakePrefix(line, "Folder=")) return Folder(line);
  if (TakePrefix(line, "ChangeFolder=")) return ChangeFolder(line);
  if (TakePrefix(line, "RemoveFolder=")) return RemoveFolder(line, &TessalyFolder::files);
  if (TakePrefix(line, "File=")) return Entry(line, kFileKinds);
  if (TakePrefix(line, "RemoveFile=")) return RemoveEntry(line, kFileKinds);
  if (TakePrefix(line, "Subfolder=")) return Entry(line, kSubfolderKinds);
  if (TakePrefix(line, "RemoveSubfolder=")) return RemoveEntry(line, kSubfolderKinds);
  return Unknown();
}

bool TessalyReplay::Folder(std::string_view fields) {
  BaseLineReader reader(fields);
  auto folder = std::make_unique<TessalyFolder>();
  std::string_view key, mask, path;
  if (!reader.Number(folder->number) || !reader.Field(key) || !reader.Field(mask) ||
      !reader.Last(path))
    return false;
  folder->key = key;
  folder->mask = mask;
  folder->path = path;
  return InsertFolder(std::move(folder));
}

bool TessalyReplay::ChangeFolder(std::string_view fields) {
  BaseLineReader reader(fields);
  unsigned number = 0;
  std::string_view path;
  if (!reader.Number(number) || !reader.Last(path)) return false;
  ++counters_.garbage;  // the line replaces an earlier path, or refers to nothing
  TessalyFolder* folder = Known(number);
  if (folder == nullptr) return false;
  folder->path = path;
  return true;
}
