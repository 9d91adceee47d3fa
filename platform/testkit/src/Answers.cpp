#include "testkit/Answers.h"

#include <cctype>
#include <stdexcept>
#include <string_view>

#include "testkit/Dialogs.h"

namespace testkit {
namespace {

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
  return std::string(text.substr(begin, end - begin));
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// A whole decimal number, or nullopt.
std::optional<int> Number(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  std::size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  for (; i < text.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return text[0] == '-' ? -value : value;
}

// The actions of a dialog line, split at ";" that no "\" escapes.
std::vector<std::string> SplitActions(std::string_view text) {
  std::vector<std::string> parts(1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == ';') {
      parts.back() += ';';
      ++i;
    } else if (text[i] == ';') {
      parts.emplace_back();
    } else {
      parts.back() += text[i];
    }
  }
  return parts;
}

struct Verb {
  std::string_view name;
  DialogAction::Kind kind;
  bool control;
  bool text;
};
constexpr Verb kVerbs[] = {
    {"click", DialogAction::Kind::kClick, true, false},
    {"check", DialogAction::Kind::kCheck, true, false},
    {"uncheck", DialogAction::Kind::kUncheck, true, false},
    {"type", DialogAction::Kind::kType, true, true},
    {"select", DialogAction::Kind::kSelect, true, true},
    {"escape", DialogAction::Kind::kEscape, false, false},
    {"close", DialogAction::Kind::kClose, false, false},
};

DialogAction ParseAction(const std::string& text) {
  const std::string action = Trim(text);
  const std::size_t space = action.find(' ');
  const std::string name = action.substr(0, space);
  const std::string rest = space == std::string::npos ? "" : Trim(action.substr(space + 1));
  for (const Verb& verb : kVerbs) {
    if (!EqualNoCase(name, verb.name)) continue;
    DialogAction result{verb.kind, 0, ""};
    if (!verb.control) {
      if (!rest.empty())
        throw std::invalid_argument("\"" + action + "\" takes nothing after " + name);
      return result;
    }
    const std::size_t gap = rest.find(' ');
    std::optional<int> id = Number(rest.substr(0, gap));
    if (!id) throw std::invalid_argument("\"" + action + "\" needs a control id after " + name);
    result.control = *id;
    // A text keeps its inner blanks; only the one blank after the id separates.
    result.text = gap == std::string::npos ? "" : rest.substr(gap + 1);
    if (verb.text && result.text.empty())
      throw std::invalid_argument("\"" + action + "\" needs a text after the control id");
    if (!verb.text && !result.text.empty())
      throw std::invalid_argument("\"" + action + "\" takes only a control id");
    return result;
  }
  throw std::invalid_argument("unknown dialog action \"" + action + "\"");
}

struct BoxAnswer {
  std::string_view name;
  int value;
};
constexpr BoxAnswer kBoxAnswers[] = {
    {"IDOK", IDOK},         {"IDCANCEL", IDCANCEL}, {"IDABORT", IDABORT}, {"IDRETRY", IDRETRY},
    {"IDIGNORE", IDIGNORE}, {"IDYES", IDYES},       {"IDNO", IDNO}};

int ParseBoxAnswer(const std::string& text) {
  for (const BoxAnswer& answer : kBoxAnswers)
    if (EqualNoCase(text, answer.name)) return answer.value;
  std::optional<int> value = Number(text);
  if (!value || *value <= 0)
    throw std::invalid_argument("\"" + text + "\" is no message box answer");
  return *value;
}

}  // namespace

std::optional<Answers::PathKind> Answers::PathKindOf(const std::string& kind) {
  if (EqualNoCase(kind, "folder")) return PathKind::kFolder;
  if (EqualNoCase(kind, "file")) return PathKind::kFile;
  if (EqualNoCase(kind, "outlook-folder")) return PathKind::kOutlookFolder;
  return std::nullopt;
}

Answers::Answers(const std::string& text) {
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    ++lineNumber;
    try {
      ParseLine(Trim(std::string_view(text).substr(start, end - start)));
    } catch (const std::invalid_argument& e) {
      throw std::invalid_argument("line " + std::to_string(lineNumber) + ": " + e.what());
    }
    start = end + 1;
  }
}

void Answers::ParseLine(const std::string& line) {
  if (line.empty() || line[0] == '#') return;
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) throw std::invalid_argument("no \":\" after the kind of answer");
  const std::string kind = Trim(line.substr(0, colon));
  const std::string value = Trim(line.substr(colon + 1));
  if (EqualNoCase(kind.substr(0, 7), "dialog ")) {
    std::optional<int> id = Number(Trim(kind.substr(7)));
    if (!id || *id <= 0) throw std::invalid_argument("\"" + kind + "\" needs a dialog template id");
    DialogAnswer answer{*id, {}, false};
    if (!value.empty())
      for (const std::string& action : SplitActions(value))
        answer.actions.push_back(ParseAction(action));
    dialogs_.push_back(std::move(answer));
  } else if (EqualNoCase(kind, "msgbox")) {
    boxes_.push_back(ParseBoxAnswer(value));
  } else if (std::optional<PathKind> pathKind = PathKindOf(kind)) {
    if (value.empty()) throw std::invalid_argument("\"" + kind + ":\" needs a path or cancel");
    std::optional<std::string> path;
    if (!EqualNoCase(value, "cancel")) path = value;
    paths_.push_back(PathAnswer{*pathKind, path, false});
  } else {
    throw std::invalid_argument("unknown kind of answer \"" + kind + "\"");
  }
}

std::optional<std::vector<DialogAction>> Answers::TakeDialog(int templateId) {
  std::lock_guard lock(mutex_);
  for (DialogAnswer& answer : dialogs_) {
    if (answer.used || answer.templateId != templateId) continue;
    answer.used = true;
    return answer.actions;
  }
  return std::nullopt;
}

std::optional<int> Answers::TakeMessageBox() {
  std::lock_guard lock(mutex_);
  if (nextBox_ == boxes_.size()) return std::nullopt;
  return boxes_[nextBox_++];
}

std::optional<std::optional<std::string>> Answers::TakePath(PathKind kind) {
  std::lock_guard lock(mutex_);
  for (PathAnswer& answer : paths_) {
    if (answer.used || answer.kind != kind) continue;
    answer.used = true;
    return answer.path;
  }
  return std::nullopt;
}

std::optional<std::optional<std::string>> Answers::TakeFolder() {
  return TakePath(PathKind::kFolder);
}

std::optional<std::optional<std::string>> Answers::TakeFile() { return TakePath(PathKind::kFile); }

std::optional<std::optional<std::string>> Answers::TakeOutlookFolder() {
  return TakePath(PathKind::kOutlookFolder);
}

std::string DescribeAction(const DialogAction& action) {
  for (const Verb& verb : kVerbs) {
    if (verb.kind != action.kind) continue;
    std::string text(verb.name);
    if (verb.control) text += " " + std::to_string(action.control);
    if (verb.text) text += " " + action.text;
    return text;
  }
  return "";
}

bool PerformActions(HWND dlg, const std::vector<DialogAction>& actions, std::string* failed) {
  for (const DialogAction& action : actions) {
    bool done = true;
    switch (action.kind) {
      case DialogAction::Kind::kClick:
        done = Click(dlg, action.control);
        break;
      case DialogAction::Kind::kCheck:
        done = SetCheck(dlg, action.control, true);
        break;
      case DialogAction::Kind::kUncheck:
        done = SetCheck(dlg, action.control, false);
        break;
      case DialogAction::Kind::kType:
        done = TypeText(dlg, action.control, action.text);
        break;
      case DialogAction::Kind::kSelect:
        done = SelectItem(dlg, action.control, action.text);
        break;
      case DialogAction::Kind::kEscape:
        PressEscape(dlg);
        break;
      case DialogAction::Kind::kClose:
        CloseBox(dlg);
        break;
    }
    if (!done) {
      if (failed != nullptr) *failed = DescribeAction(action);
      return false;
    }
  }
  return true;
}

}  // namespace testkit
