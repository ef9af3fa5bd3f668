// cleanupOnDestroy: what WM_DESTROY releases before the message loop ends.
#include <winsock2.h>
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include "display/terminal_surface.h"
#include "display/typewriter.h"
#include "host/cleanup.h"
#include "host/saver_state.h"

void removePreviewFile() {
  if (previewFilePath == nullptr) return;
  remove(previewFilePath);
  free(previewFilePath);
  previewFilePath = nullptr;
}

void cleanupOnDestroy() {
  // A wrap inside a typing tick scrolls through scratchDC, which stays held
  // with scrollBitmap selected until the next scrollTick deletes it. When
  // the window goes before that tick, delete the context first: a bitmap
  // that is still selected into a context cannot be destroyed, and both
  // would leak.
  if (scratchDC != nullptr) {
    DeleteDC(scratchDC);
    scratchDC = nullptr;
  }
  if (screenBitmap != nullptr) {
    DeleteObject(screenBitmap);
    screenBitmap = nullptr;
  }
  if (scrollBitmap != nullptr) {
    DeleteObject(scrollBitmap);
    scrollBitmap = nullptr;
  }
  removePreviewFile();
  ShowCursor(TRUE);
  KillTimer(saverWindow, ScrollTimer);
  KillTimer(saverWindow, TypeTimer);
  if (singleInstanceMutex != nullptr) {
    CloseHandle(singleInstanceMutex);
    singleInstanceMutex = nullptr;
  }
  WSACleanup();
}
