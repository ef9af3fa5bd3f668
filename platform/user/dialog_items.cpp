// The controls of a dialog: GetDlgItem, GetDlgCtrlID, SetDlgItemTextA,
// GetDlgItemTextA, SendDlgItemMessageA, GetNextDlgTabItem and
// GetNextDlgGroupItem, and the layer's own helpers for the dialog keyboard:
// giving a control the focus as Tab does, finding a control by its
// mnemonic, and the default push button that follows the focus.
#include <ctype.h>
#include <strings.h>

#include "platform/user/dialog.h"
#include "platform/user/window.h"

namespace {

// The dialog's controls in template order (creation order).
std::vector<HWND> controlsOf(HWND dialog) {
  std::vector<HWND> list;
  Window* window = findWindow(dialog);
  if (!window) return list;
  // children holds the top of the Z order first; the first created is last.
  for (auto it = window->children.rbegin(); it != window->children.rend(); ++it)
    list.push_back(*it);
  return list;
}

// The dialog's own control that holds `window` (the edit field of a combo
// box stands for the combo box), or `window` itself.
HWND directChild(HWND dialog, HWND window) {
  Window* w = findWindow(window);
  while (w && w->parent && w->parent != dialog) w = findWindow(w->parent);
  return w && w->parent == dialog ? w->handle : window;
}

bool canTakeFocus(HWND control) {
  Window* window = findWindow(control);
  return window && isVisible(*window) && !(window->style & WS_DISABLED);
}

DWORD styleOf(HWND control) {
  Window* window = findWindow(control);
  return window ? window->style : 0;
}

bool isPushButton(HWND control) {
  LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

}  // namespace

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  for (HWND control : controlsOf(dialog)) {
    Window* window = findWindow(control);
    if (window && int(reinterpret_cast<INT_PTR>(window->menu)) == id) return control;
  }
  return nullptr;
}

int WINAPI GetDlgCtrlID(HWND control) {
  Window* window = findWindow(control);
  if (!window || !window->parent) return 0;
  return int(reinterpret_cast<INT_PTR>(window->menu));
}

BOOL WINAPI SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SetWindowTextA(control, text) : FALSE;
}

UINT WINAPI GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
  HWND control = GetDlgItem(dialog, id);
  if (!control) {
    if (buffer && size > 0) buffer[0] = '\0';
    return 0;
  }
  return UINT(GetWindowTextA(control, buffer, size));
}

LRESULT WINAPI SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND control = GetDlgItem(dialog, id);
  return control ? SendMessageA(control, message, wParam, lParam) : 0;
}

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  control = directChild(dialog, control);
  std::vector<HWND> list = controlsOf(dialog);
  int count = int(list.size());
  if (count == 0) return nullptr;
  int start = -1;
  for (int i = 0; i < count; ++i)
    if (list[i] == control) start = i;
  if (start < 0) start = previous ? 0 : count - 1;
  for (int step = 1; step <= count; ++step) {
    int i = previous ? (start - step + count * 2) % count : (start + step) % count;
    if ((styleOf(list[i]) & WS_TABSTOP) && canTakeFocus(list[i])) return list[i];
  }
  return control;
}

HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  control = directChild(dialog, control);
  std::vector<HWND> list = controlsOf(dialog);
  int count = int(list.size());
  int at = -1;
  for (int i = 0; i < count; ++i)
    if (list[i] == control) at = i;
  if (at < 0) return control;
  // The group: from the last WS_GROUP control at or before `at` to the one
  // before the next WS_GROUP control.
  int first = at;
  while (first > 0 && !(styleOf(list[first]) & WS_GROUP)) --first;
  int last = at;
  while (last + 1 < count && !(styleOf(list[last + 1]) & WS_GROUP)) ++last;
  int size = last - first + 1;
  for (int step = 1; step < size; ++step) {
    int i = first + ((at - first) + (previous ? size - step : step)) % size;
    if (canTakeFocus(list[i])) return list[i];
  }
  return control;
}

void setDialogFocus(HWND dialog, HWND control) {
  (void)dialog;
  if (SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageA(control, EM_SETSEL, 0, -1);
  SetFocus(control);
}

HWND mnemonicControl(HWND dialog, char letter) {
  letter = char(tolower(static_cast<unsigned char>(letter)));
  for (HWND control : controlsOf(dialog)) {
    Window* window = findWindow(control);
    if (!window || !isVisible(*window)) continue;
    if ((window->style & SS_NOPREFIX) && window->windowClass &&
        strcasecmp(window->windowClass->name.c_str(), "STATIC") == 0)
      continue;
    const std::string& text = window->text;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != '&') continue;
      if (text[i + 1] == '&') {
        ++i;
        continue;
      }
      if (tolower(static_cast<unsigned char>(text[i + 1])) == letter) return control;
      break;
    }
  }
  return nullptr;
}

void dialogFocusMoved(HWND dialog, HWND control) {
  DialogRecord* record = findDialog(dialog);
  if (!record) return;
  control = control ? directChild(dialog, control) : nullptr;
  HWND defaultButton = GetDlgItem(dialog, record->defaultId);
  bool toButton = control && isPushButton(control);
  for (HWND each : controlsOf(dialog)) {
    if (!isPushButton(each)) continue;
    bool framed = toButton ? each == control : each == defaultButton;
    bool isDefault = (SendMessageA(each, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
    if (framed != isDefault)
      SendMessageA(each, BM_SETSTYLE, framed ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}
