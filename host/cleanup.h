// The release of the run's resources when the saver window is destroyed.
#ifndef QUILLON_HOST_CLEANUP_H
#define QUILLON_HOST_CLEANUP_H

// Releases the terminal surface, removes the preview's banner file, shows
// the cursor again, stops the typewriter (its timers, a running fetch),
// closes the single-instance mutex and stops the socket layer.
void cleanupOnDestroy();

// Removes the preview's banner file, if one was written, and forgets its
// name.
void removePreviewFile();

#endif
