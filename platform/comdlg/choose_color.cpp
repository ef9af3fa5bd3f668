// ChooseColorA: the common colour dialog, built on the layer's own dialog
// manager from a template described here.
//
// The 48 basic colours and the 16 custom colours (read from lpCustColors
// and written back there on OK) are grids of cells; with CC_FULLOPEN the
// right-hand part shows the current colour with its red, green and blue
// values in decimal fields and "Add to Custom Colors", which puts the
// current colour into the next custom cell in turn. CC_RGBINIT starts on
// rgbResult (its basic cell selected when it is one). OK returns TRUE with
// the colour in rgbResult; Cancel, Escape and the close box return FALSE and
// change nothing.
//
// Less than Win32: there is no hue and saturation spectrum nor luminosity
// bar, without CC_FULLOPEN the right-hand part is simply hidden (there is
// no "Define Custom Colors" button), and hooks and custom templates
// (CC_ENABLEHOOK, CC_ENABLETEMPLATE...) are not supported: such a call
// fails with FALSE.
#include <stdio.h>
#include <stdlib.h>

#include "platform/comdlg/color_dialog.h"
#include "platform/internal/resource_dialogs.h"
#include "platform/user/dialog.h"

namespace {

const DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_LEFT | WS_GROUP;
const DWORD kField = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
const DWORD kCells = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP;

const ResourceDialogItem kItems[] = {
    {"STATIC", "&Basic colors:", -1, kLabel, 4, 4, 140, 9},
    {kColorCellsClass, "", kBasicCells, kCells, 4, 14, 140, 86},
    {"STATIC", "&Custom colors:", -1, kLabel, 4, 106, 140, 9},
    {kColorCellsClass, "", kCustomCells, kCells, 4, 116, 140, 28},
    {"BUTTON", "OK", IDOK, WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 4, 166, 44, 14},
    {"BUTTON", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 52, 166, 44, 14},
    {kColorCellsClass, "", kCurrentSwatch, WS_CHILD | WS_VISIBLE, 152, 14, 140, 60},
    {"STATIC", "&Red:", -1, kLabel, 152, 86, 36, 9},
    {"EDIT", "", kRedField, kField, 190, 84, 30, 12},
    {"STATIC", "&Green:", -1, kLabel, 152, 102, 36, 9},
    {"EDIT", "", kGreenField, kField, 190, 100, 30, 12},
    {"STATIC", "Bl&ue:", -1, kLabel, 152, 118, 36, 9},
    {"EDIT", "", kBlueField, kField, 190, 116, 30, 12},
    {"BUTTON", "&Add to Custom Colors", kAddCustomButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 152, 134, 140, 14},
};
const int kFullOpenFirst = 6;  // the items of the right-hand part start here
const short kFullWidth = 298, kNarrowWidth = 148, kHeight = 186;

const ResourceDialog kTemplate = {
    0, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0, 0, 0, kFullWidth, kHeight, "Color", 8, "MS Sans Serif",
    kItems, int(sizeof kItems / sizeof kItems[0])};

void setField(HWND dialog, int id, int value) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  SetDlgItemTextA(dialog, id, text);
}

int readField(HWND dialog, int id) {
  char text[16] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  int value = atoi(text);
  return value < 0 ? 0 : value > 255 ? 255 : value;
}

void showCurrent(HWND dialog, ColorDialogState& s) {
  s.settingFields = true;
  setField(dialog, kRedField, GetRValue(s.current));
  setField(dialog, kGreenField, GetGValue(s.current));
  setField(dialog, kBlueField, GetBValue(s.current));
  s.settingFields = false;
  InvalidateRect(GetDlgItem(dialog, kCurrentSwatch), nullptr, FALSE);
}

void repaintCells(HWND dialog) {
  InvalidateRect(GetDlgItem(dialog, kBasicCells), nullptr, FALSE);
  InvalidateRect(GetDlgItem(dialog, kCustomCells), nullptr, FALSE);
}

void init(HWND dialog, ColorDialogState& s) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&s));
  const int cellIds[] = {kBasicCells, kCustomCells, kCurrentSwatch};
  for (int id : cellIds)
    SetWindowLongPtrA(GetDlgItem(dialog, id), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&s));
  for (int i = 0; i < kBasicColorCount; ++i)
    if (kBasicColors[i] == s.current && s.selectedBasic < 0) s.selectedBasic = i;
  if (!(s.choice->Flags & CC_FULLOPEN)) {
    for (int i = kFullOpenFirst; i < int(sizeof kItems / sizeof kItems[0]); ++i) {
      HWND control = kItems[i].id == -1 ? nullptr : GetDlgItem(dialog, kItems[i].id);
      if (control) ShowWindow(control, SW_HIDE);
    }
    RECT narrow = {0, 0, kNarrowWidth, kHeight};
    MapDialogRect(dialog, &narrow);
    SetWindowPos(dialog, nullptr, 0, 0, narrow.right, narrow.bottom, SWP_NOMOVE | SWP_NOZORDER);
  }
  showCurrent(dialog, s);
}

INT_PTR CALLBACK colorDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  ColorDialogState* s = reinterpret_cast<ColorDialogState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  if (message == WM_INITDIALOG) {
    init(dialog, *reinterpret_cast<ColorDialogState*>(lParam));
    return TRUE;
  }
  if (message != WM_COMMAND || !s) return FALSE;
  int id = LOWORD(wParam), code = HIWORD(wParam);
  switch (id) {
    case IDOK:
      for (int i = 0; i < kCustomColorCount; ++i) s->choice->lpCustColors[i] = s->custom[i];
      s->choice->rgbResult = s->current;
      EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case kBasicCells:
    case kCustomCells:
      if (id == kBasicCells) {
        s->selectedBasic = code;
        s->selectedCustom = -1;
        s->current = kBasicColors[code];
      } else {
        s->selectedCustom = code;
        s->selectedBasic = -1;
        s->current = s->custom[code];
      }
      repaintCells(dialog);
      showCurrent(dialog, *s);
      return TRUE;
    case kRedField:
    case kGreenField:
    case kBlueField:
      if (code == EN_CHANGE && !s->settingFields) {
        s->current = RGB(readField(dialog, kRedField), readField(dialog, kGreenField),
                         readField(dialog, kBlueField));
        s->selectedBasic = s->selectedCustom = -1;
        repaintCells(dialog);
        InvalidateRect(GetDlgItem(dialog, kCurrentSwatch), nullptr, FALSE);
      }
      return TRUE;
    case kAddCustomButton:
      s->custom[s->nextCustom] = s->current;
      s->selectedCustom = s->nextCustom;
      s->selectedBasic = -1;
      s->nextCustom = (s->nextCustom + 1) % kCustomColorCount;
      repaintCells(dialog);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

const COLORREF kBasicColors[kBasicColorCount] = {
    RGB(255, 128, 128), RGB(255, 255, 128), RGB(128, 255, 128), RGB(0, 255, 128),
    RGB(128, 255, 255), RGB(0, 128, 255),   RGB(255, 128, 192), RGB(255, 128, 255),
    RGB(255, 0, 0),     RGB(255, 255, 0),   RGB(128, 255, 0),   RGB(0, 255, 64),
    RGB(0, 255, 255),   RGB(0, 128, 192),   RGB(128, 128, 192), RGB(255, 0, 255),
    RGB(128, 64, 64),   RGB(255, 128, 64),  RGB(0, 255, 0),     RGB(0, 128, 128),
    RGB(0, 64, 128),    RGB(128, 128, 255), RGB(128, 0, 64),    RGB(255, 0, 128),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(0, 128, 0),     RGB(0, 128, 64),
    RGB(0, 0, 255),     RGB(0, 0, 160),     RGB(128, 0, 128),   RGB(128, 0, 255),
    RGB(64, 0, 0),      RGB(128, 64, 0),    RGB(0, 64, 0),      RGB(0, 64, 64),
    RGB(0, 0, 128),     RGB(0, 0, 64),      RGB(64, 0, 64),     RGB(64, 0, 128),
    RGB(0, 0, 0),       RGB(128, 128, 0),   RGB(128, 128, 64),  RGB(128, 128, 128),
    RGB(64, 128, 128),  RGB(192, 192, 192), RGB(64, 0, 64),     RGB(255, 255, 255),
};

BOOL WINAPI ChooseColorA(LPCHOOSECOLORA choice) {
  if (!choice || choice->lStructSize != sizeof(CHOOSECOLORA) || !choice->lpCustColors) return FALSE;
  if (choice->Flags & (CC_ENABLEHOOK | CC_ENABLETEMPLATE | CC_ENABLETEMPLATEHANDLE)) return FALSE;
  registerColorCellsClass();
  ColorDialogState state = {};
  state.choice = choice;
  state.current = (choice->Flags & CC_RGBINIT) ? choice->rgbResult & 0xFFFFFF : RGB(0, 0, 0);
  for (int i = 0; i < kCustomColorCount; ++i) state.custom[i] = choice->lpCustColors[i];
  state.selectedBasic = state.selectedCustom = -1;
  std::vector<WORD> bytes = dialogTemplateBytes(kTemplate);
  INT_PTR result = DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                           choice->hwndOwner, colorDialogProc,
                                           reinterpret_cast<LPARAM>(&state));
  return result == IDOK;
}
