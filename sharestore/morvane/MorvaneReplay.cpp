#include "sharestore/morvane/MorvaneReplay.h"

#include <memory>

#include "sharestore/morvane/MorvaneLineKinds.h"

bool MorvaneReplay::Apply(std::string_view line) {
  if (TakePrefix(line, "Folder=")) return Folder(line);
  if (TakePrefix(line, "RemoveFolder=")) return RemoveFolder(line, &MorvaneFolder::items);
  if (TakePrefix(line, "Item=")) return Entry(line, kItemKinds);
  if (TakePrefix(line, "RemoveItem=")) return RemoveEntry(line, kItemKinds);
  return Unknown();
}

bool MorvaneReplay::Folder(std::string_view fields) {
  BaseLineReader reader(fields);
  auto folder = std::make_unique<MorvaneFolder>();
  std::string_view key, folderId, storeId, messageClass;
  if (!reader.Number(folder->number) || !reader.Field(key) || !reader.Field(folderId) ||
      !reader.Field(storeId) || !reader.Rest(messageClass))
    return false;
  folder->key = key;
  folder->folderId = folderId;
  folder->storeId = storeId;
  folder->messageClass = messageClass;
  return InsertFolder(std::move(folder));
}
