// The headless driver's virtual screen: its native windows with their
// places and Z order, what lies under a point, and the picture of the whole
// screen. A window with a non-client area gets a plain one drawn around it:
// a grey frame and a dark blue title bar without text. Foreign windows (the preview's parent) are not drawn; they all lie
// at the screen's top-left corner with the size of QUILLON_FOREIGN_SIZE.
#ifndef QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_SCREEN_H
#define QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_SCREEN_H

#include <vector>

#include "platform/drivers/driver.h"

struct ScreenWindow {
  HWND window;
  NativeKind kind;
  RECT rect;        // screen coordinates
  bool resizable;
  bool visible;
  RECT frame;       // the non-client widths around `rect`, drawn as a plain frame
};

void screenAddWindow(HWND window, const NativeWindowSpec& wanted);
void screenRemoveWindow(HWND window);
void screenPlaceWindow(HWND window, const RECT& rect);
void screenShowWindow(HWND window, bool visible);
void screenRaiseWindow(HWND window);

// The topmost visible window containing the point; null for none.
HWND screenWindowAt(POINT point);
// The topmost visible window; with `topLevelOnly`, not counting children of
// foreign windows. Null for none.
const ScreenWindow* screenTopWindow(bool topLevelOnly);

// The visible windows drawn bottom to top over black, `width` x `height`.
void composeScreen(int width, int height, std::vector<uint32_t>* pixels);

#endif
