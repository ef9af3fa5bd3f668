// Dialog units: GetDialogBaseUnits and MapDialogRect, and the base units of
// a dialog's font.
//
// As in Win32, a font's base units are its cell height and the average
// width of the 52 letters "A" to "Z" and "a" to "z", rounded; a horizontal
// dialog unit is a quarter of the width and a vertical one an eighth of the
// height. GetDialogBaseUnits gives those of the system font.
#include "platform/user/dialog.h"

namespace {

int scaled(int value, int units, int per) {
  long long product = (long long)value * units;
  // Rounded to the nearest, halves away from zero, as MulDiv rounds.
  return int(product >= 0 ? (product + per / 2) / per : -((-product + per / 2) / per));
}

}  // namespace

RECT dialogUnitsToPixels(SIZE baseUnits, const RECT& units) {
  return RECT{scaled(units.left, baseUnits.cx, 4), scaled(units.top, baseUnits.cy, 8),
              scaled(units.right, baseUnits.cx, 4), scaled(units.bottom, baseUnits.cy, 8)};
}

SIZE fontBaseUnits(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
  TEXTMETRICA tm;
  SIZE letters = {0, 0};
  static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  SIZE units = {8, 16};
  if (GetTextMetricsA(dc, &tm) &&
      GetTextExtentPoint32A(dc, kAlphabet, int(sizeof kAlphabet - 1), &letters)) {
    units.cx = (letters.cx / 26 + 1) / 2;
    units.cy = tm.tmHeight;
  }
  SelectObject(dc, old);
  DeleteDC(dc);
  return units;
}

LONG WINAPI GetDialogBaseUnits(void) {
  static SIZE units = fontBaseUnits(nullptr);
  return MAKELONG(units.cx, units.cy);
}

BOOL WINAPI MapDialogRect(HWND dialog, LPRECT rect) {
  DialogRecord* record = findDialog(dialog);
  if (!record || !rect) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = dialogUnitsToPixels(record->baseUnits, *rect);
  return TRUE;
}
