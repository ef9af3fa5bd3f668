// Where the settings file "quillonscr.ini" is read and written: in the
// Windows directory, and for the 64-bit Windows build in the user's
// VirtualStore copy of it where that directory cannot be written (see
// settings_location.cpp).
#ifndef QUILLON_SETTINGS_SETTINGS_LOCATION_H
#define QUILLON_SETTINGS_SETTINGS_LOCATION_H

// The file the settings are read from and written to first, in a
// zero-filled 256-byte buffer.
void settingsPath(char path[256]);

// Called when `failedPath` could not be written: sets `path` to the place a
// save goes instead and prepares it, or returns false when there is none
// (the 32-bit Windows build, the Linux build, or the VirtualStore copy
// failed as well).
bool settingsFallbackPath(const char* failedPath, char path[256]);

#endif
