// MessageBoxA: a small modal dialog built on the layer's dialog manager
// from a template made here, like ChooseColorA's: the text, then a row of
// push buttons centred below it, the first the default. OK ends it with
// IDOK, Cancel with IDCANCEL; Escape and the close box give IDCANCEL when
// there is a Cancel button and IDOK in a box with OK alone, as in Win32.
// The owner is disabled while it runs.
//
// Less than Win32: the buttons of MB_OK and MB_OKCANCEL only (another
// button set fails with 0 and says so on the "user" diagnostics channel),
// no icon (the MB_ICON* flags are accepted and not drawn), and the text is
// wrapped at blanks by character count into lines of at most 64
// characters, one static control each, since the layer's DrawTextA draws a
// single line; the box is centred on the screen rather than on the owner.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/internal/diagnostics.h"
#include "platform/internal/resource_dialogs.h"
#include "platform/user/dialog.h"

namespace {

const size_t kLongestLine = 64;
// Dialog units: the margin, a text line's height, a character's width
// (wider than the font's average, so that a line of capitals fits), a
// button's size and the gap between buttons.
const short kMargin = 7, kLineHeight = 8, kCharWidth = 5;
const short kButtonWidth = 50, kButtonHeight = 14, kButtonGap = 6;

// The text as display lines: cut at line breaks, and wrapped at the last
// blank before kLongestLine characters (or in a word that long).
std::vector<std::string> textLines(const char* text) {
  std::vector<std::string> lines;
  std::string rest = text ? text : "";
  size_t start = 0;
  while (start <= rest.size()) {
    size_t end = rest.find('\n', start);
    std::string line = rest.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    while (line.size() > kLongestLine) {
      size_t cut = line.rfind(' ', kLongestLine);
      if (cut == std::string::npos || cut == 0) cut = kLongestLine;
      lines.push_back(line.substr(0, cut));
      line.erase(0, line[cut] == ' ' ? cut + 1 : cut);
    }
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

INT_PTR CALLBACK messageBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(box, DWLP_USER, lParam);  // whether there is a Cancel button
    return TRUE;
  }
  if (message != WM_COMMAND) return FALSE;
  int id = LOWORD(wParam);
  if (id == IDOK) {
    EndDialog(box, IDOK);
    return TRUE;
  }
  if (id == IDCANCEL) {
    EndDialog(box, GetWindowLongPtrA(box, DWLP_USER) ? IDCANCEL : IDOK);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  UINT buttons = type & MB_TYPEMASK;
  if (buttons != MB_OK && buttons != MB_OKCANCEL) {
    layerDiagnostic("user", "MessageBoxA: only MB_OK and MB_OKCANCEL boxes are made (type %#x)",
                    type);
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::vector<std::string> lines = textLines(text);
  size_t longest = 0;
  for (const std::string& line : lines) longest = line.size() > longest ? line.size() : longest;

  const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | WS_GROUP;
  const DWORD button = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
  int buttonCount = buttons == MB_OKCANCEL ? 2 : 1;
  short rowWidth = short(buttonCount * kButtonWidth + (buttonCount - 1) * kButtonGap);
  short textWidth = short(longest * kCharWidth);
  short width = short((textWidth > rowWidth ? textWidth : rowWidth) + 2 * kMargin);
  short buttonTop = short(kMargin + lines.size() * kLineHeight + kMargin);

  std::vector<ResourceDialogItem> items;
  for (size_t i = 0; i < lines.size(); ++i)
    items.push_back({"STATIC", lines[i].c_str(), -1, label, kMargin,
                     short(kMargin + i * kLineHeight), textWidth, kLineHeight});
  short x = short((width - rowWidth) / 2);
  items.push_back({"BUTTON", "OK", IDOK, button | BS_DEFPUSHBUTTON | WS_GROUP, x, buttonTop,
                   kButtonWidth, kButtonHeight});
  if (buttonCount == 2)
    items.push_back({"BUTTON", "Cancel", IDCANCEL, button | BS_PUSHBUTTON,
                     short(x + kButtonWidth + kButtonGap), buttonTop, kButtonWidth, kButtonHeight});

  // Win32 names a box without a caption "Error".
  const ResourceDialog box = {
      0, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_CENTER, 0, 0, 0,
      width, short(buttonTop + kButtonHeight + kMargin), caption ? caption : "Error", 8,
      "MS Sans Serif", items.data(), int(items.size())};
  std::vector<WORD> bytes = dialogTemplateBytes(box);
  INT_PTR result = DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                           owner, messageBoxProc, buttonCount == 2);
  return result > 0 ? int(result) : 0;
}
