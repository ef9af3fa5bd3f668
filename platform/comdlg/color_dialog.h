// What the files of the colour dialog share: its control ids (Win32's own),
// the state of a running dialog, the 48 basic colours, and the control
// class of the colour cells.
#ifndef QUILLON_PLATFORM_COMDLG_COLOR_DIALOG_H
#define QUILLON_PLATFORM_COMDLG_COLOR_DIALOG_H

#include <commdlg.h>

const int kRedField = 706;
const int kGreenField = 707;
const int kBlueField = 708;
const int kCurrentSwatch = 709;
const int kAddCustomButton = 712;
const int kBasicCells = 720;
const int kCustomCells = 721;

const int kBasicColorCount = 48;  // 8 columns, 6 rows
const int kCustomColorCount = 16; // 8 columns, 2 rows
extern const COLORREF kBasicColors[kBasicColorCount];

struct ColorDialogState {
  CHOOSECOLORA* choice;
  COLORREF current;
  COLORREF custom[kCustomColorCount];
  int nextCustom;          // where "Add to Custom Colors" puts the next one
  int selectedBasic;       // -1: none
  int selectedCustom;      // -1: none
  bool settingFields;      // the fields are being set from `current`
};

// The class of the two grids of colour cells and of the swatch; a cell
// grid's window data (GWLP_USERDATA) points at the dialog's state. A click
// on a cell selects it and sends WM_COMMAND with the cell's index as the
// notification code.
extern const char* const kColorCellsClass;
void registerColorCellsClass();

#endif
