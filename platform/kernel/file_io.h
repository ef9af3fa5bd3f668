// Whole-file reads and crash-safe whole-file writes for the layer's own
// files (INI files, the registry file).
#ifndef QUILLON_PLATFORM_KERNEL_FILE_IO_H
#define QUILLON_PLATFORM_KERNEL_FILE_IO_H

#include <stddef.h>

#include <string>

// What reading one of the layer's settings files (an INI file, the registry
// file) gave: a file that is not there, or that is refused, reads as empty.
enum class FileRead { Read, Missing, Refused };

// The largest settings file the layer reads.
const size_t kLargestSettingsFile = 16u << 20;

// Reads a settings file whole. Only a regular file of at most
// kLargestSettingsFile bytes is read: a directory, a device (a link to
// /dev/zero), a FIFO (which would block the reader) or a larger file is
// refused, as is a file that cannot be opened for another reason than its
// absence (permissions). A refusal is told once per path on stderr, the
// first time, since the user has to mend the file: its settings are not used.
FileRead readSettingsFile(const std::string& path, std::string* text);

// The identity and state of a file, to tell whether it changed since it was
// read: device, inode, size and modification time.
struct FileStamp {
  unsigned long long device = 0, inode = 0, size = 0;
  long long modifiedSeconds = 0, modifiedNanoseconds = 0;
  bool exists = false;
};
FileStamp fileStamp(const std::string& path);
bool sameStamp(const FileStamp& a, const FileStamp& b);

// Replaces the file's content as one step: the text goes to a new file in the
// same directory, which is flushed and then renamed over the old one, so a
// crash leaves either the old file or the new one, never a torn one. Missing
// directories are created. A new file is readable by its owner only; an
// existing file keeps its permissions.
bool writeFileAtomically(const std::string& path, const std::string& text);

#endif
