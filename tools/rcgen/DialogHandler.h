// Reads DIALOG and DIALOGEX statements: the head (position and size), the optional
// statements (STYLE, EXSTYLE, CAPTION, FONT, ...) and the controls of the BEGIN ... END
// block, each with the style the resource compiler gives it.
#pragma once

#include "ResourceScript.h"
#include "SymbolTable.h"
#include "TokenStream.h"

namespace rcgen {

class DialogHandler {
 public:
  explicit DialogHandler(const SymbolTable& symbols) : symbols_(symbols) {}

  // Tokens are at the DIALOG or DIALOGEX keyword; id is the statement's name.
  void parse(TokenStream& tokens, const Token& name, ResourceScript& script);

 private:
  void option(TokenStream& tokens, Dialog& dialog, bool& styled);
  void control(TokenStream& tokens, Dialog& dialog);
  // "|"-joined flags added to (and with NOT removed from) the default style.
  std::uint32_t style(TokenStream& tokens, std::uint32_t defaults) const;
  int number(TokenStream& tokens) const;
  // The text of a control: a string, or a number or name that stands for an image id.
  void controlText(TokenStream& tokens, DialogControl& control) const;
  void rectangle(TokenStream& tokens, DialogControl& control) const;
  // The optional ", style [, exstyle]" tail of most control statements.
  void styleTail(TokenStream& tokens, DialogControl& control) const;

  const SymbolTable& symbols_;
};

}  // namespace rcgen
