#include "addin/SetDlgItemFont.h"

HFONT SetDlgItemFont(HWND dlg, int id, BOOL bold, BOOL italic, BOOL underline) {
  HWND ctrl = GetDlgItem(dlg, id);
  if (!ctrl) return nullptr;
  auto current = reinterpret_cast<HFONT>(SendMessageA(ctrl, WM_GETFONT, 0, 0));
  if (!current) return nullptr;
  LOGFONTA lf{};
  if (!GetObjectA(current, sizeof lf, &lf)) return nullptr;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = italic ? TRUE : FALSE;
  lf.lfUnderline = underline ? TRUE : FALSE;
  HFONT font = CreateFontIndirectA(&lf);
  if (font) SendMessageA(ctrl, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return font;
}
