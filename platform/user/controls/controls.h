// What the control classes of platform/user/controls share: their window
// procedures (registered as system classes on first use), painting in the
// classic grey 3-D look, the font a control was given, notifications to the
// parent, and the private message by which a combo box's edit field hands
// it the keys that open and walk its list.
#ifndef QUILLON_PLATFORM_USER_CONTROLS_CONTROLS_H
#define QUILLON_PLATFORM_USER_CONTROLS_CONTROLS_H

#include <string>

#include <windows.h>

LRESULT CALLBACK staticControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK buttonControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK editControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK listBoxControlProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK comboBoxControlProc(HWND, UINT, WPARAM, LPARAM);

// Registers the dialog class and the control classes once.
void registerSystemClasses();

// A combo box's edit field passes a key (wParam: the virtual key, lParam:
// TRUE with Alt) to the combo box; the result is TRUE when it was used.
const UINT kComboKeyMessage = WM_USER + 0x3F00;
// The notification by which a combo box's list says that the user clicked
// an entry (which closes the list, whether or not the selection changed).
const WORD kListPickedCode = 0x7F01;
// A user's selection of entry wParam, as a click would make it, with the
// notification that goes with it (list boxes, combo boxes, colour cells).
const UINT kUserSelectMessage = WM_USER + 0x3F01;
// Whether a combo box's list is dropped (its edit field then keeps Enter
// and Escape for it).
bool comboIsDropped(HWND combo);
// Whether `window` is a combo box.
bool isComboBox(HWND window);
// Whether `window` is an edit control that hides its text behind a password
// character (ES_PASSWORD or EM_SETPASSWORDCHAR): the trace names no key
// delivered to it.
bool isPasswordEdit(HWND window);

// WM_SETFONT and WM_GETFONT, the same for every control; true when handled.
bool handleFontMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

// Painting with the control's font selected, the whole client area.
struct ControlPaint {
  HWND window;
  PAINTSTRUCT paint;
  HDC dc;
  RECT client;
  HGDIOBJ oldFont;
};
void beginControlPaint(HWND control, ControlPaint* paint);
void endControlPaint(ControlPaint* paint);

// A memory device context with the control's font selected, for measuring.
HDC measuringDC(HWND control);
void releaseMeasuringDC(HDC dc);
int textWidth(HDC dc, const std::string& text, size_t count);
int fontHeight(HWND control);

void fillSysColor(HDC dc, const RECT& rect, int index);
// The two-pixel sunken edge of a field inside `rect`, which shrinks by it.
void drawSunkenEdge(HDC dc, RECT* rect);
// A push button's face and edges; `framed` adds the default button's black
// frame.
void drawButtonFace(HDC dc, const RECT& rect, bool pressed, bool framed);
// A small black triangle pointing down (or up) centred in `rect`.
void drawArrow(HDC dc, const RECT& rect, bool down, bool enabled);
// A vertical scroll bar in `bar`: arrows, track and a thumb for `visible` of
// `total` lines from line `first`.
void drawVerticalScrollBar(HDC dc, const RECT& bar, int first, int visible, int total);
// Which part of a vertical scroll bar of height `height` a point at `y`
// hits: -2 the up arrow, -1 the track above the thumb, 1 below it, 2 the
// down arrow, 0 the thumb.
int scrollBarPart(int y, int height, int first, int visible, int total);
const int kScrollBarWidth = 16;

// WM_COMMAND to the parent: the control's id and `code`.
void notifyParent(HWND control, WORD code);

// Case-insensitive comparison of Windows-1252 texts, as the sorted controls
// order and search their entries.
int compareNoCase(const std::string& a, const std::string& b);
bool startsWithNoCase(const std::string& text, const char* prefix);

#endif
