// Window classes: RegisterClassExA, and the class lookup of CreateWindowExA,
// which first registers the system classes of dialogs and controls.
// LoadIconA and LoadCursorA hand out placeholder handles for now: the layer
// has no icon or cursor images, and the window manager's own cursor is used.
#include <strings.h>

#include <deque>

#include "platform/user/controls/controls.h"
#include "platform/user/window_class.h"
#include "platform/user/window.h"

namespace {

// A deque keeps the records in place, so windows can point at them.
std::deque<WindowClass>& classes() {
  static std::deque<WindowClass> list;
  return list;
}

constexpr ATOM kFirstAtom = 0xC000;  // where Win32 starts its string atoms

}  // namespace

const WindowClass* findWindowClass(LPCSTR name) {
  if (!name) return nullptr;
  registerSystemClasses();
  for (const WindowClass& c : classes()) {
    if (IS_INTRESOURCE(name) ? c.atom == LOWORD(reinterpret_cast<ULONG_PTR>(name))
                             : strcasecmp(c.name.c_str(), name) == 0)
      return &c;
  }
  return nullptr;
}

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* info) {
  if (!info || info->cbSize != sizeof(WNDCLASSEXA) || !info->lpszClassName ||
      IS_INTRESOURCE(info->lpszClassName)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (findWindowClass(info->lpszClassName)) {
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  WindowClass c;
  c.name = info->lpszClassName;
  c.atom = ATOM(kFirstAtom + classes().size());
  c.style = info->style;
  c.proc = info->lpfnWndProc;
  c.instance = info->hInstance;
  c.icon = info->hIcon;
  c.cursor = info->hCursor;
  c.background = info->hbrBackground;
  classes().push_back(c);
  return c.atom;
}

// Placeholder handles: distinct, never null, never dereferenced.
HICON WINAPI LoadIconA(HINSTANCE, LPCSTR name) {
  return reinterpret_cast<HICON>(0x10000 | (reinterpret_cast<ULONG_PTR>(name) & 0xFFFF));
}

HCURSOR WINAPI LoadCursorA(HINSTANCE, LPCSTR name) {
  return reinterpret_cast<HCURSOR>(0x20000 | (reinterpret_cast<ULONG_PTR>(name) & 0xFFFF));
}
