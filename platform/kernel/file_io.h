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
// absence (permissions), and a file or folder that fails the ownership rules
// of settings_file_safety.h. A refusal is told once per path on stderr, the
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
// directories are created (mode 0700). The file written has mode 0600
// whatever mode the old one had: settings hold the saver's password and the
// URLs, which may carry credentials. A folder or file that fails the rules
// of settings_file_safety.h is not written, nor a read-only file (as Win32
// refuses to write one); a symbolic link that passes them is written
// through, the new file made beside its target. A refusal is told once per
// path on stderr; the result is then false.
bool writeFileAtomically(const std::string& path, const std::string& text);

#endif
