// Conformance tests of the standard controls in a dialog: the list box's
// sorted order and searches, the combo box's prefix rules and its text, and
// the edit control's text, selection and EN_CHANGE, as Win32 has them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/platform/user/dialog_support.h"

namespace {

const DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
const int kList = 10, kCombo = 11, kEdit = 12, kPassword = 13;

std::vector<DWORD> controlsTemplate() {
  return dialogTemplate(
      kDialogStyle, 200, 120, "Controls",
      {{"LISTBOX", "", kList, LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 4, 4, 90, 40},
       {"COMBOBOX", "", kCombo, CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP, 100, 4, 90, 80},
       {"EDIT", "", kEdit, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 4, 50, 90, 12},
       {"EDIT", "", kPassword, ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 4, 66, 90, 12},
       {"BUTTON", "OK", IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 100, 100, 40, 14}});
}

// Runs the controls dialog with `test` in WM_INITDIALOG.
void withControls(const std::function<void(HWND)>& test, DialogRun* run = nullptr) {
  DialogRun own;
  DialogRun& r = run ? *run : own;
  r.onInit = [&](HWND dialog) -> INT_PTR {
    test(dialog);
    EndDialog(dialog, 1);
    return FALSE;
  };
  EXPECT_EQ(r.run(controlsTemplate()), 1);
}

std::string listItem(HWND dialog, int index) {
  char text[256] = {};
  SendDlgItemMessageA(dialog, kList, LB_GETTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(ListBox, SortedWithoutRegardToCase) {
  withControls([](HWND dialog) {
    for (const char* item : {"zeta", "Alpha", "mid", "beta", "Mango"})
      SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    const char* const expected[] = {"Alpha", "beta", "Mango", "mid", "zeta"};
    ASSERT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETCOUNT, 0, 0), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(listItem(dialog, i), expected[i]) << i;
    EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETTEXTLEN, 2, 0), 5);
    EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETTEXTLEN, 9, 0), LB_ERR);
  });
}

struct FindCase {
  WPARAM start;
  const char* text;
  LRESULT found;
};

// Entries, sorted: "Arial", "Arial Black", "Courier", "Courier New".
const FindCase kFinds[] = {
    {WPARAM(-1), "cour", 2},     // the first entry that begins with it
    {2, "cour", 3},              // after the start
    {3, "cour", 2},              // wrapping around
    {WPARAM(-1), "Arial B", 1},
    {WPARAM(-1), "Times", LB_ERR},
    {WPARAM(-1), "Courier New x", LB_ERR},
};

TEST(ListBox, FindStringMatchesBeginningsFromAfterTheStart) {
  withControls([](HWND dialog) {
    for (const char* item : {"Courier New", "Arial Black", "Courier", "Arial"})
      SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    for (const FindCase& c : kFinds) {
      EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_FINDSTRING, c.start, reinterpret_cast<LPARAM>(c.text)),
                c.found)
          << c.text << " from " << int(INT_PTR(c.start));
    }
  });
}

TEST(ListBox, DeletingAndSelectingByProgramNeverNotifies) {
  DialogRun run;
  withControls(
      [](HWND dialog) {
        for (const char* item : {"a", "b", "c"})
          SendDlgItemMessageA(dialog, kList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 2, 0), 2);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_DELETESTRING, 0, 0), 2);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0), 1);  // "c" moved up
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_DELETESTRING, 1, 0), 1);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_GETCURSEL, 0, 0), LB_ERR);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_DELETESTRING, WPARAM(-1), 0), LB_ERR);
        EXPECT_EQ(SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, WPARAM(-1), 0), LB_ERR);
      },
      &run);
  for (const DialogMessage& m : run.received)
    EXPECT_FALSE(m.message == WM_COMMAND && LOWORD(m.wParam) == kList);
}

TEST(ComboBox, SelectStringTakesTheFirstSortedEntryThatBeginsWithTheText) {
  withControls([](HWND dialog) {
    for (const char* item : {"Courier New", "Arial Black", "Courier", "Times New Roman"})
      SendDlgItemMessageA(dialog, kCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    char text[64] = {};
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_SELECTSTRING, WPARAM(-1),
                                  reinterpret_cast<LPARAM>("cour")),
              1);
    GetDlgItemTextA(dialog, kCombo, text, sizeof text);
    EXPECT_STREQ(text, "Courier");
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_GETCURSEL, 0, 0), 1);

    // Not found: the selection and the text stay.
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_SELECTSTRING, WPARAM(-1),
                                  reinterpret_cast<LPARAM>("Helvetica")),
              CB_ERR);
    GetDlgItemTextA(dialog, kCombo, text, sizeof text);
    EXPECT_STREQ(text, "Courier");
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_FINDSTRING, WPARAM(-1),
                                  reinterpret_cast<LPARAM>("Arial")),
              0);  // "Arial Black" begins with "Arial"
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(SendDlgItemMessageA(dialog, kCombo, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(text)), 15);
    EXPECT_STREQ(text, "Times New Roman");

    SetDlgItemTextA(dialog, kCombo, "typed");
    EXPECT_EQ(GetDlgItemTextA(dialog, kCombo, text, 3), 2u);  // the limit holds the zero
    EXPECT_STREQ(text, "ty");
  });
}

TEST(Edit, SetTextNotifiesAndSelectionIsReplacedByTyping) {
  DialogRun run;
  withControls(
      [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, kEdit);
        SetDlgItemTextA(dialog, kEdit, "hello world");
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, 5);
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 5u);
        SendMessageA(edit, WM_CHAR, 'J', 0);
        char text[64] = {};
        GetWindowTextA(edit, text, sizeof text);
        EXPECT_STREQ(text, "J world");
        EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 7);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        SendMessageA(edit, WM_CHAR, VK_BACK, 0);
        EXPECT_EQ(GetWindowTextA(edit, text, sizeof text), 0);

        SetDlgItemTextA(dialog, kPassword, "secret");
        EXPECT_EQ(SendDlgItemMessageA(dialog, kPassword, EM_GETPASSWORDCHAR, 0, 0), '*');
        GetDlgItemTextA(dialog, kPassword, text, sizeof text);
        EXPECT_STREQ(text, "secret");  // the program reads what was typed
      },
      &run);
  int changes = 0;
  for (const DialogMessage& m : run.received)
    if (m.message == WM_COMMAND && LOWORD(m.wParam) == kEdit && HIWORD(m.wParam) == EN_CHANGE) ++changes;
  EXPECT_EQ(changes, 3);  // WM_SETTEXT, the typed letter, the backspace
}

// ES_NUMBER takes only digits from the keyboard; the program may still set
// any text. EM_LIMITTEXT bounds what is typed.
TEST(Edit, NumberStyleTakesOnlyTypedDigits) {
  withControls([](HWND dialog) {
    HWND number = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_NUMBER | WS_BORDER, 4,
                                  82, 90, 12, dialog, reinterpret_cast<HMENU>(14), nullptr, nullptr);
    ASSERT_NE(number, nullptr);
    SendMessageA(number, EM_LIMITTEXT, 3, 0);
    for (char c : std::string("1a-2 x34")) SendMessageA(number, WM_CHAR, WPARAM(c), 0);
    char text[64] = {};
    GetWindowTextA(number, text, sizeof text);
    EXPECT_STREQ(text, "123");
    SetWindowTextA(number, "x9-");
    GetWindowTextA(number, text, sizeof text);
    EXPECT_STREQ(text, "x9-");
  });
}

}  // namespace
