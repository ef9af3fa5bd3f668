// The feed fetcher: fetchNext, receiveChunk, textBuffer and lineQueue.
//
// One fetch creates its own libcurl easy handle, sets exactly five options
// (URL, no progress meter, error buffer, write function, time-out), runs the
// transfer synchronously and releases the handle. Everything else is
// libcurl's default: HTTP error pages and redirect responses are documents.
#include "feed/feed_fetcher.h"

#include <curl/curl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "feed/display_text.h"
#include "feed/feed_url.h"
#include "feed/memory_document.h"
#include "feed/shown_url.h"
#include "settings/settings.h"

StringQueue lineQueue;
char* textBuffer = nullptr;
const size_t maxDocumentBytes = 64u * 1024u * 1024u;

namespace {

// The length of the text in textBuffer and the size of its allocation. The
// buffer grows geometrically, so a document of many small chunks costs
// linear time in its size; the length is kept rather than measured again.
size_t textLength = 0;
size_t textCapacity = 0;
// Bytes received in the current transfer, zero bytes included: the
// document-size cap counts what arrived, not what was kept.
size_t receivedBytes = 0;
// A chunk could not be stored: the transfer is stopped and counts as failed.
bool receiveFailed = false;

void discardText() {
  free(textBuffer);
  textBuffer = nullptr;
  textLength = 0;
  textCapacity = 0;
}

// Releases what a failed last fetch left behind when the process ends.
struct TextBufferRelease {
  ~TextBufferRelease() { discardText(); }
} textBufferRelease;

void appendErrorLines(const char* url) {
  char line[600];
  snprintf(line, sizeof line, "** Error fetching data from %s", shownUrl(url).c_str());
  lineQueue.append(line);
  lineQueue.append("Please check your configuration!");
}

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

size_t receiveChunk(char* data, size_t size, size_t nmemb, void* /*userData*/) {
  size_t n = size * nmemb;
  if (receiveFailed) return 0;
  if (n > maxDocumentBytes - receivedBytes) {
    receiveFailed = true;  // past the cap: stop instead of growing further
    return 0;
  }
  receivedBytes += n;
  size_t keep = data ? strnlen(data, n) : 0;  // up to the chunk's first zero byte
  if (textLength + keep + 1 > textCapacity) {
    size_t wanted = textCapacity < 4096 ? 4096 : textCapacity;
    while (wanted < textLength + keep + 1) wanted *= 2;
    char* grown = static_cast<char*>(realloc(textBuffer, wanted));
    if (grown == nullptr) {
      receiveFailed = true;
      return 0;
    }
    if (textBuffer == nullptr) grown[0] = 0;
    textBuffer = grown;
    textCapacity = wanted;
  }
  memcpy(textBuffer + textLength, data, keep);
  textLength += keep;
  textBuffer[textLength] = 0;
  return n;
}

void startDocument() {
  discardText();
  receivedBytes = 0;
  receiveFailed = false;
}

int queueDocumentLines() {
  int lines = textBuffer ? splitIntoLines(textBuffer, textLength) : 0;
  discardText();
  return lines;
}

int fetchNext() {
  if (hasMemoryDocument()) return queueMemoryDocument();
  startDocument();

  CURL* handle = curl_easy_init();
  if (handle == nullptr) return 0;

  // Take the front URL and put it back at the end: round-robin.
  char url[512];
  char errorText[260];
  memset(url, 0, sizeof url);
  memset(errorText, 0, sizeof errorText);
  settings.urlList.popFront(url, sizeof url - 1);
  settings.urlList.append(url);
  // A feed: URL fetches the URL inside it; errors name the URL as stored.
  char feedUrl[512];
  bool feed = feedInnerUrl(url, feedUrl, sizeof feedUrl);

  curl_easy_setopt(handle, CURLOPT_URL, feed ? feedUrl : url);
  curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorText);
  curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, receiveChunk);
  curl_easy_setopt(handle, CURLOPT_TIMEOUT, static_cast<long>(settings.fetchTimeout));
  CURLcode result = curl_easy_perform(handle);
  curl_easy_cleanup(handle);

  if (result != CURLE_OK || receiveFailed) {
    appendErrorLines(url);
    return 0;
  }
  // A UTF-8 document is converted to the ANSI code page, a feed turned into
  // its items' text, before the text is cut into lines.
  if (textBuffer) textBuffer = displayText(textBuffer, &textLength, feed, maxDocumentBytes);
  return queueDocumentLines();
}
