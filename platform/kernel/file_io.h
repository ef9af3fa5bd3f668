// Whole-file reads and crash-safe whole-file writes for the layer's own
// files (INI files, the registry file).
#ifndef QUILLON_PLATFORM_KERNEL_FILE_IO_H
#define QUILLON_PLATFORM_KERNEL_FILE_IO_H

#include <string>

// False when the file cannot be opened (then `text` is left empty).
bool readWholeFile(const std::string& path, std::string* text);

// Replaces the file's content as one step: the text goes to a new file in the
// same directory, which is flushed and then renamed over the old one, so a
// crash leaves either the old file or the new one, never a torn one. Missing
// directories are created. A new file is readable by its owner only; an
// existing file keeps its permissions.
bool writeFileAtomically(const std::string& path, const std::string& text);

#endif
