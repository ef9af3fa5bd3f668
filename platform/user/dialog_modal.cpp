// Modal dialogs: DialogBoxParamA and DialogBoxIndirectParamA.
//
// The owner (its top-level window; the desktop is never disabled) is
// disabled while the dialog runs, and enabled and activated again before the
// call returns. The dialog is shown, then messages are taken and handed to
// IsDialogMessageA, or translated and dispatched, until EndDialog is called;
// a WM_QUIT ends the loop too and is posted again for the caller's own loop.
// The result is EndDialog's, or -1 when the template cannot be found or
// built. The trace says "dialog WINDOW begin TEMPLATE" when the dialog is
// made (TEMPLATE is the resource number, or "memory") and "dialog WINDOW end
// RESULT" when it has gone.
#include <string>

#include "platform/internal/trace.h"
#include "platform/user/dialog.h"
#include "platform/user/window.h"
#include "platform/user/window_manager.h"

namespace {

INT_PTR runModal(HINSTANCE instance, const void* bytes, const std::string& label, HWND owner,
                 DLGPROC proc, LPARAM initParam) {
  DialogTemplate parsed;
  if (!parseDialogTemplate(bytes, &parsed)) {
    if (traceEnabled()) traceEvent("dialog none begin %s unreadable", label.c_str());
    return -1;
  }
  HWND ownerTop = owner && owner != GetDesktopWindow() ? topLevelOf(owner) : nullptr;
  HWND dialog = createDialog(instance, parsed, owner, proc, initParam);
  if (!dialog) {
    if (traceEnabled()) traceEvent("dialog none begin %s failed", label.c_str());
    return -1;
  }
  if (traceEnabled()) traceEvent("dialog %s begin %s", windowLabel(dialog).c_str(), label.c_str());
  std::string dialogName = windowLabel(dialog);

  bool disabledOwner = ownerTop && IsWindowEnabled(ownerTop);
  if (disabledOwner) EnableWindow(ownerTop, FALSE);
  DialogRecord* record = findDialog(dialog);
  if (record && !record->ended && !IsWindowVisible(dialog)) ShowWindow(dialog, SW_SHOWNORMAL);

  MSG message;
  while ((record = findDialog(dialog)) && !record->ended) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(int(message.wParam));
      break;
    }
    if (got == -1) break;
    if (!IsDialogMessageA(dialog, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  record = findDialog(dialog);
  INT_PTR result = record && record->ended ? record->result : 0;
  if (disabledOwner && IsWindow(ownerTop)) EnableWindow(ownerTop, TRUE);
  if (IsWindow(dialog)) {
    ShowWindow(dialog, SW_HIDE);
    if (ownerTop && IsWindow(ownerTop)) activateWindow(ownerTop);
    DestroyWindow(dialog);
  }
  if (traceEnabled()) traceEvent("dialog %s end %ld", dialogName.c_str(), long(result));
  return result;
}

}  // namespace

INT_PTR WINAPI DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner,
                               DLGPROC proc, LPARAM initParam) {
  if (!IS_INTRESOURCE(templateName)) {
    // The resource script names its dialogs by number only.
    SetLastError(1814L /* ERROR_RESOURCE_NAME_NOT_FOUND */);
    return -1;
  }
  unsigned id = LOWORD(reinterpret_cast<ULONG_PTR>(templateName));
  std::vector<WORD> bytes = resourceDialogTemplate(id);
  if (bytes.empty()) {
    if (traceEnabled()) traceEvent("dialog none begin %u missing", id);
    SetLastError(1814L /* ERROR_RESOURCE_NAME_NOT_FOUND */);
    return -1;
  }
  return runModal(instance, bytes.data(), std::to_string(id), owner, proc, initParam);
}

INT_PTR WINAPI DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialogTemplate,
                                       HWND owner, DLGPROC proc, LPARAM initParam) {
  return runModal(instance, dialogTemplate, "memory", owner, proc, initParam);
}
