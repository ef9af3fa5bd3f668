// The body of one transfer as it arrives: libcurl's write function appends
// each received piece to a growing buffer, up to the piece's first zero
// byte, and the finished text is cut into display lines at CR and LF.
#ifndef QUILLON_FEED_DOCUMENT_BUFFER_H
#define QUILLON_FEED_DOCUMENT_BUFFER_H

#include <stddef.h>

struct DocumentBuffer {
  char* text = nullptr;  // zero-terminated, malloc'd; null until a byte came
  size_t length = 0;     // bytes of text, without the terminator
  size_t capacity = 0;   // bytes allocated
  size_t received = 0;   // bytes received, zero bytes included
  size_t limit = 0;      // past this many received bytes the transfer fails
  bool failed = false;   // a piece could not be kept: the transfer stops
  bool keepZeroBytes = false;  // keep every byte (a feed, which may be
                               // UTF-16 or UTF-32), not only those up to a
                               // piece's first zero byte
};

// libcurl's write function; `buffer` is the DocumentBuffer. Returns the
// piece's size, or 0 (which stops the transfer) once it failed.
// queueDocumentLines needs a text without zero bytes: one kept with
// keepZeroBytes must be made display text first (feed/display_text.h).
size_t receiveChunk(char* data, size_t size, size_t nmemb, void* buffer);

// Appends every line of the text (CR and LF separate lines, empty lines are
// dropped) to lineQueue and returns their number; the text is released.
int queueDocumentLines(DocumentBuffer* buffer);

// Releases the text and starts again from nothing (the limit and the
// keeping of zero bytes stay).
void clearDocument(DocumentBuffer* buffer);

#endif
