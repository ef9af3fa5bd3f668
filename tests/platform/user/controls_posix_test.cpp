// What the layer's edit control settles beyond Win32's documentation:
// nothing can be copied or cut out of a password field, so a password never
// reaches the clipboard (Wine, for one, copies it).
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/platform/user/dialog_support.h"

namespace {

TEST(EditPosix, PasswordFieldGivesNothingToTheClipboard) {
  std::vector<DWORD> fields = dialogTemplate(
      WS_POPUP | WS_CAPTION, 100, 40, "Fields",
      {{"EDIT", "", 1, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 4, 4, 90, 12},
       {"EDIT", "", 2, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 4, 20, 90, 12}});
  DialogRun run;
  run.onInit = [](HWND dialog) -> INT_PTR {
    HWND edit = GetDlgItem(dialog, 1), password = GetDlgItem(dialog, 2);
    SetWindowTextA(edit, "plain");
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_COPY, 0, 0);
    SetWindowTextA(password, "secret");
    SendMessageA(password, EM_SETSEL, 0, -1);
    SendMessageA(password, WM_COPY, 0, 0);
    SendMessageA(password, WM_CUT, 0, 0);
    char text[64] = {};
    GetWindowTextA(password, text, sizeof text);
    EXPECT_STREQ(text, "secret");
    SetWindowTextA(edit, "");
    SendMessageA(edit, WM_PASTE, 0, 0);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "plain");
    EndDialog(dialog, 1);
    return FALSE;
  };
  EXPECT_EQ(run.run(fields), 1);
}

}  // namespace
