// Reads a file-share base back into the index, line by line, counting its lines and
// the void ones among them. Bad lines are logged, counted and otherwise ignored.
#pragma once

#include <string>
#include <string_view>

#include "sharestore/common/FolderTable.h"
#include "sharestore/common/IndexCounters.h"
#include "sharestore/tessaly/TessalyFolder.h"

class TessalyReplay {
 public:
  TessalyReplay(FolderTable<TessalyFolder>& folders, IndexCounters& counters)
      : folders_(folders), counters_(counters) {}

  // Lines end in CR LF, LF or CR. A last line without its line end was being written
  // when the writer died: it counts as a bad line. True when the bytes end in a line
  // end (or are empty), so the next line appended starts a line of its own.
  bool Run(std::string_view bytes);

 private:
  void Line(std::string_view line);
  bool Apply(std::string_view line);
  bool Folder(std::string_view fields);
  bool ChangeFolder(std::string_view fields);
  bool RemoveFolder(std::string_view fields);
  bool Entry(std::string_view fields, bool subfolder);
  bool RemoveEntry(std::string_view fields, bool subfolder);
  TessalyFolder* Known(unsigned number);
  void Bad(std::string_view line);

  FolderTable<TessalyFolder>& folders_;
  IndexCounters& counters_;
};
