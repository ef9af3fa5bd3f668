// <commdlg.h> of the POSIX layer: the common colour dialog, ChooseColorA
// (platform/comdlg/).
#ifndef QUILLON_PLATFORM_COMMDLG_H
#define QUILLON_PLATFORM_COMMDLG_H

#include "windows.h"

#define CC_RGBINIT 0x00000001
#define CC_FULLOPEN 0x00000002
#define CC_PREVENTFULLOPEN 0x00000004
#define CC_SHOWHELP 0x00000008
#define CC_ENABLEHOOK 0x00000010
#define CC_ENABLETEMPLATE 0x00000020
#define CC_ENABLETEMPLATEHANDLE 0x00000040
#define CC_SOLIDCOLOR 0x00000080
#define CC_ANYCOLOR 0x00000100

typedef UINT_PTR(CALLBACK* LPCCHOOKPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagCHOOSECOLORA {
  DWORD lStructSize;
  HWND hwndOwner;
  HWND hInstance;
  COLORREF rgbResult;
  COLORREF* lpCustColors;
  DWORD Flags;
  LPARAM lCustData;
  LPCCHOOKPROC lpfnHook;
  LPCSTR lpTemplateName;
} CHOOSECOLORA, *LPCHOOSECOLORA;

#ifdef __cplusplus
extern "C" {
#endif

BOOL WINAPI ChooseColorA(LPCHOOSECOLORA choice);

#ifdef __cplusplus
}
#endif

#endif
