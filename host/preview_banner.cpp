// preparePreviewFeed: the banner file of Preview mode and the settings that
// go with it.
//
// The banner file gets a fresh name in the temporary folder from _tempnam
// and is then created with _O_CREAT | _O_EXCL, readable and writable by its
// owner only. In a shared temporary folder another user could otherwise
// plant a file or a symbolic link under that name between the choice of the
// name and its creation, and the saver would write through it. If the name
// has been taken meanwhile, a new name is tried, a few times.
#include "host/preview_banner.h"

#include <windows.h>

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>

#include "feed/memory_document.h"
#include "host/saver_state.h"
#include "settings/settings.h"

const char* const previewBanner =
    "Quillon\n"
    "screen saver\n"
    "by Tomas Wren - 2001\n"
    "for more information\n"
    "visit www.quillon-saver.example.net\n"
    "===================";

namespace {

const int kNameAttempts = 5;

// Names previewFilePath and creates that file for writing in text mode;
// -1 when no file could be created (previewFilePath keeps the last name).
int createBannerFile() {
  for (int attempt = 0; attempt < kNameAttempts; attempt++) {
    free(previewFilePath);
    previewFilePath = _tempnam(nullptr, "quillon");
    if (previewFilePath == nullptr) return -1;
    int fd = _open(previewFilePath, _O_WRONLY | _O_CREAT | _O_EXCL | _O_TEXT,
                   _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

void preparePreviewFeed() {
  settings.fontSize = 15;
  settings.lineScrollDelay = 1000;
  settings.typeDelay = 150;

  int fd = createBannerFile();
  settings.urlList.clear();
  if (fd < 0) {
    // Nothing was created under that name (it may even be another's file,
    // or a FIFO that would block the fetch): the name is neither fetched nor
    // removed at the end, and the banner is typed from memory.
    free(previewFilePath);
    previewFilePath = nullptr;
    useMemoryDocument(previewBanner);
    return;
  }
  char url[511];
  snprintf(url, sizeof url, "file://%s", previewFilePath);
  settings.urlList.append(url);
  _write(fd, previewBanner, static_cast<unsigned>(strlen(previewBanner)));
  _close(fd);
}
