// The path of an export file whose name comes from an item's text (a subject, a name).
#pragma once

#include <cstddef>
#include <string>

// The folder combined with name and tail (the numbering that keeps names unique and the
// extension). When that path would not fit MAX_PATH, the name is shortened at its end,
// by whole characters of the ANSI code page, but never below its first keep bytes.
// "" after logging when even that leaves no room.
std::string FitExportFilePath(const std::string& folder, const std::string& name, size_t keep,
                              const std::string& tail);
