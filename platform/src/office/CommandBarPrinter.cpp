#include "office/CommandBarPrinter.h"

#include "office/BarButton.h"

namespace kelvra::office {

namespace {

std::string Utf8(const std::u16string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

const char* StyleName(Office::MsoButtonStyle style) {
  switch (style) {
    case Office::msoButtonIcon:
      return "icon";
    case Office::msoButtonCaption:
      return "caption";
    case Office::msoButtonIconAndCaption:
      return "icon+caption";
    default:
      return nullptr;
  }
}

void Field(std::string& line, const char* name, const std::u16string& value) {
  if (!value.empty()) line += std::string(" ") + name + "=\"" + Utf8(value) + "\"";
}

std::string ButtonFace(const BarButton& button) {
  std::string face;
  if (const char* style = StyleName(button.style())) face += std::string(" style=") + style;
  if (button.faceId() != 0) face += " face=" + std::to_string(button.faceId());
  if (button.picture()) face += " picture=" + std::to_string(button.picture()->resourceId);
  if (button.mask()) face += " mask=" + std::to_string(button.mask()->resourceId);
  return face;
}

std::string Describe(ControlNode& node, int index) {
  const ControlProperties& p = node.properties;
  std::string line = std::to_string(index) + (node.Menu() != nullptr ? " popup" : " button") +
                     " id=" + std::to_string(p.id);
  Field(line, "caption", p.caption);
  Field(line, "tag", p.tag);
  Field(line, "parameter", p.parameter);
  Field(line, "tooltip", p.tooltip);
  if (const auto* button = dynamic_cast<const BarButton*>(&node)) line += ButtonFace(*button);
  if (p.beginGroup) line += " group";
  if (!p.visible) line += " hidden";
  if (!p.enabled) line += " disabled";
  if (p.temporary) line += " temporary";
  return line;
}

bool HoldsAdded(const ControlList& list) {
  for (ControlNode* node : list.Nodes()) {
    if (node->properties.temporary) return true;
    if (node->Menu() != nullptr && HoldsAdded(*node->Menu())) return true;
  }
  return false;
}

void PrintList(const ControlList& list, const std::string& indent, bool addedOnly,
               std::string& out) {
  int index = 0;
  for (ControlNode* node : list.Nodes()) {
    ++index;
    const bool added = node->properties.temporary;
    const bool holds = node->Menu() != nullptr && HoldsAdded(*node->Menu());
    if (addedOnly && !added && !holds) continue;
    out += indent + Describe(*node, index) + "\n";
    if (node->Menu() != nullptr)
      PrintList(*node->Menu(), indent + "    ", addedOnly && !added, out);
  }
}

}  // namespace

std::string PrintCommandBars(const CommandBarSet& bars, bool addedOnly) {
  std::string out;
  for (StandInBar* bar : bars.Bars()) {
    if (addedOnly && !HoldsAdded(bar->controls())) continue;
    out += Utf8(bar->name()) + (bar == bars.MenuBar() ? " (menu bar)" : "") + "\n";
    PrintList(bar->controls(), "  ", addedOnly, out);
  }
  return out;
}

}  // namespace kelvra::office
