// One transfer of a document with libcurl, run on a thread of its own so the
// message loop never waits for a server.
//
// What a transfer does, beyond libcurl's defaults (proxies from the
// environment, no cookies kept, no connection kept after it):
// - HTTP redirects are followed, at most 10 hops, and only to http and
//   https URLs: a redirect to another scheme (file:, ftp:...) fails.
// - An HTTP status of 400 or more fails the transfer.
// - Requests name the program: "User-Agent: Quillon/<version>".
// - A file: URL is read only when it names a regular file: a FIFO, a device
//   or a folder fails at once instead of blocking the reader.
// - The fetch timeout (seconds, 0: none) bounds the whole transfer; DNS
//   names are resolved without blocking (libcurl's threaded resolver).
// The thread also makes the document display text (feed/display_text.h),
// so a large feed is parsed beside the message loop too.
#ifndef QUILLON_FEED_TRANSFER_H
#define QUILLON_FEED_TRANSFER_H

// libcurl's header brings Windows Sockets 2, which must come before
// windows.h on Windows.
#include <curl/curl.h>
#include <windows.h>

#include <atomic>

#include "feed/document_buffer.h"

struct Transfer {
  char url[512];       // the URL as stored in the list: error lines name it
  char target[512];    // the URL fetched (the one inside a feed: URL)
  bool feed = false;   // a feed: URL, read as RSS or Atom
  long timeoutSeconds = 0;
  HWND window = nullptr;  // told with DocumentMessage when it has ended
  DocumentBuffer document;
  bool failed = false;    // set by the thread: no document, error lines
  std::atomic<bool> cancelled{false};
  std::atomic<bool> done{false};  // the thread's work is over (set before it posts)
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  HANDLE thread = nullptr;
  bool abandoned = false;  // its thread outlived a cancel: never to be freed
};

// Prepares the transfer (libcurl handles and options) and starts its
// thread. False when that failed: `transfer->failed` says whether the fetch
// failed (error lines) or nothing could be made at all.
bool beginTransfer(Transfer* transfer);

// Waits for the thread to end, after asking it to stop at once when
// `cancel` is true, and releases everything but the document. A cancelled
// thread that does not end within two seconds is abandoned (`abandoned`):
// it still uses the transfer, which must then never be freed.
void endTransfer(Transfer* transfer, bool cancel);

#endif
