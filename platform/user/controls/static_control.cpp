// The STATIC control class: a label. Its text is drawn in the dialog's grey
// with the control's font, aligned by SS_LEFT, SS_CENTER or SS_RIGHT, the
// "&" mnemonic underlined unless SS_NOPREFIX, and grey when disabled. It
// takes no focus and no keys (DLGC_STATIC); the dialog keyboard moves the
// focus past it to the next control when its mnemonic is typed.
#include "platform/user/controls/controls.h"

namespace {

void paintStatic(HWND control) {
  ControlPaint p;
  beginControlPaint(control, &p);
  fillSysColor(p.dc, p.client, COLOR_BTNFACE);
  char text[1024];
  int length = GetWindowTextA(control, text, sizeof text);
  LONG style = LONG(GetWindowLongPtrA(control, GWL_STYLE));
  UINT format = DT_WORDBREAK;
  if ((style & 0x1F) == SS_CENTER) format |= DT_CENTER;
  if ((style & 0x1F) == SS_RIGHT) format |= DT_RIGHT;
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  SetTextColor(p.dc, GetSysColor(IsWindowEnabled(control) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  RECT area = p.client;
  DrawTextA(p.dc, text, length, &area, format);
  endControlPaint(&p);
}

}  // namespace

LRESULT CALLBACK staticControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (handleFontMessage(control, message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_PAINT:
      paintStatic(control);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_STATIC;
    case WM_SETTEXT:
    case WM_ENABLE:
      InvalidateRect(control, nullptr, TRUE);
      break;
  }
  return DefWindowProcA(control, message, wParam, lParam);
}
