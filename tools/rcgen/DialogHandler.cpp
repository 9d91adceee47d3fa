#include "DialogHandler.h"

#include <strings.h>

#include "ExpressionEvaluator.h"
#include "ScriptParser.h"

namespace rcgen {
namespace {

constexpr std::uint32_t kChildVisible = 0x50000000;  // WS_CHILD | WS_VISIBLE
constexpr std::uint32_t kTabStop = 0x00010000;
constexpr std::uint32_t kGroup = 0x00020000;
constexpr std::uint32_t kBorder = 0x00800000;
constexpr std::uint32_t kCaption = 0x00C00000;
constexpr std::uint32_t kPopupDefault = 0x80880000;  // WS_POPUP | WS_BORDER | WS_SYSMENU
constexpr std::uint32_t kSetFont = 0x40;             // DS_SETFONT

enum class Shape {
  kText,     // "text", id, x, y, cx, cy [, style [, exstyle]]
  kNoText,   // id, x, y, cx, cy [, style [, exstyle]]
  kIcon,     // image, id, x, y [, cx, cy [, style [, exstyle]]]
  kGeneric,  // text, id, class, style, x, y, cx, cy [, exstyle]
};

struct ControlKind {
  const char* keyword;
  const char* className;
  std::uint32_t style;  // besides WS_CHILD | WS_VISIBLE
  Shape shape;
};

constexpr ControlKind kKinds[] = {
    {"LTEXT", "Static", 0x0 | kGroup, Shape::kText},
    {"RTEXT", "Static", 0x2 | kGroup, Shape::kText},
    {"CTEXT", "Static", 0x1 | kGroup, Shape::kText},
    {"PUSHBUTTON", "Button", 0x0 | kTabStop, Shape::kText},
    {"DEFPUSHBUTTON", "Button", 0x1 | kTabStop, Shape::kText},
    {"CHECKBOX", "Button", 0x2 | kTabStop, Shape::kText},
    {"AUTOCHECKBOX", "Button", 0x3 | kTabStop, Shape::kText},
    {"RADIOBUTTON", "Button", 0x4, Shape::kText},
    {"STATE3", "Button", 0x5 | kTabStop, Shape::kText},
    {"AUTO3STATE", "Button", 0x6 | kTabStop, Shape::kText},
    {"GROUPBOX", "Button", 0x7, Shape::kText},
    {"AUTORADIOBUTTON", "Button", 0x9, Shape::kText},
    {"EDITTEXT", "Edit", kBorder | kTabStop, Shape::kNoText},
    {"COMBOBOX", "ComboBox", 0x1 | kTabStop, Shape::kNoText},
    {"LISTBOX", "ListBox", 0x1 | kBorder, Shape::kNoText},
    {"ICON", "Static", 0x3, Shape::kIcon},
    {"CONTROL", "", 0, Shape::kGeneric},
};

// Class keywords CONTROL accepts instead of a quoted class name.
constexpr const char* kClassKeywords[][2] = {
    {"BUTTON", "Button"},   {"EDIT", "Edit"},         {"STATIC", "Static"},
    {"LISTBOX", "ListBox"}, {"COMBOBOX", "ComboBox"}, {"SCROLLBAR", "ScrollBar"},
};

const ControlKind* FindKind(const Token& token) {
  for (const ControlKind& kind : kKinds)
    if (token.isKeyword(kind.keyword)) return &kind;
  return nullptr;
}

void ExpectComma(TokenStream& tokens, const char* after) {
  if (!tokens.accept(","))
    throw RcError(tokens.peek().where, std::string("expected ',' after ") + after);
}

}  // namespace

int DialogHandler::number(TokenStream& tokens) const {
  return static_cast<int>(
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kStatement).evaluate(tokens));
}

std::uint32_t DialogHandler::style(TokenStream& tokens, std::uint32_t defaults) const {
  std::uint32_t value = defaults;
  ExpressionEvaluator evaluator(symbols_, ExpressionEvaluator::Mode::kStatement);
  do {
    if (tokens.peek().isKeyword("NOT")) {
      tokens.next();
      value &= ~static_cast<std::uint32_t>(evaluator.operand(tokens));
    } else {
      value |= static_cast<std::uint32_t>(evaluator.operand(tokens));
    }
  } while (tokens.accept("|"));
  return value;
}

void DialogHandler::parse(TokenStream& tokens, const Token& name, ResourceScript& script) {
  Token keyword = tokens.next();
  Dialog dialog;
  dialog.where = name.where;
  TokenStream nameTokens({{name.where, name.text}});
  std::int64_t id =
      ExpressionEvaluator(symbols_, ExpressionEvaluator::Mode::kStatement).evaluate(nameTokens);
  if (id <= 0 || id > 0xFFFF)
    throw RcError(name.where, "dialog id " + std::to_string(id) + " is outside 1 to 65535");
  dialog.id = static_cast<std::uint16_t>(id);
  for (const Dialog& other : script.dialogs)
    if (other.id == dialog.id)
      throw RcError(name.where, "dialog " + std::to_string(id) + " is defined twice");
  dialog.x = number(tokens);
  ExpectComma(tokens, "the dialog's x");
  dialog.y = number(tokens);
  ExpectComma(tokens, "the dialog's y");
  dialog.cx = number(tokens);
  ExpectComma(tokens, "the dialog's width");
  dialog.cy = number(tokens);
  if (tokens.accept(",")) number(tokens);  // help id of DIALOGEX
  bool styled = false;
  dialog.style = kPopupDefault;
  while (!tokens.peek().isBegin()) {
    if (tokens.atEnd()) throw RcError(keyword.where, keyword.text + " without BEGIN");
    option(tokens, dialog, styled);
  }
  Token begin = tokens.next();
  while (!tokens.peek().isEnd()) {
    if (tokens.atEnd()) throw RcError(begin.where, "BEGIN without END");
    control(tokens, dialog);
  }
  tokens.next();
  script.dialogs.push_back(std::move(dialog));
}

void DialogHandler::option(TokenStream& tokens, Dialog& dialog, bool& styled) {
  Token statement = tokens.next();
  if (statement.isKeyword("STYLE")) {
    std::uint32_t caption = dialog.style & kCaption;
    dialog.style = style(tokens, 0) | (styled ? 0 : caption);
    styled = true;
  } else if (statement.isKeyword("EXSTYLE")) {
    dialog.exStyle = style(tokens, 0);
  } else if (statement.isKeyword("CAPTION")) {
    dialog.caption = tokens.expectString("the dialog's caption").text;
    dialog.style |= kCaption;
  } else if (statement.isKeyword("FONT")) {
    dialog.pointSize = static_cast<std::uint16_t>(number(tokens));
    ExpectComma(tokens, "the font size");
    dialog.fontName = tokens.expectString("the font name").text;
    if (tokens.accept(",")) dialog.weight = static_cast<std::uint16_t>(number(tokens));
    if (tokens.accept(",")) dialog.italic = static_cast<std::uint8_t>(number(tokens));
    if (tokens.accept(",")) number(tokens);  // character set
    dialog.style |= kSetFont;
  } else if (statement.isKeyword("MENU") || statement.isKeyword("CLASS") ||
             statement.isKeyword("LANGUAGE") || statement.isKeyword("VERSION") ||
             statement.isKeyword("CHARACTERISTICS")) {
    while (!tokens.atEnd() && tokens.peek().sameLine(statement)) tokens.next();
  } else {
    throw RcError(statement.where, "unknown dialog statement '" + statement.text + "'");
  }
}

void DialogHandler::controlText(TokenStream& tokens, DialogControl& control) const {
  if (tokens.peek().kind == TokenKind::kString) {
    control.text = tokens.next().text;
    return;
  }
  int image = number(tokens);
  if (image < 0 || image > 0xFFFF)
    throw RcError(tokens.peek().where,
                  "image id " + std::to_string(image) + " is outside 0 to 65535");
  control.imageId = static_cast<std::uint16_t>(image);
}

void DialogHandler::rectangle(TokenStream& tokens, DialogControl& control) const {
  control.x = number(tokens);
  ExpectComma(tokens, "the control's x");
  control.y = number(tokens);
  ExpectComma(tokens, "the control's y");
  control.cx = number(tokens);
  ExpectComma(tokens, "the control's width");
  control.cy = number(tokens);
}

void DialogHandler::styleTail(TokenStream& tokens, DialogControl& control) const {
  if (!tokens.accept(",")) return;
  control.style = style(tokens, control.style);
  if (tokens.accept(",")) control.exStyle = style(tokens, 0);
}

void DialogHandler::control(TokenStream& tokens, Dialog& dialog) {
  Token keyword = tokens.next();
  const ControlKind* kind = FindKind(keyword);
  if (kind == nullptr)
    throw RcError(keyword.where, "unknown control statement '" + keyword.text + "'");
  DialogControl control;
  control.className = kind->className;
  control.style = kChildVisible | kind->style;
  if (kind->shape != Shape::kNoText) {
    controlText(tokens, control);
    ExpectComma(tokens, "the control's text");
  }
  control.id = number(tokens);
  ExpectComma(tokens, "the control's id");
  if (kind->shape == Shape::kGeneric) {
    Token cls = tokens.next();
    control.className = cls.text;
    for (const auto& pair : kClassKeywords)
      if (cls.kind != TokenKind::kString && cls.isKeyword(pair[0])) control.className = pair[1];
    ExpectComma(tokens, "the control's class");
    control.style = style(tokens, kChildVisible);
    ExpectComma(tokens, "the control's style");
    rectangle(tokens, control);
    if (tokens.accept(",")) control.exStyle = style(tokens, 0);
  } else if (kind->shape == Shape::kIcon) {
    control.x = number(tokens);
    ExpectComma(tokens, "the icon's x");
    control.y = number(tokens);
    if (tokens.accept(",")) {
      control.cx = number(tokens);
      ExpectComma(tokens, "the icon's width");
      control.cy = number(tokens);
      styleTail(tokens, control);
    }
  } else {
    rectangle(tokens, control);
    styleTail(tokens, control);
  }
  dialog.controls.push_back(std::move(control));
}

}  // namespace rcgen
