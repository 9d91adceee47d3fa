// rcgen <script.rc> <module name> <output.cpp>
//
// Reads the resource script (and the headers it includes, and the registry scripts it
// names) and writes C++ that registers its resources under the module name. A fault in the script
// fails with "file:line: error: message" and leaves the output as it was.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "CppEmitter.h"
#include "Preprocessor.h"
#include "ScriptParser.h"

namespace {

// The text of every registry script, from its file beside the resource script.
void ReadRegistryScripts(const std::filesystem::path& folder, rcgen::ResourceScript& script) {
  for (rcgen::RegistryScript& registry : script.registryScripts) {
    std::string file = registry.file;
    for (char& c : file)
      if (c == '\\') c = '/';
    std::ifstream in(folder / file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in)
      throw rcgen::RcError(registry.where, "cannot read registry script '" + registry.file + "'");
    registry.text = text.str();
  }
}

void WriteOutput(const std::string& path, const std::string& code) {
  std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << code;
    if (!out.flush()) throw std::runtime_error("cannot write " + temporary);
  }
  std::filesystem::rename(temporary, path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: rcgen <script.rc> <module name> <output.cpp>\n";
    return 2;
  }
  try {
    rcgen::SymbolTable symbols;
    rcgen::TokenStream tokens(rcgen::Preprocessor(symbols).run(argv[1]));
    rcgen::ResourceScript script = rcgen::ScriptParser(symbols).parse(tokens);
    ReadRegistryScripts(std::filesystem::path(argv[1]).parent_path(), script);
    std::string scriptName = std::filesystem::path(argv[1]).filename().string();
    WriteOutput(argv[3], rcgen::CppEmitter(argv[2], scriptName).emit(script));
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
