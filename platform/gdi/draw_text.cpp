// DrawTextA: one line of text placed in a rectangle, for the labels and
// fields of dialogs.
//
// The text is drawn on one line whatever the flags (DT_WORDBREAK and line
// breaks are not followed: the dialogs' texts are single lines), aligned by
// DT_LEFT, DT_CENTER or DT_RIGHT and, with DT_SINGLELINE, by DT_TOP,
// DT_VCENTER or DT_BOTTOM. Unless DT_NOPREFIX is given, "&" marks the next
// character as a mnemonic, which is underlined (not with DT_HIDEPREFIX), and
// "&&" stands for one "&". DT_CALCRECT measures without drawing. Nothing is
// clipped to the rectangle: the layer does less than Win32 there. The result
// is the height of the text.
#include <string.h>

#include <string>

#include "platform/gdi/dc.h"
#include "platform/gdi/text_run.h"

namespace {

// The text without its prefix characters, and the index of the underlined
// character in it (-1 when none).
std::string withoutPrefixes(const char* text, int count, bool prefixes, int* underlined) {
  std::string shown;
  *underlined = -1;
  for (int i = 0; i < count; ++i) {
    if (prefixes && text[i] == '&' && i + 1 < count) {
      ++i;
      if (text[i] != '&') *underlined = int(shown.size());
    }
    shown += text[i];
  }
  return shown;
}

void underline(HDC dc, int x, int y, const std::string& shown, int index, const TEXTMETRICA& tm) {
  SIZE before, through;
  GetTextExtentPoint32A(dc, shown.data(), index, &before);
  GetTextExtentPoint32A(dc, shown.data(), index + 1, &through);
  HBRUSH line = CreateSolidBrush(GetTextColor(dc));
  RECT rect = {x + before.cx, y + tm.tmAscent + 1, x + through.cx, y + tm.tmAscent + 2};
  FillRect(dc, &rect, line);
  DeleteObject(line);
}

}  // namespace

int WINAPI DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format) {
  if (!findDc(dc) || !text || !rect) return 0;
  if (count < 0) count = int(strlen(text));
  int underlined;
  std::string shown = withoutPrefixes(text, count, !(format & DT_NOPREFIX), &underlined);
  TEXTMETRICA tm;
  if (!GetTextMetricsA(dc, &tm)) return 0;
  SIZE size = {0, tm.tmHeight};
  if (!shown.empty()) GetTextExtentPoint32A(dc, shown.data(), int(shown.size()), &size);
  if (format & DT_CALCRECT) {
    rect->right = rect->left + size.cx;
    rect->bottom = rect->top + tm.tmHeight;
    return tm.tmHeight;
  }
  int x = rect->left, y = rect->top;
  if (format & DT_CENTER) x = (rect->left + rect->right - size.cx) / 2;
  else if (format & DT_RIGHT) x = rect->right - size.cx;
  if ((format & DT_SINGLELINE) && (format & DT_VCENTER)) y = (rect->top + rect->bottom - tm.tmHeight) / 2;
  else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM)) y = rect->bottom - tm.tmHeight;
  drawTextRun(dc, x, y, shown.data(), int(shown.size()), false);
  if (underlined >= 0 && !(format & DT_HIDEPREFIX)) underline(dc, x, y, shown, underlined, tm);
  return tm.tmHeight;
}
