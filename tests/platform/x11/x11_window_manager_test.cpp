// The driver's dealings with a window manager, against a stand-in that the
// test plays itself on its own connection: it redirects the root window's
// children (which is how the driver tells that a window manager runs),
// offers _NET_WM_MOVERESIZE, maps and configures windows as asked, and keeps
// the client messages sent to the root.
#include "tests/platform/x11/x11_test_support.h"

#include <X11/Xatom.h>

#include "tests/platform/user/test_window.h"

namespace {

class StandInWindowManager {
 public:
  StandInWindowManager() {
    Display* display = testDisplay();
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureRedirectMask | SubstructureNotifyMask);
    Atom supported[] = {atom("_NET_WM_MOVERESIZE"), atom("_NET_WM_STATE"),
                        atom("_NET_WM_STATE_FULLSCREEN"), atom("_NET_WM_STATE_ABOVE")};
    XChangeProperty(display, root, atom("_NET_SUPPORTED"), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(supported), 4);
    XSync(display, False);
  }
  ~StandInWindowManager() {
    Display* display = testDisplay();
    Window root = DefaultRootWindow(display);
    XSelectInput(display, root, NoEventMask);
    XDeleteProperty(display, root, atom("_NET_SUPPORTED"));
    XSync(display, False);
  }

  // Does what the windows asked for since the last call.
  void serve() {
    Display* display = testDisplay();
    while (XPending(display)) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapRequest) {
        mapRequests++;
        XMapWindow(display, event.xmaprequest.window);
      } else if (event.type == ConfigureRequest) {
        const XConfigureRequestEvent& r = event.xconfigurerequest;
        XWindowChanges changes = {r.x, r.y, r.width, r.height, r.border_width, r.above, r.detail};
        XConfigureWindow(display, r.window, unsigned(r.value_mask), &changes);
      } else if (event.type == ClientMessage) {
        messages.push_back(event.xclient);
      }
    }
    XSync(display, False);
  }

  static Atom atom(const char* name) { return XInternAtom(testDisplay(), name, False); }

  std::vector<XClientMessageEvent> messages;
  int mapRequests = 0;
};

class X11WindowManagerTest : public X11Test {};

std::vector<Atom> atomList(Window window, Atom property) {
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::vector<Atom> atoms;
  if (XGetWindowProperty(testDisplay(), window, property, 0, 32, False, XA_ATOM, &type, &format,
                         &count, &after, &data) == Success &&
      data) {
    const long* values = reinterpret_cast<const long*>(data);
    atoms.assign(values, values + count);
  }
  if (data) XFree(data);
  return atoms;
}

// A full-screen window, and the popup it owns (the password prompt), are
// override-redirect even where a window manager runs: it never maps, moves,
// iconifies or lowers them, and is asked for no state.
TEST_F(X11WindowManagerTest, FullScreenWindowAndItsPopupAreOutOfTheManagersReach) {
  StandInWindowManager manager;
  TestWindow saver(WS_POPUP | WS_VISIBLE, 0, 0, kScreenWidth, kScreenHeight);
  TestWindow prompt(WS_POPUP | WS_VISIBLE | WS_CAPTION, 400, 300, 230, 107, saver);
  std::vector<Window> windows;
  ASSERT_TRUE(pumpUntil([&] {
    manager.serve();
    return (windows = quillonWindows()).size() == 2;
  }));
  for (Window window : windows) {
    XWindowAttributes attributes;
    XGetWindowAttributes(testDisplay(), window, &attributes);
    EXPECT_TRUE(attributes.override_redirect);
    EXPECT_TRUE(atomList(window, StandInWindowManager::atom("_NET_WM_STATE")).empty());
  }
  EXPECT_EQ(manager.mapRequests, 0);
  EXPECT_EQ(screenRectOf(windows[1]).left, 403);  // the prompt above: its client area
}

TEST_F(X11WindowManagerTest, PressOnAnEdgeAsksTheWindowManagerToResize) {
  StandInWindowManager manager;
  MessageRecorder recorder;
  TestWindow popup(WS_POPUP | WS_VISIBLE | WS_THICKFRAME, 300, 300, 200, 150);
  Window window = 0;
  ASSERT_TRUE(pumpUntil([&] {
    manager.serve();
    return (window = quillonWindow()) != 0;
  }));
  // The bottom-right corner's band.
  ASSERT_TRUE(xdotool({"mousemove", "498", "448", "mousedown", "1"}));
  Atom moveResize = StandInWindowManager::atom("_NET_WM_MOVERESIZE");
  ASSERT_TRUE(pumpUntil([&] {
    manager.serve();
    return !manager.messages.empty();
  }));
  ASSERT_TRUE(xdotool({"mouseup", "1"}));
  const XClientMessageEvent& m = manager.messages[0];
  EXPECT_EQ(m.message_type, moveResize);
  EXPECT_EQ(m.window, window);
  EXPECT_EQ(m.data.l[0], 498);  // where the press was
  EXPECT_EQ(m.data.l[1], 448);
  EXPECT_EQ(m.data.l[2], 4);    // the bottom-right corner
  EXPECT_EQ(m.data.l[3], 1);    // with the left button
  EXPECT_TRUE(recorder.messages(popup, {WM_LBUTTONDOWN}).empty());
}

}  // namespace
