// The watched folders of an index, by key (case-sensitive byte order) and by folder
// number, with the enumeration cursor over the keys. Folder is a record with at least
// `std::string key` and `unsigned number`.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

template <class Folder>
class FolderTable {
 public:
  Folder* FindKey(std::string_view key) const {
    const auto it = byKey_.find(key);
    return it == byKey_.end() ? nullptr : it->second.get();
  }
  Folder* FindNumber(unsigned number) const {
    const auto it = byNumber_.find(number);
    return it == byNumber_.end() ? nullptr : it->second;
  }
  std::size_t size() const { return byKey_.size(); }

  // The key and the number must both be free.
  Folder& Insert(std::unique_ptr<Folder> folder) {
    Folder& added = *folder;
    byNumber_.emplace(added.number, &added);
    byKey_.emplace(added.key, std::move(folder));
    RaiseHighest(added.number);
    return added;
  }
  void Erase(const Folder& folder) {
    byNumber_.erase(folder.number);
    const auto it = byKey_.find(folder.key);
    if (it != byKey_.end()) byKey_.erase(it);
  }
  void Clear() {
    byNumber_.clear();
    byKey_.clear();
    highest_ = 0;
    cursorStarted_ = false;
  }

  // The highest number the base has used since it was read: never handed out again.
  unsigned Highest() const { return highest_; }
  void RaiseHighest(unsigned number) {
    if (number > highest_) highest_ = number;
  }

  // The cursor remembers the last key it returned, so removing that folder between two
  // steps is safe. Next before any Rewind reports the end.
  void Rewind() {
    cursorStarted_ = true;
    cursorReturned_ = false;
  }
  Folder* Next() {
    if (!cursorStarted_) return nullptr;
    const auto it = cursorReturned_ ? byKey_.upper_bound(cursorKey_) : byKey_.begin();
    if (it == byKey_.end()) return nullptr;
    cursorKey_ = it->first;
    cursorReturned_ = true;
    return it->second.get();
  }

  // In key order.
  template <class Visit>
  bool ForEach(Visit visit) const {
    for (const auto& [key, folder] : byKey_)
      if (!visit(*folder)) return false;
    return true;
  }

 private:
  std::map<std::string, std::unique_ptr<Folder>, std::less<>> byKey_;
  std::unordered_map<unsigned, Folder*> byNumber_;
  unsigned highest_ = 0;
  bool cursorStarted_ = false;
  bool cursorReturned_ = false;
  std::string cursorKey_;
};
