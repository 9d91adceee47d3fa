#include "HostProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace kelvra::test {
namespace {

std::vector<std::string> Environment(const std::map<std::string, std::string>& changes) {
  std::vector<std::string> entries;
  for (char** e = environ; *e != nullptr; ++e) {
    std::string entry(*e);
    if (changes.count(entry.substr(0, entry.find('='))) == 0) entries.push_back(entry);
  }
  for (const auto& [name, value] : changes)
    if (!value.empty()) entries.push_back(name + "=" + value);
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

HostRun RunKelvraHost(const std::vector<std::string>& arguments, const std::string& scratchFolder,
                      const std::map<std::string, std::string>& environment) {
  std::vector<std::string> argv{KELVRA_HOST_PATH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = Environment(environment);
  const std::string outPath = scratchFolder + "/host.out";
  const std::string errPath = scratchFolder + "/host.err";

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&files, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t pid = 0;
  std::vector<char*> argp = Pointers(argv);
  std::vector<char*> envpp = Pointers(envp);
  const int spawned =
      posix_spawn(&pid, argv[0].c_str(), &files, nullptr, argp.data(), envpp.data());
  posix_spawn_file_actions_destroy(&files);
  if (spawned != 0)
    throw std::runtime_error(std::string("cannot start kelvra-host: ") + std::strerror(spawned));

  int wstatus = 0;
  waitpid(pid, &wstatus, 0);
  HostRun run;
  run.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
  run.out = ReadAll(outPath);
  run.err = ReadAll(errPath);
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace kelvra::test
