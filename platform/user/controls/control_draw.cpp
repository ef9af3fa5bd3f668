// The drawing and helpers the controls share (controls.h): the classic grey
// 3-D look (sunken fields, raised buttons, scroll bars), painting and
// measuring with a control's font, notifications, and case-insensitive
// comparison of entries.
#include <ctype.h>
#include <string.h>

#include "platform/user/controls/controls.h"
#include "platform/user/window.h"

namespace {

void line(HDC dc, LONG left, LONG top, LONG right, LONG bottom, int color) {
  RECT r = {left, top, right, bottom};
  fillSysColor(dc, r, color);
}

// Two edges of a rectangle: top and left in one colour, bottom and right in
// another.
void edges(HDC dc, const RECT& r, int topLeft, int bottomRight) {
  line(dc, r.left, r.top, r.right - 1, r.top + 1, topLeft);
  line(dc, r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
  line(dc, r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
  line(dc, r.right - 1, r.top, r.right, r.bottom, bottomRight);
}

RECT inset(const RECT& r, int by) { return RECT{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

HFONT fontOf(HWND control) {
  Window* window = findWindow(control);
  return window && window->font ? window->font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

unsigned char folded(char c) { return static_cast<unsigned char>(tolower(static_cast<unsigned char>(c))); }

}  // namespace

bool handleFontMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  Window* window = findWindow(control);
  if (!window) return false;
  if (message == WM_SETFONT) {
    window->font = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam)) InvalidateRect(control, nullptr, TRUE);
    *result = 0;
    return true;
  }
  if (message == WM_GETFONT) {
    *result = reinterpret_cast<LRESULT>(window->font);
    return true;
  }
  return false;
}

void beginControlPaint(HWND control, ControlPaint* p) {
  p->window = control;
  p->dc = BeginPaint(control, &p->paint);
  GetClientRect(control, &p->client);
  p->oldFont = SelectObject(p->dc, fontOf(control));
  SetBkMode(p->dc, TRANSPARENT);
}

void endControlPaint(ControlPaint* p) {
  SelectObject(p->dc, p->oldFont);
  EndPaint(p->window, &p->paint);
}

HDC measuringDC(HWND control) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, fontOf(control));
  return dc;
}

void releaseMeasuringDC(HDC dc) { DeleteDC(dc); }

int textWidth(HDC dc, const std::string& text, size_t count) {
  if (count == 0) return 0;
  SIZE size = {0, 0};
  GetTextExtentPoint32A(dc, text.data(), int(count), &size);
  return size.cx;
}

int fontHeight(HWND control) {
  HDC dc = measuringDC(control);
  TEXTMETRICA tm;
  int height = GetTextMetricsA(dc, &tm) ? tm.tmHeight : 13;
  releaseMeasuringDC(dc);
  return height;
}

void fillSysColor(HDC dc, const RECT& rect, int index) { FillRect(dc, &rect, GetSysColorBrush(index)); }

void drawSunkenEdge(HDC dc, RECT* rect) {
  edges(dc, *rect, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT);
  edges(dc, inset(*rect, 1), COLOR_3DDKSHADOW, COLOR_3DLIGHT);
  *rect = inset(*rect, 2);
}

void drawButtonFace(HDC dc, const RECT& rect, bool pressed, bool framed) {
  RECT r = rect;
  if (framed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_3DDKSHADOW));
    r = inset(r, 1);
  }
  fillSysColor(dc, r, COLOR_BTNFACE);
  if (pressed) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
    return;
  }
  edges(dc, r, COLOR_BTNHIGHLIGHT, COLOR_3DDKSHADOW);
  edges(dc, inset(r, 1), COLOR_3DLIGHT, COLOR_BTNSHADOW);
}

void drawArrow(HDC dc, const RECT& rect, bool down, bool enabled) {
  int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
  for (int row = 0; row < 4; ++row) {
    int half = down ? 3 - row : row;
    LONG y = cy - 2 + row;
    line(dc, cx - half - 1, y, cx + half, y + 1, enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT);
  }
}

int scrollBarPart(int y, int height, int first, int visible, int total) {
  int arrow = kScrollBarWidth;
  if (y < arrow) return -2;
  if (y >= height - arrow) return 2;
  int track = height - 2 * arrow;
  if (total <= visible || track <= 0) return 0;
  int thumb = track * visible / total;
  if (thumb < 8) thumb = 8;
  int thumbTop = arrow + (track - thumb) * first / (total - visible);
  if (y < thumbTop) return -1;
  if (y >= thumbTop + thumb) return 1;
  return 0;
}

void drawVerticalScrollBar(HDC dc, const RECT& bar, int first, int visible, int total) {
  int arrow = kScrollBarWidth;
  RECT track = {bar.left, bar.top + arrow, bar.right, bar.bottom - arrow};
  fillSysColor(dc, track, COLOR_3DLIGHT);
  RECT up = {bar.left, bar.top, bar.right, bar.top + arrow};
  RECT down = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  bool scrollable = total > visible;
  drawButtonFace(dc, up, false, false);
  drawArrow(dc, up, false, scrollable);
  drawButtonFace(dc, down, false, false);
  drawArrow(dc, down, true, scrollable);
  int height = track.bottom - track.top;
  if (!scrollable || height <= 0) return;
  int thumb = height * visible / total;
  if (thumb < 8) thumb = 8;
  int top = track.top + (height - thumb) * first / (total - visible);
  RECT thumbRect = {bar.left, top, bar.right, top + thumb};
  drawButtonFace(dc, thumbRect, false, false);
}

void notifyParent(HWND control, WORD code) {
  HWND parent = GetParent(control);
  if (parent)
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

int compareNoCase(const std::string& a, const std::string& b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    int d = int(folded(a[i])) - int(folded(b[i]));
    if (d) return d;
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

bool startsWithNoCase(const std::string& text, const char* prefix) {
  size_t n = strlen(prefix);
  if (n > text.size()) return false;
  for (size_t i = 0; i < n; ++i)
    if (folded(text[i]) != folded(prefix[i])) return false;
  return true;
}
