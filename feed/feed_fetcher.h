// The feed fetcher: fetches the next URL of settings.urlList with libcurl
// and cuts the document into display lines in lineQueue, or appends two
// error lines when the transfer fails.
//
// A transfer never runs on the user-interface thread: startFetch takes the
// next URL (the list rotates by one URL per fetch, so a list of feeds is
// fetched round-robin), starts the transfer on a thread of its own and
// returns at once. The window keeps answering its messages meanwhile; when
// the transfer has ended, the thread posts DocumentMessage to the window,
// whose procedure calls finishFetch to append the lines. cancelFetch ends a
// transfer at once (the window is going). See feed/transfer.h for what a
// transfer does (HTTP redirects, errors, the user agent, file: URLs). While
// a document is held in memory (feed/memory_document.h), a fetch queues its
// lines at once and nothing is fetched.
//
// A document is held whole in memory while it arrives; past
// maxDocumentBytes the transfer is stopped and counts as failed. Before it
// is cut into lines, a UTF-8 document is converted to the ANSI code page and
// the document of a feed: URL becomes the lines of its items
// (feed/display_text.h); a feed: URL whose document gives no line at all
// gives the line "** No items in URL". URLs are shown without their
// user-info part (feed/shown_url.h).
//
// The fetch cycle is polite (feed/fetch_cycle.h): after a whole round of
// the list that gave no line, nextFetchDelay says how long to wait.
#ifndef QUILLON_FEED_FEED_FETCHER_H
#define QUILLON_FEED_FEED_FETCHER_H

#include <windows.h>

#include <stddef.h>

#include "settings/string_queue.h"

// The display lines waiting to be typed.
extern StringQueue lineQueue;

// The largest document kept: 64 MiB.
extern const size_t maxDocumentBytes;

// Posted to the window given to startFetch when its transfer has ended.
const UINT DocumentMessage = WM_APP + 1;

// Starts fetching the next URL; DocumentMessage follows. False when no
// transfer could be started: then the fetch has already ended (its error
// lines, if any, are queued) and nothing will be posted.
bool startFetch(HWND window);

// A transfer was started and finishFetch has not taken it yet.
bool fetchRunning();

// That transfer has ended: finishFetch will not wait. (A DocumentMessage of
// a transfer cancelled before may still come while a newer one runs.)
bool fetchEnded();

// Takes the ended transfer: appends its lines (or the two error lines) to
// lineQueue and returns how many were appended. 0 when no transfer ran.
int finishFetch();

// Ends a running transfer at once and forgets it; nothing is queued.
void cancelFetch();

// Milliseconds to wait before the next fetch starts (0: none).
DWORD nextFetchDelay();

// Fetches the next URL and waits for it: startFetch, then finishFetch.
// Returns the number of lines appended; 0 on failure, when the two error
// lines are appended instead.
int fetchNext();

#endif
