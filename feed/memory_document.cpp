// The document held in memory (see memory_document.h), received through the
// fetcher's own chunk receiver so that its lines are cut exactly as a
// fetched document's.
#include "feed/memory_document.h"

#include <string.h>

#include <string>

#include "feed/document_buffer.h"
#include "feed/feed_fetcher.h"

namespace {

const char* memoryDocument = nullptr;

}  // namespace

void useMemoryDocument(const char* text) { memoryDocument = text; }

bool hasMemoryDocument() { return memoryDocument != nullptr; }

int queueMemoryDocument() {
  if (memoryDocument == nullptr) return 0;
  DocumentBuffer buffer;
  buffer.limit = maxDocumentBytes;
  std::string text = memoryDocument;  // receiveChunk takes writable bytes
  receiveChunk(&text[0], 1, text.size(), &buffer);
  return queueDocumentLines(&buffer);
}
