// The COMBOBOX control class, CBS_DROPDOWN: an edit field (a child EDIT
// control, as in Win32), a button, and a list (a child LISTBOX control)
// that drops below them. The template's height is the height with the list
// dropped: closed, the combo box is as high as its edit field; dropped, it
// takes that height again, on top of its sibling controls.
//
// The list opens on a click on the button (or the field of a
// CBS_DROPDOWNLIST), F4 or Alt+Down, and closes on a click on an entry,
// F4, Alt+Up, Enter or Escape, or when the focus leaves. Up and Down in the
// edit field walk the list without opening it. Choosing an entry puts its
// text into the edit field and sends CBN_SELCHANGE; typing sends
// CBN_EDITCHANGE. WM_GETTEXT and WM_SETTEXT are the edit field's text. The
// CB_ messages are the list's LB_ messages (CB_FINDSTRING and
// CB_SELECTSTRING with Win32's prefix rules; CB_SELECTSTRING and
// CB_SETCURSEL also set the edit field's text and do not notify).
#include <strings.h>

#include <map>

#include "platform/user/controls/controls.h"
#include "platform/user/dialog.h"
#include "platform/user/window.h"

namespace {

const int kEditId = 1001;  // Win32's id of a combo box's edit field
const int kListId = 1000;

struct ComboState {
  HWND edit = nullptr;
  HWND list = nullptr;
  int droppedHeight = 0;  // the height the template gave
  int closedHeight = 0;
  bool dropped = false;
  bool buttonDown = false;
};

std::map<HWND, ComboState>& states() {
  static std::map<HWND, ComboState> map;
  return map;
}

ComboState* stateOf(HWND combo) {
  auto it = states().find(combo);
  return it == states().end() ? nullptr : &it->second;
}

RECT buttonRect(HWND combo, const ComboState& s) {
  RECT client;
  GetClientRect(combo, &client);
  return RECT{client.right - 2 - kScrollBarWidth, 2, client.right - 2, s.closedHeight - 2};
}

void layout(HWND combo, ComboState& s) {
  int height = fontHeight(combo);
  s.closedHeight = height + 8;
  RECT client;
  GetClientRect(combo, &client);
  int width = client.right;
  if (s.edit) MoveWindow(s.edit, 3, 3, width - 6 - kScrollBarWidth, height + 2, TRUE);
  if (s.list) MoveWindow(s.list, 0, s.closedHeight, width, s.droppedHeight - s.closedHeight, TRUE);
  if (!s.dropped) SetWindowPos(combo, nullptr, 0, 0, width, s.closedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void showList(HWND combo, ComboState& s, bool drop) {
  if (s.dropped == drop) return;
  s.dropped = drop;
  RECT client;
  GetClientRect(combo, &client);
  if (drop) {
    notifyParent(combo, CBN_DROPDOWN);
    int selected = int(SendMessageA(s.list, LB_GETCURSEL, 0, 0));
    if (selected >= 0) SendMessageA(s.list, LB_SETTOPINDEX, WPARAM(selected), 0);
    SetWindowPos(combo, HWND_TOP, 0, 0, client.right, s.droppedHeight, SWP_NOMOVE | SWP_NOACTIVATE);
    ShowWindow(s.list, SW_SHOWNA);
  } else {
    ShowWindow(s.list, SW_HIDE);
    SetWindowPos(combo, nullptr, 0, 0, client.right, s.closedHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    notifyParent(combo, CBN_CLOSEUP);
  }
  InvalidateRect(combo, nullptr, FALSE);
}

// The list's selection becomes the edit field's text.
void takeSelection(ComboState& s) {
  int selected = int(SendMessageA(s.list, LB_GETCURSEL, 0, 0));
  if (selected < 0) return;
  int length = int(SendMessageA(s.list, LB_GETTEXTLEN, WPARAM(selected), 0));
  std::string text(size_t(length) + 1, '\0');
  SendMessageA(s.list, LB_GETTEXT, WPARAM(selected), reinterpret_cast<LPARAM>(&text[0]));
  text.resize(size_t(length));
  SetWindowTextA(s.edit, text.c_str());
  SendMessageA(s.edit, EM_SETSEL, 0, -1);
}

bool comboKey(HWND combo, ComboState& s, WPARAM key, bool alt) {
  if (key == VK_F4 || (alt && (key == VK_DOWN || key == VK_UP))) {
    showList(combo, s, !s.dropped);
    return true;
  }
  if (s.dropped && (key == VK_RETURN || key == VK_ESCAPE)) {
    showList(combo, s, false);
    return true;
  }
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT) {
    // The list's own keys move its selection, which notifies us.
    SendMessageA(s.list, WM_KEYDOWN, key, 0);
    return true;
  }
  return false;
}

void paintCombo(HWND combo, const ComboState& s) {
  ControlPaint p;
  beginControlPaint(combo, &p);
  RECT closed = {0, 0, p.client.right, s.closedHeight};
  RECT inner = closed;
  drawSunkenEdge(p.dc, &inner);
  fillSysColor(p.dc, inner, IsWindowEnabled(combo) ? COLOR_WINDOW : COLOR_BTNFACE);
  RECT button = buttonRect(combo, s);
  drawButtonFace(p.dc, button, s.buttonDown, false);
  drawArrow(p.dc, button, true, IsWindowEnabled(combo) != FALSE);
  endControlPaint(&p);
}

LRESULT listMessage(ComboState& s, UINT message, WPARAM wParam, LPARAM lParam) {
  // CB_ADDSTRING .. CB_FINDSTRING and the rest map one to one.
  static const struct {
    UINT combo, list;
  } kMap[] = {{CB_ADDSTRING, LB_ADDSTRING},       {CB_DELETESTRING, LB_DELETESTRING},
              {CB_GETCOUNT, LB_GETCOUNT},         {CB_GETCURSEL, LB_GETCURSEL},
              {CB_GETLBTEXT, LB_GETTEXT},         {CB_GETLBTEXTLEN, LB_GETTEXTLEN},
              {CB_INSERTSTRING, LB_INSERTSTRING}, {CB_FINDSTRING, LB_FINDSTRING},
              {CB_FINDSTRINGEXACT, LB_FINDSTRINGEXACT}};
  for (const auto& m : kMap)
    if (m.combo == message) return SendMessageA(s.list, m.list, wParam, lParam);
  return CB_ERR;
}

}  // namespace

bool isComboBox(HWND window) {
  Window* record = findWindow(window);
  return record && record->windowClass && strcasecmp(record->windowClass->name.c_str(), "COMBOBOX") == 0;
}

bool comboIsDropped(HWND combo) {
  ComboState* s = stateOf(combo);
  return s && s->dropped;
}

LRESULT CALLBACK comboBoxControlProc(HWND combo, UINT message, WPARAM wParam, LPARAM lParam) {
  ComboState* s = stateOf(combo);
  switch (message) {
    case WM_CREATE: {
      ComboState& made = states()[combo];
      const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      made.droppedHeight = create->cy;
      HINSTANCE instance = create->hInstance;
      made.edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 0, 0,
                                  combo, reinterpret_cast<HMENU>(kEditId), instance, nullptr);
      made.list = CreateWindowExA(0, "LISTBOX", "",
                                  WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                                      ((create->style & CBS_SORT) ? LBS_SORT : 0),
                                  0, 0, 0, 0, combo, reinterpret_cast<HMENU>(kListId), instance, nullptr);
      if (!made.edit || !made.list) return -1;
      layout(combo, made);
      return 0;
    }
    case WM_NCDESTROY:
      states().erase(combo);
      return DefWindowProcA(combo, message, wParam, lParam);
  }
  if (!s) return DefWindowProcA(combo, message, wParam, lParam);
  switch (message) {
    case WM_SETFONT:
      SendMessageA(s->edit, WM_SETFONT, wParam, lParam);
      SendMessageA(s->list, WM_SETFONT, wParam, lParam);
      {
        LRESULT ignored;
        handleFontMessage(combo, message, wParam, lParam, &ignored);
      }
      layout(combo, *s);
      return 0;
    case WM_GETFONT: {
      LRESULT font;
      handleFontMessage(combo, message, wParam, lParam, &font);
      return font;
    }
    case WM_PAINT:
      paintCombo(combo, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS:
      setDialogFocus(nullptr, s->edit);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTCHARS | DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT at = {short(LOWORD(lParam)), short(HIWORD(lParam))};
      RECT button = buttonRect(combo, *s);
      if (PtInRect(&button, at)) {
        SetFocus(s->edit);
        showList(combo, *s, !s->dropped);
      }
      return 0;
    }
    case WM_SETTEXT:
      return SendMessageA(s->edit, WM_SETTEXT, wParam, lParam);
    case WM_GETTEXT:
      return SendMessageA(s->edit, WM_GETTEXT, wParam, lParam);
    case WM_GETTEXTLENGTH:
      return SendMessageA(s->edit, WM_GETTEXTLENGTH, wParam, lParam);
    case WM_ENABLE:
      EnableWindow(s->edit, BOOL(wParam));
      InvalidateRect(combo, nullptr, FALSE);
      return 0;
    case WM_COMMAND: {
      HWND from = reinterpret_cast<HWND>(lParam);
      WORD code = HIWORD(wParam);
      if (from == s->list && code == LBN_SELCHANGE) {
        takeSelection(*s);
        notifyParent(combo, CBN_SELCHANGE);
      } else if (from == s->list && code == kListPickedCode) {
        showList(combo, *s, false);
      } else if (from == s->edit && code == EN_CHANGE && GetFocus() == s->edit) {
        notifyParent(combo, CBN_EDITCHANGE);
      } else if (from == s->edit && code == EN_KILLFOCUS) {
        showList(combo, *s, false);
      }
      return 0;
    }
    case kComboKeyMessage:
      return comboKey(combo, *s, wParam, lParam != 0);
    case CB_SELECTSTRING: {
      LRESULT found = SendMessageA(s->list, LB_FINDSTRING, wParam, lParam);
      if (found == LB_ERR) return CB_ERR;
      SendMessageA(s->list, LB_SETCURSEL, WPARAM(found), 0);
      takeSelection(*s);
      return found;
    }
    case CB_SETCURSEL: {
      LRESULT result = SendMessageA(s->list, LB_SETCURSEL, wParam, 0);
      if (result == LB_ERR) SetWindowTextA(s->edit, "");
      else takeSelection(*s);
      return result;
    }
    case CB_RESETCONTENT:
      SendMessageA(s->list, LB_RESETCONTENT, 0, 0);
      SetWindowTextA(s->edit, "");
      return 0;
    case kUserSelectMessage:
      return SendMessageA(s->list, kUserSelectMessage, wParam, lParam);
    case CB_SHOWDROPDOWN:
      showList(combo, *s, wParam != 0);
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return s->dropped;
    case CB_LIMITTEXT:
      return SendMessageA(s->edit, EM_LIMITTEXT, wParam, 0);
    case CB_GETEDITSEL:
      return SendMessageA(s->edit, EM_GETSEL, wParam, lParam);
    case CB_SETEDITSEL:
      SendMessageA(s->edit, EM_SETSEL, LOWORD(lParam), short(HIWORD(lParam)));
      return TRUE;
    case CB_ADDSTRING:
    case CB_DELETESTRING:
    case CB_GETCOUNT:
    case CB_GETCURSEL:
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_INSERTSTRING:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
      return listMessage(*s, message, wParam, lParam);
  }
  return DefWindowProcA(combo, message, wParam, lParam);
}
