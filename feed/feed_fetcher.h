// The feed fetcher: fetches the next URL of settings.urlList with libcurl and
// cuts the document into display lines in lineQueue, or appends two error
// lines when the transfer fails.
//
// A fetch is synchronous and bounded by settings.fetchTimeout (seconds; 0 is
// no limit). The list rotates by one URL per fetch, so a list of feeds is
// fetched round-robin. A document is held whole in memory while it arrives;
// past maxDocumentBytes the transfer is stopped and counts as failed. Before
// it is cut into lines, a UTF-8 document is converted to the ANSI code page
// and the document of a feed: URL becomes the lines of its items
// (feed/display_text.h).
#ifndef QUILLON_FEED_FEED_FETCHER_H
#define QUILLON_FEED_FEED_FETCHER_H

#include <stddef.h>

#include "settings/string_queue.h"

// The display lines waiting to be typed.
extern StringQueue lineQueue;

// The body of the current transfer, zero-terminated; null between fetches
// (and left over after a failed fetch until the next one starts).
extern char* textBuffer;

// The largest document kept: 64 MiB.
extern const size_t maxDocumentBytes;

// Fetches the next URL into lineQueue. Returns the number of lines appended;
// 0 on failure, when the two error lines are appended instead.
int fetchNext();

// libcurl's write function: appends one received piece of the body to
// textBuffer, up to the piece's first zero byte.
size_t receiveChunk(char* data, size_t size, size_t nmemb, void* userData);

// The two ends of receiving one document, which fetchNext puts around the
// transfer: startDocument drops any text left over and starts counting the
// document's size again; queueDocumentLines appends every line of the text
// received (CR and LF separate lines, empty lines are dropped) to lineQueue,
// releases the text and returns the number of lines.
void startDocument();
int queueDocumentLines();

#endif
