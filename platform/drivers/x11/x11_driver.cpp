// The X11 display driver's table (x11DisplayDriver): real windows on the X
// server named by $DISPLAY, with input, presenting and a real clock. The
// pieces live in the other files of this folder.
#include <X11/Xlib.h>

#include "platform/drivers/driver.h"
#include "platform/drivers/x11/x11_clipboard.h"
#include "platform/drivers/x11/x11_connection.h"
#include "platform/drivers/x11/x11_events.h"
#include "platform/drivers/x11/x11_present.h"
#include "platform/drivers/x11/x11_windows.h"

namespace {

bool open() {
  if (!openX11Connection()) return false;
  startX11Clock();
  return true;
}

void close() {
  if (!x11().display) return;
  x11DestroyAllWindows();
  closeX11Connection();
}

SIZE screenSize() {
  const X11Connection& c = x11();
  return SIZE{DisplayWidth(c.display, c.screen), DisplayHeight(c.display, c.screen)};
}

}  // namespace

DisplayDriver x11DisplayDriver() {
  DisplayDriver driver = {};
  driver.name = "x11";
  driver.open = open;
  driver.close = close;
  driver.screenSize = screenSize;
  driver.clockMs = x11ClockMs;
  driver.waitEvents = x11WaitEvents;
  driver.foreignWindowRect = x11ForeignWindowRect;
  driver.rootWindow = x11RootWindow;
  driver.createWindow = x11CreateWindow;
  driver.destroyWindow = x11DestroyWindow;
  driver.placeWindow = x11PlaceWindow;
  driver.showWindow = x11ShowWindow;
  driver.raiseWindow = x11RaiseWindow;
  driver.enableWindow = x11EnableWindow;
  driver.setTitle = x11SetTitle;
  driver.present = x11Present;
  driver.movePixels = x11MovePixels;
  driver.lendPixels = x11LendPixels;
  driver.setCapture = x11SetCapture;
  driver.showCursor = x11ShowCursor;
  driver.setClipboardText = x11SetClipboardText;
  driver.clipboardText = x11ClipboardText;
  return driver;
}
