// Presenting windows' pixels on the X server: present, the moves of shown
// pixels, and the flush that the driver runs before it waits for events.
//
// platform/gdi presents only what it changed, so a flush sends the bounding
// box of the rectangles presented (and exposed) since the last one, as they
// are. With MIT-SHM the window's pixels are a shared image that the driver
// lends platform/user (lendPixels), and the server reads them in place:
// nothing is copied on our side. Without it (or for a picture composed with
// child windows), XPutImage sends them straight from the window's pixels.
// The environment variable QUILLON_X11_PUTIMAGE=1 (for tests and
// measurements) takes that path even when the server offers MIT-SHM.
//
// A move (movePixels: a line scroll) is an XCopyArea of the window onto
// itself, so the server moves the pixels it has and only the rows that came
// in are sent. Parts whose source the server did not have (under another
// window) come back as GraphicsExpose events, and are sent again.
#include "platform/drivers/x11/x11_present.h"

#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include <X11/Xutil.h>

#include "platform/drivers/x11/x11_connection.h"
#include "platform/internal/diagnostics.h"

namespace {

bool isEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

RECT unite(const RECT& a, const RECT& b) {
  if (isEmpty(a)) return b;
  if (isEmpty(b)) return a;
  return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
}

RECT clipTo(const RECT& r, int width, int height) {
  RECT c = {std::max<LONG>(r.left, 0), std::max<LONG>(r.top, 0), std::min<LONG>(r.right, width),
            std::min<LONG>(r.bottom, height)};
  return isEmpty(c) ? RECT{0, 0, 0, 0} : c;
}

int nativeByteOrder() {
  const uint32_t one = 1;
  return *reinterpret_cast<const unsigned char*>(&one) == 1 ? LSBFirst : MSBFirst;
}

XImage* makeSharedImage(XShmSegmentInfo& segment, int width, int height) {
  X11Connection& c = x11();
  XImage* image =
      XShmCreateImage(c.display, c.visual, c.depth, ZPixmap, nullptr, &segment, width, height);
  if (!image) return nullptr;
  if (image->byte_order != nativeByteOrder() || image->bits_per_pixel != 32) {
    XDestroyImage(image);
    return nullptr;
  }
  segment.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * height, IPC_CREAT | 0600);
  if (segment.shmid < 0) {
    XDestroyImage(image);
    return nullptr;
  }
  segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  segment.readOnly = True;
  bool attached = false;
  if (segment.shmaddr != reinterpret_cast<char*>(-1)) {
    beginErrorTrap();
    XShmAttach(c.display, &segment);
    attached = !endErrorTrap();
  }
  // The segment goes away once both sides have detached from it.
  shmctl(segment.shmid, IPC_RMID, nullptr);
  if (attached) return image;
  if (segment.shmaddr != reinterpret_cast<char*>(-1)) shmdt(segment.shmaddr);
  image->data = nullptr;
  XDestroyImage(image);
  // A server that cannot attach (on another machine) never will.
  c.shm = false;
  layerDiagnostic("x11", "the X server cannot share memory with us; using XPutImage");
  return nullptr;
}

// XPutImage of `area` straight from the window's pixels.
void putFromPixels(const X11Window& window, const PixelBuffer& pixels, const RECT& area) {
  const X11Connection& c = x11();
  XImage* image = XCreateImage(c.display, c.visual, c.depth, ZPixmap, 0,
                               reinterpret_cast<char*>(pixels.pixels), pixels.width, pixels.height,
                               32, pixels.width * 4);
  if (!image) return;
  // The pixels are in this machine's order; Xlib converts for the server.
  image->byte_order = nativeByteOrder();
  XPutImage(c.display, window.id, window.picture.gc, image, area.left, area.top, area.left,
            area.top, area.right - area.left, area.bottom - area.top);
  image->data = nullptr;  // the window's, not the image's
  XDestroyImage(image);
}

// QUILLON_X11_PUTIMAGE=1: never use shared memory.
bool putImageForced() {
  static const bool forced = [] {
    const char* value = getenv("QUILLON_X11_PUTIMAGE");
    return value && strcmp(value, "1") == 0;
  }();
  return forced;
}

// Frees the window's shared image (its pixels, when they were lent).
void releaseImage(X11Picture& picture) {
  if (!picture.image) return;
  XShmDetach(x11().display, &picture.segment);
  shmdt(picture.segment.shmaddr);
  picture.image->data = nullptr;
  XDestroyImage(picture.image);
  picture.image = nullptr;
}

void clearPending(X11Picture& picture) {
  picture.dirty = RECT{0, 0, 0, 0};
  picture.exposed = RECT{0, 0, 0, 0};
}

void flushPicture(X11Window& window) {
  X11Picture& picture = window.picture;
  if (isEmpty(picture.dirty) && isEmpty(picture.exposed)) return;
  PixelBuffer pixels;
  if (window.gone || !nativeWindowPixels(window.handle, &pixels) || pixels.width <= 0 ||
      pixels.height <= 0) {
    clearPending(picture);
    return;
  }
  Display* display = x11().display;
  if (!picture.gc) picture.gc = XCreateGC(display, window.id, 0, nullptr);
  if (picture.width != pixels.width || picture.height != pixels.height) {
    // A new size: the server has nothing of the picture yet.
    picture.width = pixels.width;
    picture.height = pixels.height;
    picture.exposed = RECT{0, 0, pixels.width, pixels.height};
  }
  RECT send = clipTo(unite(picture.exposed, picture.dirty), pixels.width, pixels.height);
  clearPending(picture);
  if (isEmpty(send)) return;
  XImage* image = picture.image;
  if (image && reinterpret_cast<char*>(pixels.pixels) == image->data &&
      image->width == pixels.width && image->height == pixels.height) {
    // The window's own pixels, shared: the server reads them in place. No
    // completion event is asked for; drawing meanwhile into what the server
    // reads is presented again at the next flush.
    XShmPutImage(display, window.id, picture.gc, image, send.left, send.top, send.left, send.top,
                 send.right - send.left, send.bottom - send.top, False);
  } else {
    // No shared memory, or a picture composed with child windows.
    putFromPixels(window, pixels, send);
  }
}

// The part of `area` where what lay at `r` lands when the rows of `area`
// take what lay `dy` rows below them.
RECT movedInto(const RECT& r, const RECT& area, int dy) {
  RECT moved = {std::max<LONG>(r.left, area.left), std::max<LONG>(r.top - dy, area.top),
                std::min<LONG>(r.right, area.right), std::min<LONG>(r.bottom - dy, area.bottom)};
  return isEmpty(moved) ? RECT{0, 0, 0, 0} : moved;
}

}  // namespace

void x11Present(HWND handle, const RECT& area) {
  X11Window* window = x11WindowOf(handle);
  if (window) window->picture.dirty = unite(window->picture.dirty, area);
}

bool x11MovePixels(HWND handle, const RECT& area, int dy) {
  X11Window* window = x11WindowOf(handle);
  if (!window || window->gone || !window->picture.gc) return false;
  X11Picture& picture = window->picture;
  Display* display = x11().display;
  // What was presented but not sent yet is stale on the server, and the
  // copy carries it along: send it at both places.
  picture.dirty = unite(picture.dirty, movedInto(picture.dirty, area, dy));
  picture.exposed = unite(picture.exposed, movedInto(picture.exposed, area, dy));
  XCopyArea(display, window->id, window->id, picture.gc, area.left, area.top + dy,
            area.right - area.left, area.bottom - area.top, area.left, area.top);
  // The server answers the copy with GraphicsExpose events for the parts it
  // could not copy, or NoExpose; take them, and any expose that came in
  // meanwhile, which the copy may have carried along too.
  XSync(display, False);
  XEvent event;
  while (XCheckTypedWindowEvent(display, window->id, GraphicsExpose, &event)) {
    const XGraphicsExposeEvent& e = event.xgraphicsexpose;
    picture.exposed = unite(picture.exposed, RECT{e.x, e.y, e.x + e.width, e.y + e.height});
  }
  while (XCheckTypedWindowEvent(display, window->id, NoExpose, &event)) {
  }
  while (XCheckTypedWindowEvent(display, window->id, Expose, &event)) {
    const XExposeEvent& e = event.xexpose;
    RECT lost = {e.x, e.y, e.x + e.width, e.y + e.height};
    picture.exposed = unite(picture.exposed, unite(lost, movedInto(lost, area, dy)));
  }
  return true;
}

void pictureExposed(X11Window& window, const RECT& area) {
  window.picture.exposed = unite(window.picture.exposed, area);
}

void flushX11Pictures() {
  for (int i = 0; i < x11WindowCount(); ++i) flushPicture(*x11WindowAt(i));
  XFlush(x11().display);
}

void pictureSent(Drawable) {
  // Puts ask for no completion events any more (see flushPicture).
}

uint32_t* x11LendPixels(HWND handle, int width, int height) {
  X11Window* window = x11WindowOf(handle);
  if (!window || !x11().shm || putImageForced()) return nullptr;
  X11Picture& picture = window->picture;
  releaseImage(picture);
  XImage* image = makeSharedImage(picture.segment, width, height);
  if (!image) return nullptr;
  if (image->bytes_per_line != width * 4) {
    picture.image = image;
    releaseImage(picture);
    return nullptr;
  }
  picture.image = image;
  // The window keeps its black background: when it is mapped or exposed the
  // server paints black at once, until the picture arrives. Without one, what
  // lay below (a preview box's white, the desktop) would show until then.
  return reinterpret_cast<uint32_t*>(image->data);
}

void releasePicture(X11Window& window) {
  X11Picture& picture = window.picture;
  releaseImage(picture);
  if (picture.gc) XFreeGC(x11().display, picture.gc);
  picture = X11Picture();
}
