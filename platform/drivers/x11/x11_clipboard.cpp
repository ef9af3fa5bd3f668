// The CLIPBOARD selection (x11_clipboard.h). Text goes out as UTF8_STRING
// (or Latin-1 STRING, or the TARGETS list) and comes in as UTF8_STRING,
// else STRING. A paste waits for the owner's answer for at most a second,
// handling only that answer meanwhile; other events stay queued. INCR
// transfers of very large texts are not followed.
#include "platform/drivers/x11/x11_clipboard.h"

#include <poll.h>

#include <X11/Xatom.h>

#include "platform/drivers/x11/x11_connection.h"
#include "platform/drivers/x11/x11_windows.h"
#include "platform/kernel/codepage1252.h"

namespace {

struct Clipboard {
  std::string text;   // what we own, in Windows-1252
  Window owner = 0;   // our window that owns CLIPBOARD, or 0
};

Clipboard& clipboard() {
  static Clipboard c;
  return c;
}

Atom atom(const char* name) { return XInternAtom(x11().display, name, False); }

Window anyWindowOfOurs() {
  for (int i = 0; i < x11WindowCount(); ++i) {
    X11Window* window = x11WindowAt(i);
    if (!window->gone && window->kind != NativeKind::ForeignChild) return window->id;
  }
  return 0;
}

std::string windows1252OfUtf8(const unsigned char* text, size_t length) {
  std::string out;
  for (size_t i = 0; i < length;) {
    uint32_t code = text[i];
    int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
    if (extra) code &= 0x3F >> extra;
    ++i;
    for (int k = 0; k < extra && i < length; ++k, ++i) code = (code << 6) | (text[i] & 0x3F);
    int byte = windows1252FromUnicode(code, true);
    out += byte < 0 ? '?' : char(byte);
  }
  return out;
}

void answer(const XSelectionRequestEvent& request) {
  Display* display = x11().display;
  Atom utf8 = x11().atoms.utf8String, targets = atom("TARGETS");
  XSelectionEvent reply = {};
  reply.type = SelectionNotify;
  reply.requestor = request.requestor;
  reply.selection = request.selection;
  reply.target = request.target;
  reply.time = request.time;
  reply.property = request.property ? request.property : request.target;
  const std::string& text = clipboard().text;
  if (request.target == targets) {
    Atom offered[] = {targets, utf8, XA_STRING};
    XChangeProperty(display, request.requestor, reply.property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(offered), 3);
  } else if (request.target == utf8) {
    std::string utf8Text = utf8FromWindows1252(text.c_str());
    XChangeProperty(display, request.requestor, reply.property, utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(utf8Text.data()), int(utf8Text.size()));
  } else if (request.target == XA_STRING) {
    // Latin-1: the bytes of Windows-1252 outside 0x80-0x9F are the same.
    std::string latin1;
    for (unsigned char byte : text) latin1 += unicodeFromWindows1252(byte) < 0x100 ? char(byte) : '?';
    XChangeProperty(display, request.requestor, reply.property, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(latin1.data()), int(latin1.size()));
  } else {
    reply.property = 0;  // refused
  }
  XSendEvent(display, request.requestor, False, 0, reinterpret_cast<XEvent*>(&reply));
  XFlush(display);
}

// Asks the owner for the selection as `target` into a property of `window`
// and waits for the answer; the property's bytes, or false.
bool fetch(Window window, Atom target, std::string* bytes, Atom* type) {
  Display* display = x11().display;
  Atom property = atom("QUILLON_CLIPBOARD");
  XConvertSelection(display, atom("CLIPBOARD"), target, property, window, CurrentTime);
  XFlush(display);
  XEvent event;
  for (int waited = 0; waited < 1000; waited += 10) {
    if (XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
      if (event.xselection.property == 0) return false;
      unsigned char* data = nullptr;
      int format;
      unsigned long count, after;
      if (XGetWindowProperty(display, window, property, 0, 0x1000000, True, AnyPropertyType, type,
                             &format, &count, &after, &data) != Success)
        return false;
      bytes->assign(reinterpret_cast<char*>(data), count);
      XFree(data);
      return true;
    }
    pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 10);
  }
  return false;
}

}  // namespace

bool x11SetClipboardText(const char* text) {
  Window window = anyWindowOfOurs();
  if (!window) return false;
  clipboard().text = text;
  clipboard().owner = window;
  XSetSelectionOwner(x11().display, atom("CLIPBOARD"), window, CurrentTime);
  XFlush(x11().display);
  return true;
}

bool x11ClipboardText(std::string* text) {
  Display* display = x11().display;
  Window owner = XGetSelectionOwner(display, atom("CLIPBOARD"));
  if (!owner) return false;
  if (owner == clipboard().owner) {
    *text = clipboard().text;
    return true;
  }
  Window window = anyWindowOfOurs();
  if (!window) return false;
  std::string bytes;
  Atom type = 0;
  if (fetch(window, x11().atoms.utf8String, &bytes, &type)) {
    *text = windows1252OfUtf8(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return true;
  }
  if (fetch(window, XA_STRING, &bytes, &type)) {
    *text = bytes;  // Latin-1
    return true;
  }
  return false;
}

bool x11HandleSelectionEvent(const XEvent& event) {
  if (event.type == SelectionRequest) {
    answer(event.xselectionrequest);
    return true;
  }
  if (event.type == SelectionClear) {
    if (event.xselectionclear.window == clipboard().owner) clipboard().owner = 0;
    return true;
  }
  return false;
}
