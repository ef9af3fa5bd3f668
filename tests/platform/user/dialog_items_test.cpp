// Conformance tests of the dialog manager's bookkeeping: the tab and group
// order, the default button, DWLP_MSGRESULT, list and edit messages that the
// dialogs use beyond the basics, and the window rectangle of a captioned
// window, as Win32 has them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/platform/user/dialog_support.h"

namespace {

const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// Two groups: a label and two fields; a label, a list and two buttons.
std::vector<DWORD> itemsTemplate() {
  return dialogTemplate(
      kDialogStyle, 200, 120, "Items",
      {{"STATIC", "&One:", -1, SS_LEFT | WS_GROUP, 4, 4, 30, 8},
       {"EDIT", "", 10, WS_BORDER | WS_TABSTOP, 36, 4, 60, 12},
       {"EDIT", "", 11, WS_BORDER | WS_TABSTOP, 100, 4, 60, 12},
       {"STATIC", "&Two:", -1, SS_LEFT | WS_GROUP, 4, 20, 30, 8},
       {"LISTBOX", "", 12, WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY, 36, 20, 100, 40},
       {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 36, 100, 40, 14},
       {"BUTTON", "Cancel", IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 80, 100, 40, 14}});
}

void withItems(const std::function<void(HWND)>& test) {
  DialogRun run;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    test(dialog);
    EndDialog(dialog, 1);
    return FALSE;
  };
  EXPECT_EQ(run.run(itemsTemplate()), 1);
}

struct TabCase {
  int from;       // a control id; 0: none
  BOOL previous;
  int to;
};

const TabCase kTabs[] = {
    {10, FALSE, 11}, {11, FALSE, 12}, {12, FALSE, IDOK}, {IDCANCEL, FALSE, 10},  // wraps
    {10, TRUE, IDCANCEL}, {12, TRUE, 11},
};

TEST(DialogItems, TabOrderIsTemplateOrderOfTabStopsAndWraps) {
  withItems([](HWND dialog) {
    for (const TabCase& c : kTabs) {
      HWND next = GetNextDlgTabItem(dialog, GetDlgItem(dialog, c.from), c.previous);
      EXPECT_EQ(GetDlgCtrlID(next), c.to) << c.from << (c.previous ? " back" : " forward");
    }
    // A disabled field is skipped.
    EnableWindow(GetDlgItem(dialog, 11), FALSE);
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgTabItem(dialog, GetDlgItem(dialog, 10), FALSE)), 12);
    // Within the first group (label, two fields) the arrows move in a circle.
    EnableWindow(GetDlgItem(dialog, 11), TRUE);
    // (The label's id -1 is stored as a WORD: 0xFFFF.)
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 11), FALSE)), 0xFFFF);
    EXPECT_EQ(GetDlgCtrlID(GetNextDlgGroupItem(dialog, GetDlgItem(dialog, 10), FALSE)), 11);
  });
}

TEST(DialogItems, DefaultButtonIdCanBeAskedAndChanged) {
  withItems([](HWND dialog) {
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    SendMessageA(dialog, DM_SETDEFID, IDCANCEL, 0);
    EXPECT_EQ(SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDCANCEL, DC_HASDEFID));
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, IDCANCEL), GWL_STYLE) & BS_TYPEMASK,
              BS_DEFPUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_EQ(GetWindowLongPtrA(GetDlgItem(dialog, 10), GWLP_ID), 10);
  });
}

TEST(DialogItems, HandledMessageAnswersWithMessageResult) {
  DialogRun run;
  LRESULT answer = 0;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    answer = SendMessageA(dialog, WM_USER + 7, 0, 0);
    EndDialog(dialog, 1);
    return FALSE;
  };
  run.onMessage = [](HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_USER + 7) return false;
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, 1234);
    return true;
  };
  run.run(itemsTemplate());
  EXPECT_EQ(answer, 1234);
}

TEST(DialogItems, ListInsertsFindsExactlyAndSelectsWithoutNotifying) {
  DialogRun run;
  run.onInit = [&](HWND dialog) -> INT_PTR {
    HWND list = GetDlgItem(dialog, 12);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 0);
    EXPECT_EQ(SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("a")), 1);  // unsorted
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>("first")), 0);
    EXPECT_EQ(SendMessageA(list, LB_INSERTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("last")), 3);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("LAST")), 3);
    EXPECT_EQ(SendMessageA(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>("las")), LB_ERR);
    EXPECT_EQ(SendMessageA(list, LB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>("fi")), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EndDialog(dialog, 1);
    return FALSE;
  };
  run.run(itemsTemplate());
  for (const DialogMessage& m : run.received)
    EXPECT_FALSE(m.message == WM_COMMAND && LOWORD(m.wParam) == 12 && HIWORD(m.wParam) == LBN_SELCHANGE);
}

TEST(DialogItems, EditLimitReplaceAndCaretKeys) {
  withItems([](HWND dialog) {
    HWND edit = GetDlgItem(dialog, 10);
    char text[64] = {};
    SendMessageA(edit, EM_LIMITTEXT, 5, 0);
    SetFocus(edit);
    for (char c : std::string("abcdefg")) SendMessageA(edit, WM_CHAR, WPARAM(c), 0);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "abcde");  // typing stops at the limit
    SendMessageA(edit, EM_LIMITTEXT, 10, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_HOME, 0);
    SendMessageA(edit, WM_CHAR, 'X', 0);
    SendMessageA(edit, EM_SETSEL, 1, 3);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "Xcde");
    SendMessageA(edit, WM_KEYDOWN, VK_END, 0);
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 4u);
    SendMessageA(edit, WM_KEYDOWN, VK_LEFT, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_DELETE, 0);
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "Xcd");
  });
}

// A captioned window's window rectangle is its client rectangle grown by
// what AdjustWindowRectEx says for its style, wherever it is placed.
TEST(DialogItems, CaptionedWindowRectangleIsTheAdjustedClientRectangle) {
  withItems([](HWND dialog) {
    SetWindowPos(dialog, nullptr, 30, 40, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window, client;
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    EXPECT_EQ(window.left, 30);
    EXPECT_EQ(window.top, 40);
    EXPECT_EQ(window.right - window.left, 300);
    EXPECT_EQ(window.bottom - window.top, 200);
    POINT origin = {0, 0};
    MapWindowPoints(dialog, nullptr, &origin, 1);
    RECT adjusted = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    AdjustWindowRectEx(&adjusted, DWORD(GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       DWORD(GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
    EXPECT_EQ(adjusted.left, window.left);
    EXPECT_EQ(adjusted.top, window.top);
    EXPECT_EQ(adjusted.right, window.right);
    EXPECT_EQ(adjusted.bottom, window.bottom);
  });
}

}  // namespace
