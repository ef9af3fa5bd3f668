// What the headless driver's script does to the active dialog (driver.h):
// press a control by its id as a click at its centre would, give a control
// the focus, and make a user's selection in a list. A control that is
// missing, hidden or disabled is left alone, as the user could not reach it.
// The actions wait in the input queue behind the input before them.
#include "platform/drivers/driver.h"
#include "platform/user/controls/controls.h"
#include "platform/user/dialog.h"
#include "platform/user/message_queue.h"
#include "platform/user/window.h"

namespace {

// The control `id` of the active dialog if the user can reach it.
HWND reachableControl(int id) {
  HWND dialog = GetActiveWindow();
  if (!findDialog(dialog)) return nullptr;
  HWND control = GetDlgItem(dialog, id);
  if (!control || !IsWindowVisible(control) || !IsWindowEnabled(control)) return nullptr;
  return control;
}

}  // namespace

bool driverDialogCommand(int id) {
  HWND control = reachableControl(id);
  if (!control) return false;
  RECT rect;
  GetWindowRect(control, &rect);
  POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  HWND top = topLevelOf(control);
  driverMouseButton(top, MouseButton::Left, true, centre);
  driverMouseButton(top, MouseButton::Left, false, centre);
  return true;
}

bool driverDialogFocus(int id) {
  HWND control = reachableControl(id);
  if (!control) return false;
  queueInputAction([control] {
    if (IsWindow(control) && IsWindowEnabled(control)) SetFocus(control);
  });
  return true;
}

bool driverDialogSelect(int id, int index) {
  HWND control = reachableControl(id);
  if (!control) return false;
  queueInputAction([control, index] {
    if (IsWindow(control) && IsWindowEnabled(control))
      SendMessageA(control, kUserSelectMessage, WPARAM(index), 0);
  });
  return true;
}
