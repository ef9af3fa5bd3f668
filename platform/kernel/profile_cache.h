// The private-profile functions' cache: the parsed document of the INI file
// used last, so that reading a hundred settings parses the file once.
//
// The document is read again only when the file has changed since it was
// last read or written here (another inode, size or modification time), so
// an edit by another program is seen at the next call, as on Windows.
//
// Writes keep the cached document true. A small file (up to
// kWriteThroughBytes) is written at once, so another program sees each
// change when the call returns. A larger one is written when the process
// ends, when another profile file comes into use, or on a call of
// WritePrivateProfileStringA with all three of section, key and value null
// (Win32's request to flush its profile cache): rewriting a file of
// megabytes on every one of its hundred thousand keys would take hours.
#ifndef QUILLON_PLATFORM_KERNEL_PROFILE_CACHE_H
#define QUILLON_PLATFORM_KERNEL_PROFILE_CACHE_H

#include <stddef.h>

#include <string>

#include "platform/kernel/ini_document.h"

const size_t kWriteThroughBytes = 4u << 10;

// The document of the file at this (host) path; `found` tells whether the
// file was there and readable.
IniDocument& cachedProfile(const std::string& path, bool* found);

// Call after changing the document cachedProfile gave for this path: writes
// it now or later, as above. False when it had to be written now and could
// not be; the change is then forgotten, as the file does not hold it.
bool storeProfile(const std::string& path);

// Writes a document whose writing was put off; false when that failed.
bool flushProfiles();

#endif
