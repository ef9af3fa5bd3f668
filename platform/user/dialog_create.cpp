// Building a dialog from its template: the dialog window in the template's
// font, sized and placed through that font's dialog units, its controls in
// template order (which is the tab order), WM_SETFONT to the dialog and to
// every control, and WM_INITDIALOG, whose TRUE result gives the first tab
// stop the focus.
//
// The template's place is relative to the owner's client area (the screen
// for a dialog without owner), or with DS_CENTER the dialog is centred on
// the screen. A control that cannot be made ends the dialog before it
// starts, as in Win32.
#include <strings.h>

#include "platform/internal/diagnostics.h"
#include "platform/user/dialog.h"
#include "platform/user/window_manager.h"

namespace {

// The template's font: the points of a 96-dpi screen, as a character height.
HFONT templateFont(const DialogTemplate& t) {
  if (!t.hasFont) return nullptr;
  int height = -((int(t.pointSize) * 96 + 36) / 72);
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, t.face.c_str());
}

RECT pixelsOf(SIZE baseUnits, short x, short y, short cx, short cy) {
  return dialogUnitsToPixels(baseUnits, RECT{x, y, x + cx, y + cy});
}

bool isDefaultButton(const DialogItem& item) {
  return strcasecmp(item.className.c_str(), "BUTTON") == 0 &&
         (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

}  // namespace

HWND createDialog(HINSTANCE instance, const DialogTemplate& t, HWND owner, DLGPROC proc,
                  LPARAM initParam) {
  HFONT font = templateFont(t);
  if (owner == GetDesktopWindow()) owner = nullptr;

  SIZE baseUnits = fontBaseUnits(font);
  RECT rect = pixelsOf(baseUnits, t.x, t.y, t.cx, t.cy);
  POINT origin = {0, 0};
  if (owner) MapWindowPoints(owner, nullptr, &origin, 1);
  // The template gives the client area; the window has the frame around it.
  RECT outer = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
  AdjustWindowRectEx(&outer, t.style, FALSE, t.exStyle);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  int x = origin.x + rect.left, y = origin.y + rect.top;
  if (t.style & DS_CENTER) {
    SIZE screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    x = (screen.cx - width) / 2;
    y = (screen.cy - height) / 2;
  }

  HWND dialog = CreateWindowExA(t.exStyle, kDialogClassName, t.caption.c_str(),
                                t.style & ~DWORD(WS_VISIBLE), x, y, width, height, owner, nullptr,
                                instance, nullptr);
  if (!dialog) {
    if (font) DeleteObject(font);
    return nullptr;
  }
  DialogRecord* record = addDialog(dialog);
  record->proc = proc;
  record->font = font;
  record->ownsFont = font != nullptr;
  record->baseUnits = baseUnits;
  if (font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  for (const DialogItem& item : t.items) {
    RECT place = pixelsOf(baseUnits, item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowExA(item.exStyle, item.className.c_str(), item.text.c_str(),
                                   item.style | WS_CHILD, place.left, place.top,
                                   place.right - place.left, place.bottom - place.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(item.id)), instance,
                                   item.data.empty() ? nullptr : const_cast<BYTE*>(item.data.data()));
    if (!control) {
      layerDiagnostic("user", "a dialog's control %d of class %s cannot be made", item.id,
                      item.className.c_str());
      DestroyWindow(dialog);
      return nullptr;
    }
    if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (isDefaultButton(item) && (record = findDialog(dialog))) record->defaultId = item.id;
  }

  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  if (SendMessageA(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam) && first &&
      IsWindow(first))
    setDialogFocus(dialog, first);
  if (!IsWindow(dialog)) return nullptr;
  if (t.style & WS_VISIBLE) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}
