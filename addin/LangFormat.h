// Builds a text from a language-file template. Language texts are written by
// translators, so they are never handed to printf: only "%d" and "%s" are replaced,
// each by the next argument in order, and "%%" gives "%". Everything else, a stray "%"
// or a placeholder left without an argument included, is copied as it stands.
#pragma once

#include <concepts>
#include <initializer_list>
#include <string>
#include <string_view>

// One argument of FormatLangText: a number or a text. A placeholder shows the argument
// in its own form whichever of "%d" and "%s" the translator wrote.
class LangArg {
 public:
  template <std::integral T>
  LangArg(T value) : m_text(std::to_string(value)) {}  // NOLINT: implicit by design
  LangArg(const char* text) : m_text(text ? text : "") {}
  LangArg(std::string_view text) : m_text(text) {}
  LangArg(const std::string& text) : m_text(text) {}

  const std::string& Text() const { return m_text; }

 private:
  std::string m_text;
};

std::string FormatLangText(std::string_view text, std::initializer_list<LangArg> args = {});
