// The feed fetcher: startFetch, finishFetch, cancelFetch, fetchNext and
// lineQueue (feed_fetcher.h).
//
// At most one transfer exists at a time. It is made on the window's thread
// (the URL taken from the list, the libcurl handles), runs on its own thread
// (feed/transfer.h) and is taken back on the window's thread, where its
// lines join lineQueue; nothing else is shared while it runs.
// Windows Sockets 2 (for libcurl, through feed/transfer.h) before windows.h.
#include <winsock2.h>

#include "feed/feed_fetcher.h"

#include <stdio.h>
#include <string.h>

#include "feed/document_buffer.h"
#include "feed/fetch_cycle.h"
#include "feed/feed_url.h"
#include "feed/memory_document.h"
#include "feed/shown_url.h"
#include "feed/transfer.h"
#include "settings/settings.h"

namespace {

Transfer* current = nullptr;

void appendErrorLines(const char* url) {
  char line[600];
  snprintf(line, sizeof line, "** Error fetching data from %s", shownUrl(url).c_str());
  lineQueue.append(line);
  lineQueue.append("Please check your configuration!");
}

// Takes the front URL and puts it back at the end: round-robin.
void takeNextUrl(Transfer* transfer) {
  memset(transfer->url, 0, sizeof transfer->url);
  settings.urlList.popFront(transfer->url, sizeof transfer->url - 1);
  settings.urlList.append(transfer->url);
  // A feed: URL fetches the URL inside it; errors name the URL as stored.
  transfer->feed = feedInnerUrl(transfer->url, transfer->target, sizeof transfer->target);
  if (!transfer->feed) memcpy(transfer->target, transfer->url, sizeof transfer->target);
}

// The lines of an ended transfer, counted for the fetch cycle. A feed that
// gives no line says so in one line, which is not counted: there is still
// nothing to read.
int queueLinesOf(Transfer* transfer) {
  if (transfer->failed) {
    appendErrorLines(transfer->url);
    noteFetchEnded(2);
    return 0;
  }
  int lines = queueDocumentLines(&transfer->document);
  noteFetchEnded(lines);
  if (lines == 0 && transfer->feed) {
    char line[600];
    snprintf(line, sizeof line, "** No items in %s", shownUrl(transfer->url).c_str());
    lineQueue.append(line);
    return 1;
  }
  return lines;
}

void forget(Transfer* transfer) {
  if (transfer->abandoned) return;  // its thread still uses it
  clearDocument(&transfer->document);
  delete transfer;
}

}  // namespace

bool startFetch(HWND window) {
  cancelFetch();
  if (hasMemoryDocument()) {
    // The document is there at once: nothing runs.
    noteFetchEnded(queueMemoryDocument());
    return false;
  }
  auto* transfer = new Transfer;
  takeNextUrl(transfer);
  transfer->timeoutSeconds = settings.fetchTimeout;
  transfer->window = window;
  noteFetchStarted(settings.urlList.count());
  if (beginTransfer(transfer)) {
    current = transfer;
    return true;
  }
  // Nothing runs: a refused file: URL fails at once; handles that could not
  // be made leave the queue as it is.
  if (transfer->failed) queueLinesOf(transfer);
  else noteFetchEnded(0);
  forget(transfer);
  return false;
}

bool fetchRunning() { return current != nullptr; }

bool fetchEnded() { return current != nullptr && current->done.load(); }

int finishFetch() {
  if (current == nullptr) return 0;
  Transfer* transfer = current;
  current = nullptr;
  endTransfer(transfer, false);
  int lines = queueLinesOf(transfer);
  forget(transfer);
  return lines;
}

void cancelFetch() {
  if (current == nullptr) return;
  Transfer* transfer = current;
  current = nullptr;
  endTransfer(transfer, true);
  forget(transfer);
}

DWORD nextFetchDelay() { return fetchCycleDelay(); }

int fetchNext() {
  if (!startFetch(nullptr)) return 0;
  return finishFetch();
}
