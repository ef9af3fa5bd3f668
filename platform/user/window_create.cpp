// Making and ending windows: CreateWindowExA, DestroyWindow, IsWindow,
// GetParent and IsChild.
//
// A window without WS_CHILD, or a child of another program's native window
// (the preview), gets a native window from the driver; children of the
// layer's own windows are drawn into their native ancestor's picture. A
// popup whose parent argument is one of the layer's windows is owned by it:
// it is destroyed with it, and GetParent returns it, as in Win32.
#include <stdio.h>

#include <algorithm>

#include "platform/drivers/driver.h"
#include "platform/internal/diagnostics.h"
#include "platform/internal/trace.h"
#include "platform/user/message_queue.h"
#include "platform/user/timers.h"
#include "platform/user/window.h"
#include "platform/user/window_class.h"
#include "platform/user/window_manager.h"

namespace {

constexpr int kLargestSide = 16384;  // bounds the pixel memory of one window

int boundedSide(int side) {
  if (side < 0) return 0;
  if (side > kLargestSide) {
    layerDiagnostic("user", "CreateWindowExA: a side of %d pixels is cut to %d", side, kLargestSide);
    return kLargestSide;
  }
  return side;
}

bool isFullScreen(DWORD style, const RECT& rect) {
  SIZE screen = displayDriver().screenSize();
  return (style & WS_POPUP) && !(style & (WS_THICKFRAME | WS_CAPTION)) && rect.left <= 0 &&
         rect.top <= 0 && rect.right >= screen.cx && rect.bottom >= screen.cy;
}

void sayNoFrame(DWORD style) {
  if (!(style & WS_THICKFRAME) || (style & WS_CAPTION) == WS_CAPTION) return;
  layerDiagnostic("user",
                  "a resizable window without a caption has no non-client area here: its "
                  "frame is left to the display driver, and its window rectangle is its "
                  "client rectangle");
}

bool makeNativeWindow(Window& window, HWND foreignParent, HWND foreignOwner) {
  NativeWindowSpec wanted = {};
  wanted.rect = window.rect;
  wanted.frame = window.frame;
  wanted.owner = window.owner ? topLevelOf(window.owner) : nullptr;
  wanted.foreignOwner = reinterpret_cast<uintptr_t>(foreignOwner);
  wanted.resizable = (window.style & WS_THICKFRAME) != 0;
  wanted.caption = (window.style & WS_CAPTION) == WS_CAPTION;
  wanted.visible = false;
  wanted.disabled = (window.style & WS_DISABLED) != 0;
  wanted.title = window.text.c_str();
  if (foreignParent) {
    wanted.kind = NativeKind::ForeignChild;
    wanted.foreignParent = reinterpret_cast<uintptr_t>(foreignParent);
  } else {
    wanted.kind = isFullScreen(window.style, window.rect) ? NativeKind::FullScreen : NativeKind::Popup;
  }
  if (!displayDriver().createWindow(window.handle, wanted)) return false;
  window.native = true;
  return true;
}

void unlinkFromSiblings(Window& window) {
  std::vector<HWND>* siblings = &topLevelWindows();
  if (window.parent && !window.foreignParent) {
    if (Window* parent = findWindow(window.parent)) siblings = &parent->children;
  }
  siblings->erase(std::remove(siblings->begin(), siblings->end(), window.handle), siblings->end());
}

// WM_DESTROY goes to the window first, then down to its children.
void sendDestroy(HWND handle) {
  activateOtherWindow(handle);
  SendMessageA(handle, WM_DESTROY, 0, 0);
  Window* window = findWindow(handle);
  if (!window) return;
  std::vector<HWND> children = window->children;
  for (HWND child : children) {
    if (Window* c = findWindow(child)) {
      c->destroying = true;
      sendDestroy(child);
    }
  }
}

// WM_NCDESTROY goes to the children first; then the window is gone.
void freeWindow(HWND handle) {
  Window* window = findWindow(handle);
  if (!window) return;
  std::vector<HWND> children = window->children;
  for (HWND child : children) freeWindow(child);
  SendMessageA(handle, WM_NCDESTROY, 0, 0);
  if (!(window = findWindow(handle))) return;
  killWindowTimers(handle);
  dropWindowMessages(handle);
  forgetInputWindow(handle);
  unlinkFromSiblings(*window);
  window->lentPixels = nullptr;  // the driver takes its memory back
  if (window->native) displayDriver().destroyWindow(handle);
  else if (window->parent && isVisible(*window)) {
    window->style &= ~DWORD(WS_VISIBLE);
    presentAll(*window);
  }
  if (traceEnabled()) traceEvent("destroy %s", windowLabel(handle).c_str());
  removeWindow(handle);
}

std::vector<HWND> ownedWindows(HWND owner) {
  std::vector<HWND> owned;
  for (HWND top : topLevelWindows()) {
    Window* w = findWindow(top);
    if (w && w->owner == owner) owned.push_back(top);
  }
  return owned;
}

}  // namespace

std::string windowLabel(HWND handle) {
  if (!handle) return "none";
  char label[32];
  if (Window* window = findWindow(handle))
    snprintf(label, sizeof label, "w%d", window->number);
  else
    snprintf(label, sizeof label, "x%lu", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(handle)));
  return label;
}

Window* windowOrError(HWND handle) {
  Window* window = findWindow(handle);
  if (!window) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return window;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                            int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
  Window* desktop = desktopWindow();
  const WindowClass* windowClass = findWindowClass(className);
  if (!windowClass) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  if (parent == desktop->handle) parent = nullptr;
  bool child = (style & WS_CHILD) != 0;
  if (child && !parent) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }
  Window* parentWindow = findWindow(parent);
  bool foreign = parent && !parentWindow;
  RECT foreignRect;
  if (foreign && !displayDriver().foreignWindowRect(reinterpret_cast<uintptr_t>(parent), &foreignRect)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  // A popup owned by another program's window: the display driver keeps it
  // above that window; there is nothing of ours to disable or activate.
  HWND foreignOwner = nullptr;
  if (foreign && !child) {
    foreignOwner = parent;
    parent = nullptr;
    foreign = false;
  }
  if (!child && !(style & WS_POPUP)) {
    // An overlapped window: Win32 places CW_USEDEFAULT windows by itself.
    SIZE screen = displayDriver().screenSize();
    if (x == CW_USEDEFAULT) x = y = 0;
    if (width == CW_USEDEFAULT) {
      width = screen.cx * 3 / 4;
      height = screen.cy * 3 / 4;
    }
  }
  if (x == CW_USEDEFAULT) x = y = 0;
  if (width == CW_USEDEFAULT) width = height = 0;
  sayNoFrame(style);

  Window* window = addWindow();
  HWND handle = window->handle;
  window->windowClass = windowClass;
  window->proc = windowClass->proc;
  window->style = style & ~DWORD(WS_VISIBLE);
  window->exStyle = exStyle;
  window->parent = child ? parent : nullptr;
  window->owner = child ? nullptr : parent;
  window->foreignParent = foreign;
  window->menu = menu;
  window->instance = instance;
  window->frame = nonClientFrame(style, child);
  window->rect = clientRectFor(*window, RECT{x, y, x + boundedSide(width), y + boundedSide(height)});

  if (child && !foreign) {
    parentWindow->children.insert(parentWindow->children.begin(), handle);
  } else {
    topLevelWindows().insert(topLevelWindows().begin(), handle);
    if (!makeNativeWindow(*window, foreign ? parent : nullptr, foreignOwner)) {
      layerDiagnostic("user", "CreateWindowExA: the display driver could not make the window");
      unlinkFromSiblings(*window);
      removeWindow(handle);
      SetLastError(ERROR_NOT_ENOUGH_MEMORY);
      return nullptr;
    }
  }
  resizePixels(*window, 0, 0);
  RECT outer = windowRectOf(*window);
  if (traceEnabled())
    traceEvent("create %s parent=%s %d,%d %dx%d", windowLabel(handle).c_str(),
               windowLabel(parent).c_str(), int(outer.left), int(outer.top),
               int(outer.right - outer.left), int(outer.bottom - outer.top));

  CREATESTRUCTA create = {param, instance, menu, parent, int(outer.bottom - outer.top),
                          int(outer.right - outer.left), int(outer.top), int(outer.left),
                          LONG(style), windowName, className, exStyle};
  // A window refused by WM_NCCREATE or WM_CREATE gets WM_NCDESTROY only, as
  // in Win32: it was never fully created, so it is not destroyed.
  if (!SendMessageA(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) ||
      !findWindow(handle) ||
      SendMessageA(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    freeWindow(handle);
    return nullptr;
  }
  if (!(window = findWindow(handle))) return nullptr;
  SendMessageA(handle, WM_SIZE, SIZE_RESTORED,
               MAKELPARAM(clientWidth(*window), clientHeight(*window)));
  if (!(window = findWindow(handle))) return nullptr;
  SendMessageA(handle, WM_MOVE, 0, MAKELPARAM(window->rect.left, window->rect.top));  // client origin
  if (!findWindow(handle)) return nullptr;
  if (style & WS_VISIBLE) ShowWindow(handle, SW_SHOW);
  return findWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND handle) {
  Window* window = windowOrError(handle);
  if (!window || window->desktop) return FALSE;
  if (window->destroying) return TRUE;
  window->destroying = true;
  for (HWND owned : ownedWindows(handle)) DestroyWindow(owned);
  if (!(window = findWindow(handle))) return TRUE;
  if (isVisible(*window)) {
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  HWND capture = GetCapture();
  if (capture && (capture == handle || IsChild(handle, capture))) ReleaseCapture();
  sendDestroy(handle);
  freeWindow(handle);
  return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) {
  if (findWindow(handle)) return TRUE;
  RECT rect;
  return handle && displayDriver().foreignWindowRect(reinterpret_cast<uintptr_t>(handle), &rect);
}

HWND WINAPI GetParent(HWND handle) {
  Window* window = windowOrError(handle);
  return window ? (window->parent ? window->parent : window->owner) : nullptr;
}

BOOL WINAPI IsChild(HWND parent, HWND handle) {
  Window* window = findWindow(handle);
  while (window && window->parent && !window->foreignParent) {
    if (window->parent == parent) return TRUE;
    window = findWindow(window->parent);
  }
  return FALSE;
}
