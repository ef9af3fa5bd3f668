// The string table of the program's resource script (resources/quillon.rc),
// for the layer's LoadStringA. On Windows the strings are compiled into the
// executable by the resource compiler; on POSIX the build turns the script's
// STRINGTABLE blocks into this C++ table (cmake/rc_strings.cmake), which is
// built into the resource library that the application and the layer's
// tests link.
#ifndef QUILLON_PLATFORM_INTERNAL_RESOURCE_STRINGS_H
#define QUILLON_PLATFORM_INTERNAL_RESOURCE_STRINGS_H

struct ResourceString {
  unsigned id;
  const char* text;  // as the resource compiler stores it: escapes resolved
};

// The entries in the order of the script; ids are unique. One further entry
// {0, nullptr} follows the last, so the array is never empty.
extern const ResourceString resourceStrings[];
extern const int resourceStringCount;

#endif
