// <winsock2.h> of the POSIX layer: only starting and stopping the socket
// layer, which POSIX does not need; both succeed and count their calls.
#ifndef QUILLON_PLATFORM_WINSOCK2_H
#define QUILLON_PLATFORM_WINSOCK2_H

#include "windows.h"

#define SOCKET_ERROR (-1)
#define WSAEFAULT 10014
#define WSAVERNOTSUPPORTED 10092
#define WSANOTINITIALISED 10093

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

typedef struct WSAData {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[WSADESCRIPTION_LEN + 1];
  char szSystemStatus[WSASYS_STATUS_LEN + 1];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
} WSADATA, *LPWSADATA;

#ifdef __cplusplus
extern "C" {
#endif

int WINAPI WSAStartup(WORD versionRequested, LPWSADATA data);
int WINAPI WSACleanup(void);
int WINAPI WSAGetLastError(void);

#ifdef __cplusplus
}
#endif

#endif
