// A transfer on its own thread (transfer.h).
//
// The thread drives libcurl's multi interface with curl_multi_poll, so
// cancelling is immediate: the window's thread sets `cancelled` and wakes
// the poll with curl_multi_wakeup. CURLOPT_QUICK_EXIT lets the clean-up
// leave a DNS lookup that is still running to finish on its own instead of
// waiting for it.
#include "feed/transfer.h"

#include <string.h>

#include "feed/display_text.h"
#include "feed/feed_fetcher.h"
#include "feed/file_url.h"
#include "quillon_version.h"


namespace {

const long kMostRedirects = 10;
// How long one poll may last before the thread looks at `cancelled` again,
// should a wake-up be lost; libcurl's own timeouts end it sooner.
const int kPollMs = 1000;
// How long a cancel waits for the thread. A thread that is still busy then
// (a parse of a huge feed, an open that blocks after all) is left to the
// process's end with what it uses: the window is going anyway.
const DWORD kCancelWaitMs = 2000;

DWORD WINAPI runTransfer(LPVOID parameter) {
  auto* transfer = static_cast<Transfer*>(parameter);
  int running = 1;
  CURLMcode state = CURLM_OK;
  while (running > 0 && state == CURLM_OK && !transfer->cancelled.load()) {
    state = curl_multi_perform(transfer->multi, &running);
    if (running > 0 && state == CURLM_OK)
      state = curl_multi_poll(transfer->multi, nullptr, 0, kPollMs, nullptr);
  }
  if (transfer->cancelled.load()) return 0;

  CURLcode result = CURLE_FAILED_INIT;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(transfer->multi, &left))
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  transfer->failed = state != CURLM_OK || result != CURLE_OK || transfer->document.failed;
  if (!transfer->failed && transfer->document.text) {
    // The Content-Type may name a feed's charset.
    char* contentType = nullptr;
    if (curl_easy_getinfo(transfer->easy, CURLINFO_CONTENT_TYPE, &contentType) != CURLE_OK)
      contentType = nullptr;
    DocumentBuffer& document = transfer->document;
    document.text = displayText(document.text, &document.length, transfer->feed, contentType,
                                maxDocumentBytes);
    if (document.text == nullptr) clearDocument(&document);
    else document.length = strnlen(document.text, document.length);  // lines end at a zero byte
  }
  transfer->done.store(true);
  if (transfer->window) PostMessageA(transfer->window, DocumentMessage, 0, 0);
  return 0;
}

void setOptions(Transfer* transfer) {
  CURL* easy = transfer->easy;
  curl_easy_setopt(easy, CURLOPT_URL, transfer->target);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, receiveChunk);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer->document);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, transfer->timeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMostRedirects);
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, "Quillon/" QUILLON_VERSION);
  // Signals are no way to time out a lookup on a thread.
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
}

}  // namespace

bool beginTransfer(Transfer* transfer) {
  transfer->failed = false;
  transfer->document.limit = maxDocumentBytes;
  // A feed may come in UTF-16 or UTF-32, whose zero bytes are characters'.
  transfer->document.keepZeroBytes = transfer->feed;
  if (isFileUrl(transfer->target) && !fileUrlNamesRegularFile(transfer->target)) {
    transfer->failed = true;
    return false;
  }
  transfer->easy = curl_easy_init();
  transfer->multi = curl_multi_init();
  if (transfer->easy == nullptr || transfer->multi == nullptr) {
    endTransfer(transfer, false);
    return false;
  }
  setOptions(transfer);
  curl_multi_add_handle(transfer->multi, transfer->easy);
  transfer->thread = CreateThread(nullptr, 0, runTransfer, transfer, 0, nullptr);
  if (transfer->thread == nullptr) {
    endTransfer(transfer, false);
    return false;
  }
  return true;
}

void endTransfer(Transfer* transfer, bool cancel) {
  if (transfer->thread) {
    if (cancel) {
      transfer->cancelled.store(true);
      curl_multi_wakeup(transfer->multi);
    }
    DWORD waited = WaitForSingleObject(transfer->thread, cancel ? kCancelWaitMs : INFINITE);
    CloseHandle(transfer->thread);
    transfer->thread = nullptr;
    if (waited != WAIT_OBJECT_0) {
      transfer->abandoned = true;
      return;
    }
  }
  if (transfer->multi && transfer->easy) curl_multi_remove_handle(transfer->multi, transfer->easy);
  if (transfer->easy) curl_easy_cleanup(transfer->easy);
  if (transfer->multi) curl_multi_cleanup(transfer->multi);
  transfer->easy = nullptr;
  transfer->multi = nullptr;
}
