// System colours: GetSysColor and GetSysColorBrush, with the classic grey
// scheme of Windows (the look of the layer's dialogs and controls). The
// brushes are made once and never deleted, as Win32's stock brushes.
#include <windows.h>

#include <map>

namespace {

COLORREF classicColor(int index) {
  switch (index) {
    case COLOR_ACTIVECAPTION: return RGB(0, 0, 128);
    case COLOR_WINDOW: return RGB(255, 255, 255);
    case COLOR_WINDOWTEXT: return RGB(0, 0, 0);
    case COLOR_CAPTIONTEXT: return RGB(255, 255, 255);
    case COLOR_HIGHLIGHT: return RGB(0, 0, 128);
    case COLOR_HIGHLIGHTTEXT: return RGB(255, 255, 255);
    case COLOR_BTNFACE: return RGB(192, 192, 192);
    case COLOR_BTNSHADOW: return RGB(128, 128, 128);
    case COLOR_GRAYTEXT: return RGB(128, 128, 128);
    case COLOR_BTNTEXT: return RGB(0, 0, 0);
    case COLOR_BTNHIGHLIGHT: return RGB(255, 255, 255);
    case COLOR_3DDKSHADOW: return RGB(0, 0, 0);
    case COLOR_3DLIGHT: return RGB(223, 223, 223);
  }
  return RGB(0, 0, 0);
}

}  // namespace

DWORD WINAPI GetSysColor(int index) { return classicColor(index); }

HBRUSH WINAPI GetSysColorBrush(int index) {
  static std::map<int, HBRUSH> brushes;
  HBRUSH& brush = brushes[index];
  if (!brush) brush = CreateSolidBrush(classicColor(index));
  return brush;
}
