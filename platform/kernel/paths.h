// Where the layer keeps the files that Win32 keeps in the Windows directory,
// and how it reads the Win32-style paths that the application builds.
#ifndef QUILLON_PLATFORM_KERNEL_PATHS_H
#define QUILLON_PLATFORM_KERNEL_PATHS_H

#include <string>

// The Windows directory: $QUILLON_WINDOWS_DIR if set, else
// $XDG_CONFIG_HOME/quillon, else $HOME/.config/quillon. It need not exist.
std::string windowsDirectory();

// A path as the application gives it, made usable on POSIX: backslashes are
// path separators, and a bare file name (no separator at all) names a file
// in the Windows directory, as the private-profile functions of Win32 do.
std::string hostProfilePath(const char* win32Path);

// Creates the directory and its missing parents (mode 0700 for new ones).
bool makeDirectories(const std::string& path);

#endif
