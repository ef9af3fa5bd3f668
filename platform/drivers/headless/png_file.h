// PNG files of pixel buffers, for the headless driver's snapshots.
#ifndef QUILLON_PLATFORM_DRIVERS_HEADLESS_PNG_FILE_H
#define QUILLON_PLATFORM_DRIVERS_HEADLESS_PNG_FILE_H

#include "platform/internal/pixels.h"

// Writes the pixels as an 8-bit RGB PNG; false (with a line on stderr) when
// the file cannot be written.
bool writePng(const char* path, const PixelBuffer& image);

#endif
