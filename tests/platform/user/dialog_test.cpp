// Conformance tests of modal dialogs: what DialogBoxIndirectParamA does
// before, during and after the dialog, dialog units, and the dialog
// keyboard (IsDialogMessageA), as Win32 does them.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/platform/user/dialog_support.h"
#include "tests/platform/user/test_window.h"

namespace {

const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// A label with a mnemonic, a field, a disabled field, two buttons with
// mnemonics, OK (the default button) and Cancel.
std::vector<DWORD> formTemplate() {
  return dialogTemplate(kDialogStyle, 160, 80, "Form",
                        {{"STATIC", "&Name:", -1, SS_LEFT | WS_GROUP, 4, 6, 30, 8},
                         {"EDIT", "", 10, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 36, 4, 80, 12},
                         {"EDIT", "", 11, WS_BORDER | WS_TABSTOP | WS_DISABLED, 36, 20, 80, 12},
                         {"BUTTON", "&Add", 20, BS_PUSHBUTTON | WS_TABSTOP, 4, 40, 40, 14},
                         {"BUTTON", "&Del", 21, BS_PUSHBUTTON | WS_TABSTOP, 48, 40, 40, 14},
                         {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 60, 60, 40, 14},
                         {"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 104, 60, 40, 14}});
}

int indexOf(const DialogRun& run, UINT message) {
  for (size_t i = 0; i < run.received.size(); ++i)
    if (run.received[i].message == message) return int(i);
  return -1;
}

TEST(Dialog, InitDialogFollowsTheFontAndNamesTheFirstTabStop) {
  DialogRun run;
  HWND field = nullptr, focusAfterInit = nullptr;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    field = GetDlgItem(dialog, 10);
    EXPECT_EQ(GetDlgCtrlID(field), 10);
    EXPECT_EQ(GetParent(field), dialog);
    EXPECT_EQ(GetDlgItem(dialog, 99), nullptr);
    endDialogLater(dialog, 7);
    return TRUE;  // give the focus to wParam
  };
  run.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_USER + 101) focusAfterInit = GetFocus();
    return false;
  };
  EXPECT_EQ(run.run(formTemplate()), 7);
  int font = indexOf(run, WM_SETFONT), init = indexOf(run, WM_INITDIALOG);
  ASSERT_GE(font, 0);
  ASSERT_GT(init, font);
  EXPECT_EQ(reinterpret_cast<HWND>(run.received[init].wParam), field);
  EXPECT_EQ(focusAfterInit, field);
}

TEST(Dialog, OwnerIsDisabledWhileTheDialogRuns) {
  TestWindow owner(WS_POPUP | WS_VISIBLE, 10, 10, 200, 150);
  DialogRun run;
  BOOL enabledDuring = TRUE;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    endDialogLater(dialog, 3);
    return FALSE;
  };
  run.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) {
    if (message == WM_USER + 100) enabledDuring = IsWindowEnabled(owner);
    return false;
  };
  EXPECT_EQ(run.run(formTemplate(), owner), 3);
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST(Dialog, ControlsArePlacedInDialogUnitsOfTheFont) {
  DialogRun run;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    RECT expected = {36, 4, 36 + 80, 4 + 12};
    EXPECT_TRUE(MapDialogRect(dialog, &expected));
    RECT placed;
    GetWindowRect(GetDlgItem(dialog, 10), &placed);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, expected.left);
    EXPECT_EQ(placed.top, expected.top);
    EXPECT_EQ(placed.right, expected.right);
    EXPECT_EQ(placed.bottom, expected.bottom);
    RECT size = {0, 0, 160, 80}, client;
    MapDialogRect(dialog, &size);
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    // The caption and frame lie around the client area.
    RECT window;
    GetWindowRect(dialog, &window);
    POINT origin = {0, 0};
    MapWindowPoints(dialog, nullptr, &origin, 1);
    EXPECT_GE(origin.y - window.top, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_GT(origin.x, window.left);
    EXPECT_GT(window.right - window.left, client.right);
    EXPECT_GT(window.bottom - window.top, client.bottom + GetSystemMetrics(SM_CYCAPTION));
    LONG base = GetDialogBaseUnits();
    EXPECT_GT(LOWORD(base), 0);
    EXPECT_GT(HIWORD(base), LOWORD(base));
    endDialogLater(dialog, 1);
    return FALSE;
  };
  run.run(formTemplate());
}

TEST(Dialog, TemplateWithAnUnknownControlClassFails) {
  DialogRun run;
  std::vector<DWORD> broken = dialogTemplate(
      kDialogStyle, 100, 50, "Broken", {{"NoSuchControlClass", "", 5, WS_TABSTOP, 4, 4, 40, 12}});
  EXPECT_EQ(run.run(broken), -1);
  EXPECT_EQ(indexOf(run, WM_INITDIALOG), -1);
}

struct KeyCase {
  const char* name;
  UINT message;         // posted to the field 10
  WPARAM key;
  bool disableOk;
  std::vector<int> clicked;
  int focusedId;        // the focus afterwards; 0: not checked
};

const KeyCase kKeys[] = {
    {"Enter presses the default button", WM_KEYDOWN, VK_RETURN, false, {IDOK}, 0},
    {"Enter on a disabled default button does nothing", WM_KEYDOWN, VK_RETURN, true, {}, 0},
    {"Escape is Cancel", WM_KEYDOWN, VK_ESCAPE, false, {IDCANCEL}, 0},
    {"Alt+letter presses a button", WM_SYSCHAR, 'a', false, {20}, 20},
    {"Alt+letter of a label moves to the control after it", WM_SYSCHAR, 'n', false, {}, 10},
    {"Tab skips disabled controls", WM_KEYDOWN, VK_TAB, false, {}, 20},
    {"a letter goes into the field", WM_CHAR, 'd', false, {}, 10},
};

TEST(Dialog, KeyboardFollowsTheDialogRules) {
  for (const KeyCase& c : kKeys) {
    SCOPED_TRACE(c.name);
    DialogRun run;
    int focused = 0;
    run.onInit = [&](HWND dialog) -> INT_PTR {
      if (c.disableOk) EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
      SetFocus(GetDlgItem(dialog, 10));
      PostMessageA(GetDlgItem(dialog, 10), c.message, c.key, 0);
      endDialogLater(dialog, 1);
      return FALSE;
    };
    run.onMessage = [&](HWND, UINT message, WPARAM, LPARAM) {
      if (message == WM_USER + 101) focused = GetDlgCtrlID(GetFocus());
      return false;
    };
    run.run(formTemplate());
    EXPECT_EQ(run.clicked(), c.clicked);
    if (c.focusedId) {
      EXPECT_EQ(focused, c.focusedId);
    }
  }
}

TEST(Dialog, CloseBoxSendsCancel) {
  DialogRun run;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    endDialogLater(dialog, 1);
    return FALSE;
  };
  run.run(formTemplate());
  EXPECT_EQ(run.clicked(), std::vector<int>{IDCANCEL});
}

TEST(Dialog, DefaultFrameFollowsTheFocusedPushButton) {
  DialogRun run;
  LONG addStyle = 0, okStyle = 0, okStyleBack = 0;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    SetFocus(GetDlgItem(dialog, 10));
    PostMessageA(GetDlgItem(dialog, 10), WM_KEYDOWN, VK_TAB, 0);
    endDialogLater(dialog, 1);
    return FALSE;
  };
  run.onMessage = [&](HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_USER + 100) {
      addStyle = LONG(GetWindowLongPtrA(GetDlgItem(dialog, 20), GWL_STYLE));
      okStyle = LONG(GetWindowLongPtrA(GetDlgItem(dialog, IDOK), GWL_STYLE));
      SendMessageA(dialog, WM_NEXTDLGCTL, WPARAM(GetDlgItem(dialog, 10)), TRUE);
      okStyleBack = LONG(GetWindowLongPtrA(GetDlgItem(dialog, IDOK), GWL_STYLE));
    }
    return false;
  };
  run.run(formTemplate());
  EXPECT_EQ(addStyle & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(okStyle & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(okStyleBack & BS_TYPEMASK, BS_DEFPUSHBUTTON);
}

}  // namespace
