// The release of the run's resources when the saver window is destroyed.
#ifndef QUILLON_HOST_CLEANUP_H
#define QUILLON_HOST_CLEANUP_H

// Deletes the picture's bitmaps, removes the preview's banner file, shows
// the cursor again, stops both timers, closes the single-instance mutex and
// stops the socket layer.
void cleanupOnDestroy();

// Removes the preview's banner file, if one was written, and forgets its
// name.
void removePreviewFile();

#endif
