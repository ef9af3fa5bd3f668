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
  destroySurface();
  removePreviewFile();
  ShowCursor(TRUE);
  stopTyping();
  if (singleInstanceMutex != nullptr) {
    CloseHandle(singleInstanceMutex);
    singleInstanceMutex = nullptr;
  }
  WSACleanup();
}
