// Window data by index: GetWindowLongPtrA and SetWindowLongPtrA (the style,
// extended style, control id, window procedure, instance, owner, user data,
// and a dialog's DWLP_MSGRESULT, DWLP_DLGPROC and DWLP_USER), and
// CallWindowProcA. Window extra bytes do not exist here: other non-negative
// indices fail with ERROR_INVALID_INDEX.
#include "platform/user/dialog.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

LONG_PTR* dialogSlot(HWND handle, int index) {
  DialogRecord* record = findDialog(handle);
  if (!record) return nullptr;
  if (index == DWLP_MSGRESULT) return &record->messageResult;
  if (index == DWLP_USER) return &record->user;
  return nullptr;
}

}  // namespace

LONG_PTR WINAPI GetWindowLongPtrA(HWND handle, int index) {
  Window* window = windowOrError(handle);
  if (!window) return 0;
  switch (index) {
    case GWL_STYLE: return LONG_PTR(LONG(window->style));
    case GWL_EXSTYLE: return LONG_PTR(LONG(window->exStyle));
    case GWLP_ID: return reinterpret_cast<LONG_PTR>(window->menu);
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(window->proc);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT: return reinterpret_cast<LONG_PTR>(window->parent ? window->parent : window->owner);
    case GWLP_USERDATA: return window->userData;
  }
  if (index == DWLP_DLGPROC) {
    if (DialogRecord* record = findDialog(handle)) return reinterpret_cast<LONG_PTR>(record->proc);
  }
  if (LONG_PTR* slot = dialogSlot(handle, index)) return *slot;
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LONG_PTR WINAPI SetWindowLongPtrA(HWND handle, int index, LONG_PTR value) {
  Window* window = windowOrError(handle);
  if (!window) return 0;
  LONG_PTR old = 0;
  switch (index) {
    case GWL_STYLE:
      old = LONG_PTR(LONG(window->style));
      // Visibility and enabling keep their own calls.
      window->style = (DWORD(value) & ~DWORD(WS_VISIBLE | WS_DISABLED)) |
                      (window->style & DWORD(WS_VISIBLE | WS_DISABLED));
      return old;
    case GWL_EXSTYLE:
      old = LONG_PTR(LONG(window->exStyle));
      window->exStyle = DWORD(value);
      return old;
    case GWLP_ID:
      old = reinterpret_cast<LONG_PTR>(window->menu);
      window->menu = reinterpret_cast<HMENU>(value);
      return old;
    case GWLP_WNDPROC:
      old = reinterpret_cast<LONG_PTR>(window->proc);
      window->proc = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_USERDATA:
      old = window->userData;
      window->userData = value;
      return old;
  }
  if (index == DWLP_DLGPROC) {
    if (DialogRecord* record = findDialog(handle)) {
      old = reinterpret_cast<LONG_PTR>(record->proc);
      record->proc = reinterpret_cast<DLGPROC>(value);
      return old;
    }
  }
  if (LONG_PTR* slot = dialogSlot(handle, index)) {
    old = *slot;
    *slot = value;
    return old;
  }
  SetLastError(ERROR_INVALID_INDEX);
  return 0;
}

LRESULT WINAPI CallWindowProcA(WNDPROC proc, HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  return proc ? proc(handle, message, wParam, lParam) : 0;
}
