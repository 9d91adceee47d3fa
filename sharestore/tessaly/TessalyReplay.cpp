#include "sharestore/tessaly/TessalyReplay.h"

#include <memory>

#include "sharestore/common/BaseLineReader.h"
#include "sharestore/common/CLog.h"

namespace {

constexpr const char* kTag = "CTessaly::Init";

bool TakePrefix(std::string_view& line, std::string_view prefix) {
  if (line.substr(0, prefix.size()) != prefix) return false;
  line.remove_prefix(prefix.size());
  return true;
}

}  // namespace

bool TessalyReplay::Run(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      ++counters_.lines;
      g_Log.LogError(kTag, 0, "unfinished last line");
      Bad(bytes);
      return false;
    }
    Line(bytes.substr(0, end));
    const std::size_t next = bytes.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    bytes.remove_prefix(next);
  }
  return true;
}

void TessalyReplay::Line(std::string_view line) {
  if (line.empty() || line.front() == ';') return;
  ++counters_.lines;
  if (!Apply(line)) Bad(line);
}

void TessalyReplay::Bad(std::string_view line) {
  g_Log.LogError(kTag, 0, "ignoring bad line (%.*s)", static_cast<int>(line.size()), line.data());
  ++counters_.garbage;
}

bool TessalyReplay::Apply(std::string_view line) {
  if (TakePrefix(line, "Folder=")) return Folder(line);
  if (TakePrefix(line, "ChangeFolder=")) return ChangeFolder(line);
  if (TakePrefix(line, "RemoveFolder=")) return RemoveFolder(line);
  if (TakePrefix(line, "File=")) return Entry(line, false);
  if (TakePrefix(line, "RemoveFile=")) return RemoveEntry(line, false);
  if (TakePrefix(line, "Subfolder=")) return Entry(line, true);
  if (TakePrefix(line, "RemoveSubfolder=")) return RemoveEntry(line, true);
  g_Log.LogError(kTag, 0, "unknown command");
  return false;
}

TessalyFolder* TessalyReplay::Known(unsigned number) {
  TessalyFolder* folder = folders_.FindNumber(number);
  if (folder == nullptr) g_Log.LogError(kTag, 0, "folder with this num not exists");
  return folder;
}

bool TessalyReplay::Folder(std::string_view fields) {
  BaseLineReader reader(fields);
  unsigned number = 0;
  std::string_view key, mask, path;
  if (!reader.Number(number) || !reader.Field(key) || !reader.Field(mask) || !reader.Last(path)) return false;
  if (folders_.FindKey(key) != nullptr) {
    g_Log.LogError(kTag, 0, "folder with same key already exists");
    return false;
  }
  if (folders_.FindNumber(number) != nullptr) {
    g_Log.LogError(kTag, 0, "folder with same num already exists");
    return false;
  }
  auto folder = std::make_unique<TessalyFolder>();
  folder->key = key;
  folder->mask = mask;
  folder->path = path;
  folder->number = number;
  folders_.Insert(std::move(folder));
  return true;
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

bool TessalyReplay::RemoveFolder(std::string_view fields) {
  BaseLineReader reader(fields);
  unsigned number = 0;
  if (!reader.Number(number)) return false;
  if (TessalyFolder* folder = folders_.FindNumber(number)) {
    counters_.garbage += static_cast<int>(folder->files.size()) + 2;
    folders_.Erase(*folder);
  }
  return true;
}

bool TessalyReplay::Entry(std::string_view fields, bool subfolder) {
  BaseLineReader reader(fields);
  unsigned number = 0;
  IndexEntry entry;
  std::string_view name;
  if (!reader.Number(number)) return false;
  if (!subfolder && !reader.Time(entry.time)) return false;
  if (!reader.Change(entry.type) || !reader.Last(name)) return false;
  TessalyFolder* folder = Known(number);
  if (folder == nullptr) return false;
  if ((subfolder ? folder->subfolders : folder->files).Put(name, entry)) ++counters_.garbage;
  return true;
}

bool TessalyReplay::RemoveEntry(std::string_view fields, bool subfolder) {
  BaseLineReader reader(fields);
  unsigned number = 0;
  std::string_view name;
  if (!reader.Number(number) || !reader.Last(name)) return false;
  TessalyFolder* folder = Known(number);
  if (folder == nullptr) return false;
  ++counters_.garbage;
  if ((subfolder ? folder->subfolders : folder->files).Erase(name)) ++counters_.garbage;
  return true;
}
