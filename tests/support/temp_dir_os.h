// What temp_dir.cpp needs from the operating system, one file per system:
// temp_dir_posix.cpp (Linux) and temp_dir_windows.cpp (Windows, for the
// conformance tests built with MinGW and run under Wine or on Windows).
#ifndef QUILLON_TESTS_SUPPORT_TEMP_DIR_OS_H
#define QUILLON_TESTS_SUPPORT_TEMP_DIR_OS_H

#include <string>

// Creates a new, empty directory "quillon-test-..." in the system's
// temporary folder; "" when that fails.
std::string makeTempDirectory();

// Removes the directory and everything in it.
void removeTree(const std::string& path);

// The separator between a directory and a name in the system's paths.
extern const char pathSeparator;

// Sets an environment variable, or removes it when value is null.
void setEnvironment(const char* name, const char* value);

#endif
