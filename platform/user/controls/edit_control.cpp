// The EDIT control class, single line: the text is the window text (so
// WM_GETTEXT and WM_GETTEXTLENGTH are DefWindowProcA's), with a caret, a
// selection, and horizontal scrolling that keeps the caret in view.
//
// Keys: characters replace the selection; Backspace and Delete; Left,
// Right, Home and End, extending the selection with Shift; Ctrl+A selects
// all; Ctrl+C and Ctrl+Insert copy, Ctrl+X and Shift+Delete cut, Ctrl+V and
// Shift+Insert paste (WM_COPY, WM_CUT, WM_PASTE, WM_CLEAR). The mouse
// places the caret and drags a selection. EN_CHANGE goes to the parent after
// every change of the text, WM_SETTEXT included; EN_SETFOCUS and
// EN_KILLFOCUS with the focus. With ES_PASSWORD every character shows as
// "*" (EM_SETPASSWORDCHAR changes it) and nothing can be copied or cut out
// of it. With ES_NUMBER only digits can be typed. EM_SETSEL, EM_GETSEL, EM_REPLACESEL and EM_LIMITTEXT as in Win32.
// Lines breaks pasted into it are kept as they come: the layer has no
// multi-line edit.
#include <map>

#include "platform/user/clipboard.h"
#include "platform/user/controls/controls.h"
#include "platform/user/window.h"

namespace {

struct EditState {
  size_t caret = 0;
  size_t anchor = 0;      // the other end of the selection
  int scroll = 0;         // pixels of the text scrolled out on the left
  bool focused = false;
  bool dragging = false;
  char passwordChar = 0;
  size_t limit = 30000;   // Win32's default for a single-line edit
};

std::map<HWND, EditState>& states() {
  static std::map<HWND, EditState> map;
  return map;
}

std::string& textOf(HWND edit) {
  static std::string none;
  Window* window = findWindow(edit);
  return window ? window->text : none;
}

// What is drawn: the text, or the password character for each of its bytes.
std::string shownText(HWND edit, const EditState& state) {
  const std::string& text = textOf(edit);
  return state.passwordChar ? std::string(text.size(), state.passwordChar) : text;
}

}  // namespace

bool isPasswordEdit(HWND window) {
  auto found = states().find(window);
  return found != states().end() && found->second.passwordChar != 0;
}

namespace {

size_t selectionStart(const EditState& s) { return s.caret < s.anchor ? s.caret : s.anchor; }
size_t selectionEnd(const EditState& s) { return s.caret < s.anchor ? s.anchor : s.caret; }

RECT textArea(HWND edit) {
  RECT r;
  GetClientRect(edit, &r);
  if (GetWindowLongPtrA(edit, GWL_STYLE) & WS_BORDER) InflateRect(&r, -2, -2);
  r.left += 1;
  r.right -= 1;
  return r;
}

// Scrolls so that the caret lies inside the text area.
void keepCaretVisible(HWND edit, EditState& state) {
  HDC dc = measuringDC(edit);
  std::string shown = shownText(edit, state);
  int caretX = textWidth(dc, shown, state.caret);
  int full = textWidth(dc, shown, shown.size());
  releaseMeasuringDC(dc);
  RECT area = textArea(edit);
  int width = area.right - area.left;
  if (caretX - state.scroll > width - 1) state.scroll = caretX - width + 1 + width / 4;
  if (caretX - state.scroll < 0) state.scroll = caretX - width / 4;
  if (state.scroll > full - width + 1) state.scroll = full - width + 1;
  if (state.scroll < 0) state.scroll = 0;
}

void changed(HWND edit, EditState& state) {
  keepCaretVisible(edit, state);
  InvalidateRect(edit, nullptr, FALSE);
}

// Replaces the selection by `text` (cut to the limit) and tells the parent.
void replaceSelection(HWND edit, EditState& state, const std::string& inserted) {
  std::string& text = textOf(edit);
  size_t start = selectionStart(state), end = selectionEnd(state);
  std::string piece = inserted;
  size_t room = state.limit > text.size() - (end - start) ? state.limit - (text.size() - (end - start)) : 0;
  if (piece.size() > room) piece.resize(room);
  if (piece.empty() && start == end) return;
  text.replace(start, end - start, piece);
  state.caret = state.anchor = start + piece.size();
  changed(edit, state);
  notifyParent(edit, EN_CHANGE);
}

void moveCaret(HWND edit, EditState& state, size_t to, bool extend) {
  state.caret = to;
  if (!extend) state.anchor = to;
  changed(edit, state);
}

size_t positionAt(HWND edit, const EditState& state, int x) {
  std::string shown = shownText(edit, state);
  HDC dc = measuringDC(edit);
  int target = x - textArea(edit).left + state.scroll;
  size_t best = 0;
  for (size_t i = 1; i <= shown.size(); ++i) {
    int before = textWidth(dc, shown, i - 1), after = textWidth(dc, shown, i);
    if (target >= (before + after) / 2) best = i;
  }
  releaseMeasuringDC(dc);
  return best;
}

void copySelection(HWND edit, const EditState& state) {
  if (state.passwordChar || state.caret == state.anchor) return;
  size_t start = selectionStart(state);
  setClipboardText(textOf(edit).substr(start, selectionEnd(state) - start));
}

void paintEdit(HWND edit, const EditState& state) {
  ControlPaint p;
  beginControlPaint(edit, &p);
  RECT r = p.client;
  if (GetWindowLongPtrA(edit, GWL_STYLE) & WS_BORDER) drawSunkenEdge(p.dc, &r);
  bool enabled = IsWindowEnabled(edit) != FALSE;
  fillSysColor(p.dc, r, enabled ? COLOR_WINDOW : COLOR_BTNFACE);
  RECT area = textArea(edit);
  std::string shown = shownText(edit, state);
  int x = area.left - state.scroll, y = area.top + 1;
  SetTextColor(p.dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  TEXTMETRICA tm;
  GetTextMetricsA(p.dc, &tm);
  size_t start = selectionStart(state), end = selectionEnd(state);
  bool selection = state.focused && start != end;
  // Text before, in and after the selection, each drawn at its place.
  size_t cuts[4] = {0, selection ? start : shown.size(), selection ? end : shown.size(), shown.size()};
  for (int part = 0; part < 3; ++part) {
    size_t from = cuts[part], to = cuts[part + 1];
    if (from >= to) continue;
    int left = x + textWidth(p.dc, shown, from);
    int right = x + textWidth(p.dc, shown, to);
    if (part == 1) {
      RECT band = {left, y, right, y + tm.tmHeight};
      fillSysColor(p.dc, band, COLOR_HIGHLIGHT);
      SetTextColor(p.dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    } else {
      SetTextColor(p.dc, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
    RECT place = {left, y, right, y + tm.tmHeight};
    DrawTextA(p.dc, shown.data() + from, int(to - from), &place, DT_NOPREFIX | DT_SINGLELINE);
  }
  if (state.focused) {
    int caretX = x + textWidth(p.dc, shown, state.caret);
    RECT caret = {caretX, y, caretX + 1, y + tm.tmHeight};
    fillSysColor(p.dc, caret, COLOR_WINDOWTEXT);
  }
  // The borders again: text scrolled to the edge must not cover them.
  RECT outside = p.client;
  if (GetWindowLongPtrA(edit, GWL_STYLE) & WS_BORDER) drawSunkenEdge(p.dc, &outside);
  endControlPaint(&p);
}

bool keyDown(HWND edit, EditState& state, WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  HWND parent = GetParent(edit);
  if (isComboBox(parent) &&
      SendMessageA(parent, kComboKeyMessage, key, FALSE))
    return true;
  size_t length = textOf(edit).size();
  switch (key) {
    case VK_LEFT:
      if (!shift && state.caret != state.anchor) moveCaret(edit, state, selectionStart(state), false);
      else moveCaret(edit, state, state.caret > 0 ? state.caret - 1 : 0, shift);
      return true;
    case VK_RIGHT:
      if (!shift && state.caret != state.anchor) moveCaret(edit, state, selectionEnd(state), false);
      else moveCaret(edit, state, state.caret < length ? state.caret + 1 : length, shift);
      return true;
    case VK_HOME:
      moveCaret(edit, state, 0, shift);
      return true;
    case VK_END:
      moveCaret(edit, state, length, shift);
      return true;
    case VK_DELETE:
      if (shift) {
        SendMessageA(edit, WM_CUT, 0, 0);
      } else {
        if (state.caret == state.anchor && state.caret < length) state.anchor = state.caret + 1;
        replaceSelection(edit, state, "");
      }
      return true;
    case VK_INSERT:
      if (shift) SendMessageA(edit, WM_PASTE, 0, 0);
      else if (ctrl) SendMessageA(edit, WM_COPY, 0, 0);
      return true;
  }
  return false;
}

void character(HWND edit, EditState& state, unsigned char c) {
  switch (c) {
    case 1:  // Ctrl+A
      state.anchor = 0;
      moveCaret(edit, state, textOf(edit).size(), true);
      return;
    case 3: SendMessageA(edit, WM_COPY, 0, 0); return;    // Ctrl+C
    case 22: SendMessageA(edit, WM_PASTE, 0, 0); return;  // Ctrl+V
    case 24: SendMessageA(edit, WM_CUT, 0, 0); return;    // Ctrl+X
    case 8:  // Backspace
      if (state.caret == state.anchor && state.caret > 0) state.anchor = state.caret - 1;
      replaceSelection(edit, state, "");
      return;
  }
  if (c < 32 || c == 127) return;
  // ES_NUMBER takes only digits from the keyboard; a paste is not checked.
  // Win32 also shows a balloon tip about the refused character.
  if ((GetWindowLongPtrA(edit, GWL_STYLE) & ES_NUMBER) && (c < '0' || c > '9')) return;
  replaceSelection(edit, state, std::string(1, char(c)));
}

void setSelection(HWND edit, EditState& state, WPARAM from, LPARAM to) {
  size_t length = textOf(edit).size();
  long start = long(INT_PTR(from)), end = long(to);
  if (start == -1) {  // removes the selection, caret stays
    state.anchor = state.caret;
  } else {
    if (end < 0 || size_t(end) > length) end = long(length);
    if (start < 0 || size_t(start) > length) start = long(length);
    state.anchor = size_t(start);
    state.caret = size_t(end);
  }
  changed(edit, state);
}

}  // namespace

LRESULT CALLBACK editControlProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result;
  if (handleFontMessage(edit, message, wParam, lParam, &result)) return result;
  EditState& state = states()[edit];
  switch (message) {
    case WM_CREATE:
      if (GetWindowLongPtrA(edit, GWL_STYLE) & ES_PASSWORD) state.passwordChar = '*';
      return 0;
    case WM_PAINT:
      paintEdit(edit, state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      const MSG* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
          isComboBox(GetParent(edit)) && comboIsDropped(GetParent(edit)))
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_SETTEXT:
      DefWindowProcA(edit, message, wParam, lParam);
      if (textOf(edit).size() > state.limit) textOf(edit).resize(state.limit);
      state.caret = state.anchor = 0;
      state.scroll = 0;
      InvalidateRect(edit, nullptr, FALSE);
      notifyParent(edit, EN_CHANGE);
      return TRUE;
    case WM_KEYDOWN:
      if (keyDown(edit, state, wParam)) return 0;
      break;
    case WM_SYSKEYDOWN: {
      HWND parent = GetParent(edit);
      if ((wParam == VK_DOWN || wParam == VK_UP) && isComboBox(parent) &&
          SendMessageA(parent, kComboKeyMessage, wParam, TRUE))
        return 0;
      break;
    }
    case WM_CHAR:
      character(edit, state, static_cast<unsigned char>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetFocus(edit);
      moveCaret(edit, state, positionAt(edit, state, short(LOWORD(lParam))), GetKeyState(VK_SHIFT) < 0);
      state.dragging = true;
      SetCapture(edit);
      return 0;
    case WM_MOUSEMOVE:
      if (state.dragging) moveCaret(edit, state, positionAt(edit, state, short(LOWORD(lParam))), true);
      return 0;
    case WM_LBUTTONUP:
      if (state.dragging) {
        state.dragging = false;
        ReleaseCapture();
      }
      return 0;
    case WM_CAPTURECHANGED:
      state.dragging = false;
      return 0;
    case WM_SETFOCUS:
      state.focused = true;
      changed(edit, state);
      notifyParent(edit, EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      state.focused = false;
      InvalidateRect(edit, nullptr, FALSE);
      notifyParent(edit, EN_KILLFOCUS);
      return 0;
    case WM_ENABLE:
      InvalidateRect(edit, nullptr, FALSE);
      return 0;
    case WM_COPY:
      copySelection(edit, state);
      return 0;
    case WM_CUT:
      if (state.passwordChar) return 0;
      copySelection(edit, state);
      replaceSelection(edit, state, "");
      return 0;
    case WM_CLEAR:
      replaceSelection(edit, state, "");
      return 0;
    case WM_PASTE:
      replaceSelection(edit, state, clipboardText());
      return 0;
    case EM_GETSEL: {
      DWORD start = DWORD(selectionStart(state)), end = DWORD(selectionEnd(state));
      if (wParam) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam) *reinterpret_cast<DWORD*>(lParam) = end;
      return MAKELRESULT(start, end);
    }
    case EM_SETSEL:
      setSelection(edit, state, wParam, lParam);
      return 0;
    case EM_REPLACESEL:
      replaceSelection(edit, state, lParam ? reinterpret_cast<const char*>(lParam) : "");
      return 0;
    case EM_LIMITTEXT:
      state.limit = wParam ? size_t(wParam) : size_t(0x7FFFFFFE);
      return 0;
    case EM_SETPASSWORDCHAR:
      state.passwordChar = char(wParam);
      changed(edit, state);
      return 0;
    case EM_GETPASSWORDCHAR:
      return static_cast<unsigned char>(state.passwordChar);
    case WM_NCDESTROY:
      states().erase(edit);
      break;
  }
  return DefWindowProcA(edit, message, wParam, lParam);
}
