// Support for the X11 driver's tests (x11_test_support.h).
#include "tests/platform/x11/x11_test_support.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <memory>

#include <X11/Xutil.h>
#include <X11/extensions/Xfixes.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/headless/png_file.h"
#include "tests/support/xvfb_server.h"

namespace {

struct TestServer {
  std::unique_ptr<XvfbServer> server;
  Display* display = nullptr;
  std::string failure;
};

TestServer& testServer() {
  static TestServer s;
  return s;
}

// Starts the server before the first test, once per process.
class ServerEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    TestServer& s = testServer();
#ifdef QUILLON_XVFB_WITHOUT_SHM
    // The driver's way for servers that share no memory with it (remote ones).
    s.server = std::make_unique<XvfbServer>(kScreenWidth, kScreenHeight,
                                            std::vector<std::string>{"-extension", "MIT-SHM"});
#else
    s.server = std::make_unique<XvfbServer>(kScreenWidth, kScreenHeight);
#endif
    if (!s.server->running()) {
      s.failure = s.server->failure();
      return;
    }
    setenv("DISPLAY", s.server->display().c_str(), 1);
    setenv("QUILLON_DRIVER", "x11", 1);
    s.display = XOpenDisplay(nullptr);
    if (!s.display) {
      s.failure = "cannot connect to Xvfb at " + s.server->display();
      return;
    }
    // A desktop colour that no test draws, so that a window not painted
    // shows.
    Window root = DefaultRootWindow(s.display);
    XSetWindowBackground(s.display, root, kDesktopPixel);
    XClearWindow(s.display, root);
    XSync(s.display, False);
  }
  // The server itself stops with the process, after the layer's driver has
  // closed its connection at exit: stopping it here would break that one.
  void TearDown() override {
    TestServer& s = testServer();
    if (s.display) XCloseDisplay(s.display);
    s.display = nullptr;
  }
};

::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ServerEnvironment);

}  // namespace

void X11Test::SetUp() {
  if (!testServer().display) GTEST_SKIP() << "no X server to test on: " << testServer().failure;
  ASSERT_STREQ(displayDriver().name, "x11");
#ifdef QUILLON_XVFB_WITHOUT_SHM
  int opcode, event, error;
  ASSERT_FALSE(XQueryExtension(testDisplay(), "MIT-SHM", &opcode, &event, &error));
#endif
}

Display* testDisplay() { return testServer().display; }

std::string testDisplayName() { return testServer().server->display(); }

bool pumpUntil(const std::function<bool()>& done, int limitMs) {
  if (done()) return true;
  UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);
  DWORD start = GetTickCount();
  bool holds = false;
  MSG message;
  while (!holds && GetTickCount() - start < DWORD(limitMs) &&
         GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!(message.message == WM_TIMER && !message.hwnd && message.wParam == tick))
      DispatchMessageA(&message);
    XSync(testDisplay(), False);
    holds = done();
  }
  KillTimer(nullptr, tick);
  return holds;
}

bool xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> argv = {"xdotool"};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  return runProgram(argv) == 0;
}

std::vector<Window> mappedChildren(Window parent) {
  Display* display = testDisplay();
  Window root, up, *children = nullptr;
  unsigned count = 0;
  std::vector<Window> mapped;
  if (!XQueryTree(display, parent, &root, &up, &children, &count)) return mapped;
  for (unsigned i = 0; i < count; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) &&
        attributes.map_state == IsViewable)
      mapped.push_back(children[i]);
  }
  if (children) XFree(children);
  return mapped;
}

std::vector<Window> quillonWindows() {
  std::vector<Window> found;
  for (Window window : mappedChildren(DefaultRootWindow(testDisplay()))) {
    XClassHint hint = {};
    if (!XGetClassHint(testDisplay(), window, &hint)) continue;
    if (strcmp(hint.res_name, "quillon") == 0) found.push_back(window);
    XFree(hint.res_name);
    XFree(hint.res_class);
  }
  return found;
}

Window quillonWindow() {
  std::vector<Window> found = quillonWindows();
  return found.size() == 1 ? found[0] : 0;
}

RECT screenRectOf(Window window) {
  Display* display = testDisplay();
  XWindowAttributes attributes;
  int x = 0, y = 0;
  Window child;
  if (!XGetWindowAttributes(display, window, &attributes)) return RECT{0, 0, 0, 0};
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
  return RECT{x, y, x + attributes.width, y + attributes.height};
}

uint32_t screenPixel(int x, int y) {
  Display* display = testDisplay();
  XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
  if (!image) return 0xFFFFFFFF;
  uint32_t pixel = uint32_t(XGetPixel(image, 0, 0)) & 0xFFFFFF;
  XDestroyImage(image);
  return pixel;
}

std::vector<uint32_t> screenArea(const RECT& area) {
  Display* display = testDisplay();
  int width = area.right - area.left, height = area.bottom - area.top;
  std::vector<uint32_t> pixels;
  XImage* image = XGetImage(display, DefaultRootWindow(display), area.left, area.top, width,
                            height, AllPlanes, ZPixmap);
  if (!image) return pixels;
  pixels.reserve(size_t(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels.push_back(uint32_t(XGetPixel(image, x, y)) & 0xFFFFFF);
  XDestroyImage(image);
  return pixels;
}

bool screenAreaIs(const RECT& area, uint32_t pixel) {
  std::vector<uint32_t> pixels = screenArea(area);
  return !pixels.empty() && std::all_of(pixels.begin(), pixels.end(),
                                        [pixel](uint32_t p) { return p == pixel; });
}

bool saveScreenshot(const std::string& path) {
  std::vector<uint32_t> pixels = screenArea(RECT{0, 0, kScreenWidth, kScreenHeight});
  if (pixels.empty()) return false;
  return writePng(path.c_str(), PixelBuffer{pixels.data(), kScreenWidth, kScreenHeight});
}

Window makeForeignWindow(const RECT& rect, uint32_t pixel, Window parent) {
  Display* display = testDisplay();
  if (!parent) parent = DefaultRootWindow(display);
  Window window = XCreateSimpleWindow(display, parent, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, 0, 0, pixel);
  XMapWindow(display, window);
  XSync(display, False);
  return window;
}

void fillWithGdi(HWND window, const RECT& rect, COLORREF color) {
  HDC dc = GetDC(window);
  HBRUSH brush = CreateSolidBrush(color);
  FillRect(dc, &rect, brush);
  DeleteObject(brush);
  ReleaseDC(window, dc);
}

bool cursorIsBlank() {
  XFixesCursorImage* cursor = XFixesGetCursorImage(testDisplay());
  if (!cursor) return false;
  bool blank = true;
  for (int i = 0; i < cursor->width * cursor->height; ++i)
    if (cursor->pixels[i] & 0xFF000000) blank = false;
  XFree(cursor);
  return blank;
}

void writeFastFeedSettings(const TempDir& dir) {
  std::string feed = dir.write("feed.txt", "Green text on black\nA second line\nAnd a third\n");
  dir.write("quillonscr.ini", "[settings]\nurl count=1\nurl0=file://" + feed +
                                  "\ntype delay=10\nline scroll delay=50\n");
}

std::unique_ptr<ChildProcess> startProgram(const std::string& executable, const TempDir& dir,
                                           const std::vector<std::string>& arguments,
                                           std::vector<std::string> environment,
                                           const std::string& errorsPath) {
  std::vector<std::string> argv = {executable};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  environment.push_back("QUILLON_WINDOWS_DIR=" + dir.path());
  environment.push_back("XDG_RUNTIME_DIR=" + dir.path());
  environment.push_back("TMPDIR=" + dir.path());
  return std::make_unique<ChildProcess>(argv, environment, errorsPath);
}
