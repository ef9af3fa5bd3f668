// The BUTTON control class, push buttons (BS_PUSHBUTTON and
// BS_DEFPUSHBUTTON): raised grey face, caption centred with its mnemonic
// underlined, a black frame when it is the default button, a sunken look
// while pressed, a focus rectangle while focused, grey text when disabled.
//
// A click (press and release of the left button over it) or Space (press
// and release) sends BN_CLICKED to the parent, only while it is enabled;
// BM_CLICK does the same. BM_SETSTYLE switches between push and default push
// button, which the dialog manager uses to make the default frame follow
// the focus. WM_GETDLGCODE says DLGC_BUTTON and DLGC_DEFPUSHBUTTON or
// DLGC_UNDEFPUSHBUTTON.
#include <map>

#include "platform/user/controls/controls.h"

namespace {

struct ButtonState {
  bool mouseDown = false;   // the left button went down on it (captured)
  bool spaceDown = false;
  bool pushedLook = false;  // drawn pressed
  bool focused = false;
};

std::map<HWND, ButtonState>& states() {
  static std::map<HWND, ButtonState> map;
  return map;
}

bool isDefault(HWND button) {
  return (GetWindowLongPtrA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

void paintButton(HWND button, const ButtonState& state) {
  ControlPaint p;
  beginControlPaint(button, &p);
  drawButtonFace(p.dc, p.client, state.pushedLook, isDefault(button) || state.focused);
  char text[256];
  int length = GetWindowTextA(button, text, sizeof text);
  RECT area = p.client;
  if (state.pushedLook) OffsetRect(&area, 1, 1);
  bool enabled = IsWindowEnabled(button) != FALSE;
  if (!enabled) {
    // The engraved look of a disabled caption: white, then grey over it.
    RECT shade = area;
    OffsetRect(&shade, 1, 1);
    SetTextColor(p.dc, GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextA(p.dc, text, length, &shade, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SetTextColor(p.dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(p.dc, text, length, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (state.focused) {
    RECT focus = {p.client.left + 4, p.client.top + 4, p.client.right - 4, p.client.bottom - 4};
    DrawFocusRect(p.dc, &focus);
  }
  endControlPaint(&p);
}

void setPushedLook(HWND button, ButtonState& state, bool pushed) {
  if (state.pushedLook == pushed) return;
  state.pushedLook = pushed;
  InvalidateRect(button, nullptr, FALSE);
}

void click(HWND button) {
  if (IsWindowEnabled(button)) notifyParent(button, BN_CLICKED);
}

bool pointInside(HWND button, LPARAM lParam) {
  RECT client;
  GetClientRect(button, &client);
  int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
  return x >= 0 && y >= 0 && x < client.right && y < client.bottom;
}

}  // namespace

LRESULT CALLBACK buttonControlProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (handleFontMessage(button, message, wParam, lParam, &result)) return result;
  ButtonState& state = states()[button];
  switch (message) {
    case WM_PAINT:
      paintButton(button, state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | (isDefault(button) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      state.mouseDown = true;
      SetCapture(button);
      SetFocus(button);
      setPushedLook(button, states()[button], true);
      return 0;
    case WM_MOUSEMOVE:
      if (state.mouseDown) setPushedLook(button, state, pointInside(button, lParam));
      return 0;
    case WM_LBUTTONUP:
      if (!state.mouseDown) return 0;
      state.mouseDown = false;
      ReleaseCapture();
      setPushedLook(button, states()[button], false);
      if (pointInside(button, lParam)) click(button);
      return 0;
    case WM_CAPTURECHANGED:
      if (state.mouseDown && reinterpret_cast<HWND>(lParam) != button) {
        state.mouseDown = false;
        setPushedLook(button, state, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        state.spaceDown = true;
        setPushedLook(button, state, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && state.spaceDown) {
        state.spaceDown = false;
        setPushedLook(button, states()[button], false);
        click(button);
      }
      return 0;
    case WM_SETFOCUS:
      state.focused = true;
      InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_KILLFOCUS:
      state.focused = false;
      state.spaceDown = false;
      if (!state.mouseDown) setPushedLook(button, state, false);
      InvalidateRect(button, nullptr, FALSE);
      return 0;
    case WM_ENABLE:
    case WM_SETTEXT:
      InvalidateRect(button, nullptr, FALSE);
      break;
    case BM_CLICK:
      click(button);
      return 0;
    case BM_SETSTYLE: {
      LONG style = LONG(GetWindowLongPtrA(button, GWL_STYLE));
      SetWindowLongPtrA(button, GWL_STYLE, (style & ~LONG(BS_TYPEMASK)) | LONG(wParam & BS_TYPEMASK));
      if (lParam) InvalidateRect(button, nullptr, FALSE);
      return 0;
    }
    case BM_GETSTATE:
      return (state.pushedLook ? BST_PUSHED : 0) | (state.focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      setPushedLook(button, state, wParam != 0);
      return 0;
    case WM_NCDESTROY:
      states().erase(button);
      break;
  }
  return DefWindowProcA(button, message, wParam, lParam);
}
