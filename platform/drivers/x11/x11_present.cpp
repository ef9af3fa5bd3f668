// Presenting windows' pixels on the X server: present, and the flush that
// the driver runs before it waits for events.
//
// Each window keeps an image of its size holding the picture the server was
// last sent. A flush compares the changed rectangles with that image, copies
// only the pixels that differ and sends only their bounding box, so a frame
// costs about one copy of the changed rectangle plus the transfer of what
// really changed. With MIT-SHM the image lives in shared memory and the
// server reads it in place; the driver then waits for the server to finish
// before it writes the image again.
#include "platform/drivers/x11/x11_present.h"

#include <stdlib.h>
#include <string.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>

#include <X11/Xutil.h>

#include "platform/drivers/x11/x11_connection.h"
#include "platform/internal/diagnostics.h"
#include "platform/internal/pixel_runs.h"

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

XImage* makeClientImage(int width, int height) {
  const X11Connection& c = x11();
  char* data = static_cast<char*>(calloc(size_t(width) * height, 4));
  if (!data) return nullptr;
  XImage* image = XCreateImage(c.display, c.visual, c.depth, ZPixmap, 0, data, width, height, 32,
                               width * 4);
  if (!image) {
    free(data);
    return nullptr;
  }
  // The pixels are in this machine's order; Xlib converts for the server.
  image->byte_order = nativeByteOrder();
  return image;
}

bool makePicture(X11Window& window, int width, int height) {
  X11Picture& picture = window.picture;
  picture.image = nullptr;
  if (x11().shm) picture.image = makeSharedImage(picture.segment, width, height);
  picture.shared = picture.image != nullptr;
  if (!picture.image) picture.image = makeClientImage(width, height);
  if (!picture.image) return false;
  picture.gc = XCreateGC(x11().display, window.id, 0, nullptr);
  return true;
}

uint32_t* imageRow(XImage* image, int y) {
  return reinterpret_cast<uint32_t*>(image->data + size_t(y) * image->bytes_per_line);
}

void copyArea(const PixelBuffer& from, XImage* image, const RECT& area) {
  for (int y = area.top; y < area.bottom; ++y)
    memcpy(imageRow(image, y) + area.left, from.pixels + size_t(y) * from.width + area.left,
           size_t(area.right - area.left) * 4);
}

// Copies the pixels of `area` that differ from the image into it; returns
// the bounding box of those pixels.
RECT copyChanges(const PixelBuffer& from, XImage* image, const RECT& area) {
  RECT changed = {0, 0, 0, 0};
  int width = area.right - area.left;
  for (int y = area.top; y < area.bottom; ++y) {
    const uint32_t* source = from.pixels + size_t(y) * from.width + area.left;
    uint32_t* target = imageRow(image, y) + area.left;
    // Most rows are unchanged: one memcmp tells at the speed of memory.
    if (memcmp(source, target, size_t(width) * 4) == 0) continue;
    int first = firstDifferentPixel(source, target, width);
    int end = endOfDifferentPixels(source, target, width);
    memcpy(target + first, source + first, size_t(end - first) * 4);
    changed = unite(changed, RECT{area.left + first, y, area.left + end, y + 1});
  }
  return changed;
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
  XImage* image = picture.image;
  if (!image || image->width != pixels.width || image->height != pixels.height) {
    releasePicture(window);
    if (!makePicture(window, pixels.width, pixels.height)) {
      layerDiagnostic("x11", "no memory for a %dx%d picture", pixels.width, pixels.height);
      clearPending(picture);
      return;
    }
    image = picture.image;
    picture.exposed = RECT{0, 0, pixels.width, pixels.height};
  }
  if (picture.putInFlight) {
    XSync(display, False);
    picture.putInFlight = false;
  }
  RECT exposed = clipTo(picture.exposed, pixels.width, pixels.height);
  RECT dirty = clipTo(picture.dirty, pixels.width, pixels.height);
  clearPending(picture);
  copyArea(pixels, image, exposed);
  RECT send = unite(exposed, copyChanges(pixels, image, dirty));
  if (isEmpty(send)) return;
  int width = send.right - send.left, height = send.bottom - send.top;
  if (picture.shared) {
    XShmPutImage(display, window.id, picture.gc, image, send.left, send.top, send.left, send.top,
                 width, height, True);
    picture.putInFlight = true;
  } else {
    XPutImage(display, window.id, picture.gc, image, send.left, send.top, send.left, send.top,
              width, height);
  }
}

}  // namespace

void x11Present(HWND handle, const RECT& area) {
  X11Window* window = x11WindowOf(handle);
  if (window) window->picture.dirty = unite(window->picture.dirty, area);
}

void pictureExposed(X11Window& window, const RECT& area) {
  window.picture.exposed = unite(window.picture.exposed, area);
}

void flushX11Pictures() {
  for (int i = 0; i < x11WindowCount(); ++i) flushPicture(*x11WindowAt(i));
  XFlush(x11().display);
}

void pictureSent(Drawable drawable) {
  if (X11Window* window = x11WindowWithId(drawable)) window->picture.putInFlight = false;
}

void releasePicture(X11Window& window) {
  X11Picture& picture = window.picture;
  Display* display = x11().display;
  if (picture.image) {
    if (picture.shared) {
      XShmDetach(display, &picture.segment);
      shmdt(picture.segment.shmaddr);
      picture.image->data = nullptr;
    }
    XDestroyImage(picture.image);
  }
  if (picture.gc) XFreeGC(display, picture.gc);
  picture = X11Picture();
}
