// The process-wide values of the saver host.
#include "host/saver_state.h"

RunMode runMode = None;
HWND parentWindow = nullptr;
HINSTANCE instance = nullptr;
HWND saverWindow = nullptr;
char className[100];
HANDLE singleInstanceMutex = nullptr;
char* previewFilePath = nullptr;
