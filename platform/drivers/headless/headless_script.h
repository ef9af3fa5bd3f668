// The input script of the headless driver (QUILLON_SCRIPT): one timed
// action per line, "at <ms> <action> <arguments>". The line formats are
// documented in README.md in this folder.
#ifndef QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_SCRIPT_H
#define QUILLON_PLATFORM_DRIVERS_HEADLESS_HEADLESS_SCRIPT_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/drivers/driver.h"

enum class ScriptAction {
  Key,             // press and release keys (with modifiers: SHIFT+Q)
  KeyDown,
  KeyUp,
  MouseMove,
  Click,           // press and release a button
  Press,
  Release,
  Resize,          // the user resizes the top-level window
  Close,           // the window manager asks the top-level window to close
  Minimize,        // the window manager asks the top-level window to minimize
  Snapshot,        // PNG of the whole screen
  WindowSnapshot,  // PNG of the top window's client area
  Quit,            // end the process at once with code 0
  Type,            // type a text on the US keyboard
  Command,         // press a dialog's control by its id
  ParentGone,      // a foreign window is destroyed by its program
  Focus,           // give a dialog's control the focus by its id
  Select,          // select entry INDEX of a dialog's list by its id
  Stats,           // appends the process's resident memory, open files and GDI objects to a file
  ParentResize,    // a foreign window gets a new size from its program
  Signal,          // the process receives a termination signal
};

struct ScriptEvent {
  uint64_t at = 0;
  ScriptAction action = ScriptAction::Quit;
  std::vector<UINT> keys;  // Key, KeyDown, KeyUp: modifiers first
  MouseButton button = MouseButton::Left;
  int x = 0, y = 0;        // screen coordinates; Resize, ParentResize: width and height
  std::string text;        // Snapshot, WindowSnapshot, Stats: file; Type: text
  int id = 0;              // Command, Focus, Select: the control; ParentGone, ParentResize:
                           // the foreign window; Signal: the signal's number
  int index = 0;           // Select: the entry
  int line = 0;
};

// Parses a whole script; the events come out in time order (lines with the
// same time in file order). On a malformed line returns false and says why
// in `error`, with the line number.
bool parseScript(const std::string& content, std::vector<ScriptEvent>* events, std::string* error);

#endif
