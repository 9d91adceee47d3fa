// Writing a file that must never be left half-written: the registry and the mailbox
// are saved beside it first and then moved over it in one step.
#pragma once

#include <functional>
#include <string>

namespace host {

// write(temporaryPath) writes the new content (throwing on failure); it then replaces
// the file at linuxPath. On any failure the old file stays as it was, the temporary file
// is removed, and std::runtime_error names the file.
void ReplaceFile(const std::string& linuxPath,
                 const std::function<void(const std::string&)>& write);

}  // namespace host
