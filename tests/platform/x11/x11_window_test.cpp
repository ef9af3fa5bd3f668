// The X11 driver's windows, seen from outside through the X server: where
// popup, full-screen and foreign-child windows appear, that GDI drawing
// reaches the screen (and comes back after being covered), and that the
// window manager's and other programs' doings (close, move, resize, edge
// drag, a foreign parent going away) reach the window procedure. Driven
// through the Win32 API of the layer with QUILLON_DRIVER=x11 under Xvfb,
// where no window manager runs.
#include "tests/platform/x11/x11_test_support.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include "tests/platform/user/test_window.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;

class X11WindowTest : public X11Test {};

Window waitForQuillonWindow() {
  Window found = 0;
  pumpUntil([&] { return (found = quillonWindow()) != 0; });
  return found;
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string text(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "-" + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

RECT layerWindowRect(HWND window) {
  RECT r = {0, 0, 0, 0};
  GetWindowRect(window, &r);
  return r;
}

// The window's _MOTIF_WM_HINTS decorations field, or -1 without the hint.
long motifDecorations(Window window) {
  Display* display = testDisplay();
  Atom hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  long decorations = -1;
  if (XGetWindowProperty(display, window, hints, 0, 5, False, AnyPropertyType, &type, &format,
                         &count, &after, &data) == Success &&
      data && count >= 3 && (reinterpret_cast<long*>(data)[0] & 2))
    decorations = reinterpret_cast<long*>(data)[2];
  if (data) XFree(data);
  return decorations;
}

struct PopupCase {
  DWORD style;
  bool fixedSize;
};

TEST_F(X11WindowTest, PopupAppearsAtItsPlaceWithoutDecorations) {
  const PopupCase cases[] = {{WS_POPUP | WS_VISIBLE | WS_THICKFRAME, false},
                             {WS_POPUP | WS_VISIBLE, true}};
  for (const PopupCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
    TestWindow popup(c.style, 100, 120, 300, 200);
    Window window = waitForQuillonWindow();
    ASSERT_NE(window, 0u);
    EXPECT_EQ(text(screenRectOf(window)), "100,120-400,320");
    EXPECT_EQ(motifDecorations(window), 0);
    XWindowAttributes attributes;
    XGetWindowAttributes(testDisplay(), window, &attributes);
    EXPECT_FALSE(attributes.override_redirect);
    XSizeHints hints = {};
    long supplied = 0;
    XGetWMNormalHints(testDisplay(), window, &hints, &supplied);
    EXPECT_EQ((hints.flags & PMaxSize) != 0, c.fixedSize);
    EXPECT_EQ(hints.win_gravity, StaticGravity);
    char* name = nullptr;
    XFetchName(testDisplay(), window, &name);
    EXPECT_STREQ(name, "test");
    if (name) XFree(name);
  }
}

TEST_F(X11WindowTest, GdiDrawingReachesTheScreen) {
  TestWindow popup(WS_POPUP | WS_VISIBLE, 200, 100, 320, 240);
  ASSERT_NE(waitForQuillonWindow(), 0u);
  fillWithGdi(popup, RECT{0, 0, 320, 240}, RGB(0, 0, 255));
  fillWithGdi(popup, RECT{10, 20, 110, 70}, RGB(10, 200, 30));
  EXPECT_TRUE(pumpUntil([] { return screenPixel(210, 120) == 0x0AC81E; }));
  EXPECT_TRUE(screenAreaIs(RECT{210, 120, 310, 170}, 0x0AC81E));
  EXPECT_TRUE(screenAreaIs(RECT{310, 120, 520, 340}, 0x0000FF));
  EXPECT_TRUE(screenAreaIs(RECT{200, 100, 520, 120}, 0x0000FF));

  // A later change of a small part replaces just that part.
  fillWithGdi(popup, RECT{300, 220, 320, 240}, RGB(255, 0, 0));
  EXPECT_TRUE(pumpUntil([] { return screenPixel(519, 339) == 0xFF0000; }));
  EXPECT_TRUE(screenAreaIs(RECT{500, 320, 520, 340}, 0xFF0000));
  EXPECT_TRUE(screenAreaIs(RECT{210, 120, 310, 170}, 0x0AC81E));
}

TEST_F(X11WindowTest, CoveredPartsArePresentedAgain) {
  TestWindow popup(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  ASSERT_NE(waitForQuillonWindow(), 0u);
  fillWithGdi(popup, RECT{0, 0, 200, 200}, RGB(0, 128, 255));
  ASSERT_TRUE(pumpUntil([] { return screenPixel(150, 150) == 0x0080FF; }));
  Window cover = makeForeignWindow(RECT{50, 50, 250, 250}, kWhite);
  ASSERT_EQ(screenPixel(150, 150), kWhite);
  XDestroyWindow(testDisplay(), cover);
  XSync(testDisplay(), False);
  EXPECT_TRUE(pumpUntil([] { return screenAreaIs(RECT{100, 100, 300, 300}, 0x0080FF); }));
}

TEST_F(X11WindowTest, FullScreenWindowCoversTheScreenAndTakesTheKeyboard) {
  Window other = makeForeignWindow(RECT{0, 0, 100, 100}, kWhite);
  TestWindow saver(WS_POPUP | WS_VISIBLE, 0, 0, kScreenWidth, kScreenHeight);
  Window window = waitForQuillonWindow();
  ASSERT_NE(window, 0u);
  fillWithGdi(saver, RECT{0, 0, kScreenWidth, kScreenHeight}, RGB(40, 50, 60));
  EXPECT_TRUE(pumpUntil([] { return screenPixel(50, 50) == 0x28323C; }));
  EXPECT_TRUE(screenAreaIs(RECT{0, 0, kScreenWidth, kScreenHeight}, 0x28323C));
  XWindowAttributes attributes;
  XGetWindowAttributes(testDisplay(), window, &attributes);
  EXPECT_TRUE(attributes.override_redirect);  // no window manager runs here
  EXPECT_TRUE(pumpUntil([&] {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(testDisplay(), &focus, &revert);
    return focus == window;
  }));
  XDestroyWindow(testDisplay(), other);
}

TEST_F(X11WindowTest, ChildOfForeignWindowIsPlacedInsideIt) {
  Window parent = makeForeignWindow(RECT{200, 150, 600, 450}, kWhite);
  HWND foreign = reinterpret_cast<HWND>(uintptr_t(parent));
  RECT parentRect;
  ASSERT_TRUE(GetWindowRect(foreign, &parentRect));
  EXPECT_EQ(text(parentRect), "200,150-600,450");
  ASSERT_TRUE(GetClientRect(foreign, &parentRect));
  EXPECT_EQ(text(parentRect), "0,0-400,300");

  TestWindow child(WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, foreign);
  ASSERT_NE(child.handle(), nullptr);
  std::vector<Window> inside;
  ASSERT_TRUE(pumpUntil([&] { return (inside = mappedChildren(parent)).size() == 1; }));
  EXPECT_EQ(text(screenRectOf(inside[0])), "200,150-600,450");
  EXPECT_EQ(text(layerWindowRect(child)), "200,150-600,450");
  fillWithGdi(child, RECT{0, 0, 400, 300}, RGB(0, 255, 0));
  EXPECT_TRUE(pumpUntil([] { return screenAreaIs(RECT{200, 150, 600, 450}, 0x00FF00); }));
  XDestroyWindow(testDisplay(), parent);
}

TEST_F(X11WindowTest, NumbersOfNoWindowAreRefusedAsParents) {
  // An id the server never gave out, one with bits no X id has, and zero.
  const uintptr_t numbers[] = {0x1DEAD00, 0xFFFFFFFF, 0};
  for (uintptr_t number : numbers) {
    SCOPED_TRACE(number);
    HWND foreign = reinterpret_cast<HWND>(number);
    RECT r;
    EXPECT_FALSE(GetWindowRect(foreign, &r));
    if (number) {
      HWND child = CreateWindowExA(0, testWindowClass(), "orphan", WS_CHILD | WS_VISIBLE, 0, 0, 50,
                                   50, foreign, nullptr, GetModuleHandleA(nullptr), nullptr);
      EXPECT_EQ(child, nullptr);
    }
  }
  // The connection survived the errors.
  TestWindow popup(WS_POPUP | WS_VISIBLE, 10, 10, 50, 50);
  EXPECT_NE(waitForQuillonWindow(), 0u);
}

TEST_F(X11WindowTest, ForeignParentGoingAwayDestroysTheChild) {
  Window parent = makeForeignWindow(RECT{0, 0, 300, 200}, kWhite);
  MessageRecorder recorder;
  TestWindow child(WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, reinterpret_cast<HWND>(uintptr_t(parent)));
  ASSERT_TRUE(pumpUntil([&] { return mappedChildren(parent).size() == 1; }));
  XDestroyWindow(testDisplay(), parent);
  XSync(testDisplay(), False);
  EXPECT_TRUE(pumpUntil([&] { return !IsWindow(child); }));
  // Destroyed with its parent, as Win32 does it: not asked to close first.
  EXPECT_EQ(recorder.messages(child, {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY}),
            std::vector<UINT>{WM_DESTROY});
}

TEST_F(X11WindowTest, WindowManagerCloseRequestClosesTheWindow) {
  MessageRecorder recorder;
  TestWindow popup(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  Window window = waitForQuillonWindow();
  ASSERT_NE(window, 0u);
  Display* display = testDisplay();
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  EXPECT_TRUE(pumpUntil([&] { return !IsWindow(popup); }));
  std::vector<Received> commands;
  for (const Received& r : recorder.all())
    if (r.message == WM_SYSCOMMAND) commands.push_back(r);
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].wParam & 0xFFF0, WPARAM(SC_CLOSE));
  EXPECT_EQ(recorder.messages(popup, {WM_CLOSE, WM_DESTROY}),
            (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
}

TEST_F(X11WindowTest, MoveByAnotherProgramIsReported) {
  MessageRecorder recorder;
  TestWindow popup(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  Window window = waitForQuillonWindow();
  ASSERT_NE(window, 0u);
  recorder.clear();
  XMoveWindow(testDisplay(), window, 300, 310);
  XSync(testDisplay(), False);
  EXPECT_TRUE(pumpUntil([&] { return sameRect(layerWindowRect(popup), RECT{300, 310, 400, 410}); }));
  EXPECT_EQ(recorder.messages(popup, {WM_MOVE, WM_EXITSIZEMOVE}), std::vector<UINT>{WM_MOVE});
}

TEST_F(X11WindowTest, MovesByTheApplicationAreNotReportedBack) {
  MessageRecorder recorder;
  TestWindow popup(WS_POPUP | WS_VISIBLE, 10, 10, 100, 100);
  Window window = waitForQuillonWindow();
  ASSERT_NE(window, 0u);
  recorder.clear();
  // Like a drag: many moves before the server's reports of the first arrive.
  for (int i = 1; i <= 20; ++i)
    SetWindowPos(popup, nullptr, 10 + 7 * i, 10 + 3 * i, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(pumpUntil([&] { return sameRect(screenRectOf(window), RECT{150, 70, 250, 170}); }));
  // Give the driver the server's configure events, then look again.
  UINT_PTR settle = SetTimer(nullptr, 0, 100, nullptr);
  waitForMessage(nullptr, WM_TIMER);
  KillTimer(nullptr, settle);
  drainMessages();
  EXPECT_EQ(text(layerWindowRect(popup)), "150,70-250,170");
  EXPECT_EQ(recorder.messages(popup, {WM_MOVE}).size(), 20u);
}

TEST_F(X11WindowTest, ResizeByAnotherProgramIsReportedOnceWhenItSettles) {
  MessageRecorder recorder;
  TestWindow popup(WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 50, 50, 200, 150);
  Window window = waitForQuillonWindow();
  ASSERT_NE(window, 0u);
  recorder.clear();
  // At the pace of a hand dragging a frame: a new size every 50 ms.
  for (int step = 1; step <= 3; ++step) {
    XResizeWindow(testDisplay(), window, 200 + 20 * step, 150 + 10 * step);
    XSync(testDisplay(), False);
    pumpUntil([] { return false; }, 50);
  }
  ASSERT_TRUE(pumpUntil([&] { return !recorder.messages(popup, {WM_EXITSIZEMOVE}).empty(); }));
  EXPECT_EQ(recorder.messages(popup, {WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}),
            (std::vector<UINT>{WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE}));
  RECT client;
  GetClientRect(popup, &client);
  EXPECT_EQ(text(client), "0,0-260,180");
}

struct EdgeCase {
  const char* name;
  POINT press;  // client coordinates in a 200x150 window at (300, 300)
  POINT drag;
  const char* windowRect;
};

TEST_F(X11WindowTest, DraggingAnEdgeResizesTheBorderlessWindow) {
  const EdgeCase cases[] = {
      {"bottom-right corner", {198, 148}, {50, 40}, "300,300-550,490"},
      {"left edge", {2, 75}, {-30, 25}, "270,300-500,450"},
      {"top edge", {100, 1}, {10, 20}, "300,320-500,450"},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    MessageRecorder recorder;
    TestWindow popup(WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 300, 300, 200, 150);
    ASSERT_NE(waitForQuillonWindow(), 0u);
    int x = 300 + c.press.x, y = 300 + c.press.y;
    ASSERT_TRUE(xdotool({"mousemove", std::to_string(x), std::to_string(y), "mousedown", "1",
                         "mousemove", std::to_string(x + c.drag.x), std::to_string(y + c.drag.y),
                         "mouseup", "1"}));
    EXPECT_TRUE(pumpUntil([&] { return !recorder.messages(popup, {WM_EXITSIZEMOVE}).empty(); }));
    EXPECT_EQ(text(layerWindowRect(popup)), c.windowRect);
    EXPECT_TRUE(recorder.messages(popup, {WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
  }
}

TEST_F(X11WindowTest, HiddenCursorIsInvisibleOverTheWindow) {
  TestWindow popup(WS_POPUP | WS_VISIBLE, 100, 100, 200, 200);
  ASSERT_NE(waitForQuillonWindow(), 0u);
  ASSERT_TRUE(xdotool({"mousemove", "200", "200"}));
  ASSERT_TRUE(pumpUntil([&] { return !cursorIsBlank(); }));
  ShowCursor(FALSE);
  EXPECT_TRUE(pumpUntil(cursorIsBlank));
  ShowCursor(TRUE);
  EXPECT_TRUE(pumpUntil([&] { return !cursorIsBlank(); }));
}

}  // namespace
