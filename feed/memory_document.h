// A document held in memory in place of the URL list: while one is set,
// every fetch (startFetch) queues its lines at once instead of fetching.
// The preview types its banner this way when the banner's file cannot be
// created, so it never fetches a file it did not write.
#ifndef QUILLON_FEED_MEMORY_DOCUMENT_H
#define QUILLON_FEED_MEMORY_DOCUMENT_H

// Sets the document (a text that lives for the whole run; null: none).
void useMemoryDocument(const char* text);
bool hasMemoryDocument();

// Appends the document's lines to lineQueue, cut as a fetched document's
// are, and returns their number.
int queueMemoryDocument();

#endif
