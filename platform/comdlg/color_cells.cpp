// The colour cells of the colour dialog: the grid of basic colours, the grid
// of custom colours, and the swatch of the current colour, one window class
// for the three (told apart by their control ids). Each cell is a sunken
// square of its colour; the selected cell has a black frame, and a focus
// rectangle while the grid has the focus. Arrow keys and clicks select.
#include <windows.h>

#include "platform/comdlg/color_dialog.h"
#include "platform/user/controls/controls.h"

const char* const kColorCellsClass = "QuillonColorCells";

namespace {

ColorDialogState* stateOf(HWND cells) {
  return reinterpret_cast<ColorDialogState*>(GetWindowLongPtrA(cells, GWLP_USERDATA));
}

int columns() { return 8; }

int rowsOf(HWND cells) { return GetDlgCtrlID(cells) == kBasicCells ? 6 : 2; }

int countOf(HWND cells) { return GetDlgCtrlID(cells) == kBasicCells ? kBasicColorCount : kCustomColorCount; }

COLORREF colorAt(HWND cells, const ColorDialogState& s, int index) {
  return GetDlgCtrlID(cells) == kBasicCells ? kBasicColors[index] : s.custom[index];
}

int selectedOf(HWND cells, const ColorDialogState& s) {
  return GetDlgCtrlID(cells) == kBasicCells ? s.selectedBasic : s.selectedCustom;
}

RECT cellRect(HWND cells, int index) {
  RECT client;
  GetClientRect(cells, &client);
  int width = client.right / columns(), height = client.bottom / rowsOf(cells);
  int x = (index % columns()) * width, y = (index / columns()) * height;
  return RECT{x, y, x + width, y + height};
}

void fill(HDC dc, const RECT& rect, COLORREF color) {
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
}

// A sunken square of `color` inside `rect`.
void drawCell(HDC dc, RECT rect, COLORREF color) {
  InflateRect(&rect, -3, -3);
  fill(dc, RECT{rect.left, rect.top, rect.right, rect.top + 1}, GetSysColor(COLOR_BTNSHADOW));
  fill(dc, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, GetSysColor(COLOR_BTNSHADOW));
  fill(dc, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
  fill(dc, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, GetSysColor(COLOR_BTNHIGHLIGHT));
  InflateRect(&rect, -1, -1);
  fill(dc, rect, color);
}

void paint(HWND cells) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(cells, &ps);
  RECT client;
  GetClientRect(cells, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  ColorDialogState* s = stateOf(cells);
  if (s && GetDlgCtrlID(cells) == kCurrentSwatch) {
    drawCell(dc, client, s->current);
  } else if (s) {
    int selected = selectedOf(cells, *s);
    for (int i = 0; i < countOf(cells); ++i) {
      RECT rect = cellRect(cells, i);
      drawCell(dc, rect, colorAt(cells, *s, i));
      if (i == selected) {
        InflateRect(&rect, -1, -1);
        FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        if (GetFocus() == cells) DrawFocusRect(dc, &rect);
      }
    }
  }
  EndPaint(cells, &ps);
}

void choose(HWND cells, int index) {
  if (index < 0 || index >= countOf(cells)) return;
  SendMessageA(GetParent(cells), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(cells), index),
               reinterpret_cast<LPARAM>(cells));
}

int indexAt(HWND cells, LPARAM point) {
  RECT client;
  GetClientRect(cells, &client);
  int x = short(LOWORD(point)), y = short(HIWORD(point));
  if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) return -1;
  int column = x / (client.right / columns()), row = y / (client.bottom / rowsOf(cells));
  return row * columns() + column;
}

LRESULT CALLBACK colorCellsProc(HWND cells, UINT message, WPARAM wParam, LPARAM lParam) {
  ColorDialogState* s = stateOf(cells);
  switch (message) {
    case WM_PAINT:
      paint(cells);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      if (GetDlgCtrlID(cells) == kCurrentSwatch) return 0;
      SetFocus(cells);
      choose(cells, indexAt(cells, lParam));
      return 0;
    case WM_KEYDOWN: {
      if (!s || GetDlgCtrlID(cells) == kCurrentSwatch) return 0;
      int at = selectedOf(cells, *s);
      if (at < 0) at = 0;
      else if (wParam == VK_LEFT) at -= 1;
      else if (wParam == VK_RIGHT) at += 1;
      else if (wParam == VK_UP) at -= columns();
      else if (wParam == VK_DOWN) at += columns();
      else return 0;
      choose(cells, at);
      return 0;
    }
    case kUserSelectMessage:
      if (GetDlgCtrlID(cells) != kCurrentSwatch) choose(cells, int(wParam));
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      InvalidateRect(cells, nullptr, FALSE);
      return 0;
  }
  return DefWindowProcA(cells, message, wParam, lParam);
}

}  // namespace

void registerColorCellsClass() {
  WNDCLASSEXA info = {};
  info.cbSize = sizeof info;
  info.style = CS_DBLCLKS;
  info.lpfnWndProc = colorCellsProc;
  info.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  info.lpszClassName = kColorCellsClass;
  RegisterClassExA(&info);  // fails harmlessly when already registered
}
