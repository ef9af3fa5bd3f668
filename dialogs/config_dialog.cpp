// The configuration dialog: its dialog procedure and handlers (config_dialog.h).
//
// Numbers are edited as decimal text, colours as six hexadecimal digits of
// the colour value, the URL list in a sorted list box, the font in a sorted
// combo box of the installed families. Nothing is checked or limited: what
// is not a number reads as 0.
#include "dialogs/config_dialog.h"

#include <commdlg.h>
#include <ctype.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dialogs/centre_dialog.h"
#include "resources/resource.h"
#include "settings/settings.h"

HWND configDialogWindow = nullptr;
COLORREF customColors[16] = {};

namespace {

const int kTextBufferSize = 512;  // URL and number texts, terminator included

void setNumber(int id, int value) {
  char text[100];
  snprintf(text, sizeof text, "%d", value);
  SetDlgItemTextA(configDialogWindow, id, text);
}

// A colour value as (at least) six upper-case hexadecimal digits.
void setColor(int id, int32_t value) {
  char text[100];
  snprintf(text, sizeof text, "%.6X", static_cast<unsigned>(value));
  SetDlgItemTextA(configDialogWindow, id, text);
}

// A field's text as strtol reads it with a 32-bit long, as on Windows: as
// far as it is a number, and saturated at the ends of the 32-bit range
// (a wider long would wrap when cut to 32 bits).
int32_t readField(int id, int base) {
  char text[kTextBufferSize] = {};
  GetDlgItemTextA(configDialogWindow, id, text, kTextBufferSize - 1);
  long long value = strtoll(text, nullptr, base);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int readNumber(int id) { return readField(id, 10); }

int32_t readColor(int id) { return readField(id, 16); }

// The colour fields take six hexadecimal digits from the keyboard; what is
// pasted is read as before.
WNDPROC editFieldProc = nullptr;

LRESULT CALLBACK colorFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR && wParam >= 32 && wParam != 127 && !isxdigit(static_cast<int>(wParam)))
    return 0;
  return CallWindowProcA(editFieldProc, field, message, wParam, lParam);
}

void limitColorField(int id) {
  HWND field = GetDlgItem(configDialogWindow, id);
  SendMessageA(field, EM_LIMITTEXT, 6, 0);
  editFieldProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(colorFieldProc)));
}

}  // namespace

INT_PTR CALLBACK configDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    configDialogWindow = window;
    initConfigDialog();
    return 0;
  }
  if (message != WM_COMMAND) return 0;
  switch (LOWORD(wParam)) {
    case IDOK:
      readConfigDialog();
      EndDialog(window, IDOK);
      break;
    case IDCANCEL:
      EndDialog(window, IDCANCEL);
      break;
    case IDC_URL_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE) showSelectedUrl();
      break;
    case IDC_ADD_URL:
      addUrl();
      break;
    case IDC_DELETE_URL:
      deleteUrl();
      break;
    case IDC_PICK_FG_COLOR:
      pickColor(IDC_FG_COLOR);
      break;
    case IDC_PICK_BG_COLOR:
      pickColor(IDC_BG_COLOR);
      break;
  }
  return 0;
}

void initConfigDialog() {
  fillFontList();
  setNumber(IDC_FONT_SIZE, settings.fontSize);
  setNumber(IDC_LINE_SCROLL_DELAY, settings.lineScrollDelay);
  setNumber(IDC_TYPE_DELAY, settings.typeDelay);
  setNumber(IDC_INDENT, settings.indent);
  setColor(IDC_BG_COLOR, settings.bgColor);
  setColor(IDC_FG_COLOR, settings.fgColor);
  limitColorField(IDC_BG_COLOR);
  limitColorField(IDC_FG_COLOR);
  setNumber(IDC_FETCH_TIMEOUT, settings.fetchTimeout);

  // One full rotation of the URL list leaves it as it was.
  int count = settings.urlList.count();
  for (int i = 0; i < count; ++i) {
    char url[kTextBufferSize];
    memset(url, 0, sizeof url);
    settings.urlList.popFront(url, kTextBufferSize - 1);
    SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(url));
    settings.urlList.append(url);
  }
  centreOnDesktop(configDialogWindow);
}

void fillFontList() {
  HDC dc = GetDC(configDialogWindow);
  LOGFONTA font;
  memset(&font, 0, sizeof font);
  font.lfCharSet = DEFAULT_CHARSET;
  EnumFontFamiliesExA(dc, &font, addFontName, 0, 0);
  ReleaseDC(configDialogWindow, dc);
  SendDlgItemMessageA(configDialogWindow, IDC_FONT_NAME, CB_SELECTSTRING, WPARAM(-1),
                      reinterpret_cast<LPARAM>(settings.fontName));
}

int CALLBACK addFontName(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM) {
  // The full name follows the logical font in the extended record.
  const char* name = reinterpret_cast<const char*>(reinterpret_cast<const ENUMLOGFONTEXA*>(font)->elfFullName);
  LRESULT found = SendDlgItemMessageA(configDialogWindow, IDC_FONT_NAME, CB_FINDSTRING, WPARAM(-1),
                                      reinterpret_cast<LPARAM>(name));
  if (found == CB_ERR)
    SendDlgItemMessageA(configDialogWindow, IDC_FONT_NAME, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(name));
  return 1;
}

void readConfigDialog() {
  GetDlgItemTextA(configDialogWindow, IDC_FONT_NAME, settings.fontName, 49);
  settings.fontSize = readNumber(IDC_FONT_SIZE);
  settings.indent = readNumber(IDC_INDENT);
  settings.fetchTimeout = readNumber(IDC_FETCH_TIMEOUT);
  settings.typeDelay = readNumber(IDC_TYPE_DELAY);
  settings.lineScrollDelay = readNumber(IDC_LINE_SCROLL_DELAY);
  settings.fgColor = readColor(IDC_FG_COLOR);
  settings.bgColor = readColor(IDC_BG_COLOR);

  int count = int(SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_GETCOUNT, 0, 0));
  settings.urlList.clear();
  for (int i = 0; i < count; ++i) {
    char url[kTextBufferSize];
    memset(url, 0, sizeof url);
    SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_GETTEXT, WPARAM(i),
                        reinterpret_cast<LPARAM>(url));
    settings.urlList.append(url);
  }
}

void addUrl() {
  char url[kTextBufferSize];
  memset(url, 0, sizeof url);
  GetDlgItemTextA(configDialogWindow, IDC_URL_EDIT, url, kTextBufferSize - 1);
  trimBlanks(url);
  if (url[0] == '\0') return;
  SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(url));
  SetDlgItemTextA(configDialogWindow, IDC_URL_EDIT, "");
  SetFocus(GetDlgItem(configDialogWindow, IDC_URL_EDIT));
}

void deleteUrl() {
  LRESULT selected = SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_GETCURSEL, 0, 0);
  SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_DELETESTRING, WPARAM(selected), 0);
  SetDlgItemTextA(configDialogWindow, IDC_URL_EDIT, "");
}

void showSelectedUrl() {
  char url[kTextBufferSize];
  memset(url, 0, sizeof url);
  LRESULT selected = SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_GETCURSEL, 0, 0);
  SendDlgItemMessageA(configDialogWindow, IDC_URL_LIST, LB_GETTEXT, WPARAM(selected),
                      reinterpret_cast<LPARAM>(url));
  SetDlgItemTextA(configDialogWindow, IDC_URL_EDIT, url);
}

void pickColor(int fieldId) {
  char text[100] = {};
  GetDlgItemTextA(configDialogWindow, fieldId, text, 99);
  long value = strtol(text, nullptr, 16);

  CHOOSECOLORA choice;
  memset(&choice, 0, sizeof choice);
  choice.lStructSize = sizeof choice;
  choice.hwndOwner = configDialogWindow;
  choice.rgbResult = COLORREF(value) & 0xFFFFFF;
  choice.lpCustColors = customColors;
  choice.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
  if (!ChooseColorA(&choice)) return;
  setColor(fieldId, int32_t(choice.rgbResult));
}

bool isBlank(char character) {
  static const char kBlanks[] = {' ', '\t', '\r', '\n', '\0'};
  for (char blank : kBlanks)
    if (character == blank) return true;
  return false;
}

void trimBlanks(char* text) {
  if (text == nullptr) return;
  size_t length = strlen(text);
  char* copy = static_cast<char*>(malloc(length + 1));
  if (copy == nullptr) return;
  memcpy(copy, text, length + 1);
  size_t start = 0;
  while (isBlank(copy[start]) && start < length) ++start;
  size_t end = length;
  while (isBlank(copy[end]) && end > start) --end;
  memset(text, 0, length);
  // A text of blanks only: start == end == length, and its zero is copied.
  memcpy(text, copy + start, end - start + 1);
  free(copy);
}
