// Synthetic input through the X server (xdotool, which uses XTEST) reaches
// the window procedure as the Win32 messages it stands for: keys as
// virtual-key codes of their unshifted symbol, Alt combinations as system
// keys, mouse buttons and moves in client coordinates, and the mouse outside
// the window under SetCapture.
#include "tests/platform/x11/x11_test_support.h"

#include <algorithm>
#include <memory>

#include "tests/platform/user/test_window.h"

namespace {

constexpr int kLeft = 200, kTop = 150;

class X11InputTest : public X11Test {
 protected:
  void SetUp() override {
    X11Test::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    // System keys get no default processing here, so Alt+F4 does not close.
    recorder_.handler = [](HWND, UINT message, WPARAM, LPARAM, LRESULT* result) {
      *result = 0;
      return message == WM_SYSKEYDOWN || message == WM_SYSKEYUP || message == WM_SYSCHAR ||
             message == WM_SYSCOMMAND;
    };
    window_ = std::make_unique<TestWindow>(WS_POPUP | WS_VISIBLE, kLeft, kTop, 300, 200);
    ASSERT_TRUE(pumpUntil([] { return quillonWindow() != 0; }));
    // Start with the pointer inside, so that X gives the window the keys too.
    ASSERT_TRUE(xdotool({"mousemove", std::to_string(kLeft + 150), std::to_string(kTop + 100)}));
    ASSERT_TRUE(pumpUntil([this] { return !recorder_.messages(*window_, {WM_MOUSEMOVE}).empty(); }));
    recorder_.clear();
  }
  void TearDown() override { window_.reset(); }

  std::vector<Received> received(const std::vector<UINT>& kinds) const {
    std::vector<Received> out;
    for (const Received& r : recorder_.all())
      for (UINT kind : kinds)
        if (r.message == kind && r.window == *window_) out.push_back(r);
    return out;
  }

  MessageRecorder recorder_;
  std::unique_ptr<TestWindow> window_;
};

struct KeyDown {
  UINT message;
  UINT virtualKey;
};

struct KeyCase {
  const char* keys;  // as xdotool names them
  std::vector<KeyDown> downs;
};

TEST_F(X11InputTest, KeysArriveAsVirtualKeyCodes) {
  const KeyCase cases[] = {
      {"q", {{WM_KEYDOWN, 'Q'}}},
      {"shift+q", {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, 'Q'}}},
      {"ctrl+a", {{WM_KEYDOWN, VK_CONTROL}, {WM_KEYDOWN, 'A'}}},
      {"alt", {{WM_SYSKEYDOWN, VK_MENU}}},
      {"alt+F4", {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, VK_F4}}},
      {"7", {{WM_KEYDOWN, '7'}}},
      {"shift+7", {{WM_KEYDOWN, VK_SHIFT}, {WM_KEYDOWN, '7'}}},
      {"Escape", {{WM_KEYDOWN, VK_ESCAPE}}},
      {"space", {{WM_KEYDOWN, VK_SPACE}}},
      {"Return", {{WM_KEYDOWN, VK_RETURN}}},
      {"Tab", {{WM_KEYDOWN, VK_TAB}}},
      {"BackSpace", {{WM_KEYDOWN, VK_BACK}}},
      {"Left", {{WM_KEYDOWN, VK_LEFT}}},
      {"Up", {{WM_KEYDOWN, VK_UP}}},
      {"Right", {{WM_KEYDOWN, VK_RIGHT}}},
      {"Down", {{WM_KEYDOWN, VK_DOWN}}},
      {"Delete", {{WM_KEYDOWN, VK_DELETE}}},
      {"Home", {{WM_KEYDOWN, VK_HOME}}},
      {"F1", {{WM_KEYDOWN, VK_F1}}},
      {"F12", {{WM_KEYDOWN, VK_F12}}},
      {"minus", {{WM_KEYDOWN, VK_OEM_MINUS}}},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.keys);
    recorder_.clear();
    ASSERT_TRUE(xdotool({"key", c.keys}));
    ASSERT_TRUE(pumpUntil(
        [&] { return received({WM_KEYUP, WM_SYSKEYUP}).size() >= c.downs.size(); }));
    std::vector<Received> downs = received({WM_KEYDOWN, WM_SYSKEYDOWN});
    ASSERT_EQ(downs.size(), c.downs.size());
    for (size_t i = 0; i < downs.size(); ++i) {
      EXPECT_EQ(downs[i].message, c.downs[i].message) << "key " << i;
      EXPECT_EQ(downs[i].wParam, c.downs[i].virtualKey) << "key " << i;
    }
    std::vector<WPARAM> upKeys, downKeys;
    for (const Received& r : received({WM_KEYUP, WM_SYSKEYUP})) upKeys.push_back(r.wParam);
    for (const Received& r : downs) downKeys.push_back(r.wParam);
    std::sort(upKeys.begin(), upKeys.end());
    std::sort(downKeys.begin(), downKeys.end());
    EXPECT_EQ(upKeys, downKeys);
  }
}

TEST_F(X11InputTest, KeyReleasedWhileAnotherWindowHadTheFocusIsReleased) {
  // Alt goes down here, and up in another program's window (as with
  // Alt+Tab); back here, Q is a plain key again.
  Window ours = quillonWindow();
  Window other = makeForeignWindow(RECT{0, 0, 50, 50}, 0xFFFFFF);
  ASSERT_TRUE(xdotool({"keydown", "alt"}));
  ASSERT_TRUE(pumpUntil([&] { return !received({WM_SYSKEYDOWN}).empty(); }));
  XSetInputFocus(testDisplay(), other, RevertToPointerRoot, CurrentTime);
  XSync(testDisplay(), False);
  ASSERT_TRUE(xdotool({"keyup", "alt"}));
  XSetInputFocus(testDisplay(), ours, RevertToPointerRoot, CurrentTime);
  XSync(testDisplay(), False);
  recorder_.clear();
  ASSERT_TRUE(xdotool({"key", "q"}));
  ASSERT_TRUE(pumpUntil([&] { return !received({WM_KEYUP, WM_SYSKEYUP}).empty() &&
                                     received({WM_KEYUP, WM_SYSKEYUP}).back().wParam == 'Q'; }));
  std::vector<Received> downs = received({WM_KEYDOWN, WM_SYSKEYDOWN});
  ASSERT_EQ(downs.size(), 1u);
  EXPECT_EQ(downs[0].message, UINT(WM_KEYDOWN));
  EXPECT_EQ(downs[0].wParam, WPARAM('Q'));
  XDestroyWindow(testDisplay(), other);
}

struct ButtonCase {
  const char* button;
  UINT down, up;
};

TEST_F(X11InputTest, ClicksArriveInClientCoordinates) {
  const ButtonCase cases[] = {{"1", WM_LBUTTONDOWN, WM_LBUTTONUP},
                              {"2", WM_MBUTTONDOWN, WM_MBUTTONUP},
                              {"3", WM_RBUTTONDOWN, WM_RBUTTONUP}};
  int x = 30;
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.button);
    recorder_.clear();
    x += 10;  // somewhere new, so that the move is a move
    ASSERT_TRUE(xdotool({"mousemove", std::to_string(kLeft + x), std::to_string(kTop + 40),
                         "click", c.button}));
    ASSERT_TRUE(pumpUntil([&] { return !received({c.up}).empty(); }));
    std::vector<Received> mouse = received({WM_MOUSEMOVE, c.down, c.up});
    ASSERT_EQ(mouse.size(), 3u);
    for (const Received& r : mouse) EXPECT_EQ(r.lParam, MAKELPARAM(x, 40));
    EXPECT_EQ(mouse[0].message, UINT(WM_MOUSEMOVE));
    EXPECT_EQ(mouse[1].message, c.down);
    EXPECT_EQ(mouse[2].message, c.up);
  }
}

// The wheel's notches arrive as WM_MOUSEWHEEL at the focus (120 away from
// the user, -120 towards), never as button messages.
TEST_F(X11InputTest, WheelTurnsArriveAsMouseWheelMessages) {
  ASSERT_TRUE(xdotool({"click", "1", "click", "4", "click", "5", "click", "1"}));
  ASSERT_TRUE(pumpUntil([&] { return received({WM_LBUTTONUP}).size() == 2; }));
  std::vector<Received> buttons = received({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN,
                                            WM_MBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
  EXPECT_EQ(buttons.size(), 4u);
  std::vector<Received> wheel = received({WM_MOUSEWHEEL});
  ASSERT_EQ(wheel.size(), 2u);
  EXPECT_EQ(SHORT(HIWORD(wheel[0].wParam)), WHEEL_DELTA);
  EXPECT_EQ(SHORT(HIWORD(wheel[1].wParam)), -WHEEL_DELTA);
}

TEST_F(X11InputTest, CaptureBringsTheMouseFromOutsideTheWindow) {
  recorder_.handler = [](HWND window, UINT message, WPARAM, LPARAM, LRESULT*) {
    if (message == WM_LBUTTONDOWN) SetCapture(window);
    return false;
  };
  ASSERT_TRUE(xdotool({"click", "1"}));
  ASSERT_TRUE(pumpUntil([&] { return !received({WM_LBUTTONUP}).empty(); }));
  // After the release the button's own grab has ended: only the capture
  // brings this move.
  ASSERT_TRUE(xdotool({"mousemove", std::to_string(kLeft - 20), std::to_string(kTop - 10)}));
  ASSERT_TRUE(pumpUntil([&] {
    for (const Received& r : received({WM_MOUSEMOVE}))
      if (r.lParam == MAKELPARAM(WORD(SHORT(-20)), WORD(SHORT(-10)))) return true;
    return false;
  }));
  ReleaseCapture();
  recorder_.clear();
  ASSERT_TRUE(xdotool({"mousemove", std::to_string(kLeft - 40), std::to_string(kTop - 10),
                       "mousemove", std::to_string(kLeft + 5), std::to_string(kTop + 6)}));
  ASSERT_TRUE(pumpUntil([&] { return !received({WM_MOUSEMOVE}).empty(); }));
  std::vector<Received> moves = received({WM_MOUSEMOVE});
  ASSERT_EQ(moves.size(), 1u);  // the one outside did not come
  EXPECT_EQ(moves[0].lParam, MAKELPARAM(5, 6));
}

}  // namespace
