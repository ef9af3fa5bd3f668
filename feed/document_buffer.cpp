// Receiving a document and cutting it into lines (document_buffer.h).
#include "feed/document_buffer.h"

#include <stdlib.h>
#include <string.h>

#include "feed/feed_fetcher.h"

StringQueue lineQueue;
const size_t maxDocumentBytes = 64u * 1024u * 1024u;

namespace {

// Appends every non-empty run of characters between CR and LF, in order.
// The text holds no zero byte before its end (receiveChunk stops at zero
// bytes). The separators are overwritten with zeros in place: the buffer is
// released right after.
int splitIntoLines(char* text, size_t length) {
  int lines = 0;
  char* end = text + length;
  for (char* start = text; start < end;) {
    size_t run = strcspn(start, "\r\n");
    if (run > 0) {
      start[run] = 0;
      lineQueue.append(start);
      lines++;
    }
    start += run + 1;
  }
  return lines;
}

}  // namespace

// The buffer grows geometrically, so a document of many small pieces costs
// linear time in its size; the length is kept rather than measured again.
size_t receiveChunk(char* data, size_t size, size_t nmemb, void* target) {
  auto* buffer = static_cast<DocumentBuffer*>(target);
  size_t n = size * nmemb;
  if (buffer->failed) return 0;
  if (n > buffer->limit - buffer->received) {
    buffer->failed = true;  // past the cap: stop instead of growing further
    return 0;
  }
  buffer->received += n;
  size_t keep = data == nullptr ? 0 : buffer->keepZeroBytes ? n : strnlen(data, n);
  if (buffer->length + keep + 1 > buffer->capacity) {
    size_t wanted = buffer->capacity < 4096 ? 4096 : buffer->capacity;
    while (wanted < buffer->length + keep + 1) wanted *= 2;
    char* grown = static_cast<char*>(realloc(buffer->text, wanted));
    if (grown == nullptr) {
      buffer->failed = true;
      return 0;
    }
    if (buffer->text == nullptr) grown[0] = 0;
    buffer->text = grown;
    buffer->capacity = wanted;
  }
  memcpy(buffer->text + buffer->length, data, keep);
  buffer->length += keep;
  buffer->text[buffer->length] = 0;
  return n;
}

int queueDocumentLines(DocumentBuffer* buffer) {
  int lines = buffer->text ? splitIntoLines(buffer->text, buffer->length) : 0;
  clearDocument(buffer);
  return lines;
}

void clearDocument(DocumentBuffer* buffer) {
  free(buffer->text);
  DocumentBuffer empty;
  empty.limit = buffer->limit;
  empty.keepZeroBytes = buffer->keepZeroBytes;
  *buffer = empty;
}
