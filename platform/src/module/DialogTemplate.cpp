#include "module/DialogTemplate.h"

namespace kelvra::platform {

DialogTemplate DialogTemplate::From(const resources::DialogResource& r) {
  DialogTemplate t;
  t.id = r.id;
  t.style = r.style;
  t.exStyle = r.exStyle;
  t.x = r.x;
  t.y = r.y;
  t.cx = r.cx;
  t.cy = r.cy;
  t.caption = std::string(r.caption);
  t.fontName = std::string(r.fontName);
  t.pointSize = r.pointSize;
  t.weight = r.weight;
  t.italic = r.italic;
  for (const resources::DialogControl& c : r.controls) {
    t.controls.push_back(DialogTemplateControl{c.id, std::string(c.className), std::string(c.text),
                                               c.imageId, c.style, c.exStyle, c.x, c.y, c.cx,
                                               c.cy});
  }
  return t;
}

}  // namespace kelvra::platform
