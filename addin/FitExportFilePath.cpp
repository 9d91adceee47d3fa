#include "addin/FitExportFilePath.h"

#include <vector>

#include "addin/CLogTimer.h"
#include "addin/MakeExportFileName.h"
#include "win32/files.h"
#include "win32/nls.h"

namespace {

// The path, or "" when it does not fit.
std::string Combined(const std::string& folder, const std::string& file) {
  char path[MAX_PATH] = {};
  return PathCombineA(path, folder.c_str(), file.c_str()) ? path : "";
}

// The characters of the text, each in its bytes of the ANSI code page.
std::vector<std::string> Characters(const std::string& text) {
  const int length = static_cast<int>(text.size());
  std::basic_string<WCHAR> wide(static_cast<size_t>(length), u'\0');
  wide.resize(static_cast<size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide.data(), length)));
  std::vector<std::string> characters;
  for (size_t i = 0; i < wide.size();) {
    // A surrogate pair is one character.
    const bool pair = wide[i] >= 0xD800 && wide[i] < 0xDC00 && i + 1 < wide.size() &&
                      wide[i + 1] >= 0xDC00 && wide[i + 1] < 0xE000;
    const int units = pair ? 2 : 1;
    char bytes[16];
    const int size =
        WideCharToMultiByte(CP_ACP, 0, &wide[i], units, bytes, sizeof bytes, nullptr, nullptr);
    characters.emplace_back(bytes, static_cast<size_t>(size > 0 ? size : 0));
    i += static_cast<size_t>(units);
  }
  return characters;
}

}  // namespace

std::string FitExportFilePath(const std::string& folder, const std::string& name, size_t keep,
                              const std::string& tail) {
  std::string path = Combined(folder, name + tail);
  if (!path.empty()) return path;
  const std::vector<std::string> characters = Characters(name);
  std::vector<size_t> ends;
  std::string prefix;
  for (const std::string& character : characters) {
    prefix += character;
    ends.push_back(prefix.size());
  }
  // Shorter and shorter prefixes, the longest that fits; a cut may leave white space
  // at the end.
  for (size_t count = ends.size(); count-- > 1;) {
    const size_t end = ends[count - 1];
    if (end < keep) break;
    path = Combined(folder, MakeExportFileName(prefix.substr(0, end).c_str()) + tail);
    if (!path.empty()) return path;
  }
  g_LogTimer.Err("FitExportFilePath", 0, "no room for \"%s%s\" in the folder \"%s\"", name.c_str(),
                 tail.c_str(), folder.c_str());
  return "";
}
