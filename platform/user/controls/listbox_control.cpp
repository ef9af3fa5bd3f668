// The LISTBOX control class, single selection: entries kept in insertion
// order, or with LBS_SORT in alphabetical order without regard to case (an
// entry equal to others goes after them). Drawn as a white sunken field
// (WS_BORDER) with a vertical scroll bar (WS_VSCROLL), the selected entry
// highlighted and, while focused, a focus rectangle on it.
//
// A click, the arrow keys, Page Up/Down, Home, End and a typed letter (the
// next entry that begins with it) select an entry and, with LBS_NOTIFY, send
// LBN_SELCHANGE when the selection changed; the mouse wheel and the scroll
// bar scroll. LB_SETCURSEL and the other messages never notify. Messages:
// LB_ADDSTRING, LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT,
// LB_GETCOUNT, LB_GETTEXT, LB_GETTEXTLEN, LB_GETCURSEL, LB_SETCURSEL,
// LB_FINDSTRING, LB_FINDSTRINGEXACT, LB_SELECTSTRING, LB_GETTOPINDEX,
// LB_SETTOPINDEX, LB_GETITEMHEIGHT.
#include <string.h>

#include <algorithm>
#include <map>
#include <vector>

#include "platform/user/controls/controls.h"

namespace {

struct ListState {
  std::vector<std::string> items;
  int selected = -1;
  int top = 0;
  bool focused = false;
};

std::map<HWND, ListState>& states() {
  static std::map<HWND, ListState> map;
  return map;
}

LONG styleOf(HWND list) { return LONG(GetWindowLongPtrA(list, GWL_STYLE)); }

int itemHeight(HWND list) { return fontHeight(list); }

RECT itemsArea(HWND list) {
  RECT r;
  GetClientRect(list, &r);
  if (styleOf(list) & WS_BORDER) InflateRect(&r, -2, -2);
  if (styleOf(list) & WS_VSCROLL) r.right -= kScrollBarWidth;
  return r;
}

int visibleCount(HWND list) {
  RECT r = itemsArea(list);
  int count = (r.bottom - r.top) / itemHeight(list);
  return count < 1 ? 1 : count;
}

void setTop(HWND list, ListState& s, int top) {
  int largest = int(s.items.size()) - visibleCount(list);
  if (top > largest) top = largest;
  if (top < 0) top = 0;
  if (top != s.top) {
    s.top = top;
    InvalidateRect(list, nullptr, FALSE);
  }
}

void makeVisible(HWND list, ListState& s, int index) {
  if (index < 0) return;
  if (index < s.top) setTop(list, s, index);
  else if (index >= s.top + visibleCount(list)) setTop(list, s, index - visibleCount(list) + 1);
}

// After every entry that sorts before or with `text` (binary search).
int sortedPlace(const ListState& s, const std::string& text) {
  auto place = std::upper_bound(s.items.begin(), s.items.end(), text,
                                [](const std::string& a, const std::string& b) {
                                  return compareNoCase(a, b) < 0;
                                });
  return int(place - s.items.begin());
}

int insert(HWND list, ListState& s, int index, const char* text) {
  if (index < 0 || index > int(s.items.size())) index = int(s.items.size());
  s.items.insert(s.items.begin() + index, text ? text : "");
  if (s.selected >= index) ++s.selected;
  InvalidateRect(list, nullptr, FALSE);
  return index;
}

// Win32's search: from the entry after `start` (-1: from the first),
// wrapping around, the first entry that begins with (or equals) `text`
// without regard to case.
int find(const ListState& s, WPARAM start, const char* text, bool exact) {
  int count = int(s.items.size());
  if (!text || count == 0) return LB_ERR;
  int first = int(INT_PTR(start));
  if (first < -1 || first >= count) first = -1;
  for (int step = 1; step <= count; ++step) {
    const std::string& item = s.items[(first + step) % count];
    if (exact ? compareNoCase(item, text) == 0 : startsWithNoCase(item, text))
      return (first + step) % count;
  }
  return LB_ERR;
}

void select(HWND list, ListState& s, int index, bool byUser) {
  if (index >= int(s.items.size())) index = int(s.items.size()) - 1;
  if (index < -1) index = -1;
  bool changed = index != s.selected;
  s.selected = index;
  makeVisible(list, s, index);
  if (changed) InvalidateRect(list, nullptr, FALSE);
  if (byUser && changed && (styleOf(list) & LBS_NOTIFY)) notifyParent(list, LBN_SELCHANGE);
}

void paintList(HWND list, const ListState& s) {
  ControlPaint p;
  beginControlPaint(list, &p);
  RECT r = p.client;
  if (styleOf(list) & WS_BORDER) drawSunkenEdge(p.dc, &r);
  if (styleOf(list) & WS_VSCROLL) {
    RECT bar = {r.right - kScrollBarWidth, r.top, r.right, r.bottom};
    drawVerticalScrollBar(p.dc, bar, s.top, visibleCount(list), int(s.items.size()));
    r.right -= kScrollBarWidth;
  }
  fillSysColor(p.dc, r, COLOR_WINDOW);
  int height = itemHeight(list);
  bool enabled = IsWindowEnabled(list) != FALSE;
  for (int i = s.top; i < int(s.items.size()); ++i) {
    int y = r.top + (i - s.top) * height;
    if (y >= r.bottom) break;
    RECT line = {r.left, y, r.right, y + height};
    bool selected = i == s.selected;
    if (selected) fillSysColor(p.dc, line, COLOR_HIGHLIGHT);
    SetTextColor(p.dc, GetSysColor(!enabled ? COLOR_GRAYTEXT
                                   : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = {line.left + 2, line.top, line.right, line.bottom};
    DrawTextA(p.dc, s.items[i].c_str(), int(s.items[i].size()), &textRect,
              DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    if (selected && s.focused) DrawFocusRect(p.dc, &line);
  }
  endControlPaint(&p);
}

int indexAt(HWND list, const ListState& s, int y) {
  RECT r = itemsArea(list);
  if (y < r.top) return s.top > 0 ? s.top - 1 : 0;
  int index = s.top + (y - r.top) / itemHeight(list);
  return index < int(s.items.size()) ? index : -2;
}

void clickScrollBar(HWND list, ListState& s, int y) {
  RECT r;
  GetClientRect(list, &r);
  if (styleOf(list) & WS_BORDER) InflateRect(&r, -2, -2);
  int visible = visibleCount(list);
  switch (scrollBarPart(y - r.top, r.bottom - r.top, s.top, visible, int(s.items.size()))) {
    case -2: setTop(list, s, s.top - 1); break;
    case -1: setTop(list, s, s.top - visible); break;
    case 1: setTop(list, s, s.top + visible); break;
    case 2: setTop(list, s, s.top + 1); break;
  }
}

void buttonDown(HWND list, ListState& s, LPARAM lParam) {
  int x = short(LOWORD(lParam)), y = short(HIWORD(lParam));
  // The list of a combo box leaves the focus in the combo box's edit field.
  if (!isComboBox(GetParent(list))) SetFocus(list);
  if (x >= itemsArea(list).right && (styleOf(list) & WS_VSCROLL)) {
    clickScrollBar(list, s, y);
    return;
  }
  int index = indexAt(list, s, y);
  if (index >= 0) select(list, s, index, true);
  if (index >= 0 && isComboBox(GetParent(list))) notifyParent(list, kListPickedCode);
}

bool keyDown(HWND list, ListState& s, WPARAM key) {
  int count = int(s.items.size());
  if (count == 0) return false;
  int page = visibleCount(list);
  int at = s.selected;
  switch (key) {
    case VK_UP: at = at < 0 ? 0 : at - 1; break;
    case VK_DOWN: at = at < 0 ? 0 : at + 1; break;
    case VK_PRIOR: at = at < 0 ? 0 : at - (page - 1); break;
    case VK_NEXT: at = at < 0 ? 0 : at + (page - 1); break;
    case VK_HOME: at = 0; break;
    case VK_END: at = count - 1; break;
    default: return false;
  }
  if (at < 0) at = 0;
  if (at >= count) at = count - 1;
  select(list, s, at, true);
  return true;
}

LRESULT copyItem(const ListState& s, WPARAM index, LPARAM buffer) {
  if (index >= s.items.size() || !buffer) return LB_ERR;
  const std::string& item = s.items[index];
  memcpy(reinterpret_cast<char*>(buffer), item.c_str(), item.size() + 1);
  return LRESULT(item.size());
}

}  // namespace

LRESULT CALLBACK listBoxControlProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (handleFontMessage(list, message, wParam, lParam, &result)) return result;
  ListState& s = states()[list];
  int count = int(s.items.size());
  switch (message) {
    case WM_PAINT:
      paintList(list, s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      buttonDown(list, s, lParam);
      return 0;
    case WM_MOUSEWHEEL:
      setTop(list, s, s.top - 3 * short(HIWORD(wParam)) / 120);
      return 0;
    case WM_KEYDOWN:
      if (keyDown(list, s, wParam)) return 0;
      break;
    case WM_CHAR: {
      char prefix[2] = {char(wParam), 0};
      int found = find(s, WPARAM(INT_PTR(s.selected)), prefix, false);
      if (found != LB_ERR) select(list, s, found, true);
      return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      s.focused = message == WM_SETFOCUS;
      InvalidateRect(list, nullptr, FALSE);
      return 0;
    case WM_ENABLE:
    case WM_SIZE:
      InvalidateRect(list, nullptr, FALSE);
      break;
    case LB_ADDSTRING: {
      const char* text = reinterpret_cast<const char*>(lParam);
      int place = (styleOf(list) & LBS_SORT) ? sortedPlace(s, text ? text : "") : count;
      return insert(list, s, place, text);
    }
    case LB_INSERTSTRING:
      if (INT_PTR(wParam) > count) return LB_ERR;
      return insert(list, s, int(INT_PTR(wParam)), reinterpret_cast<const char*>(lParam));
    case LB_DELETESTRING: {
      if (wParam >= size_t(count)) return LB_ERR;
      int index = int(wParam);
      s.items.erase(s.items.begin() + index);
      if (s.selected == index) s.selected = -1;
      else if (s.selected > index) --s.selected;
      setTop(list, s, s.top);
      InvalidateRect(list, nullptr, FALSE);
      return LRESULT(s.items.size());
    }
    case LB_RESETCONTENT:
      s.items.clear();
      s.selected = -1;
      s.top = 0;
      InvalidateRect(list, nullptr, FALSE);
      return 0;
    case LB_GETCOUNT:
      return count;
    case LB_GETTEXT:
      return copyItem(s, wParam, lParam);
    case LB_GETTEXTLEN:
      return wParam < size_t(count) ? LRESULT(s.items[wParam].size()) : LB_ERR;
    case LB_GETCURSEL:
      return s.selected;
    case LB_SETCURSEL:
      select(list, s, wParam < size_t(count) ? int(wParam) : -1, false);
      return wParam < size_t(count) ? LRESULT(wParam) : LB_ERR;
    case LB_FINDSTRING:
      return find(s, wParam, reinterpret_cast<const char*>(lParam), false);
    case LB_FINDSTRINGEXACT:
      return find(s, wParam, reinterpret_cast<const char*>(lParam), true);
    case LB_SELECTSTRING: {
      int found = find(s, wParam, reinterpret_cast<const char*>(lParam), false);
      if (found != LB_ERR) select(list, s, found, false);
      return found;
    }
    case LB_GETTOPINDEX:
      return s.top;
    case LB_SETTOPINDEX:
      if (wParam >= size_t(count) && count > 0) return LB_ERR;
      setTop(list, s, int(wParam));
      return 0;
    case kUserSelectMessage:
      if (wParam < size_t(count)) select(list, s, int(wParam), true);
      return 0;
    case LB_GETITEMHEIGHT:
      return itemHeight(list);
    case WM_NCDESTROY:
      states().erase(list);
      break;
  }
  return DefWindowProcA(list, message, wParam, lParam);
}
