// Runs kelvra-host as a script does: a separate process with its own arguments and
// environment, its standard output and error captured.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace kelvra::test {

struct HostRun {
  int status = -1;  // the exit status; -1 when the process did not exit normally
  std::string out;
  std::string err;
};

// Runs the host with the arguments; environment entries given replace (or, with an
// empty value, remove) those of this process. Output goes through files in scratch.
HostRun RunKelvraHost(const std::vector<std::string>& arguments, const std::string& scratchFolder,
                      const std::map<std::string, std::string>& environment = {});

// The lines of a text, without their line ends.
std::vector<std::string> Lines(const std::string& text);

}  // namespace kelvra::test
