// Conformance tests of MessageBoxA: a modal box over its owner with the
// caption asked for ("Error" without one), the buttons of its type, and the
// result of the button pressed. The test acts from inside the box's modal
// loop: a message posted to the owner before the call is dispatched there,
// finds the box as the active window and presses a button.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/platform/user/test_window.h"

namespace {

const UINT kActNow = WM_USER + 7;

std::string windowText(HWND window) {
  char text[100] = "";
  if (window) GetWindowTextA(window, text, sizeof text);
  return text;
}

struct BoxCase {
  const char* name;
  const char* caption;  // null: none given
  UINT type;
  int pressed;          // the command posted to the box
  int result;
  const char* shownCaption;
  bool hasCancel;
};

const BoxCase kCases[] = {
    {"OK of an OK box", "Quillon", MB_OK | MB_ICONERROR, IDOK, IDOK, "Quillon", false},
    {"OK of an OK/Cancel box", "Question", MB_OKCANCEL, IDOK, IDOK, "Question", true},
    {"Cancel of an OK/Cancel box", "Question", MB_OKCANCEL | MB_ICONWARNING, IDCANCEL, IDCANCEL,
     "Question", true},
    {"no caption", nullptr, MB_OK, IDOK, IDOK, "Error", false},
};

TEST(MessageBox, ShowsItsButtonsOverADisabledOwnerAndReturnsThePressedOne) {
  for (const BoxCase& c : kCases) {
    SCOPED_TRACE(c.name);
    TestWindow owner(WS_POPUP | WS_VISIBLE, 10, 10, 300, 200);
    MessageRecorder recorder;
    bool acted = false;
    BOOL ownerEnabled = TRUE;
    std::string caption, okText, cancelText;
    recorder.handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
      if (window != owner || message != kActNow) return false;
      acted = true;
      ownerEnabled = IsWindowEnabled(owner);
      HWND box = GetActiveWindow();
      caption = windowText(box);
      okText = windowText(GetDlgItem(box, IDOK));
      cancelText = windowText(GetDlgItem(box, IDCANCEL));
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(c.pressed, BN_CLICKED), 0);
      *result = 0;
      return true;
    };
    PostMessageA(owner, kActNow, 0, 0);
    int result = MessageBoxA(owner, "The settings could not be saved.", c.caption, c.type);
    EXPECT_TRUE(acted);
    EXPECT_EQ(result, c.result);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(caption, c.shownCaption);
    EXPECT_EQ(okText, "OK");
    EXPECT_EQ(cancelText, c.hasCancel ? "Cancel" : "");
  }
}

// A long text with line breaks still makes one box, and without an owner.
TEST(MessageBox, LongTextWithoutOwner) {
  TestWindow helper(WS_POPUP, 0, 0, 10, 10);
  MessageRecorder recorder;
  std::string caption;
  recorder.handler = [&](HWND window, UINT message, WPARAM, LPARAM, LRESULT* result) {
    if (window != helper || message != kActNow) return false;
    HWND box = GetActiveWindow();
    caption = windowText(box);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    *result = 0;
    return true;
  };
  PostMessageA(helper, kActNow, 0, 0);
  std::string text(300, 'x');
  text += "\r\nsecond line with some words in it that go on for quite a while, well past any "
          "reasonable width\nthird";
  EXPECT_EQ(MessageBoxA(nullptr, text.c_str(), "Long", MB_OK), IDOK);
  EXPECT_EQ(caption, "Long");
}

}  // namespace
