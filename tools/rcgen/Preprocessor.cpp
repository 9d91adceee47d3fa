#include "Preprocessor.h"

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ExpressionEvaluator.h"

namespace rcgen {
namespace {

constexpr int kMaxIncludeDepth = 16;

// Headers of the Windows SDK that scripts include for the names SymbolTable knows.
constexpr const char* kSdkHeaders[] = {"winres.h", "winresrc.h", "windows.h", "winver.h",
                                       "afxres.h", "commctrl.h", "winuser.h", "ntverp.h"};

std::string Trim(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool IsSdkHeader(const std::string& name) {
  std::string file = std::filesystem::path(name).filename().string();
  return std::any_of(std::begin(kSdkHeaders), std::end(kSdkHeaders),
                     [&](const char* h) { return strcasecmp(h, file.c_str()) == 0; });
}

bool IsHeader(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  return strcasecmp(extension.c_str(), ".h") == 0 || strcasecmp(extension.c_str(), ".c") == 0;
}

// Copies a string literal starting at line[i] and returns the index after it.
std::size_t CopyStringLiteral(const std::string& line, std::size_t i, std::string& out) {
  out.push_back(line[i++]);
  while (i < line.size()) {
    char c = line[i];
    out.push_back(c);
    ++i;
    if (c == '\\' && i < line.size()) {
      out.push_back(line[i++]);
    } else if (c == '"') {
      if (i < line.size() && line[i] == '"') {
        out.push_back(line[i++]);
        continue;
      }
      break;
    }
  }
  return i;
}

// Removes // and /* */ comments outside string literals; inBlock carries an open block
// comment from one line to the next.
std::string StripComments(const std::string& line, bool& inBlock) {
  std::string out;
  std::size_t i = 0;
  while (i < line.size()) {
    if (inBlock) {
      std::size_t close = line.find("*/", i);
      if (close == std::string::npos) return out;
      inBlock = false;
      i = close + 2;
    } else if (line[i] == '"') {
      i = CopyStringLiteral(line, i, out);
    } else if (line.compare(i, 2, "//") == 0) {
      return out;
    } else if (line.compare(i, 2, "/*") == 0) {
      inBlock = true;
      out.push_back(' ');
      i += 2;
    } else {
      out.push_back(line[i++]);
    }
  }
  return out;
}

// The lines of an 8-bit file; a UTF-8 byte-order mark at its start is passed over.
std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0)
    throw RcError({path, 1}, "UTF-16 files are not read: save the file as UTF-8 or ANSI");
  std::vector<std::string> lines;
  std::size_t start = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

// Splits "name rest" after the '#'.
void SplitDirective(const std::string& text, std::string& name, std::string& argument) {
  std::string body = Trim(text.substr(text.find('#') + 1));
  std::size_t end = 0;
  while (end < body.size() &&
         (std::isalnum(static_cast<unsigned char>(body[end])) || body[end] == '_'))
    ++end;
  name = body.substr(0, end);
  argument = Trim(body.substr(end));
}

}  // namespace

std::vector<SourceLine> Preprocessor::run(const std::string& path) {
  if (!std::filesystem::is_regular_file(path))
    throw RcError({path, 0}, "cannot open the resource script");
  processFile(path, false, 0);
  return std::move(lines_);
}

void Preprocessor::processFile(const std::string& path, bool directivesOnly, int depth) {
  std::vector<std::string> raw = ReadLines(path);
  std::size_t outerConditions = conditions_.size();
  bool inBlock = false;
  for (std::size_t n = 0; n < raw.size(); ++n) {
    SourceLocation where{path, static_cast<int>(n + 1)};
    std::string text = StripComments(raw[n], inBlock);
    std::string trimmed = Trim(text);
    if (!trimmed.empty() && trimmed[0] == '#') {
      // A directive may go on over lines ending with a backslash.
      while (!trimmed.empty() && trimmed.back() == '\\' && n + 1 < raw.size()) {
        trimmed.pop_back();
        trimmed += " " + Trim(StripComments(raw[++n], inBlock));
      }
      directive(where, trimmed, path, depth);
    } else if (active() && !directivesOnly) {
      lines_.push_back({where, text});
    }
    if (conditions_.size() < outerConditions) throw RcError(where, "#endif without #if");
  }
  if (conditions_.size() > outerConditions)
    throw RcError(conditions_.back().where, "#if without #endif");
}

void Preprocessor::directive(const SourceLocation& where, const std::string& text,
                             const std::string& includingPath, int depth) {
  std::string name, argument;
  SplitDirective(text, name, argument);
  if (name == "if" || name == "ifdef" || name == "ifndef" || name == "elif" || name == "else" ||
      name == "endif") {
    conditional(where, name, argument);
    return;
  }
  // #pragma code_page and its kin do not change what the generator keeps.
  if (!active() || name == "pragma" || name.empty()) return;
  if (name == "include") {
    include(where, argument, includingPath, depth);
  } else if (name == "define") {
    std::size_t end = argument.find_first_of(" \t(");
    if (argument.empty()) throw RcError(where, "#define without a name");
    symbols_.define(argument.substr(0, end),
                    end == std::string::npos ? "" : Trim(argument.substr(end)), where);
  } else if (name == "undef") {
    symbols_.undefine(argument);
  } else if (name == "error") {
    throw RcError(where, "#error " + argument);
  } else {
    throw RcError(where, "unknown directive #" + name);
  }
}

void Preprocessor::include(const SourceLocation& where, const std::string& argument,
                           const std::string& includingPath, int depth) {
  if (argument.size() < 2 || !((argument.front() == '"' && argument.back() == '"') ||
                               (argument.front() == '<' && argument.back() == '>')))
    throw RcError(where, "#include expects \"file\" or <file>");
  std::string name = argument.substr(1, argument.size() - 2);
  std::filesystem::path resolved = std::filesystem::path(includingPath).parent_path() / name;
  if (argument.front() == '<' || !std::filesystem::is_regular_file(resolved)) {
    if (argument.front() == '<' || IsSdkHeader(name)) return;
    throw RcError(where, "cannot open include file '" + name + "'");
  }
  if (depth >= kMaxIncludeDepth) throw RcError(where, "#include nested too deeply");
  processFile(resolved.string(), IsHeader(name), depth + 1);
}

void Preprocessor::conditional(const SourceLocation& where, const std::string& name,
                               const std::string& argument) {
  if (name == "if" || name == "ifdef" || name == "ifndef") {
    bool outer = active();
    bool test = false;
    if (outer) {
      if (name == "if")
        test = evaluate(where, argument);
      else
        test = symbols_.defined(argument) == (name == "ifdef");
    }
    conditions_.push_back({outer && test, outer && test, outer, false, where});
    return;
  }
  if (conditions_.empty()) throw RcError(where, "#" + name + " without #if");
  Condition& c = conditions_.back();
  if (name == "endif") {
    conditions_.pop_back();
    return;
  }
  if (c.seenElse) throw RcError(where, "#" + name + " after #else");
  bool open = c.outerActive && !c.taken;
  c.active = open && (name == "else" || evaluate(where, argument));
  c.taken = c.taken || c.active;
  c.seenElse = name == "else";
}

bool Preprocessor::evaluate(const SourceLocation& where, const std::string& expression) const {
  TokenStream tokens({{where, expression}});
  if (tokens.atEnd()) throw RcError(where, "#if without a condition");
  std::int64_t value =
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kCondition).evaluate(tokens);
  if (!tokens.atEnd()) throw RcError(where, "unexpected '" + tokens.peek().text + "' in condition");
  return value != 0;
}

}  // namespace rcgen
