// What the base holds: its lines that are not comments, and how many of them are void
// (superseded, a removal together with what it removed, or bad), so that the caller can
// tell when a compaction pays.
#pragma once

struct IndexCounters {
  int lines = 0;
  int garbage = 0;
};
