// The settings store: the one Settings record of the process and its INI file
// "quillonscr.ini" in the Windows directory (section "settings").
//
// loadSettings fills the record from the file with a default for every
// missing value; saveSettings writes the whole record back; scramblePassword
// turns the password into its stored form and back (it is its own inverse).
// Where the file lives is settings_location.h's business.
// Nothing is validated or clamped: values go to the other subsystems as the
// file or the dialogs hold them.
#ifndef QUILLON_SETTINGS_SETTINGS_H
#define QUILLON_SETTINGS_SETTINGS_H

#include <stdint.h>

#include "settings/string_queue.h"

struct Settings {
  int32_t fgColor;          // text and cursor colour (COLORREF)
  int32_t bgColor;          // background colour (COLORREF)
  int32_t lineScrollDelay;  // ms from the end of a typed line to the scroll
  int32_t fetchTimeout;     // seconds one transfer may take; 0: no limit
  StringQueue urlList;      // feed URLs, front first, in fetch order
  char fontName[50];        // face name, at most 48 characters
  char password[50];        // plain text in memory, at most 48 characters
  int32_t typeDelay;        // ms between two typed characters
  int32_t indent;           // left margin in pixels
  int32_t fontSize;         // cell height asked of the font
};

extern Settings settings;

// The URL used when the file lists none.
extern const char* const defaultUrl;

void loadSettings();
// True when the file holds every field afterwards; false when a write
// failed (the file then may hold some of them).
bool saveSettings();
void scramblePassword();

#endif
